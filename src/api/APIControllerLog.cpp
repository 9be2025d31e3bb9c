// The in-memory request log and the connection type.
#include "api/APIController.h"
#include "api/LogRedaction.h"

#include <QDateTime>
#include <QMutex>
#include <QNetworkInformation>
#include <deque>

namespace {

constexpr quint64 logLimit = 1000000;

struct RequestLog {
    QMutex lock;
    std::deque<QVariantMap> entries;
    quint64 logSize = 0;
};

RequestLog& requestLog() {
    static RequestLog log;
    return log;
}

} // namespace

void APIController::logRequest(const QString& url, const QString& body, const QString& response) {
    // Secrets and card data never reach the log; the size counts what is stored.
    const QString host = LogRedaction::redact(url);
    const QString storedBody = LogRedaction::redact(body.isNull() ? QString("") : body);
    const QString storedResponse = LogRedaction::redact(response.isNull() ? QString("") : response);
    const quint64 size =
        static_cast<quint64>(host.size() + storedBody.size() + storedResponse.size());
    const double time = static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0;

    RequestLog& log = requestLog();
    QMutexLocker locker(&log.lock);
    log.logSize += size;
    while (log.logSize > logLimit && !log.entries.empty()) {
        log.logSize -= log.entries.front().value(QStringLiteral("size")).toULongLong();
        log.entries.pop_front();
    }
    log.entries.push_back(QVariantMap{{QStringLiteral("size"), size},
                                      {QStringLiteral("host"), host},
                                      {QStringLiteral("body"), storedBody},
                                      {QStringLiteral("response"), storedResponse},
                                      {QStringLiteral("time"), time}});
}

QVariantList APIController::getRequestLog() {
    RequestLog& log = requestLog();
    QMutexLocker locker(&log.lock);
    QVariantList list;
    list.reserve(static_cast<qsizetype>(log.entries.size()));
    for (const QVariantMap& entry : log.entries)
        list.append(entry);
    return list;
}

std::optional<QString> APIController::connectionTypeFor(int reachability, int transportMedium,
                                                        const QString& radioTechnology) {
    using R = QNetworkInformation::Reachability;
    using M = QNetworkInformation::TransportMedium;
    if (reachability == static_cast<int>(R::Disconnected))
        return QStringLiteral("NO INTERNET");
    if (reachability == static_cast<int>(R::Unknown))
        return std::nullopt;
    if (transportMedium == static_cast<int>(M::WiFi))
        return QStringLiteral("WIFI");
    if (transportMedium != static_cast<int>(M::Cellular))
        return std::nullopt;
    static const QStringList secondGeneration{"GPRS", "Edge", "CDMA1x"};
    static const QStringList thirdGeneration{
        "WCDMA", "HSDPA", "HSUPA", "CDMAEVDORev0", "CDMAEVDORevA", "CDMAEVDORevB", "eHRPD"};
    if (secondGeneration.contains(radioTechnology))
        return QStringLiteral("2G");
    if (thirdGeneration.contains(radioTechnology))
        return QStringLiteral("3G");
    if (radioTechnology == QStringLiteral("LTE"))
        return QStringLiteral("4G");
    return std::nullopt;
}

std::optional<QString> APIController::connectionType() {
    if (!QNetworkInformation::instance() &&
        !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return std::nullopt;
    const QNetworkInformation* information = QNetworkInformation::instance();
    if (!information)
        return std::nullopt;
    // Qt names no radio technology, so a cellular link gives nothing.
    return connectionTypeFor(static_cast<int>(information->reachability()),
                             static_cast<int>(information->transportMedium()), QString());
}
