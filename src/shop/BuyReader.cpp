#include "shop/BuyReader.h"

#include "SDK/session/User.h"
#include "catalog/InputTabBarViewController.h"
#include "platform/core/UserDefaults.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/SlidingViewController.h"
#include "platform/ui/Storyboard.h"
#include "shop/BuyReaderStartController.h"
#include "shop/ShopHandOver.h"
#include "shop/ShopScreen.h"
#include "ui_kit/UIKitSupport.h"

#include <QPushButton>
#include <QVBoxLayout>

BuyReader::BuyReader(QObject* parent)
    : ViewController(parent) {}

QWidget* BuyReader::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("buyReaderView"));
    root->setStyleSheet(QStringLiteral(
        "#buyReaderView { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f1f1f1, "
        "stop:1 white); }"));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(24, 40, 24, 24);
    column->setSpacing(14);
    buyReaderTitle_ = ShopLook::label(root, QStringLiteral("buyReaderTitle"));
    buyReaderTitle_->setAlignment(Qt::AlignCenter);
    buyReaderDescription_ = ShopLook::label(root, QStringLiteral("buyReaderDescription"),
                                            QStringLiteral("font-size: 16px; color: #444;"));
    buyReaderDescription_->setAlignment(Qt::AlignCenter);
    readerImage_ = new ImageView(root);
    readerImage_->setObjectName(QStringLiteral("readerImage"));
    readerImage_->setFixedSize(200, 200);
    column->addWidget(buyReaderTitle_);
    column->addWidget(buyReaderDescription_);
    column->addWidget(readerImage_, 1, Qt::AlignCenter);
    buyNow_ = ShopLook::goButton(root, QStringLiteral("buyNow"));
    alreadyBought_ = new QPushButton(root);
    alreadyBought_->setObjectName(QStringLiteral("alreadyBought"));
    alreadyBought_->setMinimumHeight(44);
    ommit_ = new QPushButton(root);
    ommit_->setObjectName(QStringLiteral("ommit"));
    ommit_->setFlat(true);
    column->addWidget(buyNow_);
    column->addWidget(alreadyBought_);
    column->addWidget(ommit_);
    connect(buyNow_, &QPushButton::clicked, this, [this] { buyReader(); });
    connect(alreadyBought_, &QPushButton::clicked, this, [this] { readerBought(); });
    connect(ommit_, &QPushButton::clicked, this, [this] { close(); });
    return root;
}

void BuyReader::viewDidLoad() {
    ommit_->setText(ShopLook::text(QStringLiteral("GlobalTexts"), QStringLiteral("ommit")));
    buyNow_->setText(ShopLook::text(QStringLiteral("BuyReader"), QStringLiteral("buyNow")));
    alreadyBought_->setText(
        ShopLook::text(QStringLiteral("BuyReader"), QStringLiteral("boughtIt")));
    buyReaderTitle_->setText(
        ShopLook::text(QStringLiteral("BuyReader"), QStringLiteral("buyReader")));
    buyReaderTitle_->setStyleSheet(QStringLiteral("font-size: 26px; font-weight: 600; color: %1;")
                                       .arg(UIKitSupport::mainColor().name()));
    buyReaderDescription_->setText(
        ShopLook::text(QStringLiteral("BuyReader"), QStringLiteral("buyReaderDescription")));
    readerImage_->setImage(UIKitSupport::bundleImage(QStringLiteral("BuyReader.png")));
    alreadyBought_->setStyleSheet(
        QStringLiteral("QPushButton { background: white; border: 1px solid #ccc; font-size: 16px; }"
                       "QPushButton:pressed { background: #e6e6e6; }"));
    fromWhere_ =
        fromSaleButton_ ? QStringLiteral("Desde botón Cobrar") : QStringLiteral("Desde Login");
}

void BuyReader::viewWillAppear(bool) {
    if (NavigationController* nav = navigationController())
        nav->setNavigationBarHidden(true, false);
}

void BuyReader::buyReader() {
    performSegueWithIdentifier(QStringLiteral("buySegue"), this);
}

void BuyReader::prepareForSegue(StoryboardSegue& segue, QObject*) {
    if (segue.identifier() != QLatin1String("buySegue") &&
        segue.identifier() != QLatin1String("buyWebSegue"))
        return;
    if (auto* catalogue =
            qobject_cast<BuyReaderStartController*>(segue.destinationViewController()))
        catalogue->setFromSaleButton(fromSaleButton_);
}

void BuyReader::readerBought() {
    User::instance().setReaderPurchased(true);
    UserDefaults& store = UserDefaults::standardUserDefaults();
    store.setObject(true, QStringLiteral("readerPurchased"));
    store.synchronize();
    if (navigationController()) {
        continueAction();
        return;
    }
    SlidingViewController* container = nullptr;
    for (ViewController* level = this; level && !container;) {
        container = qobject_cast<SlidingViewController*>(level);
        level = level->parentViewController() ? level->parentViewController()
                                              : level->presentingViewController();
    }
    QPointer<SlidingViewController> guard(container);
    dismissViewControllerAnimated(true, [guard] {
        if (!guard)
            return;
        auto* nav = qobject_cast<NavigationController*>(guard->topViewController());
        if (!nav || nav->viewControllers().isEmpty())
            return;
        if (auto* tabBar = qobject_cast<InputTabBarViewController*>(nav->viewControllers().first()))
            tabBar->demoAlert();
    });
}

void BuyReader::close() {
    continueAction();
}

void BuyReader::continueAction() {
    if (!fromSaleButton_) {
        dismissViewControllerAnimated(true);
        return;
    }
    ShopHandOver::fromOffer(this);
}
