#include "api/SignatureQueue.h"

#include "api/APIController.h"
#include "platform/core/DocumentsFolder.h"
#include "platform/core/Logging.h"
#include "platform/core/UserDefaults.h"
#include "platform/core/Uuid.h"

#include <QBuffer>
#include <QCborValue>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {
const QString kPendingKey = QStringLiteral("pendingSignatures");

QVariantList storedEntries() {
    const QByteArray archive =
        UserDefaults::standardUserDefaults().objectForKey(kPendingKey).toByteArray();
    if (archive.isEmpty())
        return {};
    QVariantList entries;
    for (const QVariant& entry : QCborValue::fromCbor(archive).toVariant().toList()) {
        if (entry.typeId() == QMetaType::QVariantMap)
            entries.append(entry);
    }
    return entries;
}
} // namespace

SignatureQueue::SignatureQueue()
    : signatures_(storedEntries()) {}

SignatureQueue::~SignatureQueue() = default;

SignatureQueue& SignatureQueue::sharedQueue() {
    static SignatureQueue* shared = new SignatureQueue();
    return *shared;
}

QString SignatureQueue::fullPathForFileName(const QString& fileName) {
    return DocumentsFolder::pathForFileName(fileName).value_or(QString());
}

QString SignatureQueue::saleIdOf(const QVariantMap& entry) const {
    return entry.value(QStringLiteral("saleId")).toString();
}

void SignatureQueue::store(bool flush) {
    auto& defaults = UserDefaults::standardUserDefaults();
    defaults.setObject(QCborValue::fromVariant(signatures_).toCbor(), kPendingKey);
    if (flush)
        defaults.synchronize();
}

void SignatureQueue::removeEntry(const QVariantMap& entry) {
    signatures_.removeOne(entry);
}

void SignatureQueue::registerSignatureForSaleId(const QString& saleId, const QImage& signature,
                                                const QString& userId, const QString& token) {
    Logging::info(tarvelloSale, QStringLiteral("[SignatureQueue] QUEUE %1").arg(saleId));
    const QString fileName = Uuid::newText();
    const QVariantMap entry{{"saleId", saleId}, {"fileName", fileName}, {"userId", userId}};
    signatures_.append(entry);
    store(true);

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    signature.save(&buffer, "PNG");
    QDir().mkpath(DocumentsFolder::path());
    QSaveFile file(fullPathForFileName(fileName));
    const bool saved =
        file.open(QIODevice::WriteOnly) && file.write(png) == png.size() && file.commit();
    if (!saved) {
        // The picture stays in memory and goes out with the entry.
        Logging::warning(tarvelloSale, QStringLiteral("[SignatureQueue] SAVE FAIL %1").arg(saleId));
        unsaved_.insert(fileName, signature);
    }

    if (!sending_)
        sendSignaturesWithUserId(userId, token);
    else if (userId == sendingUserId_ && sendingSignatures_)
        sendingSignatures_->append(entry);
}

void SignatureQueue::sendSignaturesWithUserId(const QString& userId, const QString& token) {
    if (signatures_.isEmpty())
        return;
    sending_ = true;
    QVariantList mine;
    for (const QVariant& entry : signatures_) {
        if (entry.toMap().value(QStringLiteral("userId")).toString() == userId)
            mine.append(entry);
    }
    sendingSignatures_ = mine;
    sendingUserId_ = userId;
    sendingToken_ = token;
    sendNextSignature();
}

void SignatureQueue::sendNextSignature() {
    while (sendingSignatures_ && !sendingSignatures_->isEmpty()) {
        sendingSignatureInfo_ = sendingSignatures_->takeFirst().toMap();
        const QString fileName = sendingSignatureInfo_.value(QStringLiteral("fileName")).toString();
        QImage picture = unsaved_.value(fileName);
        const QString path = fullPathForFileName(fileName);
        if (picture.isNull() && !path.isEmpty() && QFile::exists(path))
            picture.load(path, "PNG");
        if (!picture.isNull()) {
            Logging::info(
                tarvelloSale,
                QStringLiteral("[SignatureQueue] Sending %1").arg(saleIdOf(sendingSignatureInfo_)));
            auto* client = new APIController(this);
            client->setDelegate(this);
            client->registerSignatureForSaleId(saleIdOf(sendingSignatureInfo_), picture,
                                               sendingUserId_, sendingToken_);
            return;
        }
        Logging::warning(
            tarvelloSale,
            QStringLiteral("[SignatureQueue] Not found %1").arg(saleIdOf(sendingSignatureInfo_)));
        removeEntry(sendingSignatureInfo_);
        store(false);
    }
    sending_ = false;
}

void SignatureQueue::stop() {
    sendingSignatures_.reset();
    sending_ = false;
}

bool SignatureQueue::apiDidFinishDownloadingWithDictionary(
    int, const std::optional<QVariantMap>& answer) {
    const QVariantMap entry = sendingSignatureInfo_;
    if (answer && answer->value(QStringLiteral("success")).toString() == QLatin1String("OK")) {
        Logging::info(tarvelloSale,
                      QStringLiteral("[SignatureQueue] SUCCESS %1").arg(saleIdOf(entry)));
        const QString fileName = entry.value(QStringLiteral("fileName")).toString();
        DocumentsFolder::removeFileNamed(fileName);
        unsaved_.remove(fileName);
        removeEntry(entry);
        store(true);
    } else {
        Logging::warning(tarvelloSale,
                         QStringLiteral("[SignatureQueue] FAIL %1").arg(saleIdOf(entry)));
    }
    sendNextSignature();
    return true;
}

void SignatureQueue::apiDidFailWithError(const TarvelloError&, int) {
    Logging::warning(
        tarvelloSale,
        QStringLiteral("[SignatureQueue] FAIL %1").arg(saleIdOf(sendingSignatureInfo_)));
    sendNextSignature();
}

bool SignatureQueue::sessionExpiredWithMessage(const QString&) {
    // The run ends; its entries stay stored for the next session. The session itself expires
    // through the client's usual path.
    stop();
    return false;
}

bool SignatureQueue::sessionExpired() {
    stop();
    return false;
}
