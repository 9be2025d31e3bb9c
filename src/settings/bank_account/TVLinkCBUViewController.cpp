#include "settings/bank_account/TVLinkCBUViewController.h"

#include "SDK/session/AccountSettings.h"
#include "api/APIController.h"
#include "model/values/CBUStatus.h"
#include "platform/ui/KeyboardNotifications.h"
#include "platform/ui/LayoutConstraint.h"
#include "platform/ui/TextField.h"
#include "platform/ui/View.h"
#include "ui_kit/AlertAction.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/texts/Language.h"

#include <QHBoxLayout>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

namespace {

constexpr int kBarHeight = 56;
constexpr int kButtonHeight = 50;
constexpr double kHiddenKeyboardBottom = 24;

QString cbuText(const char* key) {
    return Language::textForFile(QStringLiteral("CBUStatus"), QString::fromLatin1(key));
}

} // namespace

TVLinkCBUViewController::TVLinkCBUViewController(QObject* parent)
    : ViewController(parent) {}

TVLinkCBUViewController::~TVLinkCBUViewController() {
    if (!closed_ && onClose_) {
        closed_ = true;
        onClose_();
    }
}

QWidget* TVLinkCBUViewController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, Qt::white);

    navigationBar_ = new QWidget(root);
    navigationBar_->setObjectName(QStringLiteral("navigationBar"));
    View::setBackgroundColor(navigationBar_, Qt::white);
    auto* bar = new QHBoxLayout(navigationBar_);
    bar->setContentsMargins(8, 0, 8, 0);
    auto* closeButton = new QPushButton(QStringLiteral("✕"), navigationBar_);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    closeButton->setFlat(true);
    closeButton->setFixedSize(40, 40);
    closeButton->setStyleSheet(
        QStringLiteral("QPushButton { border: none; font-size: 20px; color: black; }"));
    connect(closeButton, &QPushButton::clicked, this, [this] { close(); });
    bar->addWidget(closeButton);
    navigationTitle_ = new QLabel(navigationBar_);
    navigationTitle_->setObjectName(QStringLiteral("navigationTitle"));
    navigationTitle_->setAlignment(Qt::AlignCenter);
    navigationTitle_->setStyleSheet(QStringLiteral("font-size: 17px; font-weight: 600;"));
    bar->addWidget(navigationTitle_, 1);
    bar->addSpacing(40);

    titleLabel_ = new QLabel(root);
    titleLabel_->setObjectName(QStringLiteral("titleLabel"));
    titleLabel_->setWordWrap(true);
    titleLabel_->setAlignment(Qt::AlignCenter);
    titleLabel_->setStyleSheet(QStringLiteral("font-size: 15px; color: #555555;"));

    textField_ = new TextField(root);
    textField_->setObjectName(QStringLiteral("textField"));
    textField_->setFrame(false);
    connect(textField_, &TextField::editingChanged, this, [this] { textFieldDidChange(); });
    textFieldBottomView_ = new QWidget(root);
    textFieldBottomView_->setObjectName(QStringLiteral("textFieldBottomView"));

    progressButtonContainer_ = new QWidget(root);
    progressButtonContainer_->setObjectName(QStringLiteral("progressButtonContainer"));
    bottomConstraint_ = LayoutConstraint::addTo(
        root,
        new LayoutConstraint(root, LayoutConstraint::Attribute::Bottom, progressButtonContainer_,
                             LayoutConstraint::Attribute::Bottom, 1, kHiddenKeyboardBottom));
    bottomConstraint_->setIdentifier(QStringLiteral("progressButtonBottomConstraint"));
    connect(bottomConstraint_, &LayoutConstraint::changed, this, [this] { layoutIfNeeded(); });

    blockerView_ = new QWidget(root);
    blockerView_->setObjectName(QStringLiteral("blockerView"));
    blockerView_->setStyleSheet(QStringLiteral("background: transparent;"));
    return root;
}

void TVLinkCBUViewController::viewDidLoad() {
    navigationTitle_->setText(cbuText("linkCBUAliasNavigationTitle"));

    progressButton_ = new TVProgressButton(QRect(QPoint(0, 0), QSize(300, kButtonHeight)),
                                           progressButtonContainer_);
    progressButton_->setObjectName(QStringLiteral("progressButton"));
    progressButton_->setEnabled(false);
    progressButton_->setDelegate(this);
    progressButton_->setText(cbuText("linkCBUAliasButtonTitle"));
    progressButton_->setBackgroundColor(UIKitSupport::mainColor());
    progressButton_->setFillColor(QColor::fromRgbF(0, 0, 0, 0.15));
    // The whole container's height (a push button alone keeps its small natural height), white
    // title.
    progressButton_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    QPalette titleColours = progressButton_->palette();
    titleColours.setColor(QPalette::ButtonText, Qt::white);
    titleColours.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(255, 255, 255, 150));
    progressButton_->setPalette(titleColours);
    QFont titleFont = progressButton_->font();
    titleFont.setPixelSize(17);
    progressButton_->setFont(titleFont);
    connect(progressButton_, &QPushButton::clicked, this, [this] { buttonTapped(); });
    auto* fill = new QHBoxLayout(progressButtonContainer_);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(progressButton_);

    KeyboardNotifications& keyboard = KeyboardNotifications::instance();
    connect(&keyboard, &KeyboardNotifications::keyboardDidShow, this,
            [this](const QRect& begin, const QRect&, int) { keyboardShown(begin); });
    connect(&keyboard, &KeyboardNotifications::keyboardWillHide, this,
            [this](const QRect&, const QRect&, int) { keyboardHidden(); });

    textField_->setText(QString());
    textField_->setPlaceholderText(cbuText("linkCBUAliasPlaceholder"));
    QFont font(QStringLiteral("Helvetica Neue"));
    font.setPixelSize(17);
    textField_->setFont(font);
    textField_->becomeFirstResponder();

    blockerView_->hide();
    titleLabel_->setText(cbuText("linkCBUAliasTitle"));
    View::setBackgroundColor(textFieldBottomView_, UIKitSupport::mainColor());
}

void TVLinkCBUViewController::viewDidLayoutSubviews() {
    QWidget* root = view();
    const int width = root->width();
    const int height = root->height();
    navigationBar_->setGeometry(0, 0, width, kBarHeight);
    titleLabel_->setGeometry(24, kBarHeight + 24, width - 48, 60);
    textField_->setGeometry(24, kBarHeight + 100, width - 48, 36);
    textFieldBottomView_->setGeometry(24, kBarHeight + 138, width - 48, 1);
    const int bottom = int(bottomConstraint_->constant());
    progressButtonContainer_->setGeometry(24, height - bottom - kButtonHeight, width - 48,
                                          kButtonHeight);
    blockerView_->setGeometry(0, 0, width, height);
    blockerView_->raise();
}

// ---------------------------------------------------------------- input

bool TVLinkCBUViewController::validateWithRegexText(const QString& pattern, const QString& text) {
    const QRegularExpression expression(QRegularExpression::anchoredPattern(pattern),
                                        QRegularExpression::CaseInsensitiveOption);
    return expression.match(text).hasMatch();
}

bool TVLinkCBUViewController::isCBU(const QString& text) {
    for (const QChar c : text)
        if (!c.isDigit())
            return false;
    return true;
}

bool TVLinkCBUViewController::isCBUValid(const QString& text) {
    return validateWithRegexText(QStringLiteral("[0-9]{22}"), text);
}

bool TVLinkCBUViewController::isAliasValid(const QString& text) {
    return validateWithRegexText(QStringLiteral("[0-9A-Za-z.-]{6,20}"), text);
}

bool TVLinkCBUViewController::isSendable(const QString& text) {
    if (text.size() <= 5)
        return false;
    return isCBU(text) ? isCBUValid(text) : isAliasValid(text);
}

QByteArray TVLinkCBUViewController::dataFromCBUOrAlias(const QString& text) {
    const QString key = isCBU(text) ? QStringLiteral("cbu") : QStringLiteral("alias");
    return QJsonDocument(QJsonObject{{QStringLiteral("bankAccount"), QJsonObject{{key, text}}}})
        .toJson(QJsonDocument::Indented);
}

void TVLinkCBUViewController::textFieldDidChange() {
    progressButton_->setEnabled(isSendable(textField_->text()));
}

// ---------------------------------------------------------------- sending

void TVLinkCBUViewController::buttonTapped() {
    if (!isSendable(textField_->text()))
        return;
    blockerView_->show();
    blockerView_->raise();
    progressButton_->setFillPercentage(0.9, true);
    progressButton_->setText(cbuText("linkCBUAliasButtonTitleLinking"));
    progressButton_->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    putAliasOrCBU();
}

void TVLinkCBUViewController::putAliasOrCBU() {
    QPointer<TVLinkCBUViewController> self(this);
    APIController::linkCBUOrAlias(
        textField_->text(), dataFromCBUOrAlias(textField_->text()),
        [self](const Response&) {
            // The account is linked from now on, until settings say otherwise.
            auto status = AccountSettings::instance().cbuStatus();
            if (status)
                status->setCbuNeeded(false);
            if (self && self->progressButton_)
                self->progressButton_->setFillPercentage(1.0, false);
        },
        [self](const TarvelloError&) {
            if (self)
                self->linkFailed();
        });
}

void TVLinkCBUViewController::linkFailed() {
    progressButton_->setFillPercentage(0.0, false);
    progressButton_->setText(cbuText("linkCBUAliasButtonTitle"));
    progressButton_->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    blockerView_->hide();
    alertController_ = AlertController::alertControllerWithTitle(
        cbuText("linkCBUAliasAlertTitle"), cbuText("linkCBUAliasAlertMessage"));
    alertController_->setAlertType(1);
    alertController_->addAction(
        AlertAction::actionWithTitle(cbuText("linkCBUAliasAlertActionTitle"), 0));
    presentViewController(alertController_, true);
}

void TVLinkCBUViewController::finishedAnimation() {
    textField_->resignFirstResponder();
    close();
}

void TVLinkCBUViewController::close() {
    if (closed_)
        return;
    closed_ = true;
    QPointer<TVLinkCBUViewController> self(this);
    auto onClose = onClose_;
    dismissViewControllerAnimated(true, [onClose] {
        if (onClose)
            onClose();
    });
}

// ---------------------------------------------------------------- keyboard

void TVLinkCBUViewController::keyboardShown(const QRect& beginFrame) {
    bottomConstraint_->setConstant(beginFrame.height() + 16);
}

void TVLinkCBUViewController::keyboardHidden() {
    bottomConstraint_->setConstant(kHiddenKeyboardBottom);
}
