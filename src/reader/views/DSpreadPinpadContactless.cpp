#include "reader/views/DSpreadPinpadContactless.h"

#include "platform/core/VersionDispatch.h"
#include "platform/ui/View.h"
#include "reader/views/ImageOutlet.h"
#include "ui_kit/ViewAnimation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

DSpreadPinpadContactless::DSpreadPinpadContactless(QObject* parent)
    : ViewController(parent) {}

QWidget* DSpreadPinpadContactless::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("DSpreadPinpadContactless"));
    View::setBackgroundColor(root, QColor(255, 255, 255, 235));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);

    // A bar without background or shadow that carries only the cancel button.
    navBar_ = new QWidget(root);
    navBar_->setObjectName(QStringLiteral("navBar"));
    navBar_->setFixedHeight(44);
    auto* bar = new QHBoxLayout(navBar_);
    bar->setContentsMargins(8, 0, 8, 0);
    cancelButton_ = new QPushButton(QStringLiteral("Cancelar"), navBar_);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setFlat(true);
    const QColor theme = VersionDispatch::mainColor().value_or(QColor(0, 122, 255));
    cancelButton_->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; font-size: 17px; border: none; }")
            .arg(theme.name()));
    bar->addWidget(cancelButton_);
    bar->addStretch();
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
    column->addWidget(navBar_);

    titleLabel_ = new QLabel(QStringLiteral("Pago sin contacto"), root);
    titleLabel_->setObjectName(QStringLiteral("titleLabel"));
    titleLabel_->setAlignment(Qt::AlignCenter);
    titleLabel_->setStyleSheet(
        QStringLiteral("font-size: 22px; font-weight: 600; color: #333333;"));
    subTitleLabel_ = new QLabel(QStringLiteral("Acercá la tarjeta al lector"), root);
    subTitleLabel_->setObjectName(QStringLiteral("subTitleLabel"));
    subTitleLabel_->setAlignment(Qt::AlignCenter);
    subTitleLabel_->setWordWrap(true);
    subTitleLabel_->setStyleSheet(QStringLiteral("font-size: 16px; color: #555555;"));
    column->addWidget(titleLabel_);
    column->addWidget(subTitleLabel_);

    // The stage: the reader, with the card in its moving frame over it.
    stage_ = new QWidget(root);
    stage_->setObjectName(QStringLiteral("stage"));
    stage_->setMinimumHeight(330);
    column->addWidget(stage_, 1);
    readerView_ =
        ReaderViews::imageOutlet(stage_, QStringLiteral("readerView"), QRect(0, 90, 130, 220));
    readerViewFront_ =
        ReaderViews::imageOutlet(stage_, QStringLiteral("readerViewFront"), QRect(0, 90, 130, 220));
    cardViewContainer_ = new QWidget(stage_);
    cardViewContainer_->setObjectName(QStringLiteral("cardViewContainer"));
    cardViewContainer_->setGeometry(0, 0, 96, 150);
    cardView_ =
        ReaderViews::imageOutlet(cardViewContainer_, QStringLiteral("cardView"),
                                 QRect(0, 0, 96, 150), QStringLiteral("contactlessCard.png"));
    return root;
}

void DSpreadPinpadContactless::viewDidLayoutSubviews() {
    if (!stage_ || !readerView_ || active_)
        return;
    // The reader stands centred in the stage, a little below its top.
    const QRect reader = View::frame(readerView_);
    const QRect placed((stage_->width() - reader.width()) / 2 - 30,
                       std::max(90, (stage_->height() - reader.height()) / 2 + 30), reader.width(),
                       reader.height());
    View::setFrame(readerView_, placed);
    View::setFrame(readerViewFront_, placed);
}

void DSpreadPinpadContactless::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    if (navBar_)
        navBar_->setAutoFillBackground(false);
    readerView_->setImageNamed(QStringLiteral("tq-qposMini.png"));
    readerViewFront_->setImageNamed(QStringLiteral("tq-qposMini-Top.png"));
    View::setHidden(cardView_, true);
}

void DSpreadPinpadContactless::viewDidAppear(bool animated) {
    ViewController::viewDidAppear(animated);
    layoutIfNeeded();
    const QRect reader = View::frame(readerView_);
    const QSize size = cardViewContainer_ ? cardViewContainer_->size() : QSize();
    const QPoint target(reader.x() + 30, reader.y() - 74);
    inFrame_ = QRect(target, size);
    outFrame_ = QRect(target + QPoint(200, 80), size);
    View::setFrame(cardViewContainer_, outFrame_);
    View::setHidden(cardView_, false);
    active_ = true;
    animateNow();
}

void DSpreadPinpadContactless::viewDidDisappear(bool animated) {
    ViewController::viewDidDisappear(animated);
    active_ = false;
    ViewAnimation::removeAllAnimations(cardView_);
    ViewAnimation::removeAllAnimations(cardViewContainer_);
}

void DSpreadPinpadContactless::animateNow() {
    if (!active_)
        return;
    ++cycles_;
    View::setAlpha(cardView_, 1.0);
    // The card slides up and left onto the reader, stays, fades, jumps back and fades in.
    ViewAnimation()
        .frame(cardViewContainer_, inFrame_)
        .start(this, kSlideMs, [this, alive = QPointer<QObject>(this)](bool finished) {
            if (!alive)
                return; // the view is gone: its animations end without it
            if (!finished || !active_)
                return;
            ViewAnimation()
                .alpha(cardView_, 0)
                .start(
                    this, kFadeMs,
                    [this, alive = QPointer<QObject>(this)](bool finished) {
                        if (!alive)
                            return; // the view is gone: its animations end without it
                        if (!finished || !active_)
                            return;
                        View::setFrame(cardViewContainer_, outFrame_);
                        ViewAnimation()
                            .alpha(cardView_, 1.0)
                            .start(
                                this, kFadeMs,
                                [this, alive = QPointer<QObject>(this)](bool finished) {
                                    if (!alive)
                                        return; // the view is gone: its animations end without it
                                    if (finished && active_)
                                        animateNow();
                                },
                                kAwayMs);
                    },
                    kHoldMs);
        });
}

void DSpreadPinpadContactless::cancel() {
    if (ContactlessPromptDelegate* delegate = delegate_.get())
        delegate->disableNFC();
}
