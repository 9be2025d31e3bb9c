#include "api/NetworkManagerFactory.h"

#include "api/APIConfiguration.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QPointer>

QNetworkAccessManager* NetworkManagerFactory::mainThreadManager() {
    static QPointer<QNetworkAccessManager> manager;
    static quint64 trust = 0;
    if (!manager) {
        manager = new QNetworkAccessManager(QCoreApplication::instance());
        qAddPostRoutine([] { delete manager.data(); });
        trust = APIConfiguration::current()->trustGeneration();
    } else if (const quint64 now = APIConfiguration::current()->trustGeneration(); now != trust) {
        manager->clearConnectionCache();
        trust = now;
    }
    return manager;
}

std::unique_ptr<QNetworkAccessManager> NetworkManagerFactory::workerManager() {
    return std::make_unique<QNetworkAccessManager>();
}

void NetworkManagerFactory::configure(QNetworkRequest& request, Client client) {
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setSslConfiguration(APIConfiguration::current()->sslConfiguration());
    request.setTransferTimeout(client == Client::Delegate
                                   ? APIConfiguration::current()->requestTimeout()
                                   : APIConfiguration::current()->sessionClientTimeout());
}
