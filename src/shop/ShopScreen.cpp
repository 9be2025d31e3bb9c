#include "shop/ShopScreen.h"

#include "api/APIController.h"
#include "api/SessionBridge.h"
#include "model/values/Amount.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "ui_kit/AutoLayoutUtilities.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/texts/Language.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>

ShopScreen::ShopScreen(QObject* parent)
    : ViewController(parent) {}

bool ShopScreen::sessionExpired() {
    hideLoadingIndicatorAnimated(false);
    SessionBridge::expireSession();
    closeShop();
    return true;
}

bool ShopScreen::sessionExpiredWithMessage(const QString&) {
    return sessionExpired();
}

void ShopScreen::closeShop() {
    if (purchase_)
        purchase_->dropCardData();
    dismissViewControllerAnimated(true);
}

APIController* ShopScreen::newClient() {
    auto* client = new APIController(this);
    client->setDelegate(this);
    return client;
}

void ShopScreen::showMessage(const QString& message) {
    auto* alert = SystemAlert::alertControllerWithTitle(QString(), message);
    alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
    ViewController* host = AutoLayoutUtilities::topViewController(this);
    (host ? host : this)->presentViewController(alert, true);
}

namespace ShopLook {

BarButtonItem barButton(const QString& title, const QString& objectName,
                        std::function<void()> action) {
    BarButtonItem item;
    item.title = title;
    item.objectName = objectName;
    item.action = std::move(action);
    return item;
}

QString text(const QString& section, const QString& key) {
    return Language::textForFile(section, key);
}

QString connError() {
    return text(QStringLiteral("GlobalTexts"), QStringLiteral("connError"));
}

void styleGoButton(QPushButton* button) {
    const QColor theme = UIKitSupport::mainColor();
    button->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; font-size: 16px; "
                       "font-weight: 600; border: none; min-height: 48px; }"
                       "QPushButton:pressed { background: %2; }")
            .arg(theme.name(),
                 AutoLayoutUtilities::darkerColorForColor(theme).value_or(theme).name()));
}

QPushButton* goButton(QWidget* parent, const QString& objectName) {
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    styleGoButton(button);
    return button;
}

QLabel* label(QWidget* parent, const QString& objectName, const QString& style) {
    auto* made = new QLabel(parent);
    made->setObjectName(objectName);
    made->setWordWrap(true);
    if (!style.isEmpty())
        made->setStyleSheet(style);
    return made;
}

QString money(double value) {
    return Amount::initWithDouble(value)->getAmount();
}

QString payTitle(double total) {
    return QStringLiteral("PAGAR %1").arg(money(total));
}

QString digitsOnly(const QString& text) {
    QString digits;
    for (const QChar c : text)
        if (c >= u'0' && c <= u'9')
            digits += c;
    return digits;
}

QString groupedDocument(const QString& text) {
    const qulonglong number = digitsOnly(text).left(18).toULongLong();
    if (number == 0)
        return QString("");
    QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale.toString(number);
}

} // namespace ShopLook
