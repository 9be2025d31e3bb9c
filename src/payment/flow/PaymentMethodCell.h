#pragma once

#include "platform/ui/ImageView.h"
#include "ui_kit/CustomActivityView/CustomActivitySpinnerView.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

// One row of the payment-method list: the method's logo (or the generic bank picture) and its
// name. The outlets carry their property names as objectName.
class PaymentMethodCell : public QWidget {
    Q_OBJECT
public:
    explicit PaymentMethodCell(QWidget* parent = nullptr);

    ImageView* creditCardImage() const { return creditCardImage_; }
    QLabel* creditCardTitle() const { return creditCardTitle_; }
    QLabel* creditCardDescription() const { return creditCardDescription_; }
    QLabel* creditCardCurrency() const { return creditCardCurrency_; }
    QLabel* creditCardLastClosed() const { return creditCardLastClosed_; }
    CustomActivitySpinnerView* loading() const { return loading_; }
    ImageView* genericBankImage() const { return genericBankImage_; }
    QLabel* creditCardTotal() const { return creditCardTotal_; }
    QWidget* divLine() const { return divLine_; }

private:
    QPointer<ImageView> creditCardImage_;
    QPointer<QLabel> creditCardTitle_;
    QPointer<QLabel> creditCardDescription_;
    QPointer<QLabel> creditCardCurrency_;
    QPointer<QLabel> creditCardLastClosed_;
    QPointer<CustomActivitySpinnerView> loading_;
    QPointer<ImageView> genericBankImage_;
    QPointer<QLabel> creditCardTotal_;
    QPointer<QWidget> divLine_;
};
