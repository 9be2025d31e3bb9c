#include "model/values/Currency.h"

Currency::Currency() {
    reset();
}

std::shared_ptr<Currency> Currency::instance() {
    // Made once even when first asked for from two threads.
    static const std::shared_ptr<Currency> shared = std::make_shared<Currency>();
    return shared;
}

void Currency::reset() {
    alphaCode_ = QStringLiteral("MXN");
    format_ = QStringLiteral("$");
    code_ = QStringLiteral("484");
    name_ = QStringLiteral("Pesos mexicanos (MXN)");
}

void Currency::setCurrencyFormat(const QString& format, const QString& code, const QString& name) {
    format_ = format;
    code_ = code;
    name_ = name;
}
