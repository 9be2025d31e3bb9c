#pragma once

#include "api/APIControllerDelegate.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <optional>

// Cardholder signatures waiting for upload. Each is a PNG file in the Documents folder and an
// entry {"saleId", "fileName", "userId"} under "pendingSignatures", so it survives a restart.
// A run uploads one user's entries one at a time, the newest first; an entry and its file go
// only once the back end answers "OK", and each upload's outcome is signalled with its sale id.
class SignatureQueue : public QObject, public APIControllerDelegate {
    Q_OBJECT
public:
    enum class Outcome {
        Accepted,         // the back end answered "OK"; the entry is gone
        Refused,          // answered otherwise; message is the back end's, when it gave one
        ConnectionFailed, // no answer (or the session ended); message describes the failure
    };
    Q_ENUM(Outcome)

    // A queue reading the stored entries.
    SignatureQueue();
    ~SignatureQueue() override;

    static SignatureQueue& sharedQueue();

    // Stores the signature and makes sure it is sent: a new run when idle; during a run of the
    // same user it goes next in that run, otherwise it waits for a run of its own user. A sale
    // registered again has its earlier picture replaced.
    void registerSignatureForSaleId(const QString& saleId, const QImage& signature,
                                    const QString& userId, const QString& token);
    // Starts a run of the user's stored entries.
    void sendSignaturesWithUserId(const QString& userId, const QString& token);
    void sendNextSignature();
    // Ends the run without waiting for the upload in flight.
    void stop();
    static QString fullPathForFileName(const QString& fileName);

    void apiDidFailWithError(const TarvelloError& error, int functionName) override;
    bool
    apiDidFinishDownloadingWithDictionary(int functionName,
                                          const std::optional<QVariantMap>& dictionary) override;
    bool sessionExpiredWithMessage(const QString& message) override;
    bool sessionExpired() override;

    QVariantList signatures() const { return signatures_; }
    bool hasSignatureForSaleId(const QString& saleId) const;
    std::optional<QVariantList> sendingSignatures() const { return sendingSignatures_; }
    QVariantMap sendingSignatureInfo() const { return sendingSignatureInfo_; }
    bool sending() const { return sending_; }
    QString sendingUserId() const { return sendingUserId_; }

signals:
    void signatureFinished(const QString& saleId, SignatureQueue::Outcome outcome,
                           const QString& message);

private:
    void store(bool flush);
    void dropEntriesForSaleId(const QString& saleId);
    void forgetReplaced(const QVariantMap& entry);
    void removeEntry(const QVariantMap& entry);
    QString saleIdOf(const QVariantMap& entry) const;

    QVariantList signatures_;
    std::optional<QVariantList> sendingSignatures_;
    QVariantMap sendingSignatureInfo_;
    bool sending_ = false;
    QString sendingUserId_;
    QString sendingToken_;
    // Pictures whose file could not be written, kept until they are sent.
    QHash<QString, QImage> unsaved_;
};
