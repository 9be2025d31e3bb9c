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
#include <algorithm>

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

bool SignatureQueue::hasSignatureForSaleId(const QString& saleId) const {
    return std::any_of(signatures_.cbegin(), signatures_.cend(),
                       [&](const QVariant& entry) { return saleIdOf(entry.toMap()) == saleId; });
}

void SignatureQueue::dropEntriesForSaleId(const QString& saleId) {
    for (qsizetype i = signatures_.size() - 1; i >= 0; --i) {
        const QVariantMap entry = signatures_[i].toMap();
        if (saleIdOf(entry) != saleId)
            continue;
        const QString fileName = entry.value(QStringLiteral("fileName")).toString();
        // The picture in flight stays readable until its answer; its entry goes now.
        if (entry != sendingSignatureInfo_)
            DocumentsFolder::removeFileNamed(fileName);
        unsaved_.remove(fileName);
        signatures_.removeAt(i);
        if (sendingSignatures_)
            sendingSignatures_->removeOne(entry);
    }
}

void SignatureQueue::forgetReplaced(const QVariantMap& entry) {
    // A picture replaced while it was in flight: its file has no entry any more.
    if (!entry.isEmpty() && !signatures_.contains(entry))
        DocumentsFolder::removeFileNamed(entry.value(QStringLiteral("fileName")).toString());
}

void SignatureQueue::registerSignatureForSaleId(const QString& saleId, const QImage& signature,
                                                const QString& userId, const QString& token) {
    Logging::info(tarvelloSale, QStringLiteral("[SignatureQueue] QUEUE %1").arg(saleId));
    dropEntriesForSaleId(saleId);
    const QString fileName = Uuid::newText();
    const QVariantMap entry{{"saleId", saleId}, {"fileName", fileName}, {"userId", userId}};
    signatures_.prepend(entry);
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
        sendingSignatures_->prepend(entry);
}

void SignatureQueue::sendSignaturesWithUserId(const QString& userId, const QString& token) {
    if (signatures_.isEmpty() || sending_)
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
    const QString saleId = saleIdOf(entry);
    const bool accepted =
        answer && answer->value(QStringLiteral("success")).toString() == QLatin1String("OK");
    if (accepted) {
        Logging::info(tarvelloSale,
                      QStringLiteral("[SignatureQueue] SUCCESS %1").arg(saleIdOf(entry)));
        const QString fileName = entry.value(QStringLiteral("fileName")).toString();
        DocumentsFolder::removeFileNamed(fileName);
        unsaved_.remove(fileName);
        removeEntry(entry);
        store(true);
    } else {
        Logging::warning(tarvelloSale, QStringLiteral("[SignatureQueue] FAIL %1").arg(saleId));
        forgetReplaced(entry);
    }
    sendingSignatureInfo_.clear();
    sendNextSignature();
    if (accepted) {
        emit signatureFinished(saleId, Outcome::Accepted, {});
    } else {
        const QString message = answer ? answer->value(QStringLiteral("response"))
                                             .toMap()
                                             .value(QStringLiteral("message"))
                                             .toString()
                                       : QString();
        emit signatureFinished(saleId, Outcome::Refused, message);
    }
    return true;
}

void SignatureQueue::apiDidFailWithError(const TarvelloError& error, int) {
    const QString saleId = saleIdOf(sendingSignatureInfo_);
    Logging::warning(tarvelloSale, QStringLiteral("[SignatureQueue] FAIL %1").arg(saleId));
    forgetReplaced(sendingSignatureInfo_);
    sendingSignatureInfo_.clear();
    sendNextSignature();
    emit signatureFinished(saleId, Outcome::ConnectionFailed, error.description);
}

bool SignatureQueue::sessionExpiredWithMessage(const QString& message) {
    // The run ends; its entries stay stored for the next session. The session itself expires
    // through the client's usual path.
    const QString saleId = saleIdOf(sendingSignatureInfo_);
    sendingSignatureInfo_.clear();
    stop();
    emit signatureFinished(saleId, Outcome::ConnectionFailed, message);
    return false;
}

bool SignatureQueue::sessionExpired() {
    return sessionExpiredWithMessage({});
}
