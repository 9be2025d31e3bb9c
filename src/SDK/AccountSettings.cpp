#include "SDK/AccountSettings.h"

#include <QMutex>

AccountSettings::AccountSettings() {
    currencies_ = QVariantList{
        QVariantMap{{"code", "484"},
                    {"symbol", "$"},
                    {"es", QStringLiteral("Pesos mexicanos (MXN)")},
                    {"en", "Mexican pesos (MXN)"},
                    {"exchangeRate", "540.90"}},
        QVariantMap{{"code", "840"},
                    {"symbol", "USD"},
                    {"es", QStringLiteral("Dólares (USD)")},
                    {"en", "US Dollars (USD)"},
                    {"exchangeRate", "1.00"}},
    };
    reset();
}

AccountSettings::~AccountSettings() = default;

AccountSettings& AccountSettings::instance() {
    static QMutex lock;
    static std::unique_ptr<AccountSettings> shared;
    QMutexLocker locker(&lock);
    if (!shared)
        shared = std::make_unique<AccountSettings>();
    return *shared;
}

void AccountSettings::reset() {
    setDigitalAccountId(QString(""));
    appLanguage_ = QStringLiteral("es");
    defaultDiscountIndex_ = -1;
    discountsList_ = QVariantList{0.05, 0.10, 0.20};
    signEnabled_ = true;
    taxPercentage_ = 1.0;
    tutorialAmount_ = true;
}

void AccountSettings::loadWithDictionary(const QVariantMap& answer) {
    Q_UNUSED(answer);
}
