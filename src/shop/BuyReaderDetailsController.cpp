#include "shop/BuyReaderDetailsController.h"

#include "platform/ui/ImageView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"
#include "shop/BuyReaderStartController.h"
#include "shop/ShopScreen.h"
#include "ui_kit/UIKitSupport.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <utility>

namespace {
// Label text for each outlet: a text-table key of "BuyReader" or a key of the product.
struct SheetLine {
    const char* titleName;
    const char* titleKey;
    const char* valueName;
    const char* productKey;
};
const SheetLine kLines[] = {
    {"connectivityTitleLabel", "connectivity", "connectivityLabel", "connectivity"},
    {"cardsTitleLabel", "cards", "cardsLabel", "cardsText"},
    {"batteryTitleLabel", "battery", "batteryLabel", "battery"},
    {"dimensionsTitleLabel", "dimensions", "dimensionsLabel", "dimensions"},
    {"weightTitleLabel", "weight", "weightLabel", "weight"},
};
} // namespace

BuyReaderDetailsController::BuyReaderDetailsController(QObject* parent)
    : ViewController(parent) {}

BuyReaderDetailsController::~BuyReaderDetailsController() {
    if (const Clock::Handle zoom = std::exchange(zoom_, 0))
        Clock::current().cancel(zoom);
    delete movingPicture_.data();
    if (presentingDevicePicture_)
        presentingDevicePicture_->setVisible(true);
    if (downloader_) {
        downloader_->setImageView(nullptr);
        downloader_->setDelegate(nullptr);
    }
}

QWidget* BuyReaderDetailsController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("detailsView"));
    root->setStyleSheet(QStringLiteral("#detailsView { background: qlineargradient(x1:0, y1:0, "
                                       "x2:0, y2:1, stop:0 #f3f3f3, stop:1 white); }"));
    auto* column = new QVBoxLayout(root);
    auto* top = new QHBoxLayout();
    auto* doneButton = new QPushButton(root);
    doneButton->setObjectName(QStringLiteral("doneButton"));
    doneButton->setFlat(true);
    top->addStretch(1);
    top->addWidget(doneButton);
    column->addLayout(top);
    column->addWidget(ShopLook::label(root, QStringLiteral("titleLabel"),
                                      QStringLiteral("font-size: 22px; font-weight: 600;")));
    devicePicture_ = new ImageView(root);
    devicePicture_->setObjectName(QStringLiteral("devicePicture"));
    devicePicture_->setFixedSize(180, 180);
    column->addWidget(devicePicture_, 0, Qt::AlignCenter);
    column->addWidget(ShopLook::label(root, QStringLiteral("descriptionLabel")));
    auto* cardLine = new QHBoxLayout();
    cardLine->addWidget(ShopLook::label(root, QStringLiteral("cardLabel")));
    auto* bt = ShopLook::label(root, QStringLiteral("btLabel"));
    bt->setText(QStringLiteral("Bluetooth"));
    cardLine->addWidget(bt);
    column->addLayout(cardLine);
    column->addWidget(ShopLook::label(root, QStringLiteral("techTitleLabel"),
                                      QStringLiteral("font-weight: 600; color: #777;")));
    auto* grid = new QGridLayout();
    int row = 0;
    for (const SheetLine& line : kLines) {
        grid->addWidget(
            ShopLook::label(root, QLatin1String(line.titleName), QStringLiteral("color: #777;")),
            row, 0);
        grid->addWidget(ShopLook::label(root, QLatin1String(line.valueName)), row++, 1);
    }
    column->addLayout(grid);
    column->addStretch(1);
    auto* buyButton = ShopLook::goButton(root, QStringLiteral("buyButton"));
    column->addWidget(buyButton);
    connect(doneButton, &QPushButton::clicked, this, [this] { done(); });
    connect(buyButton, &QPushButton::clicked, this, [this] { buy(); });
    return root;
}

void BuyReaderDetailsController::viewDidLoad() {
    auto* doneButton = outlet<QPushButton>(QStringLiteral("doneButton"));
    doneButton->setText(ShopLook::text(QStringLiteral("GlobalTexts"), QStringLiteral("done")));
    doneButton->setStyleSheet(QStringLiteral("color: %1;").arg(UIKitSupport::mainColor().name()));
    outlet<QLabel>(QStringLiteral("titleLabel"))->setText(device_.value("name").toString());
    outlet<QPushButton>(QStringLiteral("buyButton"))
        ->setText(ShopLook::text(QStringLiteral("BuyReader"), QStringLiteral("BUY")));
    outlet<QLabel>(QStringLiteral("cardLabel"))
        ->setText(ShopLook::text(QStringLiteral("BuyReader"), QStringLiteral("magnetic")));
    auto* description = outlet<QLabel>(QStringLiteral("descriptionLabel"));
    description->setText(device_.value("description").toString());
    description->setStyleSheet(QStringLiteral("line-height: 25px;"));
    outlet<QLabel>(QStringLiteral("techTitleLabel"))
        ->setText(ShopLook::text(QStringLiteral("BuyReader"), QStringLiteral("techCard")));
    for (const SheetLine& line : kLines) {
        outlet<QLabel>(QLatin1String(line.titleName))
            ->setText(ShopLook::text(QStringLiteral("BuyReader"), QLatin1String(line.titleKey)));
        outlet<QLabel>(QLatin1String(line.valueName))
            ->setText(device_.value(QLatin1String(line.productKey)).toString());
    }
    if (device_.value(QStringLiteral("type")).toInt() == 0)
        outlet<QLabel>(QStringLiteral("btLabel"))->setVisible(false);
    pictureLoaded_ = false;
    // The row shows the same picture: once it has it, the sheet takes it rather than load it.
    const QImage rowPicture =
        presentingDevicePicture_ ? presentingDevicePicture_->image() : QImage();
    if (!rowPicture.isNull()) {
        devicePicture_->setImage(rowPicture);
        pictureLoaded_ = true;
        return;
    }
    downloader_ = std::make_unique<ImageDownloader>();
    downloader_->setImageView(devicePicture_);
    downloader_->setDelegate(this);
    const QVariantList images = device_.value(QStringLiteral("images")).toList();
    if (!images.isEmpty())
        downloader_->setUrlString(
            images.first().toMap().value(QStringLiteral("original")).toString());
    downloader_->downloadTheImage();
}

void BuyReaderDetailsController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    // The zoom runs only from a small picture with the large one already in place.
    if (animated && isBeingPresented() && presentingDevicePicture_ && pictureLoaded_ && !zoom_)
        beginZoom();
}

void BuyReaderDetailsController::viewWillDisappear(bool animated) {
    ViewController::viewWillDisappear(animated);
    if (zoom_)
        finishZoom();
    presentingDevicePicture_ = nullptr;
}

namespace {
QRect rectIn(QWidget* container, QWidget* widget) {
    return {container->mapFromGlobal(widget->mapToGlobal(QPoint(0, 0))), widget->size()};
}
QRect between(const QRect& from, const QRect& to, double progress) {
    const auto mix = [progress](int a, int b) { return a + qRound((b - a) * progress); };
    return {mix(from.x(), to.x()), mix(from.y(), to.y()), mix(from.width(), to.width()),
            mix(from.height(), to.height())};
}
} // namespace

// The sheet fades in while a copy of the row's small picture flies to the large picture's
// place. The sheet's view is not in its container yet, so the flight starts on the next turn.
void BuyReaderDetailsController::beginZoom() {
    View::setAlpha(view(), 0);
    devicePicture_->setVisible(false);
    presentingDevicePicture_->setVisible(false);
    QPointer<BuyReaderDetailsController> self(this);
    zoom_ = Clock::current().callAfter(0, this, [self] {
        if (!self || !self->presentingDevicePicture_) {
            if (self)
                self->finishZoom();
            return;
        }
        QWidget* root = self->view();
        QWidget* container = root->parentWidget() ? root->parentWidget() : root;
        root->layout()->activate();
        self->layoutIfNeeded();
        ImageView* small = self->presentingDevicePicture_;
        auto* moving = new ImageView(small->image(), container);
        moving->setObjectName(QStringLiteral("zoomPicture"));
        moving->setContentMode(small->contentMode());
        self->movingPicture_ = moving;
        const QRect from = rectIn(container, small);
        const QRect to = rectIn(container, self->devicePicture_);
        moving->setGeometry(from);
        moving->show();
        moving->raise();
        self->zoom_ = Clock::current().animate(
            kZoomMs, self,
            [self, from, to](double progress) {
                if (!self)
                    return;
                View::setAlpha(self->view(), progress);
                if (self->movingPicture_)
                    self->movingPicture_->setGeometry(between(from, to, progress));
            },
            [self](bool) {
                if (self && self->zoom_)
                    self->finishZoom();
            },
            {0, false, QEasingCurve::InOutQuad});
    });
}

void BuyReaderDetailsController::finishZoom() {
    // Cleared first: a cancelled animation reports its completion at once.
    if (const Clock::Handle zoom = std::exchange(zoom_, 0))
        Clock::current().cancel(zoom);
    if (isViewLoaded())
        View::setAlpha(view(), 1);
    if (devicePicture_)
        devicePicture_->setVisible(true);
    if (presentingDevicePicture_)
        presentingDevicePicture_->setVisible(true);
    delete movingPicture_.data();
}

void BuyReaderDetailsController::downloadDidFinishDownloading(ImageDownloader*) {
    pictureLoaded_ = true;
}

void BuyReaderDetailsController::done() {
    dismissViewControllerAnimated(true);
}

void BuyReaderDetailsController::buy() {
    // Only the catalogue is asked to choose the reader.
    ViewController* presenting = presentingViewController();
    if (auto* nav = qobject_cast<NavigationController*>(presenting))
        presenting = nav->topViewController();
    else if (presenting && presenting->navigationController())
        presenting = presenting->navigationController()->topViewController();
    if (auto* catalogue = qobject_cast<BuyReaderStartController*>(presenting))
        catalogue->selectDeviceIndex(deviceIndex_);
    dismissViewControllerAnimated(true);
}
