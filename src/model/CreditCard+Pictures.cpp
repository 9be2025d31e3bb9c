#include "model/CreditCard.h"

#include "platform/core/VersionDispatch.h"

// Brand pictures of the resource bundle.

QString CreditCard::issuerPictureName(const QString& brand) {
    if (brand == CARD_VISA || brand == CARD_VISA_DEBIT)
        return QStringLiteral("t_visa.png");
    if (brand == CARD_AMERICAN_EXPRESS)
        return QStringLiteral("t_amex.png");
    if (brand == CARD_MASTER_CARD)
        return QStringLiteral("t_mastercard.png");
    if (brand == CARD_DINERS)
        return QStringLiteral("t_diners.png");
    if (brand == CARD_CABAL)
        return QStringLiteral("t_cabal.png");
    return QStringLiteral("t_generic.png");
}

QString CreditCard::issuerPictureBigName(const QString& brand) {
    if (brand == CARD_VISA)
        return QStringLiteral("t_visa_lg.png");
    if (brand == CARD_AMERICAN_EXPRESS)
        return QStringLiteral("t_amex_lg.png");
    if (brand == CARD_MASTER_CARD)
        return QStringLiteral("t_mastercard_lg.png");
    if (brand == CARD_DINERS)
        return QStringLiteral("t_diners_lg.png");
    if (brand == CARD_CABAL)
        return QStringLiteral("t_cabal_lg.png");
    return QStringLiteral("t_generic.png");
}

QImage CreditCard::getIssuerPicture(const QString& brand) {
    return Bundle::load(issuerPictureName(brand));
}

QImage CreditCard::getIssuerPictureBig(const QString& brand) {
    return Bundle::load(issuerPictureBigName(brand));
}
