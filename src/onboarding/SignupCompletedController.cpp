#include "onboarding/SignupCompletedController.h"

#include "SDK/session/User.h"
#include "catalog/CatalogLook.h"
#include "onboarding/LoginTransitionCoordinator.h"
#include "onboarding/OnboardingLook.h"
#include "onboarding/OnboardingScreens.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/View.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

SignupCompletedController::SignupCompletedController(QObject* parent)
    : ViewController(parent) {}

QWidget* SignupCompletedController::loadView() {
    auto* root = new QWidget();
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(20, 0, 20, 24);
    column->setSpacing(14);
    titleBar_ = OnboardingLook::titleBar(root, column, QStringLiteral("titleBar"));
    auto* frame = new QWidget(root);
    frame->setFixedSize(160, 160);
    pictureBorder_ = new QLabel(frame);
    pictureBorder_->setObjectName(QStringLiteral("pictureBorder"));
    pictureBorder_->setGeometry(0, 0, 160, 160);
    pictureBorder_->setScaledContents(true);
    picture_ = new ImageView(frame);
    picture_->setObjectName(QStringLiteral("picture"));
    picture_->setGeometry(6, 6, 148, 148);
    column->addWidget(frame, 0, Qt::AlignHCenter);
    headerTitle_ = new QLabel(root);
    headerTitle_->setObjectName(QStringLiteral("headerTitle"));
    headerTitle_->setAlignment(Qt::AlignCenter);
    headerTitle_->setFont(CatalogLook::font(QStringLiteral("HelveticaNeue-Light"), 26));
    column->addWidget(headerTitle_);
    headerText_ = new QLabel(root);
    headerText_->setObjectName(QStringLiteral("headerText"));
    headerText_->setAlignment(Qt::AlignCenter);
    headerText_->setWordWrap(true);
    column->addWidget(headerText_);
    column->addStretch();
    continueButton_ = new QPushButton(root);
    continueButton_->setObjectName(QStringLiteral("continueButton"));
    continueButton_->setMinimumHeight(44);
    connect(continueButton_, &QPushButton::clicked, this, [this] { continueTapped(); });
    column->addWidget(continueButton_);
    return root;
}

void SignupCompletedController::viewDidLoad() {
    continueButton_->setText(CatalogLook::text("GlobalTexts", "continue"));
    OnboardingLook::styleLargeButton(continueButton_);
    CatalogLook::setTextColor(headerTitle_, CatalogLook::mainColor());
    OnboardingLook::setPatternBackground(view());
    User& user = User::instance();
    if (user.imageURL().isEmpty() && user.image().isNull()) {
        pictureBorder_->setPixmap(
            QPixmap::fromImage(CatalogLook::image(QStringLiteral("avatar_nopicture_big.png"))));
    } else if (!user.image().isNull()) {
        picture_->setImage(user.image());
    } else {
        auto* downloader = new ImageDownloader(this);
        downloader->setDelegate(this);
        downloader->setUrlString(user.imageURL());
        downloader->setImageView(picture_);
        downloader->setImageIndex(user.userId());
        downloader->setBorderView(pictureBorder_);
        downloader->downloadTheImage();
    }
    View::setCornerRadius(picture_, 74);
}

void SignupCompletedController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    titleBar_->setText(CatalogLook::text("SignupCompleted", "titleBar"));
    headerTitle_->setText(CatalogLook::text("SignupCompleted", "headerTitle"));
    headerText_->setText(CatalogLook::text("SignupCompleted", "headerText"));
}

void SignupCompletedController::continueTapped() {
    if (!User::instance().token().isEmpty())
        performSegueWithIdentifier(OnboardingScreens::setupSegue, this);
    else
        LoginTransitionCoordinator().transitionToLoginScreen();
}

void SignupCompletedController::downloadDidFinishDownloading(ImageDownloader* downloader) {
    User::instance().setImage(downloader->image());
}

void SignupCompletedController::download(ImageDownloader* downloader,
                                         const std::optional<TarvelloError>& error) {
    Q_UNUSED(downloader);
    Q_UNUSED(error);
}
