#include "payment/flow/PaymentViewController.h"

#include "SDK/session/AccountSettings.h"
#include "model/Sale.h"
#include "model/values/Currency.h"
#include "platform/core/Logging.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"
#include "ui_kit/Extensions/Resize.h"
#include "ui_kit/TutorialHint.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/ViewAnimation.h"

#include <QGridLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QString keypadText(const char* section, const char* key) {
    return UIKitSupport::text(QLatin1String(section), QLatin1String(key));
}

const QColor kChargeColor = QColor::fromRgbF(0, 65 / 255.0, 101 / 255.0, 1);
constexpr const char* kBlinking = "tarvelloBlinking";
constexpr int kDescriptionRightMargin = 9;
constexpr int kDescriptionHeight = 44;

bool sameItem(const ItemList& items, const ItemPtr& item) {
    return std::any_of(items.begin(), items.end(),
                       [&](const ItemPtr& line) { return line && line->isEqual(*item); });
}

// A key's background from the bundle, stretched over the key.
void setKeyBackground(QPushButton* key, const char* image) {
    UIKitSupport::bundleImage(QLatin1String(image)); // registers the bundle's resources
    key->setStyleSheet(QStringLiteral("QPushButton { border-image: url(:/images/%1) 0 0 0 0 "
                                      "stretch stretch; color: rgba(51,51,51,255); }")
                           .arg(QLatin1String(image)));
}

} // namespace

PaymentViewController::PaymentViewController(QObject* parent)
    : ViewController(parent) {}

PaymentViewController::~PaymentViewController() {
    SessionTimer::instance().removeDelegate(this);
    if (tutorialNavBar_)
        tutorialNavBar_->setDelegate(nullptr);
    // The overlay and the step bar live over the navigation controller's view.
    delete tutorialView_.data();
    delete tutorialNavBar_.data();
}

QPushButton* PaymentViewController::makeKey(QWidget* parent, const QString& title,
                                            const char* name) {
    auto* key = new QPushButton(title, parent);
    key->setObjectName(QLatin1String(name));
    key->setFont(QFont(QStringLiteral("Helvetica Neue"), 26, QFont::Light));
    key->setMinimumHeight(44);
    key->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    keys_.append(key);
    return key;
}

QWidget* PaymentViewController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("PaymentViewController"));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // The item card: erase, amount, add.
    itemView_ = new QWidget(root);
    itemView_->setObjectName(QStringLiteral("itemView"));
    itemView_->setMinimumHeight(130);
    eraseArea_ = new QWidget(itemView_);
    eraseArea_->setObjectName(QStringLiteral("eraseArea"));
    eraseAmountButton_ = new ImageView(eraseArea_);
    eraseAmountButton_->setObjectName(QStringLiteral("eraseAmountButton"));
    eraseAmountButton_->setContentMode(ImageView::ContentMode::Center);
    eraseAmountButton_->setImageNamed(QStringLiteral("close.png"));
    eraseAmountButtonArea_ = new QPushButton(eraseArea_);
    eraseAmountButtonArea_->setObjectName(QStringLiteral("eraseAmountButtonArea"));
    eraseAmountButtonArea_->setFlat(true);
    eraseAmountButtonArea_->setStyleSheet(QStringLiteral("background: transparent; border: 0;"));
    amount_ = new QLabel(itemView_);
    amount_->setObjectName(QStringLiteral("amount"));
    amount_->setAlignment(Qt::AlignCenter);
    amount_->setFont(QFont(QStringLiteral("Helvetica Neue"), 40, QFont::Light));
    itemListButtonArea_ = new QPushButton(itemView_);
    itemListButtonArea_->setObjectName(QStringLiteral("itemListButtonArea"));
    itemListButtonArea_->setFlat(true);
    column->addWidget(itemView_, 1);

    // The middle band: picture, description, charge button.
    centerView_ = new QWidget(root);
    centerView_->setObjectName(QStringLiteral("centerView"));
    itemPictureBorder_ = new QWidget(centerView_);
    itemPictureBorder_->setObjectName(QStringLiteral("itemPictureBorder"));
    itemPictureBorder_->setStyleSheet(
        QStringLiteral("#itemPictureBorder { border: 1px solid rgb(200,200,200); }"));
    itemPicture_ = new ImageView(centerView_);
    itemPicture_->setObjectName(QStringLiteral("itemPicture"));
    itemPicture_->setContentMode(ImageView::ContentMode::ScaleAspectFill);
    itemPictureImage_ = new ImageView(centerView_);
    itemPictureImage_->setObjectName(QStringLiteral("itemPictureImage"));
    itemPictureButton_ = new QPushButton(centerView_);
    itemPictureButton_->setObjectName(QStringLiteral("itemPictureButton"));
    itemPictureButton_->setFlat(true);
    itemPictureButton_->setStyleSheet(QStringLiteral("border: 0; background: transparent;"));
    itemDescription_ = new TextField(centerView_);
    itemDescription_->setObjectName(QStringLiteral("itemDescription"));
    itemDescription_->setFrame(false);
    itemDescription_->setFont(QFont(QStringLiteral("Helvetica Neue"), 17));
    itemDescription_->setFocusPolicy(Qt::ClickFocus);
    auto* separator = new QWidget(centerView_);
    separator->setObjectName(QStringLiteral("separator"));
    View::setBackgroundColor(separator, QColor(220, 220, 220));
    collectButton_ = new QPushButton(centerView_);
    collectButton_->setObjectName(QStringLiteral("collectButton"));
    collectButton_->setFont(QFont(QStringLiteral("Helvetica Neue"), 20));
    column->addWidget(centerView_);

    // The keypad band, with the guide's highlights over four keys.
    bottomView_ = new QWidget(root);
    bottomView_->setObjectName(QStringLiteral("bottomView"));
    auto* grid = new QGridLayout(bottomView_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    static const char* names[] = {"button1", "button2", "button3", "button4", "button5",
                                  "button6", "button7", "button8", "button9"};
    for (int d = 1; d <= 9; ++d)
        grid->addWidget(makeKey(bottomView_, QString::number(d), names[d - 1]), (d - 1) / 3,
                        (d - 1) % 3);
    grid->addWidget(makeKey(bottomView_, QStringLiteral("00"), "buttonLeftCorner"), 3, 0);
    grid->addWidget(makeKey(bottomView_, QStringLiteral("0"), "button0"), 3, 1);
    QPushButton* backspace = makeKey(bottomView_, QString(), "buttonRightCorner");
    grid->addWidget(backspace, 3, 2);
    // Four rows of keys, 54 points each.
    bottomView_->setFixedHeight(216);
    column->addWidget(bottomView_);
    auto highlight = [this](const char* name) {
        auto* view = new QWidget(bottomView_);
        view->setObjectName(QLatin1String(name));
        view->setAttribute(Qt::WA_TransparentForMouseEvents);
        view->setStyleSheet(
            QStringLiteral("#%1 { background: rgba(0,65,101,90); }").arg(QLatin1String(name)));
        View::setAlpha(view, 0);
        return view;
    };
    tutorialButton2_ = highlight("tutorialButton2");
    tutorialButton5_ = highlight("tutorialButton5");
    tutorialButton00_ = highlight("tutorialButton00");
    tutorialButtonErase_ = highlight("tutorialButtonErase");
    tutorialButtonErase_->hide();

    for (QPushButton* key : keys_) {
        if (key == backspace)
            connect(key, &QPushButton::clicked, this, [this] { eraseLastDigit(); });
        else
            connect(key, &QPushButton::clicked, this, [this, key] { addDigitButton(key); });
    }
    connect(eraseAmountButtonArea_, &QPushButton::clicked, this, [this] { eraseAmount(); });
    connect(itemPictureButton_, &QPushButton::clicked, this, [this] { showActionSheet(); });
    connect(collectButton_, &QPushButton::clicked, this, [this] { gotoCollect(); });
    connect(itemListButtonArea_, &QPushButton::clicked, this, [this] { editList(); });
    itemDescription_->setDelegate(this);
    return root;
}

void PaymentViewController::viewDidLoad() {
    ViewController::viewDidLoad();
    itemListButtonArea_->setStyleSheet(
        QStringLiteral("QPushButton:checked, QPushButton:pressed { color: white; }"));
    Clock::current().callAfter(kStatusBarDelayMs, this, [this] { showStatusBar(); });
    UserDefaults& store = UserDefaults::standardUserDefaults();
    store.setObject(QStringLiteral("Amount"), QStringLiteral("lastMode"));
    store.synchronize();
    View::setCornerRadius(itemPicture_, 2);

    newCurrentItem();
    amount_->setText(currentItem_->product()->price()->getAmount());

    settings_ = &AccountSettings::instance();
    if (!settings_->tutorialAmount()) {
        // The welcome overlay over the whole navigation.
        QWidget* host = navigationController() ? navigationController()->view() : view();
        tutorialView_ = new QWidget(host);
        tutorialView_->setObjectName(QStringLiteral("tutorialView"));
        tutorialView_->setAutoFillBackground(true);
        View::setBackgroundColor(tutorialView_, Qt::white);
        auto* column = new QVBoxLayout(tutorialView_);
        column->setContentsMargins(24, 0, 24, 40);
        auto* bar = new QHBoxLayout();
        ommitButton_ = new QPushButton(keypadText("GlobalTexts", "ommit"), tutorialView_);
        ommitButton_->setObjectName(QStringLiteral("ommitTutorial"));
        ommitButton_->setFlat(true);
        tutorialNavItem_ = new QLabel(keypadText("Tutorial", "userGuide"), tutorialView_);
        tutorialNavItem_->setObjectName(QStringLiteral("tutorialNavItem"));
        tutorialNavItem_->setAlignment(Qt::AlignCenter);
        tutorialNavItem_->setFont(QFont(QStringLiteral("Helvetica Neue"), 17, QFont::Medium));
        bar->addWidget(ommitButton_);
        bar->addWidget(tutorialNavItem_, 1);
        bar->addSpacing(ommitButton_->sizeHint().width());
        column->addLayout(bar);
        column->addStretch(1);
        welcomeLabel_ = new QLabel(keypadText("Tutorial", "welcome"), tutorialView_);
        welcomeLabel_->setObjectName(QStringLiteral("welcomeLabel"));
        welcomeLabel_->setAlignment(Qt::AlignCenter);
        welcomeLabel_->setFont(QFont(QStringLiteral("Helvetica Neue"), 30, QFont::Light));
        welcomeText_ = new QLabel(keypadText("Tutorial", "welcomeText"), tutorialView_);
        welcomeText_->setObjectName(QStringLiteral("welcomeText"));
        welcomeText_->setAlignment(Qt::AlignCenter);
        welcomeText_->setWordWrap(true);
        startTutorial_ = new QPushButton(keypadText("Tutorial", "startTutorial"), tutorialView_);
        startTutorial_->setObjectName(QStringLiteral("startTutorial"));
        startTutorial_->setMinimumHeight(50);
        startTutorial_->setStyleSheet(
            QStringLiteral("QPushButton { background: %1; color: white; border: 0; }")
                .arg(UIKitSupport::mainColor().name()));
        column->addWidget(welcomeLabel_);
        column->addWidget(welcomeText_);
        column->addSpacing(24);
        column->addWidget(startTutorial_);
        column->addStretch(1);
        tutorialView_->setGeometry(0, 0, host->width(), host->height());
        tutorialView_->show();
        tutorialView_->raise();
        connect(startTutorial_, &QPushButton::clicked, this, [this] { tutorialStart(); });
        connect(ommitButton_, &QPushButton::clicked, this, [this] { ommitTutorial(); });
    } else {
        tutorialStep_ = 0;
    }

    navigationItem()->setRightBarButtonItems({});
    currency_ = Currency::instance();
    itemPictureImage_->hide();
    clearPicture();
    itemPictureButton_->setEnabled(false);
    moveDescription(24);
    for (QPushButton* key : keys_) {
        const QString name = key->objectName();
        const char* image = "keyboard3_white.png";
        if (name == "button1" || name == "button4" || name == "button7" ||
            name == "buttonLeftCorner")
            image = "keyboard1_white.png";
        else if (name == "button2" || name == "button5" || name == "button8" || name == "button0")
            image = "keyboard2_white.png";
        setKeyBackground(key, image);
    }
    if (QPushButton* backspace = keys_.last()) {
        backspace->setIcon(QIcon(QPixmap::fromImage(
            UIKitSupport::tinted(UIKitSupport::bundleImage(QStringLiteral("backspace_white.png")),
                                 QColor::fromRgbF(0.2, 0.2, 0.2)))));
        backspace->setIconSize(QSize(33, 24));
    }
    itemDescription_->setStyleSheet(
        QStringLiteral("selection-background-color: %1;").arg(UIKitSupport::mainColor().name()));
    View::setBackgroundColor(view(), Qt::white);
    View::setBackgroundColor(itemView_, Qt::white);
    layoutIfNeeded();
}

void PaymentViewController::refreshNavigationBar() {
    // The bar shows the top screen's items as they were when it came on top.
    NavigationController* navigation = navigationController();
    if (navigation && navigation->topViewController() == this)
        navigation->setViewControllers(navigation->viewControllers(), false);
}

void PaymentViewController::setMenuEnabled(bool enabled) {
    menuEnabled_ = enabled;
    BarButtonItem menu;
    menu.objectName = QStringLiteral("menuButton");
    menu.icon = QIcon(QPixmap::fromImage(AccountSettings::instance().menuButtonPicture()));
    QPointer<PaymentViewController> self(this);
    menu.action = [self] {
        if (self)
            self->revealMenu();
    };
    menu.enabled = enabled;
    navigationItem()->setLeftBarButtonItem(menu);
    refreshNavigationBar();
}

void PaymentViewController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    setMenuEnabled(menuEnabled_);
    // The line goes into the sale from the bar, where the guide's fourth step points.
    QPointer<PaymentViewController> self(this);
    BarButtonItem add;
    add.title = QStringLiteral("+");
    add.objectName = QStringLiteral("addItemButton");
    add.action = [self] {
        if (self)
            self->addItem();
    };
    navigationItem()->setRightBarButtonItem(add);
    const bool compact = Device::current().screenSize().height() <= 480;
    descriptionBottomMargin_ = compact ? 12 : 20;
    paymentButtonHeight_ = compact ? 44 : 54;
    separatorBottom_ = compact ? 0 : 8;
    separatorTop_ = compact ? 10 : 16;
    navigationItem()->setBackBarButtonTitle(keypadText("GlobalTexts", "back"));
    itemDescription_->setPlaceholderText(keypadText("Payment", "addDescription"));
    collectButton_->setText(keypadText("Payment", "collect"));
    itemListButtonArea_->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; border: 0; } QPushButton:pressed { color: "
                       "rgba(0,65,101,102); } QPushButton:disabled { color: rgb(180,180,180); }")
            .arg(UIKitSupport::mainColor().name()));

    sale_ = std::shared_ptr<Sale>(std::shared_ptr<Sale>(), &Sale::sharedSale());
    sale_->setCurrencyCode(currency_->code());
    // The sale starts empty on the first appearance and after a payment; coming back from the
    // picture picker or the payment-method screen keeps its lines.
    if (!appearedOnce_)
        sale_->cleanSale();
    else if (handedOn_ && sale_->items().empty())
        resetForNextSale(); // the payment's end emptied the sale it was handed
    appearedOnce_ = true;
    navigationItem()->setTitle(keypadText("Menu", "enterAmount"));
    setTitle(navigationItem()->title());
    updateTotalAmount();
    layoutIfNeeded();
    refreshNavigationBar();
}

void PaymentViewController::viewDidAppear(bool animated) {
    ViewController::viewDidAppear(animated);
    SessionTimer::instance().setDelegate(this);
}

void PaymentViewController::viewWillDisappear(bool animated) {
    ViewController::viewWillDisappear(animated);
    if (itemDescription_->isFirstResponder())
        textFieldShouldReturn(itemDescription_);
    if (tutorialHint_ || tutorialNavBar_)
        removeTutorialViews();
}

void PaymentViewController::moveDescription(int x) {
    descriptionX_ = x;
    if (isViewLoaded())
        viewDidLayoutSubviews();
}

void PaymentViewController::viewDidLayoutSubviews() {
    const int width = view()->width();
    eraseArea_->setGeometry(8, 8, 44, 44);
    eraseAmountButton_->setGeometry(0, 0, 44, 44);
    eraseAmountButtonArea_->setGeometry(0, 0, 44, 44);
    const int cardHeight = itemView_->height();
    amount_->setGeometry(52, std::max(20, cardHeight / 2 - 50), std::max(0, width - 104), 70);
    itemListButtonArea_->setGeometry(16, amount_->y() + 72, std::max(0, width - 32), 28);

    const int pictureWidth = itemPictureButton_->isEnabled() ? 44 : 12;
    itemPictureButton_->setGeometry(12, 8, pictureWidth, kDescriptionHeight);
    itemPicture_->setGeometry(15, 10, 40, 40);
    itemPictureBorder_->setGeometry(13, 8, 44, 44);
    itemPictureImage_->setGeometry(22, 18, 24, 24);
    itemDescription_->setGeometry(descriptionX_, 8,
                                  std::max(0, width - descriptionX_ - kDescriptionRightMargin),
                                  kDescriptionHeight);
    int y = 8 + kDescriptionHeight + int(separatorTop_);
    if (QWidget* separator = centerView_->findChild<QWidget*>(QStringLiteral("separator")))
        separator->setGeometry(0, y, width, 1);
    y += 1 + int(separatorBottom_);
    collectButton_->setGeometry(16, y, std::max(0, width - 32), int(paymentButtonHeight_));
    centerView_->setFixedHeight(y + int(paymentButtonHeight_) + int(descriptionBottomMargin_));
    placeHighlights();
    if (tutorialView_ && tutorialView_->parentWidget() && tutorialView_->y() == 0)
        tutorialView_->resize(tutorialView_->parentWidget()->size());
}

void PaymentViewController::placeHighlights() {
    auto over = [this](QWidget* highlight, const char* keyName) {
        if (auto* key = bottomView_->findChild<QPushButton*>(QLatin1String(keyName)))
            highlight->setGeometry(key->geometry());
        highlight->raise();
    };
    over(tutorialButton2_, "button2");
    over(tutorialButton5_, "button5");
    over(tutorialButton00_, "buttonLeftCorner");
    over(tutorialButtonErase_, "buttonRightCorner");
}

QRect PaymentViewController::changeY(double y, const QRect& frame) {
    QRect moved = frame;
    moved.moveTop(int(y));
    return moved;
}

void PaymentViewController::showStatusBar() {
    Application::setStatusBarHidden(false, false);
}

// ---------------------------------------------------------------- keypad

void PaymentViewController::addDigitButton(QPushButton* key) {
    if (!key)
        return;
    auto typed = Amount::initWithDouble(currentItem_->product()->price()->doubleValue());
    qCDebug(tarvelloUi) << QStringLiteral("Current Price: %1 \n Digit to Add %2")
                               .arg(typed->doubleValue(), 0, 'f', 6)
                               .arg(key->text());
    amount_->setText(typed->addDigit(key->text()));
    currentItem_->product()->setPrice(Amount::initWithDecimal(typed->amountNumber()));
    updateTotalAmount();
    applyTutorialKeyRules();
}

void PaymentViewController::eraseLastDigit() {
    auto typed = Amount::initWithDouble(currentItem_->product()->price()->doubleValue());
    amount_->setText(typed->removeLastDigit());
    currentItem_->product()->setPrice(Amount::initWithDecimal(typed->amountNumber()));
    updateTotalAmount();
    applyTutorialBackspaceRules();
}

void PaymentViewController::applyTutorialKeyRules() {
    const double v = currentItem_->product()->price()->doubleValue();
    if ((tutorialStep_ == 1 && v == 25) || (tutorialStep_ == 5 && v == 2)) {
        tutorialNextStep();
        tutorialButton00_->hide();
        return;
    }
    if (tutorialStep_ != 1)
        return;
    const float f = float(v);
    if (f > 0.01f && f <= 0.02f) {
        tutorialButton2_->hide();
        blink(tutorialButton5_);
    } else if (f > 0.24f && f <= 0.25f) {
        tutorialButton5_->hide();
        blink(tutorialButton00_);
    } else {
        tutorialButton2_->hide();
        tutorialButton5_->hide();
        tutorialButton00_->hide();
        if (tutorialButtonErase_->isHidden()) {
            tutorialButtonErase_->show();
            blink(tutorialButtonErase_);
        }
    }
}

void PaymentViewController::applyTutorialBackspaceRules() {
    if (tutorialStep_ != 1)
        return;
    const float f = float(currentItem_->product()->price()->doubleValue());
    QWidget* next = nullptr;
    if (f == 0)
        next = tutorialButton2_;
    else if (f > 0.01f && f <= 0.02f)
        next = tutorialButton5_;
    else if (f > 0.24f && f <= 0.25f)
        next = tutorialButton00_;
    if (!next)
        return;
    tutorialButtonErase_->hide();
    next->show();
    blink(next);
}

void PaymentViewController::blink(QWidget* highlight) {
    // One blinking cycle chain per highlight, however often it is asked for.
    if (!highlight || highlight->property(kBlinking).toBool())
        return;
    highlight->setProperty(kBlinking, true);
    showNumberButtonHint(highlight);
}

void PaymentViewController::showNumberButtonHint(QWidget* view) {
    if (!view)
        return;
    if (view->isHidden()) {
        view->setProperty(kBlinking, false);
        return;
    }
    view->setProperty(kBlinking, true);
    QPointer<PaymentViewController> self(this);
    QPointer<QWidget> guard(view);
    View::animateAlpha(view, View::alpha(view) == 0 ? 0.75 : 0, kBlinkMs,
                       [self, guard](bool finished) {
                           if (!self || !guard)
                               return;
                           if (!finished) {
                               guard->setProperty(kBlinking, false);
                               return;
                           }
                           self->showNumberButtonHint(guard);
                       });
}

// ---------------------------------------------------------------- lines

void PaymentViewController::newCurrentItem() {
    currentItem_ = Item::init();
}

void PaymentViewController::clearPicture() {
    itemPictureBorder_->hide();
    itemPicture_->setImage(QImage());
}

void PaymentViewController::updateTotalAmount() {
    if (!sale_ || !currentItem_)
        return;
    if (!sameItem(sale_->items(), currentItem_))
        sale_->addItem(currentItem_);
    itemListButtonArea_->setText(currency_ ? currency_->name() : QString());
    if (AccountSettings::instance().currencies().size() == 1)
        itemListButtonArea_->setEnabled(false);
    if (sameItem(sale_->items(), currentItem_))
        sale_->removeItems({currentItem_});
    collectButton_->setEnabled(true);
    collectButton_->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; border: 0; } "
                       "QPushButton:disabled { color: rgba(255,255,255,178); }")
            .arg(kChargeColor.name()));
}

void PaymentViewController::addCurrentItemToSale() {
    const ProductPtr product = currentItem_->product();
    product->setImage(itemPicture_->image());
    product->setName(itemDescription_->text());
    // A line with nothing typed (no amount, description or picture) is not a sale line.
    if (product->price()->doubleValue() == 0 && product->name().isEmpty() &&
        product->image().isNull())
        return;
    if (!sameItem(sale_->items(), currentItem_))
        sale_->addItem(currentItem_);
}

void PaymentViewController::addItem() {
    if (itemDescription_->isFirstResponder())
        textFieldShouldReturn(itemDescription_);
    const ProductPtr product = currentItem_->product();
    if (product->price()->doubleValue() == 0 && itemDescription_->text().isEmpty()) {
        showAlert(keypadText("Payment", "emptyFields"));
        return;
    }
    addCurrentItemToSale();
    newCurrentItem();
    amount_->setText(Amount::initWithDouble(0)->resetAmount());
    itemDescription_->setText(QString());
    moveDescription(63);
    clearPicture();
    updateTotalAmount();
    if (tutorialStep_ == 4)
        tutorialNextStep();
}

void PaymentViewController::eraseAmount() {
    newCurrentItem();
    amount_->setText(Amount::initWithDouble(0)->resetAmount());
    itemDescription_->setText(QString());
    clearPicture();
    updateTotalAmount();
    // The card turns over: its contents fade out and back in.
    View::setAlpha(itemView_, 0.2);
    View::animateAlpha(itemView_, 1, kFlipMs);
}

void PaymentViewController::resetForNextSale() {
    sale_ = std::shared_ptr<Sale>(std::shared_ptr<Sale>(), &Sale::sharedSale());
    sale_->cleanSale();
    handedOn_ = false;
    newCurrentItem();
    amount_->setText(currentItem_->product()->price()->getAmount());
    itemDescription_->setText(QString());
    clearPicture();
    updateTotalAmount();
}

void PaymentViewController::showAlert(const QString& message) {
    auto* alert = SystemAlert::alertControllerWithTitle(QString(), message);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Cancel);
    presentViewController(alert, true);
}

// ---------------------------------------------------------------- picture

void PaymentViewController::showActionSheet() {
    if (itemDescription_->isFirstResponder())
        textFieldShouldReturn(itemDescription_);
    std::shared_ptr<ImageSource> source = Services::imageSource();
    if (!source)
        return;
    QPointer<PaymentViewController> self(this);
    auto chosen = [self](const QImage& image) {
        if (!self)
            return;
        if (image.isNull())
            self->pickerClosed();
        else
            self->pictureChosen(image);
    };
    if (!source->isCameraAvailable()) {
        source->pickImage(view(), chosen);
        return;
    }
    auto* sheet = SystemAlert::alertControllerWithTitle(QString(), QString(),
                                                        SystemAlert::Style::ActionSheet);
    sheet->addAction(keypadText("GlobalTexts", "selectFromAlbum"), SystemAlertAction::Default,
                     [self, source, chosen](SystemAlertAction*) {
                         if (self)
                             source->pickImage(self->view(), chosen);
                     });
    sheet->addAction(keypadText("GlobalTexts", "takePicture"), SystemAlertAction::Default,
                     [self, source, chosen](SystemAlertAction*) {
                         if (self)
                             source->takePicture(self->view(), chosen);
                     });
    sheet->addAction(keypadText("GlobalTexts", "cancel"), SystemAlertAction::Cancel,
                     [self](SystemAlertAction*) {
                         if (self && self->tutorialStep_ == 3)
                             self->tutorialNextStep();
                     });
    presentViewController(sheet, true);
}

void PaymentViewController::pictureChosen(const QImage& image) {
    itemPicture_->setImage(Resize::scaleToSize(image, QSizeF(300, 300)));
    itemPictureBorder_->show();
    itemPictureButton_->setIcon(QIcon());
    moveDescription(73);
    pickerClosed();
}

void PaymentViewController::pickerClosed() {
    if (tutorialStep_ == 3)
        tutorialNextStep();
}

// ---------------------------------------------------------------- charge and currency

void PaymentViewController::gotoCollect() {
    if (tutorialStep_ == 6 && tutorialHint_)
        tutorialHint_->hideHint();
    const bool nothingTyped = currentItem_->product()->price()->doubleValue() == 0;
    if (nothingTyped && sale_->items().empty()) {
        showAlert(keypadText("Payment", "emptyFields"));
        return;
    }
    performSegueWithIdentifier(QStringLiteral("goPaySegue"), this);
}

void PaymentViewController::prepareForSegue(StoryboardSegue&, QObject*) {
    addCurrentItemToSale();
    handedOn_ = true;
}

void PaymentViewController::editList() {
    const QVariantList currencies = AccountSettings::instance().currencies();
    QString language = AccountSettings::instance().appLanguage();
    if (language.isEmpty())
        language = QStringLiteral("es");
    auto* sheet = SystemAlert::alertControllerWithTitle(keypadText("Payment", "selectCoin"),
                                                        QString(), SystemAlert::Style::ActionSheet);
    QPointer<PaymentViewController> self(this);
    for (int i = 0; i < currencies.size(); ++i)
        sheet->addAction(currencies.at(i).toMap().value(language).toString(),
                         SystemAlertAction::Default, [self, i](SystemAlertAction*) {
                             if (self)
                                 self->chooseCurrency(i);
                         });
    sheet->addAction(keypadText("GlobalTexts", "cancel"), SystemAlertAction::Cancel);
    presentViewController(sheet, true);
}

void PaymentViewController::chooseCurrency(int index) {
    const QVariantList currencies = AccountSettings::instance().currencies();
    if (index < 0 || index >= currencies.size())
        return;
    QString language = AccountSettings::instance().appLanguage();
    if (language.isEmpty())
        language = QStringLiteral("es");
    const QVariantMap entry = currencies.at(index).toMap();
    const QString name = entry.value(language).toString();
    const QString code = entry.value(QStringLiteral("code")).toString();
    itemListButtonArea_->setText(name);
    sale_->setCurrencyCode(code);
    currency_->setCurrencyFormat(entry.value(QStringLiteral("symbol")).toString(), code, name);
    currentItem_->product()->setCurrencyCode(code);
    amount_->setText(
        Amount::initWithDouble(currentItem_->product()->price()->doubleValue())->getAmount());
    UserDefaults& store = UserDefaults::standardUserDefaults();
    store.setObject(QVariantMap{{QStringLiteral("format"), currency_->format()},
                                {QStringLiteral("name"), currency_->name()},
                                {QStringLiteral("code"), currency_->code()}},
                    QStringLiteral("defaultCurrency"));
    store.synchronize();
}

void PaymentViewController::backgroundTouched() {
    textFieldShouldReturn(itemDescription_);
}

void PaymentViewController::revealMenu() {
    showSlidingMenu();
}

bool PaymentViewController::textFieldShouldReturn(TextField* field) {
    if (field != itemDescription_)
        return true;
    field->resignFirstResponder();
    currentItem_->product()->setName(field->text());
    if (tutorialStep_ == 2)
        tutorialNextStep();
    return true;
}

// ---------------------------------------------------------------- guide

void PaymentViewController::ommitTutorial() {
    if (!tutorialView_)
        return;
    QPointer<QWidget> overlay(tutorialView_);
    ViewAnimation()
        .origin(tutorialView_, QPoint(0, -tutorialView_->height()))
        .start(tutorialView_, kOverlaySlideMs, [overlay](bool) {
            if (overlay)
                View::removeFromSuperview(overlay);
        });
}

void PaymentViewController::dimEraseArea() {
    if (tutorialHint_)
        tutorialHint_->reduceAlphasInView(eraseArea_, {});
}

void PaymentViewController::tutorialStart() {
    ommitTutorial();
    tutorialHint_ = TutorialHint::initHint(
        TutorialHint::ArrowDown, keypadText("Tutorial", "enterAmount"),
        QPoint(30, view()->height() - 220), view(), {bottomView_.data(), itemView_.data()});
    tutorialStep_ = 1;
    dimEraseArea();
    blink(tutorialButton2_);
    QWidget* barHost = navigationController() ? navigationController()->view() : view();
    tutorialNavBar_ =
        TutorialNavBar::initWithStep(1, keypadText("Tutorial", "saleDetails"), barHost, 0, false);
    tutorialNavBar_->setDelegate(this);
}

void PaymentViewController::tutorialNextStep() {
    if (tutorialHint_)
        tutorialHint_->hideHint();
    ++tutorialStep_;
    const QPoint descriptionPoint(30, itemDescription_->y() + centerView_->y());
    switch (tutorialStep_) {
    case 2:
        tutorialHint_ = TutorialHint::initHint(TutorialHint::ArrowDown,
                                               keypadText("Tutorial", "enterDescription"),
                                               descriptionPoint, view(), {centerView_.data()});
        tutorialHint_->reduceAlphasInView(centerView_, {itemDescription_.data()});
        break;
    case 3:
        // The step waits for a picture: the picture button works while it lasts.
        itemPictureButton_->setEnabled(true);
        tutorialHint_ = TutorialHint::initHint(TutorialHint::ArrowLeftDown,
                                               keypadText("Tutorial", "addPicture"),
                                               descriptionPoint, view(), {centerView_.data()});
        tutorialHint_->reduceAlphasInView(
            centerView_,
            {itemPicture_.data(), itemPictureImage_.data(), itemPictureButton_.data()});
        break;
    case 4:
        itemPictureButton_->setEnabled(false);
        tutorialHint_ =
            TutorialHint::initHint(TutorialHint::ArrowRightUp, keypadText("Tutorial", "addItem"),
                                   QPoint(40, 69), view(), {});
        if (tutorialNavBar_)
            tutorialNavBar_->close(false);
        setMenuEnabled(false);
        break;
    case 5:
        tutorialHint_ = TutorialHint::initHint(
            TutorialHint::ArrowDown, keypadText("Tutorial", "enterAmount2"),
            QPoint(30, view()->height() - 220), view(), {bottomView_.data(), itemView_.data()});
        setMenuEnabled(true);
        dimEraseArea();
        if (tutorialNavBar_)
            tutorialNavBar_->show();
        break;
    case 6:
        tutorialHint_ = TutorialHint::initHint(
            TutorialHint::ArrowDown, keypadText("Tutorial", "gotoCollect"),
            QPoint(30, collectButton_->y() + centerView_->y() - 5), view(), {centerView_.data()});
        tutorialHint_->reduceAlphasInView(centerView_, {collectButton_.data()});
        if (tutorialNavBar_) {
            tutorialNavBar_->setDelegate(nullptr);
            tutorialNavBar_->close(true);
        }
        break;
    default:
        break;
    }
}

void PaymentViewController::removeTutorialViews() {
    if (tutorialHint_)
        tutorialHint_->hideHint();
    if (tutorialNavBar_) {
        tutorialNavBar_->setDelegate(nullptr);
        tutorialNavBar_->close(true);
    }
}

void PaymentViewController::cancelTutorial() {
    auto* alert =
        SystemAlert::alertControllerWithTitle(QString(""), keypadText("Tutorial", "cancelAlert"));
    QPointer<PaymentViewController> self(this);
    alert->addAction(keypadText("Tutorial", "noContinue"), SystemAlertAction::Cancel);
    alert->addAction(keypadText("Tutorial", "yesOmmit"), SystemAlertAction::Default,
                     [self](SystemAlertAction*) {
                         if (!self)
                             return;
                         self->removeTutorialViews();
                         AccountSettings::instance().tutorialCancelled();
                         // A skipped guide ends: no later step shows and no key blinks.
                         self->tutorialStep_ = 0;
                         for (QWidget* highlight :
                              {self->tutorialButton2_.data(), self->tutorialButton5_.data(),
                               self->tutorialButton00_.data(), self->tutorialButtonErase_.data()})
                             highlight->hide();
                         self->itemPictureButton_->setEnabled(false);
                         self->setMenuEnabled(true);
                     });
    cancelTutorialAlert_ = alert;
    presentViewController(alert, true);
}
