#include "catalog/ItemTableViewCell.h"

#include "SDK/session/AccountSettings.h"
#include "catalog/CatalogLook.h"
#include "catalog/ItemColor.h"
#include "model/Sale.h"
#include "model/values/Currency.h"
#include "platform/ui/View.h"

#include <QPainter>

ItemTableViewCell::ItemTableViewCell(QWidget* parent)
    : TableViewCell(parent) {
    setObjectName(QStringLiteral("ItemTableViewCell"));
    setFixedHeight(kHeight);
    setAutoFillBackground(true);
    View::setBackgroundColor(this, Qt::white);
    auto label = [this](const char* name, QWidget* in) {
        auto* l = new QLabel(in);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    itemImageView_ = new ImageView(this);
    itemImageView_->setObjectName(QStringLiteral("itemImageView"));
    itemImageView_->setAttribute(Qt::WA_StyledBackground); // the discount's disc
    itemImageView_->setContentMode(ImageView::ContentMode::Center);
    itemImageView_->setFixedSize(kAvatarSide, kAvatarSide);
    activityIndicator_ = new CustomActivitySpinnerView(QColor(150, 150, 150), 24, this);
    activityIndicator_->setObjectName(QStringLiteral("activityIndicator"));
    activityIndicator_->hide();
    quantityContainerView_ = new QWidget(this);
    quantityContainerView_->setObjectName(QStringLiteral("quantityContainerView"));
    quantityContainerView_->setFixedSize(30, 22);
    quantityBackground_ = label("quantityBackground", quantityContainerView_);
    quantityBackground_->setGeometry(0, 0, 30, 22);
    quantityButton_ = new QPushButton(quantityContainerView_);
    quantityButton_->setObjectName(QStringLiteral("quantityButton"));
    quantityButton_->setGeometry(0, 0, 30, 22);
    quantityButton_->setFlat(true);
    quantityButton_->setStyleSheet(QStringLiteral(
        "QPushButton { color: white; border: none; background: transparent; font-size: 12px; }"));
    mainLabel_ = label("mainLabel", this);
    mainLabel_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue"), 17));
    mainAuxLabel_ = label("mainAuxLabel", this);
    mainAuxLabel_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 12));
    CatalogLook::setTextColor(mainAuxLabel_, QColor(140, 140, 140));
    secondaryLabel_ = label("secondaryLabel", this);
    secondaryLabel_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Medium"), 17));
    secondaryLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    secondaryAuxLabel_ = label("secondaryAuxLabel", this);
    secondaryAuxLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    secondaryAuxLabel_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 12));
    accessoryView_ = label("accessoryView", this);
    accessoryView_->setText(QStringLiteral("\u203A"));
    accessoryView_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue"), 22));
    CatalogLook::setTextColor(accessoryView_, QColor(199, 199, 204));
    accessoryView_->hide();
    auto* marked = new QWidget;
    View::setBackgroundColor(marked, QColor(250, 250, 250));
    setSelectedBackgroundView(marked);
    setSelectionStyle(SelectionStyle::Gray);
    layoutRow();
}

void ItemTableViewCell::prepareCellForItem(const CatalogRowObject& object, int mode, Sale* sale) {
    mode_ = mode;
    totalSale_ = sale;
    // Cancels the download of the object shown before; it reports nothing more, and its
    // spinner goes with it.
    if (imageDownloader_) {
        imageDownloader_.reset();
        itemImageView_->setImage(QImage());
    }
    ProductPtr product;
    if (const auto* line = std::get_if<ItemPtr>(&object); line && *line) {
        item_ = *line;
        product = (*line)->product();
    } else {
        // A product or discount given directly belongs to no line.
        item_.reset();
        if (const auto* p = std::get_if<ProductPtr>(&object))
            product = *p;
    }
    if (product) {
        product_ = product;
        type_ = 0;
        discount_.reset();
        setProductInformation();
    } else if (const auto* d = std::get_if<DiscountPtr>(&object); d && *d) {
        discount_ = *d;
        type_ = 1;
        product_.reset();
        setDiscountInformation();
    }
    setInformation();
    layoutRow();
}

void ItemTableViewCell::setProductInformation() {
    mainString_ = product_->name().isEmpty() ? CatalogLook::text("SaleDetails", "noDescription")
                                             : product_->name();
    mainAuxString_ = product_->description();
    std::shared_ptr<Currency> currency;
    for (const QVariant& entry : AccountSettings::instance().currencies()) {
        const QVariantMap map = entry.toMap();
        if (map.value(QStringLiteral("code")).toString() == product_->currencyCode()) {
            currency = std::make_shared<Currency>();
            currency->setCurrencyFormat(map.value(QStringLiteral("symbol")).toString(),
                                        map.value(QStringLiteral("code")).toString(),
                                        map.value(QStringLiteral("es")).toString());
            break;
        }
    }
    auto price = Amount::initWithDouble(product_->price()->doubleValue());
    price->setCurrency(currency);
    secondaryString_ = price->getAmount();
    secondaryAuxString_.clear();
}

void ItemTableViewCell::setDiscountInformation() {
    mainString_ = discount_->name();
    mainAuxString_ =
        mode_ == 4 || mode_ == 5 ? QString() : CatalogLook::text("DiscountsList", "discounts");
    secondaryAuxString_.clear();
    if (discount_->percentage() > 0) {
        const QString percent = CatalogLook::percentText(discount_->percentage());
        if (mode_ == 1 && totalSale_) {
            secondaryAuxString_ = QStringLiteral("(%1)").arg(percent);
            secondaryString_ =
                QLatin1Char('-') +
                CatalogLook::money(totalSale_->discountedAmountForDiscount(*discount_));
        } else {
            secondaryString_ = percent;
        }
    } else {
        secondaryString_ = QLatin1Char('-') + CatalogLook::money(discount_->amount());
    }
}

void ItemTableViewCell::setInformation() {
    mainLabel_->setText(mainString_);
    mainAuxLabel_->setText(mainAuxString_);
    secondaryLabel_->setText(secondaryString_);
    secondaryAuxLabel_->setText(secondaryAuxString_);
    if (type_ == 0 && product_)
        prepareCellForProduct();
    else if (type_ == 1 && discount_)
        prepareCellForDiscount();
    accessory_ = mode_ == 2 || mode_ == 4 ? AccessoryDisclosureIndicator : AccessoryNone;
    accessoryView_->setVisible(accessory_ == AccessoryDisclosureIndicator);
}

void ItemTableViewCell::setBadgeBackground(const QString& name) {
    badgeBackground_ = name;
    const QImage background = CatalogLook::image(name, QColor::fromRgbF(0.2f, 0.2f, 0.2f));
    quantityBackground_->setPixmap(QPixmap::fromImage(background.scaled(
        quantityBackground_->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void ItemTableViewCell::prepareCellForProduct() {
    if (mode_ == 1)
        mainAuxLabel_->setText(QString());
    quantityButton_->setIcon(QIcon());
    bool badge = false;
    if (mode_ == 0 || mode_ == 1) {
        ItemPtr line = item_;
        const QString id = product_->productId();
        if (!line && totalSale_ && !id.isEmpty()) {
            for (const ItemPtr& candidate : totalSale_->items())
                if (candidate->product()->productId() == id)
                    line = candidate;
        }
        const int quantity = line ? line->quantity() : 0;
        quantityButton_->setText(QString::number(quantity));
        badge = mode_ == 0 ? quantity > 0 : quantity > 1;
        setBadgeBackground(quantity > 9 ? QStringLiteral("item_quantity_badge_big.png")
                                        : QStringLiteral("item_quantity_badge.png"));
    }
    quantityContainerView_->setVisible(badge);
    itemImageView_->setStyleSheet(QStringLiteral("background: transparent;"));
    const int side = itemImageView_->width();
    if (!product_->productId().isEmpty()) {
        if (!product_->imageUrl().isEmpty()) {
            if (!product_->image().isNull()) {
                itemImageView_->setImage(
                    CatalogLook::rounded(product_->image().scaled(side, side, Qt::KeepAspectRatio,
                                                                  Qt::SmoothTransformation),
                                         QSize(side, side), 23));
            } else {
                // Nothing of another row stays while the picture loads.
                itemImageView_->setImage(QImage());
                imageDownloader_ = std::make_unique<ImageDownloader>();
                imageDownloader_->setDelegate(this);
                imageDownloader_->setUrlString(product_->imageUrl());
                imageDownloader_->setImageView(itemImageView_);
                imageDownloader_->setImageIndex(product_->productId());
                imageDownloader_->setActivityView(activityIndicator_);
                imageDownloader_->downloadTheImage();
            }
        } else if (!product_->name().isEmpty()) {
            itemImageView_->setImage(ItemColor::itemWithLetter(
                CatalogLook::firstCharacter(product_->name()), product_->backgroundColor(), side));
        }
    } else {
        itemImageView_->setImage(
            ItemColor::itemWithLetter(CatalogLook::currencySymbol(product_->price().get()),
                                      QColor::fromRgbF(0.5f, 0.5f, 0.5f, 1.0f), side));
    }
}

void ItemTableViewCell::prepareCellForDiscount() {
    const bool badge = totalSale_ && totalSale_->hasDiscount(*discount_) && mode_ != 1;
    quantityContainerView_->setVisible(badge);
    quantityButton_->setText(QString());
    quantityButton_->setIcon(
        QIcon(QPixmap::fromImage(CatalogLook::image(QStringLiteral("discountSelected.png")))));
    setBadgeBackground(QStringLiteral("item_quantity_badge.png"));
    itemImageView_->setStyleSheet(QStringLiteral("background: %1; border-radius: 23px;")
                                      .arg(CatalogLook::mainColor().name()));
    itemImageView_->setImage(CatalogLook::image(QStringLiteral("disccountIcon.png"))
                                 .scaled(28, 28, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void ItemTableViewCell::setSelected(bool selected, bool animated) {
    TableViewCell::setSelected(selected, animated);
    if (selected)
        restyleWhenMarked();
}

void ItemTableViewCell::setHighlighted(bool highlighted, bool animated) {
    TableViewCell::setHighlighted(highlighted, animated);
    if (highlighted)
        restyleWhenMarked();
}

void ItemTableViewCell::restyleWhenMarked() {
    View::setBackgroundColor(quantityContainerView_, Qt::white);
    if (type_ == 1)
        itemImageView_->setStyleSheet(QStringLiteral("background: %1; border-radius: 23px;")
                                          .arg(CatalogLook::mainColor().name()));
}

void ItemTableViewCell::resizeEvent(QResizeEvent* event) {
    TableViewCell::resizeEvent(event);
    layoutRow();
}

void ItemTableViewCell::layoutRow() {
    const int w = std::max(width(), 240);
    const int right = accessory_ == AccessoryDisclosureIndicator ? 30 : 12;
    itemImageView_->move(12, (kHeight - kAvatarSide) / 2);
    activityIndicator_->move(itemImageView_->geometry().center() -
                             activityIndicator_->rect().center());
    quantityContainerView_->move(12 + kAvatarSide - 16, 4);
    const int textX = 12 + kAvatarSide + 12;
    const int priceW = 110;
    mainLabel_->setGeometry(textX, 10, w - textX - priceW - right, 24);
    mainAuxLabel_->setGeometry(textX, 34, w - textX - priceW - right, 18);
    secondaryLabel_->setGeometry(w - priceW - right, 10, priceW, 24);
    secondaryAuxLabel_->setGeometry(w - priceW - right, 34, priceW, 18);
    accessoryView_->setGeometry(w - 24, 0, 16, kHeight);
}
