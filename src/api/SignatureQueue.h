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
// A run uploads one user's entries one at a time; an entry and its file go once the back end
// answers "OK".
class SignatureQueue : public QObject, public APIControllerDelegate {
    Q_OBJECT
public:
    // A queue reading the stored entries.
    SignatureQueue();
    ~SignatureQueue() override;

    static SignatureQueue& sharedQueue();

    // Stores the signature and makes sure it is sent: a new run when idle; during a run of the
    // same user it joins that run, otherwise it waits for a run of its own user.
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
    std::optional<QVariantList> sendingSignatures() const { return sendingSignatures_; }
    QVariantMap sendingSignatureInfo() const { return sendingSignatureInfo_; }
    bool sending() const { return sending_; }
    QString sendingUserId() const { return sendingUserId_; }

private:
    void store(bool flush);
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
