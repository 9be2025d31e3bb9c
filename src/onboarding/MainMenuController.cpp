#include "onboarding/MainMenuController.h"

#include "catalog/CatalogLook.h"
#include "onboarding/LoginTransitionCoordinator.h"
#include "platform/ui/View.h"
#include "ui_kit/AlertController.h"

#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

MainMenuController::MainMenuController(QObject* parent)
    : ViewController(parent) {}

QWidget* MainMenuController::loadView() {
    auto* root = new QWidget();
    View::setBackgroundColor(root, QColor(38, 44, 52));
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(16, 40, 16, 16);
    column->addStretch();
    closeSessionButton_ = new QPushButton(root);
    closeSessionButton_->setObjectName(QStringLiteral("closeSession"));
    closeSessionButton_->setFlat(true);
    closeSessionButton_->setStyleSheet(
        QStringLiteral("color: white; text-align: left; border: none; font-size: 16px;"));
    connect(closeSessionButton_, &QPushButton::clicked, this, [this] { closeSession(); });
    column->addWidget(closeSessionButton_);
    return root;
}

void MainMenuController::viewWillAppear(bool animated) {
    ViewController::viewWillAppear(animated);
    closeSessionButton_->setText(CatalogLook::text("Menu", "closeSession"));
}

void MainMenuController::closeSession() {
    AlertController* alert = AlertController::alertControllerWithTitle(
        QString(), CatalogLook::text("Menu", "closeSessionAlert"));
    alert->addAction(AlertAction::actionWithTitle(CatalogLook::text("GlobalTexts", "cancel"), 1));
    QPointer<MainMenuController> self(this);
    alert->addAction(AlertAction::actionWithTitle(CatalogLook::text("Menu", "closeSession"), 0,
                                                  [self](AlertAction*) {
                                                      if (self)
                                                          tvLogOut(self);
                                                  }));
    presentViewController(alert, true);
}
