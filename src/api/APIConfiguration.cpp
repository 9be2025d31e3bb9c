#include "api/APIConfiguration.h"

#include <QFile>
#include <QMutex>
#include <QSslCertificate>

#ifndef TARVELLO_DEFAULT_BASE_URL
#define TARVELLO_DEFAULT_BASE_URL "https://api.tarvello.example"
#endif

namespace {

struct State {
    QMutex lock;
    QString baseURL;
    QList<QSslCertificate> addedCAs;
    QString environmentCAFile;
    QList<QSslCertificate> environmentCAs;
    quint64 trustGeneration = 0;
    int timeout = 120000;
    int sessionTimeout = 60000;
};

State& state() {
    static State s;
    return s;
}

QString withoutTrailingSlash(QString url) {
    while (url.endsWith(u'/'))
        url.chop(1);
    return url;
}

QList<QSslCertificate> certificatesIn(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QSslCertificate::fromData(file.readAll(), QSsl::Pem);
}

} // namespace

QString APIConfiguration::baseURL() {
    State& s = state();
    QMutexLocker locker(&s.lock);
    if (!s.baseURL.isEmpty())
        return s.baseURL;
    const QString fromEnvironment = qEnvironmentVariable("TARVELLO_BASE_URL");
    if (!fromEnvironment.isEmpty())
        return withoutTrailingSlash(fromEnvironment);
    return withoutTrailingSlash(QStringLiteral(TARVELLO_DEFAULT_BASE_URL));
}

void APIConfiguration::setBaseURL(const QString& url) {
    State& s = state();
    QMutexLocker locker(&s.lock);
    s.baseURL = withoutTrailingSlash(url);
}

bool APIConfiguration::addTrustedCAFile(const QString& path) {
    const QList<QSslCertificate> certificates = certificatesIn(path);
    if (certificates.isEmpty())
        return false;
    State& s = state();
    QMutexLocker locker(&s.lock);
    s.addedCAs += certificates;
    ++s.trustGeneration;
    return true;
}

void APIConfiguration::removeAddedCAs() {
    State& s = state();
    QMutexLocker locker(&s.lock);
    if (!s.addedCAs.isEmpty())
        ++s.trustGeneration;
    s.addedCAs.clear();
}

QSslConfiguration APIConfiguration::sslConfiguration() {
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    State& s = state();
    QMutexLocker locker(&s.lock);
    const QString environmentFile = qEnvironmentVariable("TARVELLO_CA_FILE");
    if (environmentFile != s.environmentCAFile) {
        s.environmentCAFile = environmentFile;
        ++s.trustGeneration;
        s.environmentCAs =
            environmentFile.isEmpty() ? QList<QSslCertificate>() : certificatesIn(environmentFile);
    }
    if (!s.environmentCAs.isEmpty())
        configuration.addCaCertificates(s.environmentCAs);
    if (!s.addedCAs.isEmpty())
        configuration.addCaCertificates(s.addedCAs);
    return configuration;
}

quint64 APIConfiguration::trustGeneration() {
    sslConfiguration(); // picks up a change of the environment's CA file
    State& s = state();
    QMutexLocker locker(&s.lock);
    return s.trustGeneration;
}

int APIConfiguration::requestTimeout() {
    State& s = state();
    QMutexLocker locker(&s.lock);
    return s.timeout;
}

void APIConfiguration::setRequestTimeout(int milliseconds) {
    State& s = state();
    QMutexLocker locker(&s.lock);
    s.timeout = milliseconds > 0 ? milliseconds : 120000;
}

int APIConfiguration::sessionClientTimeout() {
    State& s = state();
    QMutexLocker locker(&s.lock);
    return s.sessionTimeout;
}

void APIConfiguration::setSessionClientTimeout(int milliseconds) {
    State& s = state();
    QMutexLocker locker(&s.lock);
    s.sessionTimeout = milliseconds > 0 ? milliseconds : 60000;
}
