#include "payment/card_reading/DeviceHelpViewController.h"

#include "payment/card_reading/DeviceHelpPage.h"
#include "platform/ui/View.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

DeviceHelpViewController::DeviceHelpViewController(QObject* parent)
    : ViewController(parent) {
    setStoryboardInfo(QStringLiteral("DeviceHelp"), QStringLiteral("DeviceHelpViewController"));
}

QList<DeviceHelpPage*> DeviceHelpViewController::pages() const {
    QList<DeviceHelpPage*> list;
    for (const auto& page : pages_)
        list << page.data();
    return list;
}

DeviceHelpPage* DeviceHelpViewController::viewControllerAtIndex(int index) {
    if (index < 0 || index > 2)
        return nullptr;
    return DeviceHelpPage::pageAtIndex(index);
}

DeviceHelpPage* DeviceHelpViewController::viewControllerBefore(const DeviceHelpPage* page) {
    if (!page || page->pageIndex() <= 0)
        return nullptr;
    return viewControllerAtIndex(page->pageIndex() - 1);
}

DeviceHelpPage* DeviceHelpViewController::viewControllerAfter(const DeviceHelpPage* page) {
    if (!page || page->pageIndex() + 1 >= 3)
        return nullptr;
    return viewControllerAtIndex(page->pageIndex() + 1);
}

QWidget* DeviceHelpViewController::loadView() {
    auto* root = new QWidget;
    root->setObjectName(QStringLiteral("deviceHelpView"));
    root->setAutoFillBackground(true);
    View::setBackgroundColor(root, QColor(40, 40, 40));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 12);
    scroll_ = new QScrollArea(root);
    scroll_->setObjectName(QStringLiteral("scrollView"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidgetResizable(false);
    scroll_->setStyleSheet(QStringLiteral("background: transparent;"));
    strip_ = new QWidget;
    scroll_->setWidget(strip_);
    column->addWidget(scroll_, 1);
    pageControl_ = new QLabel(root);
    pageControl_->setObjectName(QStringLiteral("pageControl"));
    pageControl_->setAlignment(Qt::AlignCenter);
    pageControl_->setStyleSheet(QStringLiteral("color: white; font-size: 18px;"));
    column->addWidget(pageControl_);
    connect(scroll_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { scrollViewDidScroll(value, scroll_->viewport()->width()); });
    return root;
}

void DeviceHelpViewController::viewDidLoad() {
    for (int i = 0; i < 3; ++i) {
        DeviceHelpPage* page = DeviceHelpPage::pageAtIndex(i);
        pages_ << page;
        embedChildViewController(page, strip_);
    }
    showPageControl();
}

void DeviceHelpViewController::viewDidLayoutSubviews() {
    const int w = scroll_->viewport()->width();
    const int h = scroll_->viewport()->height();
    strip_->setFixedSize(w * 3, h);
    for (int i = 0; i < pages_.size(); ++i)
        if (pages_.at(i))
            pages_.at(i)->view()->setGeometry(i * w, 0, w, h);
}

void DeviceHelpViewController::scrollViewDidScroll(double offsetX, double width) {
    if (width <= 0)
        return;
    const float position = float(offsetX / width);
    for (const auto& page : pages_) {
        if (!page)
            continue;
        const int i = page->pageIndex();
        float progress = 1;
        float offset = 0;
        if (position > float(i - 1) && position < float(i + 1)) {
            progress = std::fabs(position - float(i));
            offset = float((position - float(i)) * width);
        }
        page->transition(progress, offset);
    }
    currentPage_ = int(std::floor((offsetX - width / 2) / width) + 1);
    showPageControl();
}

void DeviceHelpViewController::showPageControl() {
    QString dots;
    for (int i = 0; i < 3; ++i)
        dots += i == currentPage_ ? QStringLiteral("\u25CF ") : QStringLiteral("\u25CB ");
    pageControl_->setText(dots.trimmed());
}
