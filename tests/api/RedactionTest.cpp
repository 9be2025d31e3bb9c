#include "api/APIController.h"
#include "api/LogRedaction.h"
#include "platform/core/SafeDictionary.h"
#include "platform/core/Values.h"

#include <QJsonDocument>
#include <QLoggingCategory>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Secrets and card data that must never appear in a log line or a request-log entry.
const QStringList secrets = {
    "SESSIONtok3n",     "APIkey-9f8e",      "hunter2Secret", "8411",       "8D3F2A10B7C9E455",
    "FFFF9876543210E0", "4761739001010119", "739001010",     "1225",       "JUAN PEREZ",
    "9F2608A1B2",       "TRACKDATAENC",     "PUSHtoken77",   "REGtoken55", "TRXtok3n",
};

const QString pan = QStringLiteral("4761739001010119");
const QString maskedPan = QStringLiteral("476173******0119");

QVariantMap cardFields() {
    return {{"userId", "17"},
            {"token", "SESSIONtok3n"},
            {"password", "hunter2Secret"},
            {"pin", "8411"},
            {"pinBlock", "8D3F2A10B7C9E455"},
            {"pinKsn", "FFFF9876543210E0"},
            {"ksn", "FFFF9876543210E0"},
            {"cardNumber", pan},
            {"securityCode", "739001010"},
            {"expireDate", "1225"},
            {"cardHolderName", "JUAN PEREZ"},
            {"track2data", "TRACKDATAENC"},
            {"track1data", "TRACKDATAENC"},
            {"emvTags", "{\"9F26\":\"9F2608A1B2\"}"},
            {"emvApp", "{\"4F\":\"9F2608A1B2\"}"},
            {"iccTags", "9F2608A1B2"},
            {"push_token", "PUSHtoken77"},
            {"transactionToken", "TRXtok3n"},
            {"amount", "10.00"}};
}

void expectClean(const QString& text, const QString& what) {
    for (const QString& secret : secrets)
        EXPECT_FALSE(text.contains(secret))
            << what.toStdString() << " keeps " << secret.toStdString() << " in:\n"
            << text.toStdString();
}

QStringList captured;
void capture(QtMsgType, const QMessageLogContext&, const QString& message) {
    captured << message;
}

} // namespace

TEST(LogRedaction, NoSecretOrCardFieldSurvivesInAnyFormat) {
    const QVariantMap fields = cardFields();
    const QString multipart = QString::fromUtf8(*APIController::bodyFromDictionary(fields));
    const QString prettyJson = SafeDictionary::jsonDescription(fields);
    const QString compactJson =
        QString::fromUtf8(QJsonDocument::fromVariant(fields).toJson(QJsonDocument::Compact));
    const QString escapedJson = QString::fromUtf8(
        QJsonDocument::fromVariant(QVariantMap{{"saleInformationJson", compactJson}})
            .toJson(QJsonDocument::Compact));
    const QString description = Values::describe(fields);
    const QString url = "https://h.example/developers/api/agreements?token=SESSIONtok3n&x=1&"
                        "registration-token=REGtoken55";
    const QString headers = "Headers: {\n    Content-Type: multipart/form-data\n"
                            "    X-Authentication-ApiKey: APIkey-9f8e\n"
                            "    X-Authentication-Token: SESSIONtok3n\n}";
    const QString formEncoded = "cardNumber=" + pan + "&pin=8411&password=hunter2Secret";
    const QString freeText = "swiped " + pan + "=2512 done";

    const std::pair<QString, QString> texts[] = {
        {"multipart", multipart},      {"pretty JSON", prettyJson},  {"compact JSON", compactJson},
        {"escaped JSON", escapedJson}, {"description", description}, {"URL", url},
        {"headers", headers},          {"form", formEncoded},        {"free text", freeText}};
    for (const auto& [what, text] : texts) {
        const QString redacted = LogRedaction::redact(text);
        expectClean(redacted, what);
        if (text.contains(pan)) {
            EXPECT_TRUE(redacted.contains(maskedPan))
                << what.toStdString() << redacted.toStdString();
        }
    }
    // What is not secret stays readable.
    EXPECT_TRUE(LogRedaction::redact(multipart).contains("10.00"));
    EXPECT_TRUE(LogRedaction::redact(url).contains("x=1"));
    EXPECT_TRUE(LogRedaction::redact(prettyJson).contains("\"userId\": \"17\""));
    // Redacted JSON is still JSON.
    EXPECT_FALSE(QJsonDocument::fromJson(LogRedaction::redact(compactJson).toUtf8()).isNull());
    // Long digit runs that are not card numbers are left alone.
    EXPECT_EQ(LogRedaction::redact("order 1234567890123"), "order 1234567890123");
}

TEST(LogRedaction, RequestLogEntriesAndConsoleLinesAreRedacted) {
    const QVariantMap fields = cardFields();
    const QString body = QString::fromUtf8(*APIController::bodyFromDictionary(fields));
    const QString reply = SafeDictionary::jsonDescription(
        {{"success", "OK"}, {"data", QVariantMap{{"token", "SESSIONtok3n"}, {"cardNumber", pan}}}});
    const QString url = "https://h.example/developers/api/x?token=SESSIONtok3n";

    APIController::logRequest(url, body, reply);
    const QVariantMap entry = APIController::getRequestLog().last().toMap();
    EXPECT_EQ(entry.keys(), (QStringList{"body", "host", "response", "size", "time"}));
    expectClean(entry.value("host").toString(), "host");
    expectClean(entry.value("body").toString(), "body");
    expectClean(entry.value("response").toString(), "response");
    EXPECT_EQ(entry.value("size").toULongLong(),
              quint64(entry.value("host").toString().size() +
                      entry.value("body").toString().size() +
                      entry.value("response").toString().size()));

    captured.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("tarvello.api.info=true"));
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    LogRedaction::log("Body: \n" + body);
    LogRedaction::log("Url " + url);
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QStringLiteral("tarvello.api.info=false"));
    ASSERT_EQ(captured.size(), 2);
    for (const QString& line : captured)
        expectClean(line, "console line");
}
