#include "shop/payment/BuyReaderTermsController.h"

#include "api/NetworkManagerFactory.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Services.h"
#include "shop/ShopScreen.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {
QString& configuredTermsAddress() {
    static QString address;
    return address;
}
} // namespace

BuyReaderTermsController::BuyReaderTermsController(QObject* parent)
    : ViewController(parent) {}

BuyReaderTermsController::~BuyReaderTermsController() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }
}

QString BuyReaderTermsController::termsAddress() {
    const QString fromEnvironment = qEnvironmentVariable("TARVELLO_TERMS_URL");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    if (!configuredTermsAddress().isEmpty())
        return configuredTermsAddress();
    return QStringLiteral("https://www.pagora.example/terminos-y-condiciones-compradores");
}

void BuyReaderTermsController::setTermsAddress(const QString& address) {
    configuredTermsAddress() = address;
}

QWidget* BuyReaderTermsController::loadView() {
    auto* root = new QWidget();
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    webView_ = new QTextBrowser(root);
    webView_->setObjectName(QStringLiteral("webView"));
    webView_->setOpenLinks(false);
    column->addWidget(webView_);
    connect(webView_, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& url) { linkTapped(url); });
    return root;
}

void BuyReaderTermsController::viewDidLoad() {
    setTitle(QStringLiteral("Términos y Condiciones"));
    navigationItem()->setTitle(title());
    navigationItem()->setHidesBackButton(true);
    displayLoadingIndicator();
    QNetworkRequest request{QUrl(termsAddress())};
    NetworkManagerFactory::configure(request, NetworkManagerFactory::Client::Delegate);
    reply_ = NetworkManagerFactory::mainThreadManager()->get(request);
    connect(reply_, &QNetworkReply::finished, this, [this] { finished(); });
}

void BuyReaderTermsController::finished() {
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    if (!reply)
        return;
    reply->deleteLater();
    hideLoadingIndicator();
    navigationItem()->setHidesBackButton(false);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status != 200) {
        auto* alert = SystemAlert::alertControllerWithTitle(QString(), ShopLook::connError());
        alert->addAction(QStringLiteral("OK"), SystemAlertAction::Default);
        presentViewController(alert, true);
        return;
    }
    webView_->setHtml(QString::fromUtf8(reply->readAll()));
}

void BuyReaderTermsController::linkTapped(const QUrl& url) {
    if (auto opener = Services::get<URLOpener>())
        opener->openURL(url);
}
