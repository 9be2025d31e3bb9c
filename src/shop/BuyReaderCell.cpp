#include "shop/BuyReaderCell.h"

#include "platform/ui/ImageView.h"
#include "shop/BuyReaderStartController.h"
#include "shop/ShopScreen.h"
#include "ui_kit/UIKitSupport.h"

#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <cmath>

BuyReaderCell::BuyReaderCell(QWidget* parent)
    : TableViewCell(parent) {
    setSelectionStyle(SelectionStyle::None);
    const QString theme = UIKitSupport::mainColor().name();
    setObjectName(QStringLiteral("BuyReaderCell"));
    setStyleSheet(QStringLiteral("#BuyReaderCell { background: white; border: 1px solid #ddd; }"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    devicePicture_ = new ImageView(this);
    devicePicture_->setObjectName(QStringLiteral("devicePicture"));
    devicePicture_->setFixedSize(96, 96);
    titleLabel_ = ShopLook::label(this, QStringLiteral("titleLabel"),
                                  QStringLiteral("font-size: 17px; font-weight: 600;"));
    descriptionLabel_ =
        ShopLook::label(this, QStringLiteral("descriptionLabel"), QStringLiteral("color: #555;"));
    currencyLabel_ = ShopLook::label(this, QStringLiteral("currencyLabel"),
                                     QStringLiteral("color: %1;").arg(theme));
    currencyLabel_->setText(QStringLiteral("$"));
    priceLabel_ = ShopLook::label(this, QStringLiteral("priceLabel"),
                                  QStringLiteral("font-size: 20px; color: %1;").arg(theme));
    checkmarkButton_ = new QPushButton(this);
    checkmarkButton_->setObjectName(QStringLiteral("checkmarkButton"));
    checkmarkButton_->setCheckable(true);
    checkmarkButton_->setText(ShopLook::text(QStringLiteral("BuyReader"), QStringLiteral("BUY")));
    detailsButton_ = new QPushButton(this);
    detailsButton_->setObjectName(QStringLiteral("detailsButton"));
    detailsButton_->setFlat(true);
    detailsButton_->setStyleSheet(QStringLiteral("color: %1;").arg(theme));
    detailsButton_->setText(ShopLook::text(QStringLiteral("BuyReader"), QStringLiteral("details")));
    amountView_ = new QWidget(this);
    amountView_->setObjectName(QStringLiteral("amountView"));
    auto* amountLine = new QHBoxLayout(amountView_);
    amountLine->setContentsMargins(0, 0, 0, 0);
    amountLabel_ = ShopLook::label(amountView_, QStringLiteral("amountLabel"));
    amountLabel_->setText(ShopLook::text(QStringLiteral("BuyReader"), QStringLiteral("amount")));
    amountButton_ = new QPushButton(amountView_);
    amountButton_->setObjectName(QStringLiteral("amountButton"));
    amountButtonLabel_ = ShopLook::label(amountButton_, QStringLiteral("amountButtonLabel"));
    auto* inButton = new QHBoxLayout(amountButton_);
    inButton->addWidget(amountButtonLabel_, 0, Qt::AlignCenter);
    amountButton_->setMinimumSize(64, 32);
    amountLine->addWidget(amountLabel_);
    amountLine->addWidget(amountButton_);
    amountLine->addStretch(1);
    grid->addWidget(devicePicture_, 0, 0, 3, 1);
    grid->addWidget(titleLabel_, 0, 1, 1, 2);
    grid->addWidget(descriptionLabel_, 1, 1, 1, 2);
    grid->addWidget(currencyLabel_, 2, 1);
    grid->addWidget(priceLabel_, 2, 2);
    grid->addWidget(detailsButton_, 3, 0);
    grid->addWidget(checkmarkButton_, 3, 1, 1, 2);
    grid->addWidget(amountView_, 4, 0, 1, 3);
    connect(checkmarkButton_, &QPushButton::clicked, this, [this] {
        if (!delegate_)
            return;
        if (isSelected())
            delegate_->deselect(this);
        else
            delegate_->select(this);
    });
    connect(detailsButton_, &QPushButton::clicked, this, [this] {
        if (delegate_)
            delegate_->showDetails(this);
    });
    connect(amountButton_, &QPushButton::clicked, this, [this] {
        if (delegate_)
            delegate_->changeAmount(this);
    });
    setSelected(false, false);
}

BuyReaderCell::~BuyReaderCell() {
    if (downloader_) {
        downloader_->setImageView(nullptr);
        downloader_->setDelegate(nullptr);
    }
}

QString BuyReaderCell::priceText(double price) {
    QLocale locale(QLocale::English, QLocale::UnitedStates);
    const bool whole = price - std::trunc(price) == 0;
    return locale.toString(price, 'f', whole ? 0 : 2);
}

void BuyReaderCell::setDevice(const QVariantMap& device) {
    device_ = device;
    priceLabel_->setText(priceText(device.value(QStringLiteral("price")).toDouble()));
    titleLabel_->setText(device.value(QStringLiteral("name")).toString());
    descriptionLabel_->setText(device.value(QStringLiteral("descriptionShort")).toString());
    if (downloader_) {
        downloader_->setImageView(nullptr);
        downloader_->setDelegate(nullptr);
    }
    downloader_ = std::make_unique<ImageDownloader>();
    downloader_->setImageView(devicePicture_);
    downloader_->setDelegate(this);
    const QVariantList images = device.value(QStringLiteral("images")).toList();
    downloader_->setUrlString(
        images.isEmpty() ? QString()
                         : images.first().toMap().value(QStringLiteral("original")).toString());
    downloader_->downloadTheImage();
}

void BuyReaderCell::setAmount(int amount) {
    amount_ = amount;
    amountButtonLabel_->setText(QString::number(amount));
}

void BuyReaderCell::setSelected(bool selected, bool animated) {
    TableViewCell::setSelected(selected, animated);
    // The row's own quantity, not a fixed "1".
    amountButtonLabel_->setText(QString::number(selected ? std::max(amount_, 1) : amount_));
    checkmarkButton_->setChecked(selected);
    checkmarkButton_->setStyleSheet(
        selected
            ? QStringLiteral("background: %1; color: white;").arg(UIKitSupport::mainColor().name())
            : QString());
    amountView_->setVisible(selected);
    amountLabel_->setVisible(selected);
}

void BuyReaderCell::downloadDidFinishDownloading(ImageDownloader*) {
    devicePicture_->setMinimumSize(0, 0);
}
