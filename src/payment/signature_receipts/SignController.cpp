#include "payment/signature_receipts/SignController.h"

#include "SDK/session/AccountSettings.h"
#include "SDK/session/User.h"
#include "model/CreditCard.h"
#include "model/Item.h"
#include "model/Sale.h"
#include "payment/SaleEntryScreens.h"
#include "payment/signature_receipts/FlowSteps.h"
#include "payment/signature_receipts/SendReceiptDataController.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "ui_kit/ImageDownloader.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/ViewAnimation.h"
#include "ui_kit/texts/Language.h"
#include "ui_kit/texts/TextFormatter.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QToolButton>
#include <array>
#include <cstdio>
#include <cstring>

namespace {

QString signText(const char* section, const char* key) {
    return Language::textForFile(QLatin1String(section), QLatin1String(key));
}

// Sizes in points of the screen, one pixel each.
QFont helvetica(int size, bool medium) {
    QFont font(QStringLiteral("Helvetica Neue"));
    font.setPixelSize(size);
    font.setWeight(medium ? QFont::Medium : QFont::Normal);
    return font;
}

QLabel* signLabel(QWidget* parent, const char* name, const QFont& font,
                  const QColor& colour = QColor(51, 51, 51)) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

const QColor kRefundRed = QColor::fromRgbF(0.89f, 0.29f, 0.34f);
const QColor kButtonTint(0, 65, 101);

// The tip as percent text: whole percentages without decimals, others with two.
QString tipPercentText(float tip) {
    char written[64];
    std::snprintf(written, sizeof written, "%f", double(tip));
    const QString text = QString::fromLatin1(written);
    const bool whole = text.left(6) == text.left(4) + QStringLiteral("00");
    return QString::number(double(tip) * 100.0, 'f', whole ? 0 : 2) + QLatin1Char('%');
}

// The four tip options and the free-tip button.
std::array<QPushButton*, 5> tipButtons(const SignController& screen) {
    return {screen.tipOption(0), screen.tipOption(1), screen.tipOption(2), screen.tipOption(3),
            screen.tipOptionFree()};
}

} // namespace

SignController::SignController(QObject* parent)
    : ViewController(parent)
    , queue_(&SignatureQueue::sharedQueue()) {}

SignController::~SignController() {
    stopTutorialTimer();
    if (tutorialNavBar_)
        tutorialNavBar_->setDelegate(nullptr);
    SessionTimer::instance().removeDelegate(this);
}

QPushButton* SignController::tipOption(int index) const {
    return index >= 0 && index < 4 ? tipOptions_[index].data() : nullptr;
}

QWidget* SignController::loadView() {
    auto* root = new QWidget();
    root->resize(568, 320);

    navBar_ = new QWidget(root);
    navBar_->setObjectName(QStringLiteral("navBar"));
    View::setBackgroundColor(navBar_, QColor(247, 247, 247));
    navTitle_ = signLabel(navBar_, "navTitle", helvetica(15, true));
    navTitle_->setAlignment(Qt::AlignCenter);

    cardImage_ = new ImageView(root);
    cardImage_->setObjectName(QStringLiteral("cardImage"));
    cardImage_->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    cardNumber_ = signLabel(root, "cardNumber", helvetica(15, false));
    cardHolderName_ = signLabel(root, "cardHolderName", helvetica(15, true));

    tipButton_ = new QPushButton(root);
    tipButton_->setObjectName(QStringLiteral("tipButton"));
    for (int i = 0; i < 4; ++i) {
        tipOptions_[i] = new QPushButton(root);
        tipOptions_[i]->setObjectName(QStringLiteral("tipOption%1").arg(i));
        connect(tipOptions_[i], &QPushButton::clicked, this, [this, i] { selectTip(i); });
    }
    tipOptionFree_ = new QPushButton(root);
    tipOptionFree_->setObjectName(QStringLiteral("tipOptionFree"));
    tipOptionFree_->setText(QStringLiteral("…"));
    connect(tipOptionFree_, &QPushButton::clicked, this, [this] { selectTipFree(); });
    connect(tipButton_, &QPushButton::clicked, this, [this] { showAvailableTips(tipButton_); });

    divLine_ = new QWidget(root);
    divLine_->setObjectName(QStringLiteral("divLine"));
    View::setBackgroundColor(divLine_, QColor(216, 216, 216));

    amountToChargeView_ = new QWidget(root);
    amountToChargeView_->setObjectName(QStringLiteral("amountToChargeView"));
    amountToCharge_ = signLabel(amountToChargeView_, "amountToCharge", helvetica(30, true));
    tipToCharge_ =
        signLabel(amountToChargeView_, "tipToCharge", helvetica(15, false), QColor(102, 102, 102));
    tipLine_ = new QWidget(amountToChargeView_);
    tipLine_->setObjectName(QStringLiteral("tipLine"));
    chargeDescription_ =
        signLabel(root, "chargeDescription", helvetica(14, false), QColor(102, 102, 102));
    chargeDescription_->setWordWrap(true);
    chargeDescription_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    padFrame_ = new QWidget(root);
    padFrame_->setObjectName(QStringLiteral("footerView"));
    padFrame_->setStyleSheet(QStringLiteral(
        "#footerView { background: white; border: 1px solid #dcdcdc; border-radius: 6px; }"));
    signatureView_ = new SignatureView(root);
    signatureView_->setObjectName(QStringLiteral("signatureView"));
    signatureX_ = new ImageView(root);
    signatureX_->setObjectName(QStringLiteral("signatureX"));
    signatureX_->setAttribute(Qt::WA_TransparentForMouseEvents);
    signatureLine_ = new ImageView(root);
    signatureLine_->setObjectName(QStringLiteral("signatureLine"));
    signatureLine_->setAttribute(Qt::WA_TransparentForMouseEvents);
    cleanButton_ = new QPushButton(QStringLiteral("✕"), root);
    cleanButton_->setObjectName(QStringLiteral("cleanButton"));
    cleanButton_->setFlat(true);
    termsLabel_ = signLabel(root, "termsLabel", helvetica(11, false), QColor(120, 120, 120));
    termsLabel_->setWordWrap(true);
    termsLabel_->setAlignment(Qt::AlignCenter);

    continueButton_ = new QPushButton(root);
    continueButton_->setObjectName(QStringLiteral("continueButton"));
    continueButtonSmall_ = new QPushButton(root);
    continueButtonSmall_->setObjectName(QStringLiteral("continueButtonSmall"));

    for (QPushButton* button : {continueButton_.data(), continueButtonSmall_.data()})
        connect(button, &QPushButton::clicked, this, [this] { acceptSignature(); });
    connect(cleanButton_, &QPushButton::clicked, this, [this] { cleanSignature(); });
    connect(signatureView_, &SignatureView::touchBegan, this, [this] {
        if (tutorialStep_ == 1)
            stopTutorialTimer();
        if (View::alpha(tipOptions_[0]) == 1.0)
            showAvailableTips(nullptr);
        blankSignature_ = false;
    });
    connect(signatureView_, &SignatureView::touchEnded, this, [this] {
        if (tutorialStep_ != 1)
            return;
        stopTutorialTimer();
        tutorialTimer_ = Clock::current().callAfter(kSignPauseMs, this, [this] {
            tutorialTimer_ = 0;
            tutorialNextStep();
        });
    });
    return root;
}

void SignController::viewDidLayoutSubviews() {
    if (!signatureView_ || !navBar_)
        return; // the still after the reset
    QWidget* root = view();
    const int w = root->width();
    const int h = root->height();
    navBar_->setGeometry(0, 0, w, kNavBarHeight);
    navTitle_->setGeometry(0, 0, w, kNavBarHeight);
    const int left = 20;
    const int column = 270;
    cardImage_->setGeometry(left, 44, 44, 28);
    cardNumber_->setGeometry(left + 52, 44, column - 52, 28);
    cardHolderName_->setGeometry(left, 78, column, 22);
    tipButton_->setGeometry(left, 110, 100, 30);
    for (int i = 0; i < 4; ++i)
        tipOptions_[i]->setGeometry(left + i * 52, 110, 48, 30);
    tipOptionFree_->setGeometry(left + 4 * 52, 110, 48, 30);
    divLine_->setGeometry(left, 152, column, 1);
    const int amountY = descriptionShown_ ? 166 : kNoDescriptionAmountY;
    amountToChargeView_->setGeometry(left, amountY, column + 10, 50);
    if (!ViewAnimation::isAnimating(amountToCharge_))
        amountToCharge_->setGeometry(amountToCharge_->x(), 0, column + 10, 50);
    chargeDescription_->setGeometry(left, 218, column, h - 218 - 10);

    const int padX = left + column + 20;
    const int padW = qMax(120, w - padX - 20);
    const int bottom = h - 44;
    signatureView_->setGeometry(padX, 40, padW, bottom - 40 - 34);
    padFrame_->setGeometry(signatureView_->geometry().adjusted(-1, -1, 1, 1));
    signatureX_->setGeometry(padX + 10, signatureView_->geometry().bottom() - 44, 16, 16);
    signatureLine_->setGeometry(padX + 8, signatureView_->geometry().bottom() - 24, padW - 16, 2);
    cleanButton_->setGeometry(padX + padW - 32, 44, 28, 28);
    termsLabel_->setGeometry(padX, bottom - 32, padW, 30);
    continueButton_->setGeometry(padX, bottom + 2, padW, 36);
    continueButtonSmall_->setGeometry(padX, bottom + 6, padW, 30);
}

void SignController::viewDidLoad() {
    // The small phone keeps the small continue button, the others the large one.
    const bool smallPhone = Device::current().screenSize().height() == 480;
    if (smallPhone) {
        View::removeFromSuperview(continueButton_);
        continueButton_ = continueButtonSmall_;
    } else {
        View::removeFromSuperview(continueButtonSmall_);
    }
    const QColor theme = UIKitSupport::mainColor();
    for (ImageView* line : {signatureLine_.data(), signatureX_.data()}) {
        line->setTemplate(true);
        line->setTintColor(theme);
    }
    signatureX_->setImageNamed(QStringLiteral("signature_x.png"));
    signatureLine_->setImageNamed(QStringLiteral("signature_line.png"));
    const QString background =
        smallPhone ? QStringLiteral("btn_blue_sm_iphone4.png") : QStringLiteral("btn_blue_sm.png");
    continueButton_->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; font-size: 17px;"
                       " border: none; border-radius: 4px; }")
            .arg(kButtonTint.name()));
    continueButton_->setProperty("backgroundImage", background);
    cleanButton_->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; font-size: 16px; }").arg(theme.name()));
    for (QPushButton* option : tipButtons(*this))
        option->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid %1; color: %1;"
                                             " border-radius: 4px; font-size: 13px; }")
                                  .arg(theme.name()));
    View::setBackgroundColor(tipLine_, QColor(102, 102, 102));

    navigationItem()->setHidesBackButton(true);
    isDone_ = false;
    View::setBackgroundColor(view(), QColor::fromRgbF(0.98f, 0.98f, 0.98f));
    tipButton_->hide();
    setViewInformation();
    setTipOptions();
    if (!AccountSettings::instance().tutorialAmount())
        tutorialStart();
    else
        tutorialStep_ = 0;
    blankSignature_ = true;
    viewDidLayoutSubviews();
}

void SignController::setViewInformation() {
    if (!sale_)
        return;
    const std::shared_ptr<CreditCard> card = sale_->creditCard();
    const double total = sale_->total()->doubleValue();
    QString amountText = Amount::initWithDouble(total)->getAmount();
    if (sale_->trxType() != 0) {
        QPalette palette = amountToCharge_->palette();
        palette.setColor(QPalette::WindowText, kRefundRed);
        amountToCharge_->setPalette(palette);
        amountText.prepend(QLatin1Char('-'));
    }
    amountToCharge_->setText(amountText);

    if (card) {
        cardNumber_->setText(card->numberLast4());
        if (ImageDownloader* started = FlowSteps::showCardPicture(cardImage_, *card, this, false))
            downloader_ = started;
        cardHolderName_->setText(
            card->name().toUpper().trimmed().replace(QLatin1Char('/'), QLatin1Char(' ')));
    }

    QString description;
    const QString method = sale_->paymentMethodName();
    if (!method.isEmpty()) {
        const int installments = card ? card->installments() : 1;
        if (installments > 1 && !method.contains(QString::number(installments)))
            description = TextFormatter::format(
                QStringLiteral("%@ - %@"),
                {method, TextFormatter::format(signText("Sign", "installments"), {installments})});
        else
            description = method;
    }
    const float tax = float(sale_->totalTaxAmount());
    if (tax > 0) {
        const QString taxLine = TextFormatter::format(
            signText("Sign", "taxAmount"), {Amount::initWithDouble(double(tax))->getAmount()});
        description = description.isEmpty() ? taxLine
                                            : TextFormatter::format(QStringLiteral("%@. %@."),
                                                                    {description, taxLine});
    }

    const double tipAmount = sale_->tipAmount() ? sale_->tipAmount()->doubleValue() : 0;
    if (tipAmount > 0 || sale_->tipPercentage() > 0) {
        double tip = tipAmount;
        if (sale_->tipPercentage() > 0)
            tip = total - total / double(1.0f + float(sale_->tipPercentage()));
        placeTipLine(amountText, TextFormatter::format(signText("Sign", "tipAmount"),
                                                       {Amount::initWithDouble(tip)->getAmount()}));
    } else {
        placeTipLine(amountText, QString());
        View::setAlpha(tipLine_, 0);
    }

    descriptionShown_ = !description.isEmpty();
    if (!descriptionShown_) {
        chargeDescription_->hide();
        amountToCharge_->setFont(helvetica(40, true));
    } else {
        chargeDescription_->setText(description);
    }
}

int SignController::amountTextWidth(const QString& text) const {
    return QFontMetrics(helvetica(amountToCharge_->font().pixelSize(), true))
        .horizontalAdvance(text);
}

void SignController::placeTipLine(const QString& amountText, const QString& tipText) {
    const int amountWidth = amountTextWidth(amountText);
    const int tipWidth = qMin(QFontMetrics(helvetica(15, false)).horizontalAdvance(tipText), 200);
    tipToCharge_->setText(tipText);
    tipToCharge_->setGeometry(amountWidth + 3, 14, 200, 20);
    tipLine_->setGeometry(amountWidth + 3, 34, tipWidth, 1);
}

void SignController::setTipOptions() {
    // Options past the sale's list stay hidden; all are shown when tips are offered.
    const auto list = sale_ ? sale_->tipsList() : nullptr;
    const int listed = list ? int(list->size()) : 0;
    tipOptions_[0]->setText(tipPercentText(0));
    for (int i = 1; i < 4; ++i) {
        tipOptions_[i]->setVisible(i <= listed);
        if (i <= listed)
            tipOptions_[i]->setText(sale_->getStringTip(i - 1));
    }
    const bool offered = AccountSettings::instance().tipsEnabled() && listed > 0;
    for (QPushButton* option : tipButtons(*this))
        View::setAlpha(option, offered ? 1 : 0);
}

void SignController::viewWillAppear(bool) {
    setNeedsStatusBarAppearanceUpdate();
    if (navBar_ && navTitle_) {
        navBar_->setGeometry(0, 0, view()->width(), kNavBarHeight);
        navTitle_->setText(signText("Sign", "signature"));
    }
    if (tipButton_)
        tipButton_->setText(signText("Sign", "addTip"));
    if (termsLabel_)
        termsLabel_->setText(signText("Sign", "terms"));
    if (continueButton_)
        continueButton_->setText(signText("GlobalTexts", "continue"));
}

void SignController::viewDidAppear(bool) {
    tipSegueRunning_ = false;
    if (!isDone_)
        SessionTimer::instance().setDelegate(this);
}

void SignController::viewWillDisappear(bool) {
    setNeedsStatusBarAppearanceUpdate();
}

// ---------------------------------------------------------------- signing

void SignController::cleanSignature() {
    blankSignature_ = true;
    signatureView_->cancelDrawing();
}

void SignController::acceptSignature() {
    if (ended_)
        return;
    if (blankSignature_) {
        auto* alert = SystemAlert::alertControllerWithTitle(QString(),
                                                            signText("Sign", "signatureMandatory"));
        alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
        presentViewController(alert, true);
        return;
    }
    signatureView_->setBackgroundColor(Qt::white);
    const QImage picture = signatureView_->collectSignature();
    signatureView_->setBackgroundColor(Qt::transparent);
    if (sale_ && sale_->creditCard())
        sale_->creditCard()->setSignatureImage(picture);
    saveSignature();
}

void SignController::saveSignature() {
    // The queue keeps the picture until the back end accepts it, so the operation ends now.
    const std::shared_ptr<CreditCard> card = sale_ ? sale_->creditCard() : nullptr;
    if (card && !card->signatureImage().isNull() && queue_) {
        User& user = User::instance();
        queue_->registerSignatureForSaleId(sale_->saleId(), card->signatureImage(), user.userId(),
                                           user.token());
    }
    goToSendReceipt();
}

void SignController::goToSendReceipt() {
    if (ended_)
        return;
    ended_ = true;
    FlowSteps::endWithSale(flowEndDelegate(), sale_);
}

bool SignController::sessionExpired() {
    goToSendReceipt();
    return true;
}

// ---------------------------------------------------------------- tips

void SignController::showAvailableTips(QObject* sender) {
    (void)sender;
    if (tipOptions_[1]->isHidden()) {
        // The separate tip screen; a second request while it opens is dropped.
        if (tipSegueRunning_)
            return;
        tipSegueRunning_ = true;
        performSegueWithIdentifier(QStringLiteral("tipSegue"), this);
        return;
    }
    const double target = View::alpha(tipOptions_[0]) == 0 ? 1 : 0;
    for (QPushButton* option : tipButtons(*this))
        View::animateAlpha(option, target, kTipsFadeMs);
}

void SignController::selectTipFree() {
    showAvailableTips(nullptr);
    if (tipSegueRunning_)
        return; // already opened by the toggle
    tipSegueRunning_ = true;
    performSegueWithIdentifier(QStringLiteral("tipSegue"), this);
}

void SignController::selectTip(int index) {
    if (!sale_)
        return;
    // A choice during the tips step of the tour moves it on to the tip effect.
    if (tutorialStep_ == 2)
        tutorialNextStep();
    float tip = 0;
    const float mandatory = float(AccountSettings::instance().mandatoryTipPercentage());
    if (mandatory > 0)
        tip += mandatory;
    if (index >= 1 && index <= 3)
        tip += float(sale_->getFloatTip(index - 1));

    sale_->setTipPercentage(0);
    sale_->setTipAmount(nullptr);
    const double base = sale_->total()->doubleValue();
    QString tipText;
    if (tip > 0) {
        tipButton_->setIcon(QIcon());
        tipButton_->setText(
            TextFormatter::format(signText("Sign", "tipSelected"), {tipPercentText(tip)}));
        sale_->setTipPercentage(double(tip));
        const double tipAmount = sale_->total()->doubleValue() - base;
        tipText = TextFormatter::format(signText("Sign", "tipAmount"),
                                        {Amount::initWithDouble(tipAmount)->getAmount()});
    } else {
        tipButton_->setIcon(
            QIcon(QPixmap::fromImage(UIKitSupport::bundleImage(QStringLiteral("btn_tip_+.png")))));
        tipButton_->setText(signText("Sign", "addTip"));
    }
    updateFinalAmount(sale_->total()->getAmount(), tipText);
    showAvailableTips(nullptr);
}

void SignController::updateFinalAmount(const QString& amountText, const QString& tipText) {
    const int currentWidth = amountTextWidth(amountToCharge_->text());
    if (tutorialStep_ == 3 && tutorialHint_)
        tutorialHint_->hideHint();
    if (amountText == amountToCharge_->text()) {
        if (tutorialStep_ == 3)
            tutorialNextStep();
        return;
    }
    QRect out = amountToCharge_->geometry();
    out.moveLeft(-20 - currentWidth);
    QPointer<SignController> self(this);
    ViewAnimation()
        .frame(amountToCharge_, out)
        .alpha(tipToCharge_, 0)
        .alpha(tipLine_, 0)
        .start(this, kAmountSlideMs, [self, amountText, tipText](bool) {
            if (!self || !self->amountToCharge_)
                return;
            QRect from = self->amountToCharge_->geometry();
            from.moveLeft(-20 - self->amountTextWidth(amountText));
            self->amountToCharge_->setGeometry(from);
            self->amountToCharge_->setText(amountText);
            // The tip text follows the new amount's width so the two never overlap.
            self->placeTipLine(amountText, tipText);
            QRect in = from;
            in.moveLeft(0);
            ViewAnimation animation;
            animation.frame(self->amountToCharge_, in).alpha(self->tipToCharge_, 1);
            if (!tipText.isEmpty())
                animation.alpha(self->tipLine_, 1);
            animation.start(self, kAmountSlideMs, [self](bool) {
                if (!self || self->tutorialStep_ != 3)
                    return;
                self->stopTutorialTimer();
                self->tutorialTimer_ = Clock::current().callAfter(kTipEffectPauseMs, self, [self] {
                    self->tutorialTimer_ = 0;
                    self->tutorialNextStep();
                });
            });
        });
}

// ---------------------------------------------------------------- tutorial

void SignController::stopTutorialTimer() {
    if (tutorialTimer_)
        Clock::current().cancel(tutorialTimer_);
    tutorialTimer_ = 0;
}

void SignController::tutorialStart() {
    viewDidLayoutSubviews();
    const int x = (view()->width() - TutorialHint::kWidth) / 2;
    tutorialHint_ =
        TutorialHint::initHint(TutorialHint::ArrowUp, signText("Tutorial", "signTest"),
                               QPoint(x, divLine_->y() - 10), view(), {signatureView_.data()});
    tutorialStep_ = 1;
    tutorialNavBar_ =
        TutorialNavBar::initWithStep(4, signText("Tutorial", "signature"), view(), 0, true);
    tutorialNavBar_->setDelegate(this);
}

void SignController::tutorialNextStep() {
    stopTutorialTimer();
    if (tutorialHint_)
        tutorialHint_->hideHint();
    ++tutorialStep_;
    const int width = view()->width();
    if (tutorialStep_ == 2) {
        if (!AccountSettings::instance().tipsEnabled()) {
            tutorialStep_ = 3;
            tutorialNextStep();
            return;
        }
        signatureView_->setAttribute(Qt::WA_TransparentForMouseEvents, true);
        tutorialHint_ = TutorialHint::initHint(
            TutorialHint::ArrowRightUp, signText("Tutorial", "addTip"),
            QPoint(width - 322, tipButton_->y() + tipButton_->height() + 5), view(),
            {tipButton_.data(), tipOptions_[0].data(), tipOptions_[1].data(), tipOptions_[2].data(),
             tipOptions_[3].data(), tipOptionFree_.data()});
    } else if (tutorialStep_ == 3) {
        tutorialHint_ = TutorialHint::initHint(
            TutorialHint::ArrowRightUp, signText("Tutorial", "confirmTip"),
            QPoint(width - 365, tipButton_->y() + tipButton_->height() + 60), view(), {});
    } else if (tutorialStep_ == 4) {
        tutorialHint_ = TutorialHint::initHint(
            TutorialHint::ArrowRightDown, signText("Tutorial", "pressContinue"),
            QPoint(width - 310, continueButton_->y()), view(), {continueButton_.data()});
    }
}

void SignController::cancelTutorial() {
    FlowSteps::askToSkipTutorial(this, [this] { removeTutorialViews(); });
}

void SignController::removeTutorialViews() {
    stopTutorialTimer();
    if (signatureView_)
        signatureView_->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    if (tutorialHint_)
        tutorialHint_->hideHint();
    if (tutorialNavBar_) {
        tutorialNavBar_->setDelegate(nullptr);
        tutorialNavBar_->close(true);
    }
    setNeedsStatusBarAppearanceUpdate();
    tutorialStep_ = 0;
}

// ---------------------------------------------------------------- hand-over and reset

void SignController::prepareForSegue(StoryboardSegue& segue, QObject*) {
    ViewController* destination = segue.destinationViewController();
    const QString id = segue.identifier();
    if (id == QLatin1String("clientIdentifiedSegue")) {
        if (auto* receipt = qobject_cast<SendReceiptDataController*>(destination))
            receipt->setBuyerDic(buyerDic_);
        if (auto* receiver = dynamic_cast<SaleReceiver*>(destination))
            receiver->setSale(sale_);
        isDone_ = true;
    } else if (id == QLatin1String("refundReceiptSegue")) {
        if (destination && sale_) {
            destination->setProperty("refundId", sale_->saleId());
            destination->setProperty("emailAddress", sale_->email().value_or(QString()));
            destination->setProperty("referenceNumber", sale_->referenceNumber());
            destination->setProperty("refund", sale_->subtotal()->doubleValue());
            destination->setProperty("transactionType", sale_->trxType());
        }
        if (auto* receiver = dynamic_cast<SaleReceiver*>(destination))
            receiver->setSale(sale_);
        isDone_ = true;
    }
}

void SignController::viewDidDisappear(bool) {
    if (!isDone_ || autorotate_)
        return;
    stopTutorialTimer();
    SessionTimer::instance().removeDelegate(this);
    resetReturnedToScreen();
    autorotate_ = true;
}

void SignController::resetReturnedToScreen() {
    const QList<QWidget*> subviews = view()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* subview : subviews)
        delete subview;

    ViewController* screen = saleEntryScreenFor(this);
    if (!screen)
        return;
    const bool tabBar = resetSaleEntryScreen(screen);
    const QString title =
        tabBar ? signText("Menu", "enterAmount") : screen->navigationItem()->title();
    showStill(screen, title, tabBar);
}

void SignController::showStill(ViewController* screen, const QString& title, bool tabBar) {
    QWidget* root = view();
    auto* still = new QLabel(root);
    still->setObjectName(QStringLiteral("stillImage"));
    const QPixmap picture = screen->isViewLoaded() ? screen->view()->grab() : QPixmap();
    still->setPixmap(picture);
    still->setGeometry(QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()));
    still->show();

    auto* bar = new QWidget(root);
    bar->setObjectName(QStringLiteral("stillNavBar"));
    const int width = Device::current().screenSize().width();
    bar->setGeometry(0, 0, width > 0 ? width : root->width(), kStillBarHeight);
    View::setBackgroundColor(bar, tabBar ? QColor(245, 245, 245) : QColor(247, 247, 247));
    auto* barTitle = signLabel(bar, "stillTitle", helvetica(17, true));
    barTitle->setAlignment(Qt::AlignCenter);
    barTitle->setText(title);
    barTitle->setGeometry(0, 20, bar->width(), kStillBarHeight - 20);
    QAbstractButton* menu = AccountSettings::instance().menuButtonImage(bar);
    menu->move(8, 20 + (kStillBarHeight - 20 - menu->height()) / 2);
    if (tabBar) {
        auto* saleIcon = new QToolButton(bar);
        saleIcon->setObjectName(QStringLiteral("saleIcon"));
        saleIcon->setAutoRaise(true);
        const QImage icon = UIKitSupport::tinted(
            UIKitSupport::bundleImage(QStringLiteral("Sale_icon.png")), UIKitSupport::mainColor());
        saleIcon->setIcon(QIcon(QPixmap::fromImage(icon)));
        saleIcon->setIconSize(QSize(28, 28));
        // Image insets: 8 to the right and down.
        saleIcon->setGeometry(bar->width() - 44 + 8, 20 + 8, 36, 36);
        saleIcon->setEnabled(false);
    }
    bar->show();
}
