#include "reader/ReaderDemoCompletedViewController.h"

#include "platform/core/VersionDispatch.h"
#include "platform/ui/View.h"
#include "ui_kit/AutoLayoutUtilities.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/texts/Language.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ReaderDemoCompletedViewController::ReaderDemoCompletedViewController(QObject* parent)
    : ViewController(parent) {}

QWidget* ReaderDemoCompletedViewController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(24, 48, 24, 32);
    column->setSpacing(16);
    checkmarkImageView_ = new ImageView(root);
    checkmarkImageView_->setObjectName(QStringLiteral("checkmarkImageView"));
    checkmarkImageView_->setFixedSize(120, 120);
    column->addWidget(checkmarkImageView_, 0, Qt::AlignHCenter);
    titleLabel_ = new QLabel(root);
    titleLabel_->setObjectName(QStringLiteral("titleLabel"));
    titleLabel_->setAlignment(Qt::AlignCenter);
    titleLabel_->setWordWrap(true);
    subtitleLabel_ = new QLabel(root);
    subtitleLabel_->setObjectName(QStringLiteral("subtitleLabel"));
    subtitleLabel_->setAlignment(Qt::AlignCenter);
    subtitleLabel_->setWordWrap(true);
    column->addWidget(titleLabel_);
    column->addWidget(subtitleLabel_);
    column->addStretch(1);
    continueButton_ = new QPushButton(root);
    continueButton_->setObjectName(QStringLiteral("continueButton"));
    continueButton_->setMinimumHeight(48);
    column->addWidget(continueButton_);
    connect(continueButton_, &QPushButton::clicked, this, [this] { continueButtonTapped(); });
    return root;
}

void ReaderDemoCompletedViewController::viewDidLoad() {
    const QColor theme = UIKitSupport::mainColor();
    titleLabel_->setStyleSheet(
        QStringLiteral("font-size: 22px; font-weight: 600; color: %1;").arg(theme.name()));
    subtitleLabel_->setStyleSheet(QStringLiteral("font-size: 17px; color: #333333;"));
    continueButton_->setStyleSheet(
        QStringLiteral(
            "QPushButton { background: %1; color: white; font-size: 17px; border: none; }"
            "QPushButton:pressed { background: %2; }")
            .arg(theme.name(),
                 AutoLayoutUtilities::darkerColorForColor(theme).value_or(theme).name()));
    // The check drawn in the theme colour (a template image).
    checkmarkImageView_->setTintColor(theme);
    checkmarkImageView_->setTemplate(true);
    checkmarkImageView_->setImageNamed(QStringLiteral("page1.png"));
    setTitle(Language::textForFile(QStringLiteral("readerDemo"),
                                   QStringLiteral("completedDemoViewTitle")));
    navigationItem()->setHidesBackButton(true);
    titleLabel_->setText(
        Language::textForFile(QStringLiteral("readerDemo"), QStringLiteral("completedDemoTitle")));
    subtitleLabel_->setText(Language::textForFile(QStringLiteral("readerDemo"),
                                                  QStringLiteral("completedDemoSubTitle")));
    continueButton_->setText(
        Language::textForFile(QStringLiteral("GlobalTexts"), QStringLiteral("continue")));
}

void ReaderDemoCompletedViewController::continueButtonTapped() {
    if (auto* delegate = dynamic_cast<ReaderDemoCompletedDelegate*>(delegate_.data()))
        delegate->readerDemoDismissed();
}
