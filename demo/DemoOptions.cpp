#include "DemoOptions.h"

#include "AppCommand.h"
#include "ReaderCommands.h"
#include "ScreenlessCommands.h"
#include "SettingsCommands.h"
#include "ShopCommands.h"
#include "api/APIConfiguration.h"
#include "platform/core/ServiceRegistry.h"

#include <QCommandLineParser>
#include <QProcessEnvironment>

DemoOptions DemoOptions::parse(const QStringList& commandLine) {
    DemoOptions options;
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption apiKey("api-key", "API key of the host.", "K");
    const QCommandLineOption token("token", "Token of the merchant user.", "T");
    const QCommandLineOption baseUrl("base-url", "Back-end base address.", "URL");
    const QCommandLineOption caFile("ca-file", "CA certificate file to trust.", "FILE");
    const QCommandLineOption currency("currency", "Numeric currency code of a charge.", "C");
    const QCommandLineOption bins("bins", "Accepted card BINs of a charge, comma-separated.",
                                  "LIST");
    const QCommandLineOption reference("reference", "External reference of payment-info.", "R");
    const QCommandLineOption reader("reader", "Card reader: bluetooth or simulated.", "KIND");
    parser.addOptions({apiKey, token, baseUrl, caFile, currency, bins, reference, reader});
    const QCommandLineOption pay("pay", "Charge: pay cash or card on the SDK's screens.", "HOW");
    const QCommandLineOption institution("institution", "Charge: the card row to pick.", "NAME");
    const QCommandLineOption plan("plan", "Charge: the installment count to pick.", "N");
    const QCommandLineOption card("card", "Charge or reader-sale: the simulated card profile.",
                                  "PROFILE");
    const QCommandLineOption shots("screenshots", "Charge: a PNG of each screen here.", "DIR");
    const QCommandLineOption amount("amount", "Refund: the amount to give back.", "X");
    const QCommandLineOption receipt("receipt", "Charge: then e-mail its receipt here.", "ADDR");
    parser.addOptions({pay, institution, plan, card, shots, amount, receipt});
    const QCommandLineOption saleButton("from-sale-button", "Shop: begun at the charge button.");
    const QCommandLineOption wallet("wallet", "Shop: pay with the favourite wallet card.");
    parser.addOptions({saleButton, wallet});
    const QCommandLineOption pad("pad", "App: plays the merchant application on a pad.");
    parser.addOption(pad);
    if (!parser.parse(commandLine)) {
        options.error = parser.errorText();
        return options;
    }
    if (parser.isSet(apiKey))
        options.apiKey = parser.value(apiKey);
    if (parser.isSet(token))
        options.token = parser.value(token);
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    options.baseUrl =
        parser.isSet(baseUrl) ? parser.value(baseUrl) : env.value("TARVELLO_BASE_URL");
    options.caFile = parser.isSet(caFile) ? parser.value(caFile) : env.value("TARVELLO_CA_FILE");
    if (parser.isSet(currency))
        options.currency = parser.value(currency);
    if (parser.isSet(bins))
        options.bins = parser.value(bins).split(',', Qt::SkipEmptyParts);
    if (parser.isSet(reader))
        options.readerKind = parser.value(reader);
    options.pay = parser.value(pay);
    options.institution = parser.value(institution);
    options.plan = parser.value(plan).toInt();
    options.card = parser.value(card);
    options.screenshots = parser.value(shots);
    options.amount = parser.value(amount);
    options.receipt = parser.value(receipt);
    options.pad = parser.isSet(pad);
    if (!options.pay.isEmpty() && options.pay != "cash" && options.pay != "card")
        options.error = "--pay takes cash or card";
    if (!options.receipt.isEmpty() && options.pay != "card")
        options.error = "--receipt goes with --pay card";

    QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty())
        options.command = positional.takeFirst();
    options.arguments = positional;
    // payment-info --reference R looks the payment up by its external reference.
    if (parser.isSet(reference))
        options.arguments = QStringList{"--reference", parser.value(reference)} + positional;
    if (options.command == "shop")
        options.arguments << (parser.isSet(saleButton) ? QStringList{"--from-sale-button"}
                                                       : QStringList{})
                          << (parser.isSet(wallet) ? QStringList{"--wallet"} : QStringList{});
    if (options.command == "reader-sale" && parser.isSet(card))
        options.arguments = QStringList{"--card", parser.value(card)} + options.arguments;
    if (!options.error.isEmpty())
        return options;
    if (options.command == "charge" && options.arguments.size() != 1)
        options.error = "charge takes one AMOUNT";
    else if (options.command == "refund" && options.arguments.size() != 1)
        options.error = "refund takes one OPERATION_ID";
    else if (options.command == "logout" && !options.arguments.isEmpty())
        options.error = "logout takes no arguments";
    return options;
}

QString DemoOptions::usage() {
    return "usage: tarvello-demo [--api-key K] [--token T] [--base-url URL] [--ca-file FILE]\n"
           "                     [charge AMOUNT [--currency C] [--bins 123456,654321] | refund ID "
           "| logout]\n"
           "                     refund ID [--amount X] [--card PROFILE] [--screenshots DIR]\n"
           "                     charge AMOUNT --pay cash|card [--institution NAME --plan N]\n"
           "                     [--card PROFILE] [--screenshots DIR]   (plays the SDK's "
           "screens)\n"
           "                     [--receipt ADDRESS]   (then the receipt form for the sale)\n" +
           screenlessCommandsUsage() + readerCommandsUsage() + settingsCommandsUsage() +
           shopCommandsUsage() + appCommandUsage() +
           "A negative AMOUNT goes after -- (charge -- -5). Without a command the demo opens its\n"
           "window.\n";
}

bool applyBackEndOptions(const DemoOptions& options) {
    auto configuration = std::make_shared<APIConfiguration>();
    if (!options.baseUrl.isEmpty())
        configuration->setBaseURL(options.baseUrl);
    if (!options.caFile.isEmpty() && !configuration->addTrustedCAFile(options.caFile))
        return false;
    Services::set<APIConfiguration>(configuration);
    return true;
}
