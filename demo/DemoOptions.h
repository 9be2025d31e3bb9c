#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the demo was asked to do on its command line.
struct DemoOptions {
    std::optional<QString> apiKey;
    std::optional<QString> token;
    QString baseUrl; // --base-url or TARVELLO_BASE_URL
    QString caFile;  // --ca-file or TARVELLO_CA_FILE
    QString command; // empty: open the window
    QStringList arguments;
    std::optional<QString> currency;
    std::optional<QStringList> bins;
    std::optional<QString> readerKind; // --reader bluetooth|simulated
    // charge --pay cash|card [--institution NAME --plan N] [--card PROFILE] [--screenshots DIR]
    QString pay, institution, card, screenshots;
    QString amount;  // refund ID --amount X: a partial refund typed on the refund-amount screen
    QString receipt; // charge ... --receipt ADDRESS: the receipt step after it, typed on the form
    int plan = 0;
    bool pad = false; // app --pad: the merchant application on a pad
    QString error;    // set when the command line cannot be used

    // Reads the options; `error` tells what is wrong.
    static DemoOptions parse(const QStringList& commandLine);
    static QString usage();
};

// Hands the back-end address and trusted CA file to the SDK's API client; false when the CA
// file holds no certificate.
bool applyBackEndOptions(const DemoOptions& options);
