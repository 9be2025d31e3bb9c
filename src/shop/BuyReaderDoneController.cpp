#include "shop/BuyReaderDoneController.h"

#include "platform/ui/ImageView.h"
#include "platform/ui/NavigationController.h"
#include "shop/ShopHandOver.h"
#include "ui_kit/UIKitSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

BuyReaderDoneController::BuyReaderDoneController(QObject* parent)
    : ShopScreen(parent) {}

QWidget* BuyReaderDoneController::loadView() {
    auto* root = new QWidget();
    root->setObjectName(QStringLiteral("doneView"));
    root->setStyleSheet(QStringLiteral("#doneView { background: qlineargradient(x1:0, y1:0, x2:0, "
                                       "y2:1, stop:0 #f2f2f2, stop:1 white); }"));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(24, 64, 24, 24);
    auto* tick = new ImageView(root);
    tick->setObjectName(QStringLiteral("tick"));
    tick->setFixedSize(120, 120);
    column->addWidget(tick, 0, Qt::AlignHCenter);
    auto* title = ShopLook::label(root, QStringLiteral("titleLabel"),
                                  QStringLiteral("font-size: 24px; font-weight: 600;"));
    title->setAlignment(Qt::AlignCenter);
    title->setText(QStringLiteral("¡Listo! Tu pedido fue realizado"));
    auto* subtitle = ShopLook::label(root, QStringLiteral("subtitleLabel"),
                                     QStringLiteral("font-size: 16px; color: #555;"));
    subtitle->setAlignment(Qt::AlignCenter);
    subtitle->setText(QStringLiteral("Te avisaremos por e-mail cuando el lector esté en camino."));
    column->addWidget(title);
    column->addWidget(subtitle);
    column->addStretch(1);
    auto* continueButton = ShopLook::goButton(root, QStringLiteral("continueButton"));
    continueButton->setText(
        ShopLook::text(QStringLiteral("GlobalTexts"), QStringLiteral("continue")).toUpper());
    column->addWidget(continueButton);
    connect(continueButton, &QPushButton::clicked, this, [this] { done(); });
    return root;
}

void BuyReaderDoneController::viewDidLoad() {
    auto* tick = outlet<ImageView>(QStringLiteral("tick"));
    tick->setTintColor(UIKitSupport::mainColor());
    tick->setTemplate(true);
    tick->setImageNamed(QStringLiteral("page1.png"));
}

void BuyReaderDoneController::viewWillAppear(bool) {
    if (NavigationController* nav = navigationController())
        nav->setNavigationBarHidden(true, false);
}

void BuyReaderDoneController::done() {
    const bool fromSaleButton =
        purchase_ && purchase_->value(QStringLiteral("fromSaleButton")).toBool();
    if (purchase_)
        purchase_->dropCardData();
    if (!fromSaleButton) {
        dismissViewControllerAnimated(true);
        return;
    }
    ShopHandOver::fromDone(this);
}
