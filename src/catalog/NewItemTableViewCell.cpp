#include "catalog/NewItemTableViewCell.h"

#include "catalog/CatalogLook.h"
#include "platform/ui/View.h"

#include <QHBoxLayout>

NewItemTableViewCell::NewItemTableViewCell(QWidget* parent)
    : TableViewCell(parent) {
    setObjectName(QStringLiteral("NewItemTableViewCell"));
    setFixedHeight(64);
    setAutoFillBackground(true);
    View::setBackgroundColor(this, Qt::white);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 0, 12, 0);
    row->setSpacing(12);
    itemImageView_ = new QLabel(this);
    itemImageView_->setObjectName(QStringLiteral("itemImageView"));
    itemImageView_->setFixedSize(46, 46);
    itemImageView_->setPixmap(QPixmap::fromImage(
        CatalogLook::image(QStringLiteral("add_product_full.png"), CatalogLook::mainColor())
            .scaled(46, 46, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    itemTitleLabel_ = new QLabel(CatalogLook::text("CatalogSale", "newItem"), this);
    itemTitleLabel_->setObjectName(QStringLiteral("itemTitleLabel"));
    itemTitleLabel_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue"), 17));
    CatalogLook::setTextColor(itemTitleLabel_, CatalogLook::mainColor());
    row->addWidget(itemImageView_);
    row->addWidget(itemTitleLabel_, 1);
}
