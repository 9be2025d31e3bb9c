#include "payment/card_reading/DeviceController.h"

#include "payment/card_reading/ScreenRequest.h"

#include "SDK/login/LoginHelper.h"
#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "api/APIController.h"
#include "api/FunctionCode.h"
#include "api/LogRedaction.h"
#include "model/Buyers.h"
#include "model/CreditCard.h"
#include "model/Installment.h"
#include "model/Sale.h"
#include "model/values/Amount.h"
#include "platform/core/Logging.h"
#include "platform/core/VersionDispatch.h"
#include "platform/core/Worker.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "reader/DSpreadViewController.h"
#include "reader/DeviceSelectorList.h"
#include "reader/views/DSpreadView.h"
#include "ui_kit/AlertController.h"
#include "ui_kit/CustomActivityView/ActivityIndicator.h"
#include "ui_kit/CustomActivityView/IndeterminateProgressBarView.h"
#include "ui_kit/SingleInputConfigurator.h"
#include "ui_kit/SingleInputViewController.h"
#include "ui_kit/texts/Language.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QIcon>
#include <QJsonDocument>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <cfloat>

namespace {

// A label held to a line of the height, its font shrunk so no glyph is cut.
void fitToLine(QLabel* label, int height) {
    label->setFixedHeight(height);
    QFont font = label->font();
    font.setPixelSize(height - 2);
    label->setFont(font);
}

constexpr int kStepMs = 500;
constexpr int kSlideMs = 175;
constexpr int kPanelMs = 250;
constexpr int kBlinkMs = 700;
constexpr int kCardAcceptedDelayMs = 500;
const QColor kRefundRed = QColor::fromRgbF(0.89f, 0.29f, 0.34f, 1.0f);
const QColor kApprovedGreen(0, 182, 0);

QColor themeColor() {
    return VersionDispatch::mainColor().value_or(QColor(0, 65, 101));
}

// A key present with a value that is not JSON null.
bool hasKey(const QVariantMap& map, const QString& key) {
    if (!map.contains(key))
        return false;
    const QVariant v = map.value(key);
    return v.isValid() && !v.isNull() && v.typeId() != QMetaType::Nullptr;
}

QString textOf(const QVariant& value) {
    if (value.typeId() == QMetaType::Nullptr)
        return QString();
    return value.toString();
}

// The overlay caption's face and colour.
void styleOverlayCaption(QLabel* caption) {
    QFont font(QStringLiteral("Helvetica Neue"), 18);
    font.setWeight(QFont::Medium);
    caption->setFont(font);
    caption->setStyleSheet(QStringLiteral("color: rgba(247,247,247,255)"));
}

} // namespace

DeviceController::DeviceController(QObject* parent)
    : ViewController(parent) {
    setStoryboardInfo(QStringLiteral("Payment"), QStringLiteral("Device"));
}

DeviceController::~DeviceController() {
    SessionTimer::instance().removeDelegate(this);
    if (blink_)
        Clock::current().cancel(blink_);
    if (cardAccepted_)
        Clock::current().cancel(cardAccepted_);
    unloadReader();
}

void DeviceController::presentForTarget(ViewController* target, bool isDemo,
                                        std::function<void()> completion) {
    auto* screen = qobject_cast<DeviceController*>(
        Storyboard::instantiate(QStringLiteral("Payment"), QStringLiteral("Device")));
    if (!screen || !target)
        return;
    screen->setDemoPresentation(isDemo);
    auto* navigation = new NavigationController(screen);
    target->presentViewController(navigation, true, std::move(completion));
}

QString DeviceController::text(const char* section, const char* key) const {
    return Language::textForFile(QString::fromLatin1(section), QString::fromLatin1(key));
}

// ---------------------------------------------------------------- layout

QWidget* DeviceController::loadView() {
    auto* root = new QWidget;
    root->setObjectName(QStringLiteral("DeviceControllerView"));
    root->setAutoFillBackground(true);
    QPalette palette = root->palette();
    palette.setColor(QPalette::Window, Qt::white);
    root->setPalette(palette);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    totalView_ = new QWidget(root);
    totalView_->setObjectName(QStringLiteral("totalView"));
    auto* totals = new QVBoxLayout(totalView_);
    totals->setContentsMargins(12, 12, 12, 8);
    total_ = new QLabel(totalView_);
    total_->setObjectName(QStringLiteral("total"));
    total_->setAlignment(Qt::AlignCenter);
    QFont totalFont(QStringLiteral("Helvetica Neue"), 26);
    totalFont.setWeight(QFont::Light);
    total_->setFont(totalFont);
    totalInstallments_ = new QLabel(totalView_);
    totalInstallments_->setObjectName(QStringLiteral("totalInstallments"));
    totalInstallments_->setAlignment(Qt::AlignCenter);
    totals->addWidget(total_);
    totals->addWidget(totalInstallments_);
    column->addWidget(totalView_);

    subView_ = new QWidget(root);
    subView_->setObjectName(QStringLiteral("subView"));
    subView_->setMinimumHeight(160);
    auto* readerArea = new QVBoxLayout(subView_);
    readerArea->setContentsMargins(0, 0, 0, 0);
    column->addWidget(subView_, 1);

    translucent_ = new QWidget(root);
    translucent_->setObjectName(QStringLiteral("translucent"));
    View::setBackgroundColor(translucent_, QColor(245, 245, 245, 230));
    auto* panel = new QVBoxLayout(translucent_);
    panel->setContentsMargins(16, 8, 16, 8);
    userMessage_ = new QLabel(translucent_);
    userMessage_->setObjectName(QStringLiteral("userMessage"));
    userMessage_->setAlignment(Qt::AlignCenter);
    userMessage_->setWordWrap(true);
    userMessage_->setFont(QFont(QStringLiteral("Helvetica Neue"), 16));
    enableNFCButton_ = new QPushButton(translucent_);
    enableNFCButton_->setObjectName(QStringLiteral("enableNFCButton"));
    enableNFCButton_->setFixedHeight(36);
    connect(enableNFCButton_, &QPushButton::clicked, this, [this] { enableNFCTouched(); });
    panel->addWidget(userMessage_);
    panel->addWidget(enableNFCButton_);
    column->addWidget(translucent_);

    auto* readerRow = new QWidget(root);
    auto* row = new QHBoxLayout(readerRow);
    row->setContentsMargins(12, 6, 12, 12);
    selectedDeviceView_ = new QPushButton(readerRow);
    selectedDeviceView_->setObjectName(QStringLiteral("selectedDeviceView"));
    auto* button = new QHBoxLayout(selectedDeviceView_);
    button->setContentsMargins(10, 2, 10, 2);
    selectedDeviceImageView_ = new ImageView(selectedDeviceView_);
    selectedDeviceImageView_->setObjectName(QStringLiteral("selectedDeviceImageView"));
    selectedDeviceImageView_->setFixedSize(24, 24);
    selectedDeviceLabel_ = new QLabel(selectedDeviceView_);
    selectedDeviceLabel_->setObjectName(QStringLiteral("selectedDeviceLabel"));
    button->addWidget(selectedDeviceImageView_);
    button->addWidget(selectedDeviceLabel_, 1);
    selectedDeviceView_->setMinimumHeight(32);
    connect(static_cast<QPushButton*>(selectedDeviceView_.data()), &QPushButton::clicked, this,
            [this] { selectReaderTouched(); });
    batteryIndicator_ = new ImageView(readerRow);
    batteryIndicator_->setObjectName(QStringLiteral("batteryIndicator"));
    batteryIndicator_->setFixedSize(28, 16);
    batteryLowIndicator_ = new ImageView(readerRow);
    batteryLowIndicator_->setObjectName(QStringLiteral("batteryLowIndicator"));
    batteryLowIndicator_->setFixedSize(8, 16);
    optionButton_ = new QPushButton(readerRow);
    optionButton_->setObjectName(QStringLiteral("optionButton"));
    optionButton_->hide();
    connect(optionButton_, &QPushButton::clicked, this, [this] { optionButtonTouched(); });
    row->addWidget(selectedDeviceView_, 1);
    row->addWidget(batteryIndicator_);
    row->addWidget(batteryLowIndicator_);
    row->addWidget(optionButton_);
    column->addWidget(readerRow);
    return root;
}

// ---------------------------------------------------------------- lifecycle

void DeviceController::chooseSale() {
    if (sale_) {
        if (sale_->trxType() != 0)
            total_->setStyleSheet(QStringLiteral("color: %1").arg(kRefundRed.name()));
        return;
    }
    if (NavigationController* navigation = navigationController()) {
        const QList<ViewController*> stack = navigation->viewControllers();
        const int at = int(stack.indexOf(this));
        if (at > 0) {
            if (auto* refund = dynamic_cast<RefundSaleSource*>(stack.at(at - 1));
                refund && refund->refundSale()) {
                total_->setStyleSheet(QStringLiteral("color: %1").arg(kRefundRed.name()));
                sale_ = refund->refundSale();
                return;
            }
        }
    }
    sale_ = std::shared_ptr<Sale>(std::shared_ptr<Sale>(), &Sale::sharedSale());
}

void DeviceController::viewDidLoad() {
    user_ = &User::instance();
    settings_ = &AccountSettings::instance();
    userMessage_->setStyleSheet(QStringLiteral("color: %1").arg(themeColor().name()));
    navigationItem()->setBackBarButtonTitle(text("GlobalTexts", "back"));
    userMessage_->setText(QString());
    isProcessingCard_ = false;
    if (!demoPresentation_) {
        chooseSale();
        SessionTimer::instance().setDelegate(this);
    }
    currentCreditCard_ = std::make_shared<CreditCard>();
    if (sale_ && sale_->creditCard())
        currentCreditCard_->setInstallments(sale_->creditCard()->installments());
    updateTotal();

    if (sale_ && sale_->trxType() == 0 && !sale_->paymentMethodName().isNull() &&
        sale_->paymentMethodName() != QLatin1String("")) {
        fitToLine(total_, 24);
        totalInstallments_->setText(sale_->paymentMethodName());
    } else if (sale_ && sale_->trxType() == 2) {
        totalInstallments_->setText(text("SaleDetails", "refund"));
        totalInstallments_->setStyleSheet(QStringLiteral("color: %1").arg(kRefundRed.name()));
    } else if (sale_ && sale_->trxType() == 1) {
        totalInstallments_->setText(text("SaleDetails", "cancelSale"));
        totalInstallments_->setStyleSheet(QStringLiteral("color: %1").arg(kRefundRed.name()));
    } else if (sale_ && sale_->paymentMethodName().isNull()) {
        // A missing method name keeps the caption line, empty.
        fitToLine(total_, 24);
        totalInstallments_->setText(QString());
    } else {
        totalInstallments_->hide();
        totalInstallments_->setParent(nullptr);
        totalInstallments_->deleteLater();
        totalInstallments_ = nullptr;
    }

    NavigationController* navigation = navigationController();
    const bool onlyScreen = navigation && navigation->viewControllers().size() == 1 &&
                            navigation->viewControllers().first() == this;
    if (demoPresentation_ || onlyScreen) {
        if (demoPresentation_)
            total_->setText(text("readerDemo", "readerDemoViewTitle"));
        BarButtonItem cancel;
        cancel.title = text("GlobalTexts", "cancel");
        cancel.action = [self = QPointer<DeviceController>(this)] {
            if (self)
                self->backToSale();
        };
        navigationItem()->setLeftBarButtonItem(cancel);
    }
    enableNFCButton_->hide();
    loaded_ = true;
}

void DeviceController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    // Back from the signature step (or under a closing sheet): the reader would charge again.
    if (cardWasAccepted_)
        unloadReader();
    enableNFCButton_->setStyleSheet(
        QStringLiteral("color: %1; border: 1px solid %1;").arg(themeColor().name()));
    enableNFCButton_->setIcon(
        QIcon(QPixmap::fromImage(Bundle::load(QStringLiteral("icon_nfc.png")))));
    showHelpButton(false);
    active_ = true;
    auto right = navigationItem()->rightBarButtonItems();
    if (!right.isEmpty()) {
        for (auto& item : right)
            item.enabled = true;
        navigationItem()->setRightBarButtonItems(right);
    }
    selectedDeviceView_->show();
    View::setCornerRadius(selectedDeviceView_, 16);
    batteryIndicator_->hide();
    batteryLowIndicator_->hide();
    showSelectedReader();
}

void DeviceController::viewDidLayoutSubviews() {
    ViewController::viewDidLayoutSubviews();
    if (!a19_ && readerLoads_ == 0 && active_)
        loadReader();
}

void DeviceController::viewDidAppear(bool animated) {
    ViewController::viewDidAppear(animated);
    if (sale_)
        sale_->setIsFallback(false);
    SessionTimer::instance().setDelegate(this);
    swipeErrorCounter_ = 0;
    if (pendingApproval_) {
        pendingApproval_ = false;
        paymentApproved();
    }
}

void DeviceController::viewWillDisappear(bool animated) {
    ViewController::viewWillDisappear(animated);
    removeDeviceSelector();
    active_ = false;
}

// ---------------------------------------------------------------- reader hosting

void DeviceController::loadReader() {
    ++readerLoads_;
    if (sale_ && settings_)
        sale_->setSelectedReader(settings_->selectedReaderString());
    a19_ = new DSpreadViewController(this, demoPresentation_, this);
    QWidget* device = a19_->view();
    addChildViewController(a19_);
    a19_->didMoveToParentViewController(this);
    a19_->beginAppearanceTransition(true, false);
    device->setParent(subView_);
    static_cast<QVBoxLayout*>(subView_->layout())->insertWidget(0, device);
    device->show();
    a19_->endAppearanceTransition();
}

void DeviceController::unloadReader() {
    if (!a19_)
        return;
    hideBatteryIndicator();
    DSpreadViewController* reader = a19_;
    reader->setDelegate(nullptr);
    if (reader->isViewLoaded() && reader->view()->parentWidget())
        reader->view()->setParent(nullptr);
    reader->removeFromParentViewController();
    reader->cleanup();
    a19_ = nullptr;
    if (sheet_)
        sheet_->setDelegate(nullptr);
    delete sheet_.data();
    sheet_ = nullptr;
    delete reader;
}

void DeviceController::backToSale() {
    NavigationController* navigation = navigationController();
    const bool dismiss = isIpad() || demoPresentation_ || (sale_ && sale_->trxType() == 2) ||
                         (sale_ && sale_->trxType() == 1) ||
                         (navigation && navigation->viewControllers().size() == 1);
    if (dismiss) {
        ViewController* presented = navigation ? static_cast<ViewController*>(navigation) : this;
        if (presented->presentingViewController())
            presented->dismissViewControllerAnimated(true);
        else if (navigation && navigation->viewControllers().size() > 1)
            navigation->popViewControllerAnimated(true);
        return;
    }
    if (navigation)
        navigation->popViewControllerAnimated(true);
}

void DeviceController::cancelSale() {
    if (sale_ && sale_->trxType() == 0)
        sale_->cleanSale();
    NavigationController* navigation = navigationController();
    if (!navigation)
        return;
    QList<ViewController*> stack = navigation->viewControllers();
    QList<ViewController*> kept;
    bool found = false;
    for (ViewController* controller : stack) {
        kept << controller;
        if (QByteArray(controller->metaObject()->className()) == "InputTabBarViewController") {
            found = true;
            break;
        }
    }
    if (found && kept.last() != this) {
        kept << this;
        navigation->setViewControllers(kept, false);
    }
    navigation->popViewControllerAnimated(true);
}

void DeviceController::updateTotal() {
    if (!total_)
        return;
    if (!demoPresentation_ && sale_) {
        const QString prefix = sale_->trxType() == 0
                                   ? QStringLiteral("%1 ").arg(text("Payment", "charge"))
                                   : QString();
        total_->setText(prefix + sale_->total()->getAmount());
    }
    if (sale_ && sale_->trxType() != 0 && !total_->text().startsWith(QLatin1Char('-')))
        total_->setText(QStringLiteral("-") + total_->text());
}

void DeviceController::selectReaderTouched() {
    if (isProcessingCard_)
        return;
    createDeviceSelector();
    // A sheet dragged away lost its delegate: it gets it back on every show.
    sheet_->setDelegate(this);
    const QString name = currentDeviceName();
    sheet_->selectedDevice(name.isEmpty() ? std::nullopt : std::optional<QString>(name));
    sheet_->showInView(view());
    if (a19_)
        a19_->scanBluetooth();
}

void DeviceController::deviceSelected(const QString& name) {
    removeDeviceSelector();
    if (a19_)
        a19_->deviceSelected(name);
}

QString DeviceController::currentDeviceName() const {
    if (!a19_ || a19_->currentDeviceName().isEmpty())
        return QString();
    return a19_->currentDeviceName();
}

void DeviceController::showSelectedReader() {
    const QString name = currentDeviceName();
    selectedDeviceLabel_->setText(name.isEmpty() ? text("Device", "searchingQPos") : name);
    selectedDeviceImageView_->setImage(Bundle::load(QStringLiteral("icnReaderDSpread_Pinpad.png")));
}

void DeviceController::showHelpButton(bool show) {
    if (!show) {
        navigationItem()->setRightBarButtonItems({});
        return;
    }
    BarButtonItem help;
    help.title = QStringLiteral("?");
    help.action = [self = QPointer<DeviceController>(this)] {
        if (self)
            self->performSegueWithIdentifier(QStringLiteral("deviceHelpSegue"), self);
    };
    navigationItem()->setRightBarButtonItem(help);
}

void DeviceController::showReaderConnectionError() {
    if (a19_)
        a19_->willPresentDeviceHelp(true);
}

void DeviceController::enableNFCTouched() {
    if (a19_)
        a19_->enableNFC();
}

namespace {
// The text with the light face on [0, split) and the medium face after, as rich text; ranges
// past the end of the text are clipped.
QString twoFaces(const QString& text, qsizetype split, qsizetype end) {
    split = std::clamp<qsizetype>(split, 0, text.size());
    end = std::clamp<qsizetype>(end, split, text.size());
    const QString colour = themeColor().name();
    auto span = [&](const QString& part, int weight) {
        return QStringLiteral("<span style=\"font-family:'Helvetica Neue'; font-size:17pt; "
                              "font-weight:%1; color:%2\">%3</span>")
            .arg(weight)
            .arg(colour, part.toHtmlEscaped());
    };
    return span(text.left(split), 300) + span(text.mid(split, end - split), 500) +
           text.mid(end).toHtmlEscaped();
}
} // namespace

QString DeviceController::readerDemoInitialMessage() {
    return twoFaces(text("readerDemo", "readerDemoConnectReader"), 43, 83);
}

QString DeviceController::readerDemoReaderConnectionError() {
    const QString message = text("readerDemo", "readerDemoReaderError");
    return twoFaces(message, message.size() - 14, message.size());
}

DeviceSelectorList* DeviceController::createDeviceSelector() {
    if (!sheet_) {
        sheet_ = DeviceSelector::deviceSelectorWithDelegate(this);
        sheet_->setParent(this);
        sheet_->loadViewIfNeeded();
    }
    return sheet_->list();
}

void DeviceController::removeDeviceSelector() {
    if (!sheet_)
        return;
    DeviceSelector* sheet = sheet_;
    sheet_ = nullptr;
    sheet->remove();
    Clock::current().callAfter(DeviceSelector::kShowMs + 50, sheet,
                               [sheet] { sheet->deleteLater(); });
}

void DeviceController::setDeviceConnectionErrorAlertController(AlertController* alert) {
    helpAlert_ = alert;
}

QWidget* DeviceController::enableNFCButton() {
    return enableNFCButton_;
}

void DeviceController::setCurrentCreditCard(std::shared_ptr<CreditCard> card) {
    currentCreditCard_ = std::move(card);
    expiryEncrypted_ = false;
}

// ---------------------------------------------------------------- overlays

void DeviceController::setBarButtonsEnabled(bool enabled) {
    auto left = navigationItem()->leftBarButtonItems();
    for (auto& item : left)
        item.enabled = enabled;
    navigationItem()->setLeftBarButtonItems(left);
    auto right = navigationItem()->rightBarButtonItems();
    for (auto& item : right)
        item.enabled = enabled;
    navigationItem()->setRightBarButtonItems(right);
}

QWidget* DeviceController::overlayView(int tag) const {
    return isViewLoaded() ? View::viewWithTag(const_cast<DeviceController*>(this)->view(), tag)
                          : nullptr;
}

void DeviceController::processingCardWith(bool fromPayment) {
    (void)fromPayment;
    if (isProcessingCard_)
        return;
    isProcessingCard_ = true;
    removeDeviceSelector();
    setBarButtonsEnabled(false);
    navigationItem()->setHidesBackButton(true);

    QWidget* root = view();
    const int width = root->width();
    const int height = root->height();
    const double total = 110, tick = 67, bar = 3, label = 20;
    const int labelY = int((height - total) / 3 + 8 + tick);
    const int tickY = int(labelY - 8 - tick);
    const int barY = int(labelY + label + 12);

    auto* backdrop = new QWidget(root);
    View::setTag(backdrop, kBackdropTag);
    backdrop->setObjectName(QStringLiteral("overlayBackdrop"));
    View::setBackgroundColor(backdrop, QColor(0, 0, 0, 204));
    View::setFrame(backdrop, QRect(0, 0, width, 0));
    auto* container = new QWidget(root);
    View::setTag(container, kOverlayTag);
    container->setObjectName(QStringLiteral("overlay"));
    View::setFrame(container, QRect(0, 0, width, height));
    auto* tickView = new ImageView(container);
    View::setTag(tickView, kTickTag);
    tickView->setImage(Bundle::load(QStringLiteral("tick_payment_accepted.png")));
    tickView->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    View::setFrame(tickView, QRect(0, tickY, width, int(tick)));
    View::setAlpha(tickView, 0);
    auto* caption = new QLabel(container);
    View::setTag(caption, kCaptionTag);
    caption->setObjectName(QStringLiteral("overlayCaption"));
    styleOverlayCaption(caption);
    caption->setAlignment(Qt::AlignCenter);
    const int trx = sale_ ? sale_->trxType() : 0;
    caption->setText(trx == 1   ? text("SaleDetails", "processingCancelation")
                     : trx == 2 ? text("SaleDetails", "processingRefund")
                                : text("Device", "processingCard"));
    View::setFrame(caption, QRect(0, labelY, width, int(label)));
    addOverlayProgress(container, QRect(width / 2 - 120, barY, 240, int(bar)));
    raiseOverlay(backdrop, container, true);
}

void DeviceController::addOverlayProgress(QWidget* container, const QRect& frame) {
    auto* progress = new IndeterminateProgressBarView(frame, container);
    View::setTag(progress, kProgressTag);
    progress->setColor(themeColor());
    View::setAlpha(progress, 0);
}

void DeviceController::raiseOverlay(QWidget* backdrop, QWidget* container, bool layoutAtEnd) {
    backdrop->show();
    container->show();
    backdrop->raise();
    container->raise();
    translucent_->hide();
    View::setAlpha(enableNFCButton_, 0);
    View::setAlpha(container, 0);
    entryAnimation(layoutAtEnd, {});
}

void DeviceController::entryAnimation(bool layoutAtEnd, std::function<void()> atEnd) {
    QPointer<DeviceController> self(this);
    View::animateAlpha(userMessage_, 0, kStepMs, [self, layoutAtEnd, atEnd](bool) {
        if (!self)
            return;
        self->userMessage_->hide();
        QWidget* backdrop = self->overlayView(kBackdropTag);
        const QSize size = self->view()->size();
        Clock::current().animate(
            kStepMs, self,
            [self, backdrop = QPointer<QWidget>(backdrop), size](double p) {
                if (backdrop)
                    View::setFrame(backdrop, QRect(0, 0, size.width(), int(size.height() * p)));
            },
            [self, layoutAtEnd, atEnd](bool) {
                if (!self)
                    return;
                QWidget* container = self->overlayView(kOverlayTag);
                if (!container) {
                    if (atEnd)
                        atEnd();
                    return;
                }
                View::animateAlpha(container, 1, kStepMs, [self, layoutAtEnd, atEnd](bool) {
                    if (!self)
                        return;
                    if (QWidget* bar = self->overlayView(kProgressTag))
                        View::setAlpha(bar, 1);
                    if (layoutAtEnd)
                        self->layoutIfNeeded();
                    if (atEnd)
                        atEnd();
                });
            });
    });
}

void DeviceController::enteringPin() {
    navigationItem()->setHidesBackButton(true);
    auto right = navigationItem()->rightBarButtonItems();
    for (auto& item : right)
        item.enabled = false;
    navigationItem()->setRightBarButtonItems(right);
    QWidget* root = view();
    const int width = root->width();
    QWidget* backdrop = overlayView(kBackdropTag);
    if (!backdrop) {
        backdrop = new QWidget(root);
        View::setTag(backdrop, kBackdropTag);
        View::setBackgroundColor(backdrop, QColor(0, 0, 0, 204));
        View::setFrame(backdrop, QRect(0, 0, width, 0));
    }
    QWidget* container = overlayView(kOverlayTag);
    if (!container) {
        container = new QWidget(root);
        View::setTag(container, kOverlayTag);
        container->setObjectName(QStringLiteral("overlay"));
        View::setFrame(container, QRect(0, 0, width, root->height()));
    }
    auto* caption = qobject_cast<QLabel*>(overlayView(kCaptionTag));
    if (!caption) {
        caption = new QLabel(container);
        View::setTag(caption, kCaptionTag);
        caption->setObjectName(QStringLiteral("overlayCaption"));
        caption->setAlignment(Qt::AlignCenter);
        View::setFrame(caption, QRect(0, 150, width, 20));
    }
    styleOverlayCaption(caption);
    caption->setText(text("Device", "waitingForPin"));
    if (!overlayView(kProgressTag))
        addOverlayProgress(container, QRect(width / 2 - 120, 185, 240, 3));
    raiseOverlay(backdrop, container, false);
}

void DeviceController::enteringTip() {
    enteringPin();
    if (auto* caption = qobject_cast<QLabel*>(overlayView(kCaptionTag)))
        caption->setText(text("Device", "waitingForTip"));
}

void DeviceController::processingTipWithBlock(float tip, std::function<void(bool)> completion) {
    bool allowed = true;
    const double limit = sale_ ? sale_->maxTipAllowed() : 0;
    if (float(limit) != 0.0f) {
        qInfo("has Maximum Tip Amount!");
        const float max = float(sale_->total()->doubleValue() * limit);
        allowed = tip <= max;
    }
    if (completion)
        completion(allowed);
}

void DeviceController::paymentApproved() {
    if (!active_) {
        // Covered by another screen: hand over once it shows again.
        pendingApproval_ = true;
        return;
    }
    const QString approval = sale_ && sale_->trxType() != 0 ? text("Device", "transactionAccepted")
                                                            : text("Device", "paymentAccepted");
    QWidget* container = overlayView(kOverlayTag);
    QWidget* tick = overlayView(kTickTag);
    QWidget* bar = overlayView(kProgressTag);
    auto* caption = qobject_cast<QLabel*>(overlayView(kCaptionTag));
    QPointer<QWidget> green;
    if (container && bar) {
        green = new QWidget(container);
        green->setObjectName(QStringLiteral("approvedBand"));
        View::setBackgroundColor(green, kApprovedGreen);
        View::setFrame(green, View::frame(bar));
        View::setAlpha(green, 0);
        green->show();
    }
    QPointer<DeviceController> self(this);
    QPointer<QWidget> tickGuard(tick), barGuard(bar);
    QPointer<QLabel> captionGuard(caption);
    const QRect start = caption ? View::frame(caption) : QRect();
    Clock::current().animate(
        kSlideMs, this,
        [=](double p) {
            if (captionGuard)
                View::setFrame(captionGuard, start.translated(int(320 * p), 0));
            if (barGuard)
                View::setAlpha(barGuard, 1 - p);
            if (green)
                View::setAlpha(green, p);
            if (tickGuard)
                View::setAlpha(tickGuard, p);
        },
        [=](bool) {
            if (!self)
                return;
            if (barGuard)
                barGuard->deleteLater();
            if (captionGuard) {
                captionGuard->setText(approval);
                View::setFrame(captionGuard, start.translated(-320, 0));
            }
            Clock::current().animate(
                kSlideMs, self,
                [=](double p) {
                    if (captionGuard)
                        View::setFrame(captionGuard, start.translated(int(-320 * (1 - p)), 0));
                },
                [self](bool) {
                    if (!self)
                        return;
                    self->cardAccepted_ =
                        Clock::current().callAfter(kCardAcceptedDelayMs, self, [self] {
                            self->cardAccepted_ = 0;
                            if (self->a19_)
                                self->readerCardAccepted();
                        });
                });
        });
}

void DeviceController::processingPayment() {
    if (sale_ && currentCreditCard_)
        sale_->payWithCreditCard(*currentCreditCard_);
    savePayment();
    auto* caption = qobject_cast<QLabel*>(overlayView(kCaptionTag));
    if (!caption)
        return;
    const int trx = sale_ ? sale_->trxType() : 0;
    caption->setText(trx == 1   ? text("SaleDetails", "processingCancelation")
                     : trx == 2 ? text("SaleDetails", "processingRefund")
                                : text("Device", "processingPayment"));
}

void DeviceController::cancelProcessing(std::function<void()> completion) {
    QWidget* container = overlayView(kOverlayTag);
    isProcessingCard_ = false;
    QPointer<DeviceController> self(this);
    auto restore = [self, completion] {
        if (!self)
            return;
        if (QWidget* backdrop = self->overlayView(kBackdropTag)) {
            backdrop->hide();
            backdrop->deleteLater();
            View::setTag(backdrop, 0);
        }
        self->userMessage_->show();
        self->translucent_->show();
        View::setAlpha(self->enableNFCButton_, 1);
        if (completion)
            completion();
        if (self && self->pendingExpiry_ && !self->isProcessingCard_)
            self->expireAndEnd();
    };
    if (!container) {
        restore();
        return;
    }
    View::animateAlpha(container, 0, kStepMs,
                       [self, container = QPointer<QWidget>(container), restore](bool) {
                           if (container) {
                               container->hide();
                               View::setTag(container, 0);
                               container->deleteLater();
                           }
                           restore();
                       });
}

void DeviceController::changeUserMessage(const QString& message) {
    Logging::info(tarvelloUi, QStringLiteral("changeUserMessage: ") + message);
    userMessageStr_ = message;
    if (isProcessingCard_)
        return;
    QFontMetrics metrics(userMessage_->font());
    const int width = std::max(1, userMessage_->width());
    const int height =
        metrics.boundingRect(QRect(0, 0, width, INT_MAX / 2), Qt::TextWordWrap, message).height();
    QPointer<DeviceController> self(this);
    View::animateAlpha(userMessage_, 0, kStepMs, [self](bool) {
        if (!self)
            return;
        if (!self->isProcessingCard_) {
            self->setBarButtonsEnabled(true);
            self->navigationItem()->setHidesBackButton(false);
        }
        self->userMessage_->setTextFormat(Qt::PlainText);
        self->userMessage_->setText(self->userMessageStr_);
        self->userMessage_->show();
        View::animateAlpha(self->userMessage_, 1, kStepMs);
    });
    transformTranslucentViewWithHeight(height + 34);
}

void DeviceController::changeUserAttributedMessage(const QString& message) {
    Logging::info(tarvelloUi, QStringLiteral("changeUserAttributedMessage: ") + message);
    QLabel probe;
    probe.setTextFormat(Qt::RichText);
    probe.setWordWrap(true);
    probe.setText(message);
    const int width = std::max(1, userMessage_->width());
    const int height = probe.heightForWidth(width);
    QPointer<DeviceController> self(this);
    View::animateAlpha(userMessage_, 0, kStepMs, [self, message](bool) {
        if (!self)
            return;
        self->userMessage_->setTextFormat(Qt::RichText);
        self->userMessage_->setText(message);
        self->userMessage_->show();
        View::animateAlpha(self->userMessage_, 1, kStepMs);
    });
    transformTranslucentViewWithHeight(std::max(0, height) + 34);
}

void DeviceController::transformTranslucentViewWithHeight(double height) {
    // Room for the contactless button while it shows or fades.
    if (!enableNFCButton_->isHidden() || View::alpha(enableNFCButton_) > 0)
        height += 44;
    const double from = translucentHeight_ > 0 ? translucentHeight_ : translucent_->height();
    translucentHeight_ = height;
    QPointer<QWidget> panel(translucent_);
    Clock::current().animate(kPanelMs, translucent_, [panel, from, height](double p) {
        if (panel)
            panel->setFixedHeight(int(from + (height - from) * p));
    });
}

void DeviceController::showBatteryCharging(float charge, bool charging) {
    batteryIndicator_->show();
    batteryLowIndicator_->hide();
    if (blink_) {
        Clock::current().cancel(blink_);
        blink_ = 0;
    }
    QString name;
    const double level = charge;
    if (charging) {
        name = QStringLiteral("battery_charging_icn");
    } else if (level <= 0.25) {
        name = QStringLiteral("battery_low_icn");
        batteryLowIndicator_->show();
        View::setAlpha(batteryLowIndicator_, 1);
        blinkLowBatteryIndicator(false);
    } else if (level <= 0.75) {
        name = QStringLiteral("battery_medium_icn");
    } else {
        name = QStringLiteral("battery_full_icn");
    }
    batteryIndicator_->setObjectName(QStringLiteral("batteryIndicator"));
    batteryIndicator_->setProperty("imageName", name);
    const auto images = Services::images();
    batteryIndicator_->setImage(images ? images->imageNamed(name, true) : QImage());
}

void DeviceController::blinkLowBatteryIndicator(bool visible) {
    QPointer<DeviceController> self(this);
    blink_ = Clock::current().callAfter(kBlinkMs, batteryLowIndicator_, [self, visible] {
        if (!self)
            return;
        self->blink_ = 0;
        View::setAlpha(self->batteryLowIndicator_, visible ? 1 : 0);
        self->blinkLowBatteryIndicator(!visible);
    });
}

bool DeviceController::isBlinking() const {
    return blink_ != 0 && Clock::current().isActive(blink_);
}

void DeviceController::hideBatteryIndicator() {
    if (batteryIndicator_)
        batteryIndicator_->hide();
    if (batteryLowIndicator_)
        batteryLowIndicator_->hide();
    if (blink_)
        Clock::current().cancel(blink_);
    blink_ = 0;
}

// ---------------------------------------------------------------- sending

void DeviceController::savePaymentEncrypting(bool encryptExpiry) {
    std::shared_ptr<CreditCard> card = sale_ ? sale_->creditCard() : nullptr;
    if (encryptExpiry && card && !expiryEncrypted_) {
        TarvelloError error;
        const QString token = user_ ? user_->token() : User::instance().token();
        if (!card->encryptCardDataWithKey(token, false, false, true, &error)) {
            // Nothing is sent without the encrypted expiry.
            refuse(FunctionCode::SavePayment,
                   {{"response", QVariantMap{{"code", 0},
                                             {"message", error.description.isEmpty()
                                                             ? text("GlobalTexts", "connError")
                                                             : error.description}}}});
            return;
        }
        expiryEncrypted_ = true;
    }
    processSale();
}

void DeviceController::send(Endpoint endpoint) {
    if (!sale_)
        return;
    User& user = User::instance();
    if (endpoint == Endpoint::OperationStatus) {
        auto* request = new ScreenRequest(this, this);
        request->client().operationStatus(true, sale_->saleId(), user.userId(), user.token());
        return;
    }
    ScreenRequest::sendOperation(
        this, this,
        endpoint == Endpoint::RegisterSale ? ScreenRequest::Operation::Registration
                                           : ScreenRequest::Operation::ForTrxType,
        sale_, user_ ? user_->userId() : user.userId(), user_ ? user_->token() : user.token());
}

void DeviceController::processSale() {
    send(Endpoint::ForTrxType);
}

void DeviceController::payInCash() {
    setBarButtonsEnabled(false);
    cancelReaders();
    if (sale_ && sale_->creditCard())
        sale_->creditCard()->setTransactionType(QString(""));
    displayLoadingIndicator();
    if (!sale_)
        return;
    sale_->setPaidWithCreditCard(false);
    send(Endpoint::RegisterSale);
}

// ---------------------------------------------------------------- answers

bool DeviceController::apiDidFinishDownloadingWithDictionary(
    int code, const std::optional<QVariantMap>& dictionary) {
    hideLoadingIndicator();
    setBarButtonsEnabled(true);
    const QVariantMap reply = dictionary.value_or(QVariantMap());
    if (code == FunctionCode::SavePayment || code == FunctionCode::MakeRefund ||
        code == FunctionCode::MakeAnnulation) {
        handleSaleAnswer(code, reply);
        return true;
    }
    if (code == FunctionCode::OperationCompletion) {
        if (reply.value(QStringLiteral("success")).toString() == QLatin1String("OK")) {
            approve();
            return true;
        }
        if (!active_)
            return true;
        hideLoadingIndicator();
        const QVariantMap response = reply.value(QStringLiteral("response")).toMap();
        TarvelloError error = TarvelloError::sdk(0, text("GlobalTexts", "connError"));
        if (response.contains(QStringLiteral("message")))
            error.description = textOf(response.value(QStringLiteral("message")));
        apiDidFailWithError(error, code);
    }
    return true;
}

void DeviceController::handleSaleAnswer(int code, const QVariantMap& reply) {
    const bool ok = reply.value(QStringLiteral("success")).toString() == QLatin1String("OK");
    if (!ok) {
        if (!active_)
            return;
        if (!reply.contains(QStringLiteral("response"))) {
            apiDidFailWithError(TarvelloError::sdk(0, text("GlobalTexts", "connError")), code);
            return;
        }
        const QVariantMap response = reply.value(QStringLiteral("response")).toMap();
        const int reason = response.value(QStringLiteral("code")).toInt();
        if (code == FunctionCode::SavePayment && reason == 723)
            offerForcedTransaction(textOf(response.value(QStringLiteral("message"))));
        else if (code == FunctionCode::SavePayment && reason == 806)
            accountLimitStop();
        else
            refuse(code, reply);
        return;
    }
    LogRedaction::log(
        QString::fromUtf8(QJsonDocument::fromVariant(reply).toJson(QJsonDocument::Compact)));
    Sale& sale = *sale_;
    sale.setJson(reply);
    if (hasKey(reply, QStringLiteral("totalAmount")))
        sale.setSubtotal(
            Amount::initWithDouble(reply.value(QStringLiteral("totalAmount")).toDouble()));
    if (reply.contains(QStringLiteral("refundId")))
        sale.setSaleId(QString::number(reply.value(QStringLiteral("refundId")).toLongLong()));
    else
        sale.setSaleId(QString::number(reply.value(QStringLiteral("id")).toLongLong()));
    if (reply.contains(QStringLiteral("id")))
        sale.setSaleId(reply.value(QStringLiteral("id")));
    if (reply.contains(QStringLiteral("trxId")))
        sale.setTrxId(textOf(reply.value(QStringLiteral("trxId"))));
    if (reply.contains(QStringLiteral("referenceNumber")))
        sale.setReferenceNumber(textOf(reply.value(QStringLiteral("referenceNumber"))));
    if (reply.contains(QStringLiteral("authorizationCode")))
        sale.setAuthorizationCode(textOf(reply.value(QStringLiteral("authorizationCode"))));
    if (reply.contains(QStringLiteral("buyer")))
        buyerDic_ = reply.value(QStringLiteral("buyer")).toMap();
    if (reply.contains(QStringLiteral("potentialBuyers")))
        potentialBuyers_ = reply.value(QStringLiteral("potentialBuyers")).toList();
    if (reply.contains(QStringLiteral("authenticationType")))
        sale.setAuthenticationType(textOf(reply.value(QStringLiteral("authenticationType"))));
    if (reply.contains(QStringLiteral("payment"))) {
        const QVariantMap payment = reply.value(QStringLiteral("payment")).toMap();
        if (!sale.creditCard())
            sale.setCreditCard(std::make_shared<CreditCard>());
        CreditCard& card = *sale.creditCard();
        if (payment.contains(QStringLiteral("cardHolderName")))
            card.setName(textOf(payment.value(QStringLiteral("cardHolderName"))));
        if (payment.contains(QStringLiteral("cardNumber")))
            card.setNumber(textOf(payment.value(QStringLiteral("cardNumber"))));
        if (payment.value(QStringLiteral("last4Numbers")).typeId() == QMetaType::QString)
            card.setNumberLast4(payment.value(QStringLiteral("last4Numbers")).toString());
        if (payment.contains(QStringLiteral("issuerImageUrl")))
            card.setBankImageURL(textOf(payment.value(QStringLiteral("issuerImageUrl"))));
    }
    if (reply.contains(QStringLiteral("sdk")))
        sale.setCustomResponse(reply.value(QStringLiteral("sdk")).toMap());
    sale.setJson(reply);
    if (sale.trxType() == 1 || !sale.paidWithCreditCard())
        approve();
    else
        send(Endpoint::OperationStatus);
}

void DeviceController::approve() {
    if (sale_)
        sale_->sold();
    paymentApproved();
}

void DeviceController::offerForcedTransaction(const QString& message) {
    auto* alert = new SystemAlert(QString(), message);
    QPointer<DeviceController> self(this);
    alert->addAction(text("GlobalTexts", "cancel"), SystemAlertAction::Cancel, [self](auto*) {
        if (!self)
            return;
        self->forceTransaction_ = nullptr;
        Sale::sharedSale().cleanSale();
        if (self->flowEndDelegate()) {
            self->endFlow(TarvelloError::sdk(kUserCanceled, QStringLiteral("User canceled")));
            return;
        }
        if (NavigationController* navigation = self->navigationController())
            navigation->popViewControllerAnimated(true);
    });
    alert->addAction(text("GlobalTexts", "forceTransaction"), SystemAlertAction::Default,
                     [self](auto*) {
                         if (!self)
                             return;
                         self->forceTransaction_ = nullptr;
                         if (self->sale_)
                             self->sale_->setForce(true);
                         self->savePaymentEncrypting(false);
                     });
    forceTransaction_ = alert;
    presentViewController(alert, true);
}

void DeviceController::accountLimitStop() {
    const bool sameSale = sale_.get() == &Sale::sharedSale();
    if (sale_ && !sameSale)
        sale_->cleanSale();
    Sale::sharedSale().cleanSale();
    auto* alert =
        AlertController::alertControllerWithTitle(text("AccountType", "limitExcededAlertTitle"),
                                                  text("AccountType", "limitExcededAlertMessage"));
    alert->setAlertType(1);
    alert->addAction(AlertAction::actionWithTitle(text("AccountType", "professionalAccount"), 0,
                                                  [](AlertAction*) {}));
    alert->addAction(AlertAction::actionWithTitle(
        text("AccountType", "limitExcededAlertKeepCurrentAccount"), 1, {}));
    Window* window = this->window();
    if (flowEndDelegate()) {
        // The sheet closes with the refusal; the alert shows over the host's screen.
        const QString message = text("AccountType", "limitExcededAlertTitle");
        QPointer<Window> windowGuard(window);
        QPointer<AlertController> alertGuard(alert);
        endFlow(TarvelloError::sdk(kDenied, message));
        if (window) {
            alert->setParent(window); // freed with the window if it never shows
            Clock::current().callAfter(ViewController::kTransitionMs + 50, window,
                                       [windowGuard, alertGuard] {
                                           if (!windowGuard || !alertGuard)
                                               return;
                                           ViewController* top = windowGuard->rootViewController();
                                           while (top && top->presentedViewController())
                                               top = top->presentedViewController();
                                           if (top)
                                               top->presentViewController(alertGuard, true);
                                       });
        } else {
            delete alert;
        }
        return;
    }
    ViewController* top = this;
    if (NavigationController* navigation = navigationController()) {
        navigation->popToRootViewControllerAnimated(true);
        top = navigation;
    }
    top->presentViewController(alert, true);
}

void DeviceController::refuse(int code, const QVariantMap& reply) {
    (void)code;
    hideLoadingIndicator();
    const QString message =
        textOf(reply.value(QStringLiteral("response")).toMap().value(QStringLiteral("message")));
    if (!DSpreadViewController::retryOnDenied() && flowEndDelegate()) {
        isProcessingCard_ = false;
        endFlow(TarvelloError::sdk(kDenied, message));
        return;
    }
    auto* alert = new SystemAlert(QString(), message);
    QPointer<DeviceController> self(this);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Cancel, [self](auto*) {
        if (self && self->a19_)
            self->a19_->failedTransaction();
    });
    presentViewController(alert, true);
    if (settings_ && settings_->manualEntry() && sale_ && sale_->manualEntry() &&
        swipeErrorCounter_ >= settings_->maxSwipeErrors())
        setBarButtonsEnabled(true);
    isProcessingCard_ = false;
    cancelProcessing([self] {
        if (self && self->a19_)
            self->a19_->resetPos();
    });
}

void DeviceController::apiDidFailWithError(const TarvelloError& error, int code) {
    (void)code;
    setBarButtonsEnabled(true);
    hideLoadingIndicator();
    if (!active_)
        return;
    const QString message =
        error.description.isEmpty() ? text("GlobalTexts", "connError") : error.description;
    auto* alert = new SystemAlert(QString(), message);
    QPointer<DeviceController> self(this);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default, [self](auto*) {
        if (!self)
            return;
        if (NavigationController* navigation = self->navigationController();
            navigation && navigation->viewControllers().size() > 1)
            navigation->popViewControllerAnimated(true);
        else
            self->backToSale();
    });
    presentViewController(alert, true);
}

bool DeviceController::sessionExpired() {
    if (isProcessingCard_) {
        pendingExpiry_ = true;
        return true;
    }
    expireAndEnd();
    return true;
}

bool DeviceController::sessionExpiredFromTimer() {
    return sessionExpired();
}

void DeviceController::expireAndEnd() {
    pendingExpiry_ = false;
    LoginHelper().expireSession();
    endFlow(TarvelloError::sdk(kSessionExpired, text("GlobalTexts", "sessionExpired")));
}

void DeviceController::endFlow(std::optional<TarvelloError> error) {
    if (handedOver_)
        return;
    FlowEndDelegate* end = flowEndDelegate();
    if (!end)
        return;
    handedOver_ = true;
    end->canceled(std::move(error));
}

void DeviceController::optionButtonTouched() {
    performSegueWithIdentifier(QStringLiteral("enterCardSegue"), this);
}

void DeviceController::handOver(bool payment) {
    if (handedOver_)
        return;
    FlowEndDelegate* end = flowEndDelegate();
    if (!end) {
        if (payment)
            performSegueWithIdentifier(QStringLiteral("gotoPrintReceiptSegueNoClients"), this);
        return;
    }
    handedOver_ = true;
    if (payment)
        end->paymentDone(sale_);
    else
        end->operationDone(sale_);
}

void DeviceController::readerCardAccepted() {
    cardWasAccepted_ = true;
    // The reader controller decides on the signature and hands the operation on.
    if (a19_)
        a19_->DSpread_CardAccepted();
    else
        handOver(!sale_ || sale_->trxType() == 0);
}

void DeviceController::readerCompleteTransaction() {
    if (a19_)
        a19_->completeTransaction();
}

void DeviceController::goSendReceipt() {
    handOver(true);
}

void DeviceController::refundDone() {
    handOver(false);
}

void DeviceController::readerDemoDismissed() {
    qInfo("DISMISSED");
    backToSale();
}

// ---------------------------------------------------------------- installments, security code

void DeviceController::installmentsSelection(const QVariantMap& institution, bool isDebitCard,
                                             bool allowCustomInstallment) {
    const QString key =
        isDebitCard ? QStringLiteral("bankAccountTypes") : QStringLiteral("installments");
    const int mode = isDebitCard ? 1 : 0;
    if (sale_ && sale_->creditCard())
        sale_->creditCard()->setBankImageURL(textOf(institution.value(QStringLiteral("imageUrl"))));
    ViewController* screen = Storyboard::instantiate(
        QStringLiteral("Installments"), QStringLiteral("InstallmentsSelectionViewController"));
    auto* receiver = dynamic_cast<InstallmentsSelectionReceiver*>(screen);
    if (!receiver) {
        delete screen;
        cancelInstallmentPicker();
        return;
    }
    QPointer<DeviceController> self(this);
    receiver->setSelection(
        institution.value(key), sale_ ? sale_->creditCard() : nullptr, mode, allowCustomInstallment,
        [self, institution, isDebitCard](ViewController*, std::shared_ptr<Installment> chosen) {
            if (!self)
                return;
            if (!chosen) {
                self->cancelInstallmentPicker();
                return;
            }
            int count = chosen->number();
            Sale& sale = *self->sale_;
            if (isDebitCard) {
                sale.setBankId(chosen->identifier());
                // The plan of one payment when offered, else the lowest count.
                const QVariantMap plans = institution.value(QStringLiteral("installments")).toMap();
                QString pick;
                if (plans.contains(QStringLiteral("1"))) {
                    pick = QStringLiteral("1");
                } else {
                    long long lowest = LLONG_MAX;
                    for (auto it = plans.cbegin(); it != plans.cend(); ++it) {
                        bool ok = false;
                        const long long n = it.key().toLongLong(&ok);
                        if (ok && n < lowest) {
                            lowest = n;
                            pick = it.key();
                        }
                    }
                    if (pick.isEmpty() && !plans.isEmpty())
                        pick = plans.firstKey();
                }
                if (!pick.isEmpty())
                    sale.setInstallmentId(
                        textOf(plans.value(pick).toMap().value(QStringLiteral("installmentId"))));
                count = 1;
            } else {
                sale.setInstallmentId(
                    !chosen->identifier().isNull()
                        ? chosen->identifier()
                        : textOf(institution.value(QStringLiteral("installmentId"))));
            }
            sale.setPaymentMethodName(chosen->name());
            if (sale.creditCard())
                sale.creditCard()->setInstallments(count);
            self->additionalCardInformation(institution);
        });
    auto* navigation = new NavigationController(screen);
    navigation->setModalPresentationStyle(
        ViewController::ModalPresentationStyle::OverCurrentContext);
    presentViewController(navigation, true);
}

void DeviceController::additionalCardInformation(const QVariantMap& institution) {
    const int digits = textOf(institution.value(QStringLiteral("securityCodeLength"))).toInt();
    if (digits > 0)
        askSecurityCode(digits);
    else
        processPayment();
}

void DeviceController::askSecurityCode(int digits) {
    SingleInputConfigurators steps;
    steps << SingleInputConfigurator::withImage(
        Bundle::load(QStringLiteral("card_confirm_icon.png")),
        QStringLiteral("Ingresá el número de CVV de la tarjeta"), digits, QStringLiteral("cvv2"),
        true, SingleInputConfigurator::kNumberPad);
    QPointer<DeviceController> self(this);
    SingleInputViewController::present(
        true, steps, std::nullopt, this, true,
        [self](SingleInputViewController* input) {
            if (self)
                self->confirmSecurityCodeCancel(input);
        },
        [self](SingleInputViewController* first, const QVariantMap& parameters) {
            if (first)
                first->dismissViewControllerAnimated(true);
            if (!self || !self->sale_ || !self->sale_->creditCard())
                return;
            CreditCard& card = *self->sale_->creditCard();
            card.setCvv2(parameters.value(QStringLiteral("cvv2")).toString());
            TarvelloError error;
            if (!card.encryptCardDataWithKey(User::instance().token(), false, true, false,
                                             &error)) {
                card.setCvv2(QString(""));
                self->refuse(FunctionCode::SavePayment,
                             {{"response",
                               QVariantMap{{"code", 0},
                                           {"message", error.description.isEmpty()
                                                           ? self->text("GlobalTexts", "connError")
                                                           : error.description}}}});
                return;
            }
            card.setIdNumber(parameters.value(QStringLiteral("id")).toString());
            self->processPayment();
        });
}

void DeviceController::confirmSecurityCodeCancel(ViewController* input) {
    const bool refund = sale_ && sale_->trxType() == 2;
    auto capital = [](const QString& word) {
        return word.isEmpty() ? word : word.left(1).toUpper() + word.mid(1).toLower();
    };
    auto* alert = new SystemAlert(refund ? text("SaleDetails", "cancelRefundAlertTitle")
                                         : text("SaleDetails", "cancelSaleAlertTitle"),
                                  refund ? text("SaleDetails", "cancelRefundAlertMessage")
                                         : text("SaleDetails", "cancelSaleAlertMessage"));
    QPointer<DeviceController> self(this);
    QPointer<ViewController> inputGuard(input);
    alert->addAction(capital(text("GlobalTexts", "YES")), SystemAlertAction::Default,
                     [self, inputGuard](auto*) {
                         auto leave = [self] {
                             if (!self)
                                 return;
                             Sale::sharedSale().cleanSale();
                             if (self->flowEndDelegate())
                                 self->endFlow(TarvelloError::sdk(kUserCanceled,
                                                                  QStringLiteral("User canceled")));
                             else
                                 self->cancelSale();
                         };
                         if (auto* single = qobject_cast<SingleInputViewController*>(inputGuard))
                             single->setOnCancel({});
                         if (inputGuard)
                             inputGuard->dismissViewControllerAnimated(true, leave);
                         else
                             leave();
                     });
    alert->addAction(capital(text("GlobalTexts", "NO")), SystemAlertAction::Default);
    ViewController* over = input ? input : this;
    while (over->presentedViewController())
        over = over->presentedViewController();
    over->presentViewController(alert, true);
}

void DeviceController::processPayment() {
    const QString type =
        sale_ && sale_->creditCard() ? sale_->creditCard()->transactionType() : QString();
    // The reader controller sends chip and contactless operations itself.
    if (type == QLatin1String("emv")) {
        if (a19_)
            a19_->processEMVSale();
        return;
    }
    if (type == QLatin1String("nfc_emv")) {
        if (a19_)
            a19_->processNFCSale();
        return;
    }
    processingCardWith(true);
    send(Endpoint::ForTrxType);
}

void DeviceController::forceInstallmentsFailed() {
    hideLoadingIndicator();
    const QString message = QStringLiteral("La cantidad de cuotas seleccionada no está disponible");
    if (!DSpreadViewController::retryOnDenied()) {
        endFlow(TarvelloError::sdk(kDenied, message));
        return;
    }
    auto* alert = new SystemAlert(QString(), message);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
    presentViewController(alert, true);
    if (a19_)
        a19_->resetPos();
}

void DeviceController::showInstallmentsPicker(const QVariantMap& institution) {
    if (installmentsPicker_)
        return;
    ViewController* picker =
        Storyboard::instantiate(QStringLiteral("Payment"), QStringLiteral("InstallmentsPicker"));
    if (!picker)
        return;
    installmentsPicker_ = picker;
    picker->setProperty("selectedInstitution", institution);
    if (sale_ && hasKey(institution, QStringLiteral("installmentId")))
        sale_->setInstallmentId(textOf(institution.value(QStringLiteral("installmentId"))));
    if (auto* receiver = dynamic_cast<SaleReceiver*>(picker))
        receiver->setSale(sale_);
    addChildViewController(picker);
    const int width = view()->width();
    const int height = view()->height();
    QWidget* pickerView = picker->view();
    pickerView->setParent(view());
    View::setFrame(pickerView, QRect(0, height, width, height - 64));
    picker->beginAppearanceTransition(true, false);
    pickerView->show();
    pickerView->raise();
    QPointer<DeviceController> self(this);
    QPointer<QWidget> moving(pickerView);
    Clock::current().animate(
        200, this,
        [moving, height, width](double p) {
            if (moving)
                View::setFrame(moving, QRect(0, int(height * (1 - p)), width, height - 64));
        },
        [self, moving, width, height](bool) {
            if (!self || !self->installmentsPicker_)
                return;
            if (NavigationController* navigation = self->navigationController())
                navigation->setNavigationBarHidden(true, false);
            auto* bar = new QWidget(self->view());
            bar->setObjectName(QStringLiteral("installmentsPickerNavBar"));
            View::setBackgroundColor(bar, QColor(245, 245, 245));
            View::setFrame(bar, QRect(0, 0, width, 64));
            auto* cancel = new QPushButton(self->text("GlobalTexts", "cancel"), bar);
            cancel->setObjectName(QStringLiteral("installmentsPickerCancel"));
            cancel->setFlat(true);
            View::setFrame(cancel, QRect(8, 20, 90, 44));
            connect(cancel, &QPushButton::clicked, self, [self] {
                if (self)
                    self->cancelInstallmentPicker();
            });
            auto* title = new QLabel(self->text("InstallmentsPicker", "title"), bar);
            title->setAlignment(Qt::AlignCenter);
            View::setFrame(title, QRect(100, 20, std::max(0, width - 200), 44));
            bar->show();
            bar->raise();
            self->installmentsPickerNavBar_ = bar;
            if (moving)
                View::setFrame(moving, QRect(0, 64, width, height - 64));
            self->installmentsPicker_->endAppearanceTransition();
        });
}

void DeviceController::closeInstallmentPicker() {
    ViewController* picker = installmentsPicker_;
    if (picker)
        picker->beginAppearanceTransition(false, true);
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(false, false);
    if (installmentsPickerNavBar_)
        installmentsPickerNavBar_->deleteLater();
    installmentsPickerNavBar_ = nullptr;
    if (!picker)
        return;
    installmentsPicker_ = nullptr;
    QPointer<ViewController> guard(picker);
    QPointer<QWidget> moving(picker->view());
    const QRect start(QPoint(0, 0), moving->size());
    View::setFrame(moving, start);
    Clock::current().animate(
        200, this,
        [moving, start](double p) {
            if (moving)
                View::setFrame(moving, start.translated(0, int(start.height() * p)));
        },
        [guard, moving](bool) {
            if (!guard)
                return;
            if (moving)
                moving->hide();
            guard->endAppearanceTransition();
            guard->removeFromParentViewController();
            guard->deleteLater();
        });
}

void DeviceController::cancelInstallmentPicker() {
    closeInstallmentPicker();
    QPointer<DeviceController> self(this);
    cancelProcessing([self] {
        if (!self)
            return;
        if (self->a19_)
            self->a19_->restartTransaction();
        auto right = self->navigationItem()->rightBarButtonItems();
        for (auto& item : right)
            item.enabled = true;
        self->navigationItem()->setRightBarButtonItems(right);
    });
}

void DeviceController::pickedInstallment() {
    closeInstallmentPicker();
    readerCompleteTransaction();
}

// ---------------------------------------------------------------- segues

void DeviceController::prepareForSegue(StoryboardSegue& segue, QObject* sender) {
    (void)sender;
    ViewController* destination = segue.destinationViewController();
    auto* receiver = dynamic_cast<SaleReceiver*>(destination);
    if (!sale_ || !destination)
        return;
    const QString id = segue.identifier();
    if (id == QLatin1String("gotoPrintReceiptSegueNoClients")) {
        if (receiver)
            receiver->setSale(Sale::initWithSale(*sale_));
    } else if (id == QLatin1String("enterPinSegue")) {
        if (receiver)
            receiver->setSale(sale_);
        destination->setProperty("potentialBuyers", potentialBuyers_);
    } else if (id == QLatin1String("signatureSegue")) {
        if (sale_->trxType() == 0)
            destination->setProperty("buyerDic", buyerDic_);
        if (receiver)
            receiver->setSale(Sale::initWithSale(*sale_));
    } else if (id == QLatin1String("refundReceiptSegue")) {
        destination->setProperty("refundId", sale_->saleId());
        destination->setProperty("emailAddress", sale_->email().value_or(QString()));
        destination->setProperty("referenceNumber", sale_->referenceNumber());
        destination->setProperty("refund", sale_->total()->doubleValue());
        destination->setProperty("transactionType", sale_->trxType());
        if (receiver)
            receiver->setSale(sale_);
    }
}
