#include "ui_kit/SingleInputViewController.h"

#include "platform/ui/ImageView.h"

#include "platform/core/Assert.h"
#include "platform/core/Logging.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Storyboard.h"
#include "platform/ui/View.h"
#include "ui_kit/UIKitScreens.h"
#include "ui_kit/UIKitSupport.h"

#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Confirmar venta");
const QString kEmptyFieldMessage = QStringLiteral("El campo no puede estar vacío");
constexpr int kTipMaxWidth = 200;

// The bottom safe-area inset of the key window: the desktop windows have none.
constexpr int kBottomSafeAreaInset = 0;

bool hasSafeAreas() {
    return Device::current().systemVersion().toDouble() >= 11.0;
}

} // namespace

SingleInputViewController::SingleInputViewController(QObject* parent)
    : ViewController(parent) {}

ViewController* SingleInputViewController::viewControllerWithNavigation(bool navigation) {
    return Storyboard::instantiate(navigation ? UIKitScreens::singleInputNavigation
                                              : UIKitScreens::singleInput);
}

void SingleInputViewController::present(bool present, const SingleInputConfigurators& configurators,
                                        const std::optional<QVariantMap>& parameters,
                                        ViewController* onView, bool canBeCanceled,
                                        CancelHandler cancelationHandler,
                                        DismissHandler onDismiss) {
    startSequence(present, configurators, parameters, onView, canBeCanceled,
                  std::move(cancelationHandler), std::move(onDismiss));
}

SingleInputViewController* SingleInputViewController::startSequence(
    bool present, const SingleInputConfigurators& configurators,
    const std::optional<QVariantMap>& parameters, ViewController* onView, bool canBeCanceled,
    CancelHandler cancelationHandler, DismissHandler onDismiss) {
    HostAssert::check(!configurators.isEmpty(), "View needs at least one configurator to work");
    HostAssert::check(!configurators.contains(nullptr), "All objects should be configurators.");
    if (configurators.isEmpty() || configurators.contains(nullptr))
        return nullptr;

    ViewController* made = viewControllerWithNavigation(present);
    auto* navigation = qobject_cast<NavigationController*>(made);
    auto* screen = qobject_cast<SingleInputViewController*>(
        navigation ? navigation->viewControllers().value(navigation->viewControllers().size() - 1)
                   : made);
    NavigationController* host = onView ? onView->navigationController() : nullptr;
    if (!screen || !onView || (!present && !host)) {
        Logging::warning(tarvelloUi, QStringLiteral("Input screen not shown: %1")
                                         .arg(!screen ? QStringLiteral("not registered")
                                                      : QStringLiteral("nothing to show it on")));
        delete made;
        return nullptr;
    }

    screen->configurator_ = configurators.first();
    screen->configurators_ = configurators;
    screen->configurators_.removeAll(screen->configurator_);
    screen->parameters_ = parameters.value_or(QVariantMap());
    screen->presented_ = present;
    screen->canBeCanceled_ = canBeCanceled;
    screen->onDismiss_ = std::move(onDismiss);
    screen->onCancel_ = std::move(cancelationHandler);
    screen->first_ = screen;

    if (present) {
        made->setModalPresentationStyle(ModalPresentationStyle::OverCurrentContext);
        onView->presentViewController(made, true);
    } else {
        host->pushViewController(screen, true);
    }
    return screen;
}

SingleInputViewController* SingleInputViewController::firstScreen() const {
    return first_ ? first_.data() : const_cast<SingleInputViewController*>(this);
}

QWidget* SingleInputViewController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);

    tintedView_ = new QWidget(root);
    tintedView_->setObjectName(QStringLiteral("tintedView"));
    tintedView_->setFixedHeight(140);
    auto* band = new QVBoxLayout(tintedView_);
    imageView_ = new ImageView(tintedView_);
    imageView_->setObjectName(QStringLiteral("imageView"));
    imageView_->setContentMode(ImageView::ContentMode::ScaleAspectFit);
    band->addWidget(imageView_);
    column->addWidget(tintedView_);

    auto* form = new QVBoxLayout();
    form->setContentsMargins(24, 0, 24, 0);
    form->setSpacing(16);
    label_ = new QLabel(root);
    label_->setObjectName(QStringLiteral("label"));
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignCenter);
    QFont prompt = label_->font();
    prompt.setPixelSize(17);
    label_->setFont(prompt);
    form->addWidget(label_);
    textField_ = new TextField(root);
    textField_->setObjectName(QStringLiteral("textField"));
    textField_->setAlignment(Qt::AlignCenter);
    textField_->setMinimumHeight(44);
    QFont typed = textField_->font();
    typed.setPixelSize(22);
    textField_->setFont(typed);
    form->addWidget(textField_);
    column->addLayout(form);
    column->addStretch(1);

    continueButton_ = new QPushButton(root);
    continueButton_->setObjectName(QStringLiteral("continueButton"));
    continueButton_->setMinimumHeight(50);
    continueButton_->setFocusPolicy(Qt::NoFocus);
    QObject::connect(continueButton_, &QPushButton::clicked, this,
                     [this] { continueButtonTapped(); });
    column->addWidget(continueButton_);
    bottomSpace_ = new QWidget(root);
    bottomSpace_->setObjectName(QStringLiteral("keyboardSpace"));
    column->addWidget(bottomSpace_);
    return root;
}

void SingleInputViewController::setBottomConstant(int constant) {
    bottomConstant_ = constant;
    if (bottomSpace_)
        bottomSpace_->setFixedHeight(constant);
    layoutIfNeeded();
}

void SingleInputViewController::configurateView() {
    setTitle(kTitle);
    if (configurator_) {
        imageView_->setImage(configurator_->image());
        label_->setText(configurator_->text());
        if (configurator_->keyboardInput() == SingleInputConfigurator::kNumberPad)
            textField_->setKeyboardType(TextField::KeyboardType::NumberPad);
        textField_->setEchoMode(configurator_->secureTextEntry() ? QLineEdit::Password
                                                                 : QLineEdit::Normal);
        textField_->setDelegate(configurator_->requiredLength() > 0 ? this : nullptr);
    }
    setBottomConstant(kKeyboardSpace + (hasSafeAreas() ? kBottomSafeAreaInset : 0));
    continueButton_->setText(
        UIKitSupport::text(QStringLiteral("GlobalTexts"), QStringLiteral("continue")));
    if (canBeCanceled_) {
        navigationItem()->setBackBarButtonTitle(QString());
        QPointer<SingleInputViewController> self(this);
        BarButtonItem cancelItem;
        cancelItem.title =
            UIKitSupport::text(QStringLiteral("GlobalTexts"), QStringLiteral("cancel"));
        cancelItem.objectName = QStringLiteral("cancelButton");
        cancelItem.action = [self] {
            if (self)
                self->cancel();
        };
        navigationItem()->setLeftBarButtonItem(cancelItem);
    }
}

void SingleInputViewController::viewDidLoad() {
    configurateView();

    const QColor theme = UIKitSupport::mainColor();
    QPalette palette = textField_->palette();
    palette.setColor(QPalette::Highlight, theme);
    textField_->setPalette(palette);
    View::setBackgroundColor(tintedView_, theme);
    continueButton_->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; border: none; }")
            .arg(theme.name()));

    tip_ = new PopoverTip(view());
    tip_->setColors(Qt::red, Qt::white);

    if (hasSafeAreas())
        setBottomConstant(bottomConstant_ + kBottomSafeAreaInset + 20);
}

void SingleInputViewController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    textField_->becomeFirstResponder();
}

bool SingleInputViewController::textFieldShouldChangeCharactersInRange(TextField* field, int start,
                                                                       int length,
                                                                       const QString& replacement) {
    (void)start;
    const int limit = configurator_ ? configurator_->requiredLength() : 0;
    if (limit <= 0)
        return true;
    const int newLength = int(field->text().size() + replacement.size()) - length;
    if (newLength == limit) {
        // Continues once, and only while this screen is the one the user sees.
        Clock::current().cancel(autoContinue_);
        autoContinue_ = Clock::current().callAfter(kAutoContinueMs, this, [this] {
            if (isOnTop())
                continueButtonTapped();
        });
    }
    return newLength <= limit || replacement.contains(QLatin1Char('\n'));
}

bool SingleInputViewController::isOnTop() const {
    if (presentedViewController() || isBeingDismissed())
        return false;
    if (appearanceState() != Appearance::Appeared && appearanceState() != Appearance::Appearing)
        return false;
    NavigationController* navigation = navigationController();
    return !navigation ||
           (navigation->topViewController() == this && !navigation->presentedViewController() &&
            !navigation->isBeingDismissed());
}

void SingleInputViewController::continueButtonTapped() {
    FirstResponder::endEditing(view());
    const QString answer = textField_->text();
    if (answer.isEmpty()) {
        const QRect fieldFrame(textField_->mapTo(view(), QPoint(0, 0)), textField_->size());
        tip_->showText(kEmptyFieldMessage, fieldFrame, view(), kTipMaxWidth, true);
        return;
    }
    const int limit = configurator_ ? configurator_->requiredLength() : 0;
    if (limit > 0 && answer.size() < limit)
        return;
    if (configurator_)
        parameters_.insert(configurator_->key(), answer);

    if (!configurators_.isEmpty()) {
        SingleInputViewController* next =
            startSequence(false, configurators_, parameters_, this, false, {}, onDismiss_);
        if (next)
            next->first_ = firstScreen();
        return;
    }
    dismiss(firstScreen());
}

void SingleInputViewController::dismiss(SingleInputViewController* first) {
    if (!onDismiss_)
        return;
    const DismissHandler handler = std::move(onDismiss_);
    onDismiss_ = nullptr;
    handler(first, parameters_);
}

void SingleInputViewController::cancel() {
    if (onCancel_) {
        onCancel_(this);
        return;
    }
    NavigationController* navigation = navigationController();
    if (presented_)
        (navigation ? static_cast<ViewController*>(navigation) : this)
            ->dismissViewControllerAnimated(true);
    else if (navigation)
        navigation->popViewControllerAnimated(true);
}
