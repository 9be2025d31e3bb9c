#include "ui_kit/TaxAdvisoryView.h"

#include "platform/ui/ImageView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TaxAdvisoryView::TaxAdvisoryView(QWidget* parent)
    : QWidget(parent) {
    setUp();
}

void TaxAdvisoryView::setUp() {
    // The panel's content, filling it edge to edge.
    contentView_ = new QWidget(this);
    contentView_->setObjectName(QStringLiteral("contentView"));
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(contentView_);

    auto* row = new QHBoxLayout(contentView_);
    row->setContentsMargins(16, 8, 16, 8);
    row->setSpacing(12);
    advisoryImage_ = new ImageView(contentView_);
    advisoryImage_->setObjectName(QStringLiteral("advisoryImage"));
    advisoryImage_->setFixedSize(24, 24);
    advisoryImage_->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    advisoryLabel_ = new QLabel(contentView_);
    advisoryLabel_->setObjectName(QStringLiteral("advisoryLabel"));
    advisoryLabel_->setWordWrap(true);
    row->addWidget(advisoryImage_, 0, Qt::AlignTop);
    row->addWidget(advisoryLabel_, 1);
}

void TaxAdvisoryView::setAdvisoryText(const QString& text) {
    advisoryText_ = text;
    if (advisoryLabel_)
        advisoryLabel_->setText(text);
}

void TaxAdvisoryView::configureWithDelegate(TaxAdvisoryPresenterDelegate* delegate) {
    delegate_ = delegate;
    if (!delegate)
        return;
    setAdvisoryText(delegate->fetchAdvisoryText());
    delegate->displayTaxAdvisoryAnimated(false);
}

int TaxAdvisoryView::requiredHeight() const {
    if (advisoryText_.isEmpty() || !advisoryLabel_)
        return 0;
    const int width = std::max(0, geometry().width() - kMaximumHorizontalDelta);
    const int height = advisoryLabel_->heightForWidth(width);
    return height > kDefaultHeight ? height + kDefaultVerticalSpacing : kDefaultHeight;
}
