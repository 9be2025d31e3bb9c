#include "ui_kit/GenericListTableViewCell.h"

#include "platform/ui/ImageView.h"
#include "platform/ui/View.h"
#include "ui_kit/UIKitSupport.h"

#include <QHBoxLayout>
#include <QLabel>

GenericListTableViewCell::GenericListTableViewCell(QWidget* parent)
    : TableViewCell(parent) {
    setObjectName(QString::fromLatin1(kNibName));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 0, 16, 0);
    row->setSpacing(12);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("label"));
    icon_ = new ImageView(this);
    icon_->setObjectName(QStringLiteral("icon"));
    icon_->setFixedSize(20, 20);
    icon_->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    row->addWidget(label_, 1);
    row->addWidget(icon_);
    setMinimumHeight(44);
    awakeFromNib();
}

void GenericListTableViewCell::awakeFromNib() {
    // The icon always draws in the theme colour.
    icon_->setTemplate(true);
    icon_->setTintColor(UIKitSupport::mainColor());
    View::setBackgroundColor(this, Qt::white);
    setSelected(false, false);
}

void GenericListTableViewCell::setLabelColor(const QColor& color) {
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, color);
    label_->setPalette(palette);
}

void GenericListTableViewCell::setSelected(bool selected, bool animated) {
    TableViewCell::setSelected(selected, animated);
    setLabelColor(selected ? UIKitSupport::mainColor() : QColor(Qt::black));
    icon_->setHidden(!selected);
}

void GenericListTableViewCell::setHighlighted(bool highlighted, bool animated) {
    TableViewCell::setHighlighted(highlighted, animated);
    if (highlighted && !isSelected()) {
        View::setBackgroundColor(this, QColor(250, 250, 250));
        setLabelColor(UIKitSupport::mainColor());
        return;
    }
    View::setBackgroundColor(this, Qt::white);
    if (!isSelected())
        setLabelColor(Qt::black);
}
