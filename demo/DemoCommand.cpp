#include "DemoCommand.h"

#include "AppCommand.h"
#include "ChargeAutopilot.h"
#include "ReaderCommands.h"
#include "ReceiptStep.h"
#include "ResultJson.h"
#include "ScreenlessCommands.h"
#include "SettingsCommands.h"
#include "ShopCommands.h"

#include <TarvelloSDK/TarvelloSDK.h>

#include "platform/core/Assert.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <cstdlib>

namespace {

void printLine(const QByteArray& line) {
    std::fwrite(line.constData(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Plays the SDK's screens of a charge or refund as a person would. When it gets stuck the run
// ends with a failed completion naming where.
bool startAutopilot(const DemoOptions& options, QWidget* host,
                    const TarvelloSDK::Completion& completion) {
    auto* pilot = new ChargeAutopilot(host,
                                      {options.pay, options.institution, options.plan, options.card,
                                       options.screenshots, options.amount, options.receipt},
                                      QCoreApplication::instance());
    QObject::connect(pilot, &ChargeAutopilot::failed, pilot, [completion](const QString& reason) {
        completion({{QStringLiteral("autopilot"), reason}}, false);
    });
    QString error;
    if (!pilot->prepareReader(&error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(options.command), qPrintable(error));
        return false;
    }
    pilot->start();
    return true;
}

} // namespace

int runDemoCommand(const DemoOptions& options, QWidget* host) {
    // Misuse of the SDK ends the command with its message instead of a bare abort.
    HostAssert::setHandler([](const QString& message) {
        printLine(
            QByteArray("{\"success\": false, \"result\": ") +
            QJsonDocument(QJsonObject{{"assertion", message}}).toJson(QJsonDocument::Compact) +
            "}");
        std::_Exit(3);
    });

    TarvelloSDK& sdk = TarvelloSDK::sharedSDK();
    if (options.apiKey)
        sdk.startWithAPIKey(options.apiKey);
    if (options.token)
        sdk.setUserToken(options.token);
    if (options.readerKind && !sdk.setCardReaderKind(*options.readerKind)) {
        std::fprintf(stderr, "unknown reader: %s\n", qPrintable(*options.readerKind));
        return 2;
    }

    bool finished = false;
    bool succeeded = false;
    auto completion = [&](const QVariantMap& result, bool success) {
        if (finished)
            return;
        finished = true;
        succeeded = success;
        printLine(completionLine(result, success));
        // Ends through the event loop, also when the completion came before it ran, so the SDK
        // closes its connections when the application is about to quit.
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
    };

    if (options.command == "logout") {
        sdk.logout();
        completion({}, true);
    } else if (options.command == "charge") {
        bool ok = false;
        const double amount = options.arguments.value(0).toDouble(&ok);
        if (!ok) {
            std::fprintf(stderr, "charge: not an amount: %s\n",
                         qPrintable(options.arguments.value(0)));
            return 2;
        }
        if (!options.pay.isEmpty() && !startAutopilot(options, host, completion))
            return 2;
        if (options.bins && options.currency)
            std::fprintf(stderr, "charge: --currency is not used with --bins\n");
        // With --receipt the approved charge's line is printed and its receipt step follows.
        TarvelloSDK::Completion charged = completion;
        if (!options.receipt.isEmpty())
            charged = [&](const QVariantMap& result, bool success) {
                if (!success) {
                    completion(result, success);
                    return;
                }
                printLine(completionLine(result, success));
                openReceiptStep(host, result, completion);
            };
        if (options.bins)
            sdk.chargeAmountReferenceDescriptionAcceptedBinsCommerceNumberInstallments(
                amount, std::nullopt, std::nullopt, options.bins, std::nullopt, std::nullopt, host,
                charged);
        else if (options.currency)
            sdk.chargeAmountCurrency(amount, options.currency, host, charged);
        else
            sdk.chargeAmount(amount, host, charged);
    } else if (options.command == "shop") {
        QString error;
        if (!runShopCommand(options.command, options.arguments, host, options.screenshots,
                            completion, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 2;
        }
    } else if (options.command == "refund") {
        // A cash operation is voided at once; a card one goes on to the card-reading screen,
        // through the refund-amount screen when an amount is given.
        if ((!options.card.isEmpty() || !options.amount.isEmpty() ||
             !options.screenshots.isEmpty()) &&
            !startAutopilot(options, host, completion))
            return 2;
        if (options.amount.isEmpty())
            sdk.refundOperationID(options.arguments.value(0), host, completion);
        else
            sdk.refundOperationIDEnablePartialAmount(options.arguments.value(0), true, host,
                                                     completion);
    } else {
        QString error;
        if (!runScreenlessCommand(options.command, options.arguments, completion, &error) &&
            (!error.isEmpty() ||
             !runReaderCommand(options.command, options.arguments, completion, &error)) &&
            (!error.isEmpty() ||
             !runSettingsCommand(options.command, options.arguments, host, completion, &error)) &&
            (!error.isEmpty() || !runAppCommand(options, completion, &error))) {
            std::fprintf(
                stderr, "%s\n",
                qPrintable(error.isEmpty() ? "unknown command: " + options.command : error));
            return 2;
        }
    }

    QCoreApplication::exec();
    return succeeded ? 0 : 1;
}
