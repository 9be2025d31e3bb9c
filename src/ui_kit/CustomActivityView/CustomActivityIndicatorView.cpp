#include "ui_kit/CustomActivityView/CustomActivityIndicatorView.h"

#include "platform/ui/View.h"
#include "ui_kit/CustomActivityView/CustomActivitySpinnerView.h"
#include "ui_kit/UIKitSupport.h"

#include <QEvent>

CustomActivityIndicatorView::CustomActivityIndicatorView(uint size, const QColor& tintColor,
                                                         const QString& title, QWidget* parent)
    : QWidget(parent)
    , size_(size)
    , spinnerColor_(tintColor)
    , loadingMessage_(title)
    , activityView_(new CustomActivitySpinnerView(tintColor, double(size), this)) {
    setObjectName(QStringLiteral("activityIndicator"));
    if (!title.isEmpty()) {
        setLoadingLabel(new QLabel());
    } else {
        setLoadingLabel(nullptr);
    }
}

CustomActivityIndicatorView* CustomActivityIndicatorView::initWithSize(uint size) {
    return new CustomActivityIndicatorView(size, UIKitSupport::mainColor(), QString());
}

void CustomActivityIndicatorView::setLoadingLabel(QLabel* label) {
    if (loadingLabel_ && loadingLabel_ != label)
        delete loadingLabel_.data();
    loadingLabel_ = label;
    if (label) {
        label->setParent(this);
        label->setObjectName(QStringLiteral("loadingLabel"));
        label->setAlignment(Qt::AlignCenter);
        label->setText(loadingMessage_);
        QFont font(QStringLiteral("HelveticaNeue-Light"));
        font.setPixelSize(12);
        label->setFont(font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor::fromRgbF(0.6, 0.6, 0.6, 1));
        label->setPalette(palette);
        label->show();
    }
    relayout();
}

void CustomActivityIndicatorView::relayout() {
    int width = int(size_);
    int height = int(size_);
    if (loadingLabel_) {
        width = std::max(width, loadingLabel_->sizeHint().width());
        height = int(size_) + 8 + 16;
    }
    setFixedSize(width, height);
    activityView_->move((width - int(size_)) / 2, 0);
    if (loadingLabel_)
        loadingLabel_->setGeometry(0, int(size_) + 8, width, 16);
    centreInParent();
}

void CustomActivityIndicatorView::centreInParent() {
    if (QWidget* host = parentWidget())
        move((host->width() - width()) / 2, (host->height() - height()) / 2);
}

bool CustomActivityIndicatorView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        centreInParent();
    return QWidget::eventFilter(watched, event);
}

CustomActivityIndicatorView*
CustomActivityIndicatorView::activityViewWithSizeForViewWithLabelAndInsets(uint size, QWidget* view,
                                                                           const QString& label,
                                                                           const QMargins& insets) {
    (void)insets; // the indicator is placed by its centre alone
    auto* indicator = new CustomActivityIndicatorView(size, UIKitSupport::mainColor(), label);
    if (view) {
        indicator->setParent(view);
        view->installEventFilter(indicator);
        indicator->centreInParent();
        indicator->show();
    }
    indicator->startAnimating();
    return indicator;
}

CustomActivityIndicatorView*
CustomActivityIndicatorView::activityViewWithSizeForViewWithLabel(uint size, QWidget* view,
                                                                  const QString& label) {
    return activityViewWithSizeForViewWithLabelAndInsets(size, view, label, QMargins());
}

CustomActivityIndicatorView*
CustomActivityIndicatorView::activityViewForView(QWidget* view, const QString& label) {
    return activityViewWithSizeForViewWithLabelAndInsets(68, view, label, QMargins());
}

void CustomActivityIndicatorView::startAnimating() {
    activityView_->startAnimating();
}

void CustomActivityIndicatorView::stopAnimating() {
    removeActivityView();
    activityView_->stopAnimating();
}

void CustomActivityIndicatorView::removeActivityView() {
    QPointer<CustomActivityIndicatorView> self(this);
    View::animateAlpha(this, 0.0, 250, [self](bool) {
        if (self)
            View::removeFromSuperview(self);
    });
}
