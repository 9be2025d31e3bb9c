#include "platform/core/Logging.h"
#include "support/TestSupport.h"

#include <QStringList>

namespace {

struct Captured {
    QString category;
    QtMsgType type;
    QString message;
};
QList<Captured>* captured = nullptr;

void capture(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (captured)
        captured->append({QString::fromLatin1(context.category), type, message});
}

// Collects the console lines written while it lives, under the given filter rules.
class ConsoleCapture {
public:
    explicit ConsoleCapture(const QString& rules) {
        QLoggingCategory::setFilterRules(rules);
        captured = &lines;
        previous_ = qInstallMessageHandler(capture);
    }
    ~ConsoleCapture() {
        qInstallMessageHandler(previous_);
        captured = nullptr;
        QLoggingCategory::setFilterRules(QString());
    }
    QList<Captured> lines;

private:
    QtMessageHandler previous_;
};

} // namespace

TEST(Logging, EveryLineIsRedactedAndCarriesItsArea) {
    ConsoleCapture console(QString{});
    const QString line = QStringLiteral("cardNumber = 4111111111111111;\ntoken = SESSIONtok3n;");
    Logging::info(tarvelloSale, line);
    Logging::warning(tarvelloUi, line);
    Logging::debug(tarvelloReader, QStringLiteral("card 4111111111111111 read"));

    ASSERT_EQ(console.lines.size(), 3);
    EXPECT_EQ(console.lines[0].category, "tarvello.sale");
    EXPECT_EQ(console.lines[0].type, QtInfoMsg);
    EXPECT_EQ(console.lines[0].message, "cardNumber = 411111******1111;\ntoken = ***;");
    EXPECT_EQ(console.lines[1].category, "tarvello.ui");
    EXPECT_EQ(console.lines[1].type, QtWarningMsg);
    EXPECT_EQ(console.lines[2].category, "tarvello.reader");
    EXPECT_EQ(console.lines[2].message, "card 411111******1111 read");
}

TEST(Logging, AHostSilencesAreasWithFilterRules) {
    ConsoleCapture console(QStringLiteral("tarvello.sale.info=false\ntarvello.sdk.debug=false"));
    Logging::info(tarvelloSale, QStringLiteral("sale line"));
    Logging::warning(tarvelloSale, QStringLiteral("sale warning"));
    Logging::debug(tarvelloSdk, QStringLiteral("sdk detail"));
    Logging::info(tarvelloApi, QStringLiteral("api line"));

    QStringList messages;
    for (const Captured& line : console.lines)
        messages << line.message;
    EXPECT_EQ(messages, (QStringList{"sale warning", "api line"}));
}

TEST(Logging, AllOffLeavesNothing) {
    ConsoleCapture console(QStringLiteral("tarvello.*=false"));
    for (auto category : {tarvelloApi, tarvelloSale, tarvelloModel, tarvelloReader, tarvelloSdk,
                          tarvelloUi, tarvelloCore})
        Logging::warning(category, QStringLiteral("quiet"));
    EXPECT_TRUE(console.lines.isEmpty());
}
