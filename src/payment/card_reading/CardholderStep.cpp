#include "payment/card_reading/CardholderStep.h"

#include "model/Sale.h"
#include "payment/card_reading/CardFlowCancel.h"
#include "payment/card_reading/KeyboardGap.h"
#include "platform/ui/Dialogs.h"
#include "ui_kit/texts/Language.h"

CardholderStep::CardholderStep(QObject* parent)
    : ViewController(parent) {}

CardholderStep::~CardholderStep() = default;

bool CardholderStep::hasUsableKey(const QVariantMap& map, const QString& key) {
    const QVariant v = map.value(key);
    return map.contains(key) && v.isValid() && !v.isNull() && v.typeId() != QMetaType::Nullptr;
}

QString CardholderStep::textOf(const QVariant& value) {
    return value.typeId() == QMetaType::Nullptr ? QString() : value.toString();
}

void CardholderStep::makeKeyboardGap(QBoxLayout* layout, int base) {
    keyboardGap_ = new KeyboardGap(layout, base, this);
}

void CardholderStep::setRightButtonEnabled(bool enabled) {
    auto right = navigationItem()->rightBarButtonItems();
    for (auto& item : right)
        item.enabled = enabled;
    navigationItem()->setRightBarButtonItems(right);
}

bool CardholderStep::isApproved(const QVariantMap& reply) {
    return hasUsableKey(reply, QStringLiteral("success")) &&
           reply.value(QStringLiteral("success")).toString().toUpper() == QLatin1String("OK");
}

void CardholderStep::applyApprovedReply(const QVariantMap& reply) {
    if (!sale_)
        return;
    Sale& sale = *sale_;
    if (hasUsableKey(reply, QStringLiteral("saleId"))) {
        sale.setSaleId(QString::number(reply.value(QStringLiteral("saleId")).toInt()));
        sale.sold();
    }
    if (hasUsableKey(reply, QStringLiteral("trxId")))
        sale.setTrxId(textOf(reply.value(QStringLiteral("trxId"))));
    if (hasUsableKey(reply, QStringLiteral("referenceNumber")))
        sale.setReferenceNumber(textOf(reply.value(QStringLiteral("referenceNumber"))));
    if (hasUsableKey(reply, QStringLiteral("authorizationCode")))
        sale.setAuthorizationCode(textOf(reply.value(QStringLiteral("authorizationCode"))));
    const QVariantMap payment = reply.value(QStringLiteral("payment")).toMap();
    if (hasUsableKey(payment, QStringLiteral("name")) && sale.paymentMethodName().isEmpty())
        sale.setPaymentMethodName(textOf(payment.value(QStringLiteral("name"))));
    if (hasUsableKey(reply, QStringLiteral("buyer")))
        buyerDic_ = reply.value(QStringLiteral("buyer")).toMap();
    if (hasUsableKey(reply, QStringLiteral("sdk")))
        sale.setCustomResponse(reply.value(QStringLiteral("sdk")).toMap());
}

void CardholderStep::offerForcedTransaction(const QString& message) {
    auto* alert = new SystemAlert(QString(), message);
    QPointer<CardholderStep> self(this);
    alert->addAction(Language::textForFile(QStringLiteral("GlobalTexts"), QStringLiteral("cancel")),
                     SystemAlertAction::Cancel, [self](auto*) {
                         if (self)
                             cancelCardFlowByUser(self);
                     });
    alert->addAction(
        Language::textForFile(QStringLiteral("GlobalTexts"), QStringLiteral("forceTransaction")),
        SystemAlertAction::Default, [self](auto*) {
            if (!self || !self->sale_)
                return;
            self->sale_->setForce(true);
            self->resendForced();
        });
    forceTransaction_ = alert;
    presentViewController(alert, true);
}
