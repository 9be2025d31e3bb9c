#include "api/APIConfiguration.h"

#include "platform/core/ServiceRegistry.h"

#include <QFile>
#include <atomic>

#ifndef TARVELLO_DEFAULT_BASE_URL
#define TARVELLO_DEFAULT_BASE_URL "https://api.tarvello.example"
#endif

namespace {

// Trust generations are unique across configurations, so installing another one counts as a
// change of trust too.
quint64 nextTrustGeneration() {
    static std::atomic<quint64> next{1};
    return next++;
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

APIConfiguration::APIConfiguration()
    : trustGeneration_(nextTrustGeneration()) {}

std::shared_ptr<APIConfiguration> APIConfiguration::current() {
    return Services::getOrDefault<APIConfiguration, APIConfiguration>();
}

QString APIConfiguration::baseURL() const {
    QMutexLocker locker(&lock_);
    if (!baseURL_.isEmpty())
        return baseURL_;
    const QString fromEnvironment = qEnvironmentVariable("TARVELLO_BASE_URL");
    if (!fromEnvironment.isEmpty())
        return withoutTrailingSlash(fromEnvironment);
    return withoutTrailingSlash(QStringLiteral(TARVELLO_DEFAULT_BASE_URL));
}

void APIConfiguration::setBaseURL(const QString& url) {
    QMutexLocker locker(&lock_);
    baseURL_ = withoutTrailingSlash(url);
}

bool APIConfiguration::addTrustedCAFile(const QString& path) {
    const QList<QSslCertificate> certificates = certificatesIn(path);
    if (certificates.isEmpty())
        return false;
    QMutexLocker locker(&lock_);
    addedCAs_ += certificates;
    trustGeneration_ = nextTrustGeneration();
    return true;
}

void APIConfiguration::removeAddedCAs() {
    QMutexLocker locker(&lock_);
    if (!addedCAs_.isEmpty())
        trustGeneration_ = nextTrustGeneration();
    addedCAs_.clear();
}

void APIConfiguration::readEnvironmentCAs() const {
    const QString environmentFile = qEnvironmentVariable("TARVELLO_CA_FILE");
    if (environmentFile != environmentCAFile_) {
        environmentCAFile_ = environmentFile;
        trustGeneration_ = nextTrustGeneration();
        environmentCAs_ =
            environmentFile.isEmpty() ? QList<QSslCertificate>() : certificatesIn(environmentFile);
    }
}

QSslConfiguration APIConfiguration::sslConfiguration() const {
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    QMutexLocker locker(&lock_);
    readEnvironmentCAs();
    if (!environmentCAs_.isEmpty())
        configuration.addCaCertificates(environmentCAs_);
    if (!addedCAs_.isEmpty())
        configuration.addCaCertificates(addedCAs_);
    return configuration;
}

quint64 APIConfiguration::trustGeneration() const {
    QMutexLocker locker(&lock_);
    readEnvironmentCAs();
    return trustGeneration_;
}

int APIConfiguration::requestTimeout() const {
    QMutexLocker locker(&lock_);
    return timeout_;
}

void APIConfiguration::setRequestTimeout(int milliseconds) {
    QMutexLocker locker(&lock_);
    timeout_ = milliseconds > 0 ? milliseconds : 120000;
}

int APIConfiguration::sessionClientTimeout() const {
    QMutexLocker locker(&lock_);
    return sessionTimeout_;
}

void APIConfiguration::setSessionClientTimeout(int milliseconds) {
    QMutexLocker locker(&lock_);
    sessionTimeout_ = milliseconds > 0 ? milliseconds : 60000;
}
