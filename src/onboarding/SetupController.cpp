#include "onboarding/SetupController.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "catalog/CatalogLook.h"
#include "onboarding/LoginTransitionCoordinator.h"
#include "onboarding/OnboardingLook.h"
#include "onboarding/SplashScreenController.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "ui_kit/HelpCard.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QString setupText(const char* key) {
    return CatalogLook::text(QStringLiteral("Setup"), QString::fromLatin1(key));
}

constexpr int kCardTag = 1000;
constexpr int kPageTag = 10;

} // namespace

SetupController::SetupController(QObject* parent)
    : ViewController(parent)
    , features_{{"clients", "clientsLabel", "clientsDesc"},
                {"catalog", "catalogLabel", "catalogDesc"},
                {"tips", "tipsLabel", "tipsDesc"},
                {"subusers", "subusersLabel", "subusersDesc"}} {}

SetupController::~SetupController() {
    delete container_.data();
}

QWidget* SetupController::loadView() {
    auto* root = new QWidget();
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QWidget(root);
    bar->setFixedHeight(44);
    navBar_ = new QLabel(bar);
    navBar_->setObjectName(QStringLiteral("navBar"));
    navBar_->setAlignment(Qt::AlignCenter);
    navBar_->setGeometry(60, 0, 200, 44);
    navBar_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Medium"), 17));
    doneButton_ = new QPushButton(bar);
    doneButton_->setObjectName(QStringLiteral("doneButton"));
    doneButton_->setFlat(true);
    doneButton_->setGeometry(250, 7, 64, 30);
    connect(doneButton_, &QPushButton::clicked, this, [this] { done(); });
    column->addWidget(bar);
    auto* scroll = new QScrollArea(root);
    scroll->setObjectName(QStringLiteral("scrollView"));
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget();
    content->setFixedSize(320, 480);
    headerLabel_ = new QLabel(content);
    headerLabel_->setObjectName(QStringLiteral("headerLabel"));
    headerLabel_->setWordWrap(true);
    headerLabel_->setAlignment(Qt::AlignCenter);
    headerLabel_->setGeometry(20, 4, 280, 44);
    for (int i = 0; i < 4; ++i) {
        Feature& f = features_[i];
        auto* block = new QWidget(content);
        block->setGeometry(0, 52 + i * 105, 320, 105);
        const QString name = QString::fromLatin1(f.name);
        f.titleLabel = new QLabel(block);
        f.titleLabel->setObjectName(name + QStringLiteral("Title"));
        f.titleLabel->setGeometry(15, 5, 230, 24);
        f.titleLabel->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Medium"), 16));
        f.descLabel = new QLabel(block);
        f.descLabel->setObjectName(name == QLatin1String("tips") ? QStringLiteral("tipsDescription")
                                                                 : name + QStringLiteral("Desc"));
        f.descLabel->setGeometry(15, 30, 230, 40);
        f.descLabel->setWordWrap(true);
        f.button = new QPushButton(block);
        f.button->setObjectName(name + QStringLiteral("Button"));
        f.button->setFlat(true);
        connect(f.button, &QPushButton::clicked, this,
                [this, i] { moreInfo(features_[i].button); });
        f.toggle = new QCheckBox(block);
        f.toggle->setObjectName(name + QStringLiteral("Switch"));
        f.toggle->setGeometry(260, 8, 50, 30);
    }
    scroll->setWidget(content);
    column->addWidget(scroll);
    return root;
}

void SetupController::viewDidLoad() {
    const QColor theme = CatalogLook::mainColor();
    for (Feature& f : features_) {
        CatalogLook::setTextColor(f.titleLabel, theme);
        f.button->setStyleSheet(QStringLiteral("color: %1; border: none;").arg(theme.name()));
    }
    doneButton_->setStyleSheet(QStringLiteral("color: %1; border: none;").arg(theme.name()));
    OnboardingLook::setPatternBackground(view());
}

void SetupController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    headerLabel_->setText(setupText("headerLabel"));
    navBar_->setText(setupText("titleBar"));
    doneButton_->setText(CatalogLook::text("GlobalTexts", "done"));
    for (Feature& f : features_) {
        f.titleLabel->setText(setupText(f.title));
        f.descLabel->setText(setupText(f.desc));
        f.button->setText(setupText("moreInfo"));
    }
    for (Feature& f : features_) {
        const auto rect = Language::rectForFile(QStringLiteral("Setup"),
                                                QString::fromLatin1(f.name) + "MoreInfo");
        if (rect)
            f.button->setGeometry(*rect);
    }
}

void SetupController::done() {
    if (sending_)
        return;
    sending_ = true;
    displayLoadingIndicator();
    auto* client = new APIController(this);
    client->setDelegate(this);
    User& user = User::instance();
    client->updateSetupSettingsWithUserId(
        user.userId(), user.token(), features_[0].toggle->isChecked(),
        features_[1].toggle->isChecked(), features_[2].toggle->isChecked(),
        features_[3].toggle->isChecked());
}

bool SetupController::apiDidFinishDownloadingWithDictionary(
    int functionName, const std::optional<QVariantMap>& dictionary) {
    const QVariant success = dictionary.value_or(QVariantMap()).value(QStringLiteral("success"));
    if (success.typeId() != QMetaType::QString || success.toString() != QLatin1String("OK")) {
        apiDidFailWithError(TarvelloError(), functionName);
        return true;
    }
    sending_ = false;
    if (features_[1].toggle->isChecked()) {
        UserDefaults& store = UserDefaults::standardUserDefaults();
        store.setObject(QStringLiteral("Catalog"), QStringLiteral("lastMode"));
        store.synchronize();
    }
    hideLoadingIndicator();
    finishSetup();
    return true;
}

void SetupController::finishSetup() {
    // The screens presented on the way here go, the last with animation; the chain is looked
    // up before anything is dismissed, and a missing link is skipped.
    QPointer<ViewController> chain[7];
    chain[0] = this;
    for (int i = 1; i < 7; ++i)
        chain[i] = chain[i - 1] ? chain[i - 1]->presentingViewController() : nullptr;
    const auto dismiss = [](const QPointer<ViewController>& screen, bool animated) {
        if (screen)
            screen->dismissViewControllerAnimated(animated);
    };
    QPointer<Window> window = this->window();
    if (qobject_cast<NavigationController*>(chain[4].data())) {
        auto* navigation = static_cast<NavigationController*>(chain[4].data());
        navigation->popToRootViewControllerAnimated(false);
        for (int i = 0; i < 3; ++i)
            dismiss(chain[i], false);
        dismiss(chain[3], true);
        return;
    }
    for (int i = 0; i < 4; ++i)
        dismiss(chain[i], false);
    if (qobject_cast<SplashScreenController*>(chain[5].data())) {
        // The splash comes back and checks the session again.
        dismiss(chain[4], true);
        return;
    }
    dismiss(chain[4], false);
    dismiss(chain[5], false);
    dismiss(chain[6], true);
    // No splash below: the session is loaded, so the merchant goes on to the main view.
    if (window && !qobject_cast<SplashScreenController*>(window->rootViewController()))
        LoginTransitionCoordinator().transitionToMainView();
}

void SetupController::apiDidFailWithError(const TarvelloError& error, int functionName) {
    Q_UNUSED(error);
    Q_UNUSED(functionName);
    sending_ = false;
    hideLoadingIndicator();
    auto* alert = SystemAlert::alertControllerWithTitle(
        QString(""), CatalogLook::text("GlobalTexts", "connError"));
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
    presentViewController(alert, true);
}

QWidget* SetupController::makePage(QWidget* card, int page) const {
    auto* scroll = new QWidget(card);
    View::setTag(scroll, kPageTag);
    scroll->setObjectName(QStringLiteral("helpPage"));
    const int cardHeight = card->height();
    scroll->setGeometry(10, 84, 280, cardHeight - 122);
    const QImage image = CatalogLook::image(helpDic_.images.value(page));
    auto* picture = new QLabel(scroll);
    picture->setObjectName(QStringLiteral("helpImage"));
    picture->setPixmap(QPixmap::fromImage(image));
    picture->setGeometry(10, 15, 260, image.height());
    auto* text = new QLabel(scroll);
    text->setObjectName(QStringLiteral("helpText"));
    text->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 16));
    CatalogLook::setTextColor(text, QColor::fromRgbF(0.4f, 0.4f, 0.4f));
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    text->setWordWrap(true);
    text->setText(helpDic_.texts.value(page).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    text->setGeometry(10, image.height() + 35, 260, text->heightForWidth(260));
    return scroll;
}

void SetupController::moreInfo(QPushButton* sender) {
    if (moreInfoDisplayed_ || container_)
        return;
    helpDicPage_ = 0;
    const Feature* feature = nullptr;
    for (const Feature& f : features_)
        if (f.button == sender)
            feature = &f;
    if (!feature)
        return;
    const auto help =
        Language::helpForFile(QStringLiteral("Setup"), QString::fromLatin1(feature->name) + "Help");
    if (!help || help->texts.isEmpty())
        return;
    helpDic_ = *help;
    helpTitle_ = setupText(feature->title);
    Window* window = this->window();
    QWidget* host = window ? window->widget() : view()->window();
    const int H = Device::current().screenSize().height();
    container_ = new QWidget(host);
    container_->setObjectName(QStringLiteral("moreInfoContainer"));
    container_->setGeometry(host->rect());
    container_->setFocusPolicy(Qt::StrongFocus);
    View::setAlpha(container_, 0);
    auto* dim = new QWidget(container_);
    dim->setGeometry(container_->rect());
    View::setBackgroundColor(dim, QColor(0, 0, 0, 204));
    card_ = new QWidget(container_);
    card_->setObjectName(QStringLiteral("moreInfoCard"));
    View::setTag(card_, kCardTag);
    card_->setGeometry(10, 10 - H, 300, H - 20);
    View::setBackgroundColor(card_, Qt::white);
    View::setCornerRadius(card_, 5);
    auto* pattern = new QWidget(card_);
    pattern->setGeometry(0, 0, 300, H - 20);
    OnboardingLook::setPatternBackground(pattern);
    auto* closeImage = new QLabel(card_);
    closeImage->setPixmap(QPixmap::fromImage(CatalogLook::image(QStringLiteral("close.png"))));
    closeImage->setGeometry(268, 10, 22, 22);
    auto* close = new QPushButton(card_);
    close->setObjectName(QStringLiteral("closeMoreInfo"));
    close->setFlat(true);
    close->setGeometry(263, 5, 32, 32);
    connect(close, &QPushButton::clicked, this, [this] { closeMoreInfo(); });
    auto* title = new QLabel(card_);
    title->setObjectName(QStringLiteral("helpTitle"));
    title->setGeometry(0, 30, 300, 35);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 22));
    CatalogLook::setTextColor(title, CatalogLook::mainColor());
    title->setText(helpTitle_);
    auto* line = new QLabel(card_);
    line->setPixmap(QPixmap::fromImage(CatalogLook::image(QStringLiteral("line_pixel.png"))));
    line->setScaledContents(true);
    line->setGeometry(10, 75, 280, 1);
    makePage(card_, 0);
    const int pages = int(helpDic_.texts.size());
    const int firstX = pages >= 3 ? 126 : 136;
    for (int i = 0; i < std::min(pages, 3); ++i) {
        auto* dot = new QLabel(card_);
        dot->setObjectName(QStringLiteral("helpDot%1").arg(i + 1));
        View::setTag(dot, 101 + i);
        dot->setScaledContents(true);
        dot->setGeometry(firstX + 20 * i, card_->height() - 18, 8, 8);
    }
    updateDots();
    container_->installEventFilter(this);
    container_->show();
    container_->raise();
    container_->setFocus();
    QPointer<QWidget> overlay = container_;
    Clock::current().animate(
        kFadeInMs, container_,
        [overlay](double p) {
            if (overlay)
                View::setAlpha(overlay, p);
        },
        [this, overlay, H](bool finished) {
            if (!finished || !overlay)
                return;
            Application::setStatusBarHidden(true);
            QPointer<QWidget> card = card_;
            Clock::current().animate(
                kSlideMs, overlay,
                [card, H](double p) {
                    if (card)
                        card->move(10, int(10 - H + H * p));
                },
                [this, overlay](bool done) {
                    if (done && overlay)
                        moreInfoDisplayed_ = true;
                });
        });
}

void SetupController::updateDots() {
    if (!card_)
        return;
    for (int i = 0; i < 3; ++i)
        if (auto* dot = qobject_cast<QLabel*>(View::viewWithTag(card_, 101 + i)))
            dot->setPixmap(QPixmap::fromImage(
                CatalogLook::image(helpDicPage_ == i ? QStringLiteral("slide_help_selected.png")
                                                     : QStringLiteral("slide_help.png"))));
}

void SetupController::nextPageHelp() {
    turnHelpPage(true);
}

void SetupController::previousPageHelp() {
    turnHelpPage(false);
}

void SetupController::turnHelpPage(bool forward) {
    if (moreInfoDisplayed_ && HelpCard::turn(helpDicPage_, int(helpDic_.texts.size()), forward))
        redrawMoreInfo(forward);
}

void SetupController::redrawMoreInfo(bool forward) {
    if (!card_)
        return;
    QWidget* oldPage = View::viewWithTag(card_, kPageTag);
    if (oldPage)
        View::setTag(oldPage, 0);
    QWidget* newPage = makePage(card_, helpDicPage_);
    newPage->show();
    updateDots();
    HelpCard::slide(card_, oldPage, newPage, forward, kPageMs, pageAnimation_);
}

void SetupController::closeMoreInfo() {
    if (!container_)
        return;
    Application::setStatusBarHidden(false);
    HelpCard::fadeOut(container_, kCloseMs, [self = QPointer<SetupController>(this)] {
        if (self)
            self->moreInfoDisplayed_ = false;
    });
}

bool SetupController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == container_) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Right)
                nextPageHelp();
            else if (key == Qt::Key_Left)
                previousPageHelp();
            else if (key == Qt::Key_Escape)
                closeMoreInfo();
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress) {
            pressAt_ = static_cast<QMouseEvent*>(event)->position().toPoint();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const int dx =
                static_cast<QMouseEvent*>(event)->position().toPoint().x() - pressAt_.x();
            // A swipe to the left shows the next page.
            if (dx < -40)
                nextPageHelp();
            else if (dx > 40)
                previousPageHelp();
        }
    }
    return ViewController::eventFilter(watched, event);
}
