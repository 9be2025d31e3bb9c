#include "model/Sale.h"

#include "model/CreditCard.h"
#include "model/SalePaymentFields.h"
#include "platform/core/MainThread.h"
#include "platform/core/Uuid.h"
#include "platform/core/Values.h"

#include <QMetaObject>

// The form fields of a sale's payment request; built by SalePaymentFields, as the sale
// registration's.
QVariantMap Sale::requestData() const {
    // The sale and its card are only touched on the main thread; a caller elsewhere waits.
    if (QCoreApplication::instance() && !MainThread::isCurrent()) {
        QVariantMap result;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [this, &result] { result = requestData(); },
            Qt::BlockingQueuedConnection);
        return result;
    }
    QVariantMap fields;
    SalePaymentFields::insertPaymentFields(fields, *this,
                                           SalePaymentFields::CashMethod::NameOrCash);
    return fields;
}
