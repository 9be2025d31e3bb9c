#include "shop/payment/BuyReaderWalletCell.h"

#include "shop/ShopScreen.h"
#include "ui_kit/texts/Language.h"

#include <QLabel>

BuyReaderWalletCell::BuyReaderWalletCell(QWidget* parent)
    : ShopChoiceCell(parent) {
    titleLabel_ = ShopLook::label(this, QStringLiteral("titleLabel"),
                                  QStringLiteral("font-size: 16px; font-weight: 600;"));
    subTitleLabel_ = ShopLook::label(this, QStringLiteral("subTitleLabel"));
    lastNumbersLabel_ = ShopLook::label(this, QStringLiteral("lastNumbersLabel"));
    expirationLabel_ = ShopLook::label(this, QStringLiteral("expirationLabel"));
    grid()->addWidget(titleLabel_, 0, 0);
    grid()->addWidget(tickView(), 0, 1, Qt::AlignRight);
    grid()->addWidget(subTitleLabel_, 1, 0);
    grid()->addWidget(lastNumbersLabel_, 2, 0);
    grid()->addWidget(expirationLabel_, 2, 1, Qt::AlignRight);
    setMinimumHeight(96);
}

QString BuyReaderWalletCell::lastNumbers(const QString& number) {
    return number.size() <= 4 ? number : number.right(4);
}

QString BuyReaderWalletCell::expirationText(const QVariant& expire) {
    QString text = expire.typeId() == QMetaType::Double ? QString::number(qint64(expire.toDouble()))
                                                        : expire.toString();
    if (text.size() == 5)
        text.prepend(u'0');
    if (text.size() != 6)
        return QString("");
    const int month = text.left(2).toInt();
    const QStringList months =
        Language::listForFile(QStringLiteral("GlobalTexts"), QStringLiteral("monthsArray"))
            .value_or(QStringList());
    if (month < 1 || month > months.size())
        return QString("");
    return QStringLiteral("%1 / %2").arg(months.at(month - 1).toUpper()).arg(text.right(4).toInt());
}

void BuyReaderWalletCell::setWallet(const QVariantMap& card) {
    const QString number = card.value(QStringLiteral("cc")).toString();
    titleLabel_->setText(number);
    subTitleLabel_->setText(card.value(QStringLiteral("issuer")).toString());
    lastNumbersLabel_->setText(lastNumbers(number));
    expirationLabel_->setText(expirationText(card.value(QStringLiteral("expire"))));
}
