#include "shop/ShopScreen.h"

#include "api/APIController.h"
#include "api/SessionBridge.h"
#include "model/values/Amount.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Services.h"
#include "platform/ui/TableView.h"
#include "ui_kit/AutoLayoutUtilities.h"
#include "ui_kit/UIKitSupport.h"
#include "ui_kit/texts/Language.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

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

QLabel* ShopScreen::addTermsText(QWidget* root, QVBoxLayout* column) {
    QLabel* terms = ShopLook::label(root, QStringLiteral("termsTextView"));
    terms->setTextFormat(Qt::RichText);
    column->addWidget(terms);
    connect(terms, &QLabel::linkActivated, this,
            [this, terms](const QString& link) { followTermsLink(link, terms); });
    return terms;
}

bool ShopScreen::followTermsLink(const QString& link, QObject* sender) {
    const QUrl url(link);
    if (url.scheme() == QLatin1String("terms")) {
        performSegueWithIdentifier(QStringLiteral("terms"), sender);
        return false;
    }
    if (auto opener = Services::get<URLOpener>())
        opener->openURL(url);
    return true;
}

namespace ShopLook {

ScreenLayout screenLayout(const QString& background, bool flush) {
    ScreenLayout layout;
    layout.root = new QWidget();
    if (!background.isEmpty())
        layout.root->setStyleSheet(QStringLiteral("background: %1;").arg(background));
    layout.column = new QVBoxLayout(layout.root);
    if (flush)
        layout.column->setContentsMargins(0, 0, 0, 0);
    return layout;
}

TableView* addTable(const ScreenLayout& layout, TableViewDataSource* source,
                    TableViewDelegate* delegate) {
    auto* table = new TableView(layout.root);
    table->setObjectName(QStringLiteral("tableView"));
    table->setDataSource(source);
    table->setDelegate(delegate);
    layout.column->addWidget(table, 1);
    return table;
}

QString termsSentence() {
    return QStringLiteral("Al pagar aceptás los <a href=\"terms://terms\" style=\"color: %1; "
                          "text-decoration: underline;\">Términos y Condiciones</a> de Pagora.")
        .arg(UIKitSupport::mainColor().name());
}

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
