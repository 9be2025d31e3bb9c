#include "ui_kit/TutorialNavBar.h"

#include "platform/ui/Clock.h"
#include "platform/ui/Services.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewController.h"
#include "ui_kit/UIKitSupport.h"

#include <cmath>

namespace {

constexpr int kStepY = 28;
constexpr int kStepHeight = 22;

} // namespace

TutorialNavBar::TutorialNavBar(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("tutorialNavBar"));
    resize(375, kPortraitHeight);
    View::setBackgroundColor(this, UIKitSupport::mainColor());

    stepNumber_ = new QLabel(this);
    stepNumber_->setObjectName(QStringLiteral("stepNumber"));
    stepNumber_->setAlignment(Qt::AlignCenter);
    stepNumber_->setGeometry(14, kStepY, 22, kStepHeight);
    stepNumber_->setStyleSheet(
        QStringLiteral("color: %1; background: white; border-radius: 11px; font-weight: bold;")
            .arg(UIKitSupport::mainColor().name()));

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("title"));
    title_->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
    title_->setGeometry(46, kStepY, 240, kStepHeight);

    endButton_ = new QPushButton(QStringLiteral("✕"), this);
    endButton_->setObjectName(QStringLiteral("endTutorialButton"));
    endButton_->setFocusPolicy(Qt::NoFocus);
    endButton_->setStyleSheet(
        QStringLiteral("QPushButton { color: white; background: transparent; border: none;"
                       " font-size: 18px; }"));
    connect(endButton_, &QPushButton::clicked, this, [this] { endTutorial(); });
}

TutorialNavBar* TutorialNavBar::initWithStep(int step, const QString& title, QWidget* inView,
                                             float autoClose, bool isLandscape) {
    auto* bar = new TutorialNavBar(inView);
    bar->stepNumber_->setText(QString::number(step));
    const QRect stepFrame = bar->stepNumber_->geometry();
    bar->stepNumber_->setGeometry(step == 1 ? 14 : 13, stepFrame.y(), step == 1 ? 22 : 23,
                                  stepFrame.height());
    bar->title_->setText(title);

    const QSize screen = Device::current().screenSize();
    const int width = isLandscape ? screen.height() : screen.width();
    const int height = isLandscape ? kLandscapeHeight : kPortraitHeight;
    bar->setGeometry(-width, 0, width, height);
    if (isLandscape) {
        // The short bar keeps its labels inside it.
        for (QWidget* label :
             {static_cast<QWidget*>(bar->stepNumber_), static_cast<QWidget*>(bar->title_)})
            label->move(label->x(), (height - label->height()) / 2);
    }
    bar->endButton_->setGeometry(width - height, 0, height, height);
    bar->raise();
    bar->QWidget::show();
    Application::setStatusBarHidden(true);

    QPointer<TutorialNavBar> guard(bar);
    bar->slideTo(0, [guard, autoClose](bool) {
        if (guard && autoClose > 0)
            Clock::current().callAfter(int(std::lround(autoClose * 1000.0)), guard, [guard] {
                if (guard)
                    guard->close(false);
            });
    });
    return bar;
}

void TutorialNavBar::show() {
    move(-width(), 0);
    Application::setStatusBarHidden(true);
    QWidget::show();
    slideTo(0);
}

void TutorialNavBar::close(bool remove) {
    Application::setStatusBarHidden(false);
    QPointer<TutorialNavBar> guard(this);
    slideTo(width(), [guard, remove](bool) {
        if (guard && remove)
            View::removeFromSuperview(guard);
    });
}

void TutorialNavBar::endTutorial() {
    if (delegate_)
        delegate_->cancelTutorial();
}

void TutorialNavBar::slideTo(int x, std::function<void(bool)> completion) {
    const int fromX = this->x();
    QPointer<TutorialNavBar> guard(this);
    Clock::current().animate(
        kSlideMs, this,
        [guard, fromX, x](double progress) {
            if (guard)
                guard->move(fromX + int(std::lround((x - fromX) * progress)), 0);
        },
        std::move(completion));
}
