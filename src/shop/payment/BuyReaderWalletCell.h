#pragma once

#include "shop/ShopChoiceCell.h"

#include <QPointer>
#include <QVariantMap>

#include <QLabel>

// One stored wallet card: number, issuer, last four digits and expiry; tick while chosen.
class BuyReaderWalletCell : public ShopChoiceCell {
    Q_OBJECT
public:
    explicit BuyReaderWalletCell(QWidget* parent = nullptr);

    void setWallet(const QVariantMap& card);

    // "DICIEMBRE / 2026" for 122026 (a number or a text; five characters get a leading "0");
    // empty for any other length or a month outside 1 to 12.
    static QString expirationText(const QVariant& expire);
    // The last four characters, or all of a shorter text.
    static QString lastNumbers(const QString& number);

private:
    QPointer<QLabel> titleLabel_;
    QPointer<QLabel> subTitleLabel_;
    QPointer<QLabel> lastNumbersLabel_;
    QPointer<QLabel> expirationLabel_;
};
