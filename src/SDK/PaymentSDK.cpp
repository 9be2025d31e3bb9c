#include "SDK/PaymentSDK.h"

PaymentSDK::PaymentSDK(const TQSale& sale, const std::optional<QString>& reference,
                       TarvelloSDK::Completion completion)
    : sale_(sale)
    , reference_(reference)
    , completion_(std::move(completion)) {}

PaymentSDK::~PaymentSDK() = default;

void PaymentSDK::startInViewController(QWidget* /*viewController*/) {
    // The payment screens are not in this build yet: the charge ends at once.
    completed_ = true;
    if (completion_)
        completion_(
            TarvelloError{TarvelloError::sdkDomain, 0, QStringLiteral("Not available yet"), nullptr}
                .toResult(),
            false);
}
