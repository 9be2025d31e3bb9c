#include "catalog/IndividualSaleCell.h"

#include "catalog/CatalogLook.h"
#include "catalog/ItemColor.h"
#include "platform/ui/View.h"

#include <QPainter>

IndividualSaleCell::IndividualSaleCell(QWidget* parent)
    : TableViewCell(parent) {
    setObjectName(QStringLiteral("IndividualSaleCell"));
    setFixedHeight(kHeight);
    setAutoFillBackground(true);
    View::setBackgroundColor(this, Qt::white);
    addButtonBackground_ = new QWidget(this);
    addButtonBackground_->setObjectName(QStringLiteral("addButtonBackground"));
    addButtonBackground_->setAutoFillBackground(true);
    View::setBackgroundColor(addButtonBackground_, QColor::fromRgbF(0.97f, 0.97f, 0.97f));
    addButtonBackground_->hide();
    auto* marked = new QWidget;
    View::setBackgroundColor(marked, QColor(217, 217, 217));
    setSelectedBackgroundView(marked);
    setSelectionStyle(SelectionStyle::Gray);
    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    checkMark_ = label("checkMark");
    checkMark_->setAlignment(Qt::AlignCenter);
    checkMark_->hide();
    setChecked(false);
    itemPicture_ = label("itemPicture");
    itemPictureBorder_ = label("itemPictureBorder");
    itemNoPicture_ = label("itemNoPicture");
    itemName_ = label("itemName");
    itemName_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue"), 15));
    itemTax_ = label("itemTax");
    itemTax_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 11));
    itemPrice_ = label("itemPrice");
    itemPrice_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Medium"), 15));
    itemPrice_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    discountBadge_ = label("discountBadge");
    discountBadge_->setPixmap(
        QPixmap::fromImage(CatalogLook::image(QStringLiteral("discount_badge.png"))
                               .scaled(18, 18, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    discountBadge_->hide();
    itemPicture_->setFixedSize(kAvatarSide, kAvatarSide);
    itemNoPicture_->setFixedSize(kAvatarSide, kAvatarSide);
    itemPictureBorder_->setFixedSize(kAvatarSide + 2, kAvatarSide + 2);
    layoutRow();
}

void IndividualSaleCell::fillForItem(const Item& item) {
    const ProductPtr product = item.product();
    itemTax_->setText(QString(""));
    fullName_ = product->productId().isEmpty()
                    ? product->name()
                    : QString::number(item.quantity()) + QStringLiteral(" x ") + product->name();

    double p = product->getPriceWithTax() * item.quantity();
    const double discountAmount = item.discountAmount() ? item.discountAmount()->doubleValue() : 0;
    if (discountAmount != 0) {
        p -= discountAmount;
        discountBadge_->show();
    } else if (item.discountPercentage() != 0) {
        p *= 1 - item.discountPercentage();
        discountBadge_->show();
    } else {
        discountBadge_->hide();
    }
    itemPrice_->setText(CatalogLook::money(p));

    if (!product->image().isNull()) {
        itemPicture_->setPixmap(
            QPixmap::fromImage(CatalogLook::rounded(product->image(), itemPicture_->size(), 22)));
        itemNoPicture_->hide();
        itemPicture_->show();
        itemPictureBorder_->show();
        avatarText_.clear();
    } else {
        itemNoPicture_->show();
        itemPicture_->hide();
        itemPictureBorder_->hide();
        if (!product->name().isEmpty() && CatalogLook::integerValue(product->productId()) != 0)
            avatarText_ = CatalogLook::firstCharacter(product->name());
        else
            avatarText_ = CatalogLook::currencySymbol(product->price().get());
        itemNoPicture_->setPixmap(QPixmap::fromImage(ItemColor::itemWithLetter(
            avatarText_, product->backgroundColor(), itemNoPicture_->width())));
    }
    layoutRow();
}

void IndividualSaleCell::setChecked(bool checked) {
    checked_ = checked;
    checkMark_->setText(checked ? QStringLiteral("\u2713") : QString());
    // The mark is its own disc so the row's selected background never covers it.
    checkMark_->setStyleSheet(
        checked ? QStringLiteral("color: white; background: %1; border-radius: 11px;")
                      .arg(CatalogLook::mainColor().name())
                : QStringLiteral("border: 1px solid rgb(199, 199, 204); border-radius: 11px;"));
}

void IndividualSaleCell::setEditing(bool editing) {
    editing_ = editing;
    checkMark_->setVisible(editing);
    layoutRow();
}

void IndividualSaleCell::setSelected(bool selected, bool animated) {
    TableViewCell::setSelected(selected, animated);
    keepAddButtonBackground();
}

void IndividualSaleCell::setHighlighted(bool highlighted, bool animated) {
    TableViewCell::setHighlighted(highlighted, animated);
    keepAddButtonBackground();
}

void IndividualSaleCell::keepAddButtonBackground() {
    // The add button's background keeps its colour in every state.
    View::setBackgroundColor(addButtonBackground_, QColor::fromRgbF(0.97f, 0.97f, 0.97f));
}

void IndividualSaleCell::resizeEvent(QResizeEvent* event) {
    TableViewCell::resizeEvent(event);
    layoutRow();
}

void IndividualSaleCell::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QColor(224, 224, 224));
    painter.drawLine(15, height() - 1, width(), height() - 1);
}

void IndividualSaleCell::layoutRow() {
    const int w = std::max(width(), 200);
    const int left = editing_ ? 46 : 10;
    const int y = (kHeight - kAvatarSide) / 2;
    checkMark_->setGeometry(12, (kHeight - 22) / 2, 22, 22);
    itemPicture_->move(left, y);
    itemNoPicture_->move(left, y);
    itemPictureBorder_->move(left - 1, y - 1);
    const int textX = left + kAvatarSide + 10;
    const int priceW = 92;
    discountBadge_->setGeometry(w - priceW - 32, (kHeight - 18) / 2, 18, 18);
    itemPrice_->setGeometry(w - priceW - 10, 0, priceW, kHeight);
    itemName_->setGeometry(textX, 8, w - textX - priceW - 36, 26);
    // A name longer than its room ends in an ellipsis instead of being cut mid-letter.
    itemName_->setText(
        itemName_->fontMetrics().elidedText(fullName_, Qt::ElideRight, itemName_->width()));
    itemTax_->setGeometry(textX, 34, w - textX - priceW - 36, 18);
}
