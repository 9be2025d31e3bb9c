#include "payment/card_reading/DeviceSelector.h"

#include "SDK/session/AccountSettings.h"
#include "platform/core/VersionDispatch.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"

#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int kContainerHeight = 300;
constexpr double kFlickSpeed = 100;

QImage tinted(const QImage& source, const QColor& colour) {
    QImage out(source.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.drawImage(0, 0, source);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(out.rect(), colour);
    return out;
}

} // namespace

DeviceSelector::DeviceSelector(QObject* parent)
    : ViewController(parent)
    , list_(new DeviceSelectorList(this)) {
    setStoryboardInfo(QStringLiteral("DeviceSelector"), QStringLiteral("deviceSelector"));
}

DeviceSelector::~DeviceSelector() {
    if (slide_)
        Clock::current().cancel(slide_);
    // The view lives in the host's widget tree while shown: take it along.
    if (isViewLoaded())
        delete view();
}

DeviceSelector* DeviceSelector::deviceSelectorWithDelegate(DeviceSelectorDelegate* delegate) {
    auto* sheet = qobject_cast<DeviceSelector*>(Storyboard::instantiate(
        QStringLiteral("DeviceSelector"), QStringLiteral("deviceSelector")));
    if (!sheet)
        sheet = new DeviceSelector();
    sheet->setDelegate(delegate);
    return sheet;
}

QWidget* DeviceSelector::loadView() {
    auto* root = new QWidget;
    root->setObjectName(QStringLiteral("deviceSelectorView"));
    root->setAttribute(Qt::WA_TranslucentBackground);
    container_ = new QWidget(root);
    container_->setObjectName(QStringLiteral("containerView"));
    container_->setAutoFillBackground(true);
    View::setBackgroundColor(container_, QColor(250, 250, 250, 245));
    auto* column = new QVBoxLayout(container_);
    column->setContentsMargins(16, 12, 16, 12);
    auto* header = new QHBoxLayout;
    title_ = new QLabel(tr("Lectores"), container_);
    title_->setObjectName(QStringLiteral("titleLabel"));
    QFont font = title_->font();
    font.setPointSize(17);
    font.setWeight(QFont::Medium);
    title_->setFont(font);
    spinner_ = new ImageView(container_);
    spinner_->setObjectName(QStringLiteral("spinnerView"));
    spinner_->setFixedSize(24, 24);
    header->addWidget(title_, 1);
    header->addWidget(spinner_);
    column->addLayout(header);
    table_ = new QListWidget(container_);
    table_->setObjectName(QStringLiteral("tableView"));
    table_->setIconSize(QSize(28, 28));
    column->addWidget(table_, 1);
    connect(table_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { selectRow(table_->row(item)); });
    container_->installEventFilter(this);
    title_->installEventFilter(this);

    const QColor theme = VersionDispatch::mainColor().value_or(QColor(0, 65, 101));
    QList<QImage> frames;
    for (int i = 0; i < 100; ++i) {
        const QImage frame =
            Bundle::load(QStringLiteral("Spinner_fino_%1.png").arg(i, 2, 10, QLatin1Char('0')));
        if (!frame.isNull())
            frames << tinted(frame, theme);
    }
    if (!frames.isEmpty())
        spinner_->setAnimatedImage(frames, 2500);

    connect(list_, &DeviceSelectorList::deviceInserted, this, [this](int) { reloadRows(); });
    list_->setView(root);
    reloadRows();
    return root;
}

int DeviceSelector::containerHeight() const {
    return container_ ? container_->height() : kContainerHeight;
}

void DeviceSelector::reloadRows() {
    if (!table_)
        return;
    const QColor theme = VersionDispatch::mainColor().value_or(QColor(0, 65, 101));
    table_->clear();
    for (const QString& name : list_->devices()) {
        auto* item = new QListWidgetItem(
            QIcon(QPixmap::fromImage(Bundle::load(QStringLiteral("icnReaderDSpread_Pinpad.png")))),
            name, table_);
        if (name == selected_) {
            item->setData(Qt::UserRole, true);
            item->setText(name + QStringLiteral("  \u2713"));
            item->setForeground(theme);
        }
    }
}

void DeviceSelector::deviceDiscovered(const QString& name) {
    list_->deviceDiscovered(name);
    if (!isViewLoaded())
        return;
    reloadRows();
}

void DeviceSelector::devicesDiscovered(const QStringList& names) {
    for (const QString& name : names)
        deviceDiscovered(name);
}

void DeviceSelector::selectedDevice(const std::optional<QString>& name) {
    if (name)
        deviceDiscovered(*name);
    selected_ = name.value_or(QString());
    if (AccountSettings::instance().selectedCardReader() == 1)
        reloadRows();
}

void DeviceSelector::selectRow(int row) {
    const QStringList names = list_->devices();
    if (row < 0 || row >= names.size())
        return;
    if (delegate_)
        delegate_->deviceSelected(names.at(row));
}

void DeviceSelector::moveTo(int y, int durationMs, std::function<void()> done) {
    QWidget* sheet = view();
    if (slide_)
        Clock::current().cancel(slide_);
    const int from = sheet->y();
    QPointer<QWidget> guard(sheet);
    QPointer<DeviceSelector> self(this);
    slide_ = Clock::current().animate(
        durationMs, this,
        [guard, from, y](double p) {
            if (guard)
                guard->move(0, int(from + (y - from) * p));
        },
        [self, done = std::move(done)](bool finished) {
            if (!self)
                return;
            self->slide_ = 0;
            if (finished && done)
                done();
        });
}

void DeviceSelector::showInView(QWidget* host) {
    QWidget* sheet = view();
    if (!host || sheet->parentWidget() == host)
        return;
    sheet->setParent(host);
    const int height = host->height();
    const int containerHeight = std::min(kContainerHeight, height);
    container_->setGeometry(0, height - containerHeight, host->width(), containerHeight);
    sheet->setGeometry(0, containerHeight, host->width(), height);
    sheet->show();
    sheet->raise();
    dragEnabled_ = true;
    ++showAnimations_;
    moveTo(0, kShowMs);
}

void DeviceSelector::removeIn(double seconds) {
    delegate_ = nullptr;
    dragEnabled_ = false;
    if (!isViewLoaded() || !view()->parentWidget())
        return;
    QPointer<QWidget> sheet(view());
    moveTo(view()->y() + containerHeight(), int(seconds * 1000), [sheet] {
        if (sheet) {
            sheet->hide();
            sheet->setParent(nullptr);
        }
    });
}

void DeviceSelector::pannedView(PanState state, double translationY, double velocityY) {
    if (!dragEnabled_ || !isViewLoaded())
        return;
    switch (state) {
    case PanState::Began:
    case PanState::Changed:
        if (slide_)
            Clock::current().cancel(slide_);
        view()->move(0, int(std::max(0.0, translationY)));
        break;
    case PanState::Ended: {
        qInfo("VELOCITY: %f", velocityY);
        bool goes = translationY >= containerHeight() / 2.0;
        if (velocityY > kFlickSpeed)
            goes = true;
        else if (velocityY < -kFlickSpeed)
            goes = false;
        if (goes)
            removeIn(kReturnMs / 1000.0);
        else
            moveTo(0, kReturnMs);
        break;
    }
    case PanState::Cancelled:
        break;
    }
}

bool DeviceSelector::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool isMouse = type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
                         type == QEvent::MouseButtonRelease;
    if (isMouse && (watched == container_ || watched == title_)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonPress) {
            pressing_ = true;
            pressAt_ = mouse->globalPosition().toPoint();
            pressTime_ = Clock::current().now();
            pannedView(PanState::Began, 0, 0);
        } else if (event->type() == QEvent::MouseMove && pressing_) {
            pannedView(PanState::Changed, mouse->globalPosition().y() - pressAt_.y(), 0);
        } else if (event->type() == QEvent::MouseButtonRelease && pressing_) {
            pressing_ = false;
            const double dy = mouse->globalPosition().y() - pressAt_.y();
            const qint64 ms = std::max<qint64>(1, Clock::current().now() - pressTime_);
            pannedView(PanState::Ended, dy, dy * 1000.0 / double(ms));
        }
    }
    return ViewController::eventFilter(watched, event);
}
