#include "api/APIController.h"

#include <QDateTime>
#include <QNetworkInformation>
#include <gtest/gtest.h>

namespace {

// Logs an entry whose size is exactly `size` characters (all in the reply).
void logOfSize(int size) {
    APIController::logRequest(QString(""), QString(""), QString(size, u'a'));
}

QList<quint64> sizes() {
    QList<quint64> out;
    for (const QVariant& entry : APIController::getRequestLog())
        out << entry.toMap().value("size").toULongLong();
    return out;
}

// An entry larger than the limit pushes every older entry out; the next one removes it.
void startFresh() {
    logOfSize(1200000);
}

} // namespace

TEST(RequestLog, TrimsFromTheOldestWhileAboveOneMillion) {
    startFresh();
    logOfSize(600000);
    EXPECT_EQ(sizes(), (QList<quint64>{600000}));
    logOfSize(500000);
    EXPECT_EQ(sizes(), (QList<quint64>{500000}));

    startFresh();
    logOfSize(400000);
    logOfSize(300000);
    logOfSize(300000);
    EXPECT_EQ(sizes(), (QList<quint64>{400000, 300000, 300000}));

    logOfSize(1200000);
    EXPECT_EQ(sizes(), (QList<quint64>{1200000}));
    logOfSize(1);
    EXPECT_EQ(sizes(), (QList<quint64>{1}));
}

TEST(RequestLog, EntryShape) {
    const double before = QDateTime::currentMSecsSinceEpoch() / 1000.0;
    APIController::logRequest("https://h.example/developers/api/x?y=1", "body", QString());
    const QVariantMap entry = APIController::getRequestLog().last().toMap();
    EXPECT_EQ(entry.keys(), (QStringList{"body", "host", "response", "size", "time"}));
    EXPECT_EQ(entry.value("host").toString(), "https://h.example/developers/api/x?y=1");
    EXPECT_EQ(entry.value("body").toString(), "body");
    EXPECT_TRUE(entry.value("response").toString().isEmpty());
    EXPECT_FALSE(entry.value("response").toString().isNull());
    EXPECT_EQ(entry.value("size").toULongLong(), 38u + 4u);
    EXPECT_GE(entry.value("time").toDouble(), before - 1);
    EXPECT_LE(entry.value("time").toDouble(), before + 60);
}

TEST(ConnectionType, NamesTheConnection) {
    using R = QNetworkInformation::Reachability;
    using M = QNetworkInformation::TransportMedium;
    struct Case {
        R reachability;
        M medium;
        const char* radio;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {R::Disconnected, M::Unknown, "", QString("NO INTERNET")},
        {R::Online, M::WiFi, "", QString("WIFI")},
        {R::Online, M::Cellular, "LTE", QString("4G")},
        {R::Online, M::Cellular, "Edge", QString("2G")},
        {R::Online, M::Cellular, "HSDPA", QString("3G")},
        {R::Online, M::Cellular, "", std::nullopt},
        {R::Online, M::Ethernet, "", std::nullopt},
        {R::Unknown, M::WiFi, "", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(APIController::connectionTypeFor(static_cast<int>(c.reachability),
                                                   static_cast<int>(c.medium), c.radio),
                  c.expected)
            << c.radio;
}
