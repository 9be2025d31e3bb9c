#include "onboarding/SignupFormController.h"

#include "catalog/CatalogLook.h"
#include "onboarding/OnboardingLook.h"
#include "onboarding/OnboardingScreens.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Services.h"
#include "platform/ui/View.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

SignupFormController::SignupFormController(Constants constants, QObject* parent)
    : ViewController(parent)
    , constants_(constants) {}

QWidget* SignupFormController::buildForm(const QString& continueName) {
    root_ = new QWidget();
    const QSize screen = Device::current().screenSize();
    root_->resize(screen);
    auto* bar = new QWidget(root_);
    bar->setObjectName(QStringLiteral("navBar"));
    bar->setGeometry(0, 0, screen.width(), 64);
    View::setBackgroundColor(bar, Qt::white);
    auto* barRow = new QHBoxLayout(bar);
    barRow->setContentsMargins(8, 20, 8, 0);
    cancelButton_ = new QPushButton(bar);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setFlat(true);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
    titleBar_ = new QLabel(bar);
    titleBar_->setObjectName(QStringLiteral("titleBar"));
    titleBar_->setAlignment(Qt::AlignCenter);
    titleBar_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Medium"), 16));
    continueButton_ = new QPushButton(bar);
    continueButton_->setObjectName(continueName);
    continueButton_->setFlat(true);
    connect(continueButton_, &QPushButton::clicked, this, [this] { nextStep(); });
    for (QPushButton* b : {cancelButton_, continueButton_})
        b->setStyleSheet(
            QStringLiteral("color: %1; border: none;").arg(CatalogLook::mainColor().name()));
    barRow->addWidget(cancelButton_);
    barRow->addWidget(titleBar_, 1);
    barRow->addWidget(continueButton_);

    QWidget* formParent = root_;
    if (constants_.form == Form::Scroll) {
        scrollView_ = new QScrollArea(root_);
        scrollView_->setObjectName(QStringLiteral("scrollView"));
        scrollView_->setFrameShape(QFrame::NoFrame);
        scrollView_->setGeometry(0, 64, screen.width(), screen.height() - 64);
        scrollView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scrollView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        itemsView_ = new QWidget();
        itemsView_->setObjectName(QStringLiteral("pageView"));
        // Tall enough for the last field's offset on any screen.
        itemsView_->setFixedSize(screen.width(), 700 + screen.height());
        scrollView_->setWidget(itemsView_);
        OnboardingLook::setPatternBackground(root_);
        scrollView_->viewport()->setAutoFillBackground(false);
        itemsView_->setAutoFillBackground(false);
    } else {
        itemsView_ = new QWidget(formParent);
        itemsView_->setObjectName(QStringLiteral("itemsView"));
        itemsView_->setGeometry(0, 64, screen.width(), screen.height() - 64);
        OnboardingLook::setPatternBackground(itemsView_);
        bar->raise();
    }
    itemsView_->installEventFilter(this);
    formLayout_ = new QVBoxLayout(itemsView_);
    formLayout_->setContentsMargins(20, 12, 20, 12);
    formLayout_->setSpacing(8);

    // The toolbar above the keyboard: previous, next and, on the last field, done.
    auto* toolbar = new QWidget(root_);
    toolbar->setObjectName(QStringLiteral("numberToolbar"));
    toolbar->setGeometry(0, screen.height() - 45, screen.width(), 45);
    View::setBackgroundColor(toolbar, QColor(240, 240, 240));
    auto* tools = new QHBoxLayout(toolbar);
    previousButton_ = new QPushButton(CatalogLook::text("GlobalTexts", "previous"), toolbar);
    previousButton_->setObjectName(QStringLiteral("previousButton"));
    nextButton_ = new QPushButton(CatalogLook::text("GlobalTexts", "next"), toolbar);
    nextButton_->setObjectName(QStringLiteral("nextButton"));
    numberToolbarDone_ = new QPushButton(CatalogLook::text("GlobalTexts", "done"), toolbar);
    numberToolbarDone_->setObjectName(QStringLiteral("numberToolbarDone"));
    numberToolbarDone_->setStyleSheet(QStringLiteral("color: rgb(51,51,51);"));
    connect(previousButton_, &QPushButton::clicked, this, [this] { previousField(); });
    connect(nextButton_, &QPushButton::clicked, this, [this] { nextField(); });
    connect(numberToolbarDone_, &QPushButton::clicked, this, [this] {
        if (constants_.doneRunsNextStep)
            nextStep();
        else
            doneWithField();
    });
    tools->addWidget(previousButton_);
    tools->addWidget(nextButton_);
    tools->addStretch();
    tools->addWidget(numberToolbarDone_);
    toolbar->raise();
    return root_;
}

TextField* SignupFormController::addField(const QString& name, QWidget* parent) {
    auto* field = new TextField(parent ? parent : itemsView_);
    field->setObjectName(name);
    field->setMinimumHeight(36);
    field->setDelegate(this);
    chain_ << field;
    if (!parent)
        formLayout_->addWidget(field);
    return field;
}

void SignupFormController::setTexts(const QString& title, const QString& continueTitle) {
    titleBar_->setText(title);
    cancelButton_->setText(CatalogLook::text("GlobalTexts", "cancel"));
    continueButton_->setText(continueTitle);
}

TextField* SignupFormController::objectFirstResponder() const {
    for (TextField* field : chain_)
        if (field->isFirstResponder())
            return field;
    return nullptr;
}

void SignupFormController::nextField() {
    TextField* current = objectFirstResponder();
    const int at = int(chain_.indexOf(current));
    if (current && at + 1 < chain_.size())
        chain_.at(at + 1)->becomeFirstResponder();
}

void SignupFormController::previousField() {
    TextField* current = objectFirstResponder();
    const int at = int(chain_.indexOf(current));
    if (current && at > 0)
        chain_.at(at - 1)->becomeFirstResponder();
}

void SignupFormController::doneWithField() {
    textFieldShouldReturn(objectFirstResponder());
}

void SignupFormController::backgroundTouched() {
    if (TextField* current = objectFirstResponder())
        current->resignFirstResponder();
    setViewMovedUp(constants_.restOffset);
    if (scrollView_)
        scrollView_->setEnabled(true);
}

void SignupFormController::setFieldColor(TextField* field, const QColor& color) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, color);
    field->setPalette(palette);
}

void SignupFormController::textFieldDidBeginEditing(TextField* field) {
    const int at = int(chain_.indexOf(field));
    previousButton_->setEnabled(at > 0);
    const bool last = at == chain_.size() - 1;
    nextButton_->setEnabled(!last);
    numberToolbarDone_->setVisible(last);
    setFieldColor(field, constants_.editingColor);
    setViewMovedUp(offsetForField(field));
}

bool SignupFormController::textFieldShouldReturn(TextField* field) {
    if (field && submitsOnReturn(field)) {
        field->resignFirstResponder();
        setViewMovedUp(constants_.restOffset);
        nextStep();
    } else {
        nextField();
    }
    return true;
}

void SignupFormController::setViewMovedUp(int offset) {
    const int H = Device::current().screenSize().height();
    int e = H - 480;
    int o = offset;
    if (constants_.form == Form::Frame) {
        if (o + e > 64) {
            e = 0;
            o = 64;
        }
        const QRect from = View::frame(itemsView_);
        if (from.y() == o)
            return;
        const QRect to(from.x(), o + e, from.width(), H - o);
        QPointer<QWidget> view = itemsView_;
        Clock::current().animate(kShiftMs, itemsView_, [view, from, to](double p) {
            if (view)
                View::setFrame(view, QRect(from.x(), int(from.y() + (to.y() - from.y()) * p),
                                           from.width(),
                                           int(from.height() + (to.height() - from.height()) * p)));
        });
        return;
    }
    if (o - e < 0) {
        e = 0;
        o = 0;
    }
    QScrollBar* bar = scrollView_->verticalScrollBar();
    if (bar->value() == o - e)
        return;
    const int from = bar->value();
    const int to = o - e;
    QPointer<QScrollBar> guard = bar;
    Clock::current().animate(kShiftMs, itemsView_, [guard, from, to](double p) {
        if (guard)
            guard->setValue(int(from + (to - from) * p));
    });
}

bool SignupFormController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == itemsView_ && event->type() == QEvent::MouseButtonPress)
        backgroundTouched();
    return ViewController::eventFilter(watched, event);
}

void SignupFormController::cancel() {
    auto* sheet = SystemAlert::alertControllerWithTitle(QString(), QString(),
                                                        SystemAlert::Style::ActionSheet);
    QPointer<SignupFormController> self(this);
    sheet->addAction(CatalogLook::text("SignupStep1", "cancelSignup"),
                     SystemAlertAction::Destructive, [self](SystemAlertAction*) {
                         if (!self)
                             return;
                         if (self->constants_.cancelBySegue)
                             self->performSegueWithIdentifier(OnboardingScreens::cancelSignup3Segue,
                                                              self);
                         else
                             self->dismissViewControllerAnimated(true);
                     });
    sheet->addAction(CatalogLook::text("SignupStep1", "continueSignup"),
                     SystemAlertAction::Default);
    presentViewController(sheet, true);
}

void SignupFormController::showAlertMessage(const QString& message) {
    auto* alert = SystemAlert::alertControllerWithTitle(QString(""), message);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
    presentViewController(alert, true);
}
