#include "ScreenlessCommands.h"

#include <QFile>
#include <QImage>
#include <QSaveFile>

namespace {

bool needs(const QStringList& arguments, int count, const QString& usage, QString* error) {
    if (arguments.size() == count)
        return true;
    if (error)
        *error = QStringLiteral("usage: ") + usage;
    return false;
}

} // namespace

QString screenlessCommandsUsage() {
    return QStringLiteral("  payment-info ID\n"
                          "  payment-info --reference R\n"
                          "  send-receipt ID EMAIL\n"
                          "  receipt-pdf ID OUT.pdf\n"
                          "  batches\n"
                          "  close-batch ID\n"
                          "  close-all-batches\n"
                          "  agreements\n"
                          "  logo FILE\n");
}

bool runScreenlessCommand(const QString& command, const QStringList& arguments,
                          const TarvelloSDK::Completion& completion, QString* error) {
    TarvelloSDK& sdk = TarvelloSDK::sharedSDK();
    if (command == QLatin1String("payment-info")) {
        if (arguments.value(0) == QLatin1String("--reference")) {
            if (!needs(arguments, 2, QStringLiteral("payment-info --reference R"), error))
                return false;
            sdk.retrievePaymentInfoForReference(arguments.at(1), completion);
            return true;
        }
        if (!needs(arguments, 1, QStringLiteral("payment-info ID"), error))
            return false;
        sdk.retrievePaymentInfoForOperationID(arguments.at(0), completion);
        return true;
    }
    if (command == QLatin1String("send-receipt")) {
        if (!needs(arguments, 2, QStringLiteral("send-receipt ID EMAIL"), error))
            return false;
        sdk.sendReceiptForOperationID(arguments.at(0), arguments.at(1), completion);
        return true;
    }
    if (command == QLatin1String("receipt-pdf")) {
        if (!needs(arguments, 2, QStringLiteral("receipt-pdf ID OUT.pdf"), error))
            return false;
        const QString path = arguments.at(1);
        sdk.getPDFReceiptForOperationID(arguments.at(0), [completion,
                                                          path](const QVariantMap& result,
                                                                bool success) {
            if (!success) {
                completion(result, success);
                return;
            }
            const QByteArray bytes = result.value(QStringLiteral("receipt")).toByteArray();
            QSaveFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
                !file.commit()) {
                completion(QVariantMap{{QStringLiteral("writeError"), file.errorString()}}, false);
                return;
            }
            completion(QVariantMap{{QStringLiteral("receipt"), path},
                                   {QStringLiteral("size"), bytes.size()}},
                       true);
        });
        return true;
    }
    if (command == QLatin1String("batches")) {
        if (!needs(arguments, 0, QStringLiteral("batches"), error))
            return false;
        sdk.retrieveBatchInformation(completion);
        return true;
    }
    if (command == QLatin1String("close-batch")) {
        if (!needs(arguments, 1, QStringLiteral("close-batch ID"), error))
            return false;
        sdk.closeBatchWithId(arguments.at(0), completion);
        return true;
    }
    if (command == QLatin1String("close-all-batches")) {
        if (!needs(arguments, 0, QStringLiteral("close-all-batches"), error))
            return false;
        sdk.closeAllBatches(completion);
        return true;
    }
    if (command == QLatin1String("agreements")) {
        if (!needs(arguments, 0, QStringLiteral("agreements"), error))
            return false;
        sdk.retrieveAgreementNumbersWithCompletion(completion);
        return true;
    }
    if (command == QLatin1String("logo")) {
        if (!needs(arguments, 1, QStringLiteral("logo FILE"), error))
            return false;
        const QImage image(arguments.at(0));
        if (image.isNull()) {
            if (error)
                *error = QStringLiteral("logo: not an image: ") + arguments.at(0);
            return false;
        }
        sdk.changeMerchantLogo(image, completion);
        return true;
    }
    if (error)
        error->clear();
    return false;
}
