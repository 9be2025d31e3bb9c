#pragma once

#include "sandbox/SandboxReply.h"
#include "sandbox/SandboxRequest.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

// How the back end answers the validation of one token.
enum class SandboxTokenValidation {
    Valid,         // "success": "OK" with the session answer
    Refused,       // a refusal envelope
    ForcedUpdate,  // "success": "OK" with "minSDKVersion", "updateMessage", "urlAppStoreIOS"
    UpdateVersion, // {"error": "update_version", "response": {"code", "message", "url"}}
};

struct SandboxMerchant {
    qint64 id = 0;
    QString name;
    QVariantMap settings; // the settings keys of the session answer
};

struct SandboxUser {
    qint64 userId = 0;
    qint64 merchantId = 0;
    QString email;
    QString password;
    QString pin;
    QVariantMap profile; // the user keys of the session answer
};

struct SandboxSale {
    qint64 id = 0;
    qint64 merchantId = 0;
    qint64 userId = 0;
    qint64 batchId = 0;
    double amount = 0;
    QString currencyCode;
    QString reference;
    QString paymentMethod; // "cash", "card", ...
    QString status;        // "approved", "voided", "refunded", ...
    QDateTime createdAt;
    QVariantMap data; // whatever else the route keeps
};

struct SandboxRefund {
    qint64 id = 0;
    qint64 saleId = 0;
    double amount = 0;
    bool isVoid = false;
    QDateTime createdAt;
    QVariantMap data;
};

struct SandboxBatch {
    qint64 id = 0;
    qint64 merchantId = 0;
    bool open = true;
    QDateTime openedAt;
    QDateTime closedAt;
};

// The back end's data: merchants, users and tokens from a JSON fixture, and the sales, refunds
// and batches made while it runs. Lives on the server's thread; routes get it by reference.
class SandboxState {
public:
    SandboxState(); // loads the built-in fixture

    // Replaces everything with the fixture's data. On a malformed fixture nothing changes and
    // false is answered.
    bool loadFixture(const QByteArray& json, QString* error = nullptr);
    static QByteArray defaultFixture();

    QString defaultApiKey() const { return defaultApiKey_; }
    QString defaultToken() const { return defaultToken_; }
    bool isKnownApiKey(const QString& key) const { return apiKeys_.contains(key); }
    void addApiKey(const QString& key) { apiKeys_ << key; }

    QList<SandboxMerchant>& merchants() { return merchants_; }
    QList<SandboxUser>& users() { return users_; }
    SandboxMerchant* merchant(qint64 id);
    SandboxUser* userById(qint64 id);
    SandboxUser* userByEmail(const QString& email); // case-insensitive

    // Tokens.
    SandboxUser* userForToken(const QString& token);
    SandboxTokenValidation tokenValidation(const QString& token) const;
    void setTokenValidation(const QString& token, SandboxTokenValidation validation);
    QString issueToken(qint64 userId); // a new valid token
    void revokeToken(const QString& token);

    // The texts of the forced-update answers.
    QVariantMap updateInfo() const { return updateInfo_; }

    // The login and token-validation answer: the user's keys, the merchant's settings, "token",
    // "userId" and "success": "OK".
    QVariantMap sessionAnswer(const SandboxUser& user, const QString& token);

    // Guards for routes: an answer when the request must be refused, nothing when it may go on.
    std::optional<SandboxReply> checkApiKey(const SandboxRequest& request) const;
    // API key, then the session token (form field or query item "token", else the header
    // "X-Authentication-Token") and, when sent, the matching "userId".
    std::optional<SandboxReply> checkSession(const SandboxRequest& request,
                                             SandboxUser** user = nullptr);

    // Sales, refunds and batches.
    qint64 nextId() { return nextId_++; }
    SandboxSale& addSale(SandboxSale sale); // gives it an id and puts it in the open batch
    QList<SandboxSale>& sales() { return sales_; }
    SandboxSale* sale(qint64 id);
    SandboxSale* saleByReference(const QString& reference);
    SandboxRefund& addRefund(SandboxRefund refund);
    QList<SandboxRefund>& refunds() { return refunds_; }
    SandboxBatch& openBatch(qint64 merchantId); // the open batch, made when there is none
    QList<SandboxBatch> batches(qint64 merchantId) const;
    // Closes one open batch, or every open batch for id 0; answers the batches it closed.
    QList<SandboxBatch> closeBatch(qint64 merchantId, qint64 batchId);
    // A batch as the batch answers list it: its figures, and the same under "sdk".
    QVariantMap batchEntry(const SandboxBatch& batch) const;

private:
    QString defaultApiKey_;
    QString defaultToken_;
    QStringList apiKeys_;
    QVariantMap updateInfo_;
    QList<SandboxMerchant> merchants_;
    QList<SandboxUser> users_;
    struct Token {
        qint64 userId = 0;
        SandboxTokenValidation validation = SandboxTokenValidation::Valid;
    };
    QHash<QString, Token> tokens_;
    QList<SandboxSale> sales_;
    QList<SandboxRefund> refunds_;
    QList<SandboxBatch> batches_;
    qint64 nextId_ = 1000;
};
