#include "sandbox/SandboxState.h"

#include <algorithm>

#include <QFile>
#include <QJsonDocument>
#include <QUuid>

namespace {

qint64 toId(const QVariant& value) {
    bool ok = false;
    const qint64 id = value.toString().trimmed().toLongLong(&ok);
    return ok ? id : 0;
}

std::optional<SandboxTokenValidation> validationNamed(const QString& name) {
    if (name.isEmpty() || name == QLatin1String("valid"))
        return SandboxTokenValidation::Valid;
    if (name == QLatin1String("refused"))
        return SandboxTokenValidation::Refused;
    if (name == QLatin1String("forcedUpdate"))
        return SandboxTokenValidation::ForcedUpdate;
    if (name == QLatin1String("updateVersion"))
        return SandboxTokenValidation::UpdateVersion;
    return std::nullopt;
}

} // namespace

SandboxState::SandboxState() {
    QString error;
    if (!loadFixture(defaultFixture(), &error))
        qWarning("Sandbox: the built-in fixture does not load: %s", qPrintable(error));
}

QByteArray SandboxState::defaultFixture() {
    QFile file(QStringLiteral(":/sandbox/fixtures/default.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool SandboxState::loadFixture(const QByteArray& json, QString* error) {
    auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject())
        return fail(
            QStringLiteral("fixture is not a JSON object: %1").arg(parseError.errorString()));
    const QVariantMap root = doc.toVariant().toMap();

    QList<SandboxMerchant> merchants;
    for (const QVariant& entry : root.value(QStringLiteral("merchants")).toList()) {
        const QVariantMap map = entry.toMap();
        SandboxMerchant merchant;
        merchant.id = toId(map.value(QStringLiteral("id")));
        merchant.name = map.value(QStringLiteral("name")).toString();
        merchant.settings = map.value(QStringLiteral("settings")).toMap();
        if (merchant.id == 0)
            return fail(QStringLiteral("a merchant has no id"));
        merchants << merchant;
    }
    QList<SandboxUser> users;
    for (const QVariant& entry : root.value(QStringLiteral("users")).toList()) {
        const QVariantMap map = entry.toMap();
        SandboxUser user;
        user.userId = toId(map.value(QStringLiteral("userId")));
        user.merchantId = toId(map.value(QStringLiteral("merchantId")));
        user.email = map.value(QStringLiteral("email")).toString();
        user.password = map.value(QStringLiteral("password")).toString();
        user.pin = map.value(QStringLiteral("pin")).toString();
        user.profile = map.value(QStringLiteral("profile")).toMap();
        if (user.userId == 0)
            return fail(QStringLiteral("a user has no userId"));
        users << user;
    }
    QHash<QString, Token> tokens;
    for (const QVariant& entry : root.value(QStringLiteral("tokens")).toList()) {
        const QVariantMap map = entry.toMap();
        const QString token = map.value(QStringLiteral("token")).toString();
        const auto validation = validationNamed(map.value(QStringLiteral("validation")).toString());
        if (token.isEmpty() || !validation)
            return fail(QStringLiteral("a token entry is incomplete or has an unknown validation"));
        tokens.insert(token, Token{toId(map.value(QStringLiteral("userId"))), *validation});
    }

    defaultApiKey_ = root.value(QStringLiteral("defaultApiKey")).toString();
    defaultToken_ = root.value(QStringLiteral("defaultToken")).toString();
    apiKeys_ = root.value(QStringLiteral("apiKeys")).toStringList();
    if (!defaultApiKey_.isEmpty() && !apiKeys_.contains(defaultApiKey_))
        apiKeys_ << defaultApiKey_;
    updateInfo_ = root.value(QStringLiteral("update")).toMap();
    merchants_ = merchants;
    users_ = users;
    tokens_ = tokens;
    sales_.clear();
    refunds_.clear();
    batches_.clear();
    // Earlier sales the back end already knows, as a demo or a test may want to look them up.
    for (const QVariant& entry : root.value(QStringLiteral("sales")).toList()) {
        QVariantMap map = entry.toMap();
        SandboxSale sale;
        sale.id = toId(map.take(QStringLiteral("id")));
        sale.merchantId = toId(map.take(QStringLiteral("merchantId")));
        sale.userId = toId(map.take(QStringLiteral("userId")));
        sale.amount = map.take(QStringLiteral("amount")).toDouble();
        sale.currencyCode = map.take(QStringLiteral("currencyCode")).toString();
        sale.reference = map.take(QStringLiteral("reference")).toString();
        sale.paymentMethod = map.take(QStringLiteral("paymentMethod")).toString();
        sale.status = map.take(QStringLiteral("status")).toString();
        sale.data = map;
        if (sale.id == 0 || !merchant(sale.merchantId))
            return fail(QStringLiteral("a sale has no id or an unknown merchant"));
        nextId_ = std::max(nextId_, sale.id + 1);
        addSale(sale);
    }
    return true;
}

SandboxMerchant* SandboxState::merchant(qint64 id) {
    for (SandboxMerchant& merchant : merchants_)
        if (merchant.id == id)
            return &merchant;
    return nullptr;
}

SandboxUser* SandboxState::userById(qint64 id) {
    for (SandboxUser& user : users_)
        if (user.userId == id)
            return &user;
    return nullptr;
}

SandboxUser* SandboxState::userByEmail(const QString& email) {
    for (SandboxUser& user : users_)
        if (user.email.compare(email, Qt::CaseInsensitive) == 0)
            return &user;
    return nullptr;
}

SandboxUser* SandboxState::userForToken(const QString& token) {
    const auto it = tokens_.constFind(token);
    if (token.isEmpty() || it == tokens_.constEnd())
        return nullptr;
    return userById(it->userId);
}

SandboxTokenValidation SandboxState::tokenValidation(const QString& token) const {
    return tokens_.value(token).validation;
}

void SandboxState::setTokenValidation(const QString& token, SandboxTokenValidation validation) {
    if (tokens_.contains(token))
        tokens_[token].validation = validation;
}

QString SandboxState::issueToken(qint64 userId) {
    const QString token =
        QStringLiteral("tok_") + QUuid::createUuid().toString(QUuid::Id128).left(24);
    tokens_.insert(token, Token{userId, SandboxTokenValidation::Valid});
    return token;
}

void SandboxState::revokeToken(const QString& token) {
    tokens_.remove(token);
}

QVariantMap SandboxState::sessionAnswer(const SandboxUser& user, const QString& token) {
    QVariantMap answer;
    if (const SandboxMerchant* owner = merchant(user.merchantId))
        answer = owner->settings;
    for (auto it = user.profile.constBegin(); it != user.profile.constEnd(); ++it)
        answer.insert(it.key(), it.value());
    answer.insert(QStringLiteral("userId"), user.userId);
    answer.insert(QStringLiteral("email"), user.email);
    answer.insert(QStringLiteral("token"), token);
    answer.insert(QStringLiteral("success"), QStringLiteral("OK"));
    return answer;
}

std::optional<SandboxReply> SandboxState::checkApiKey(const SandboxRequest& request) const {
    const QString key = QString::fromUtf8(request.header("X-Authentication-ApiKey"));
    if (!isKnownApiKey(key))
        return SandboxReply::failure(403, QStringLiteral("Invalid API key"),
                                     QStringLiteral("INVALID_API_KEY"), 403);
    return std::nullopt;
}

std::optional<SandboxReply> SandboxState::checkSession(const SandboxRequest& request,
                                                       SandboxUser** user) {
    if (auto refusal = checkApiKey(request))
        return refusal;
    QString token = request.param(QStringLiteral("token"));
    if (token.isEmpty())
        token = QString::fromUtf8(request.header("X-Authentication-Token"));
    SandboxUser* owner = userForToken(token);
    if (!owner)
        return SandboxReply::unauthorized();
    const QString userId = request.param(QStringLiteral("userId"));
    if (!userId.isEmpty() && userId != QString::number(owner->userId))
        return SandboxReply::unauthorized(QStringLiteral("The token does not belong to this user"));
    if (user)
        *user = owner;
    return std::nullopt;
}

SandboxSale& SandboxState::addSale(SandboxSale sale) {
    if (sale.id == 0)
        sale.id = nextId();
    if (!sale.createdAt.isValid())
        sale.createdAt = QDateTime::currentDateTimeUtc();
    if (sale.batchId == 0)
        sale.batchId = openBatch(sale.merchantId).id;
    sales_ << sale;
    return sales_.last();
}

SandboxSale* SandboxState::sale(qint64 id) {
    for (SandboxSale& sale : sales_)
        if (sale.id == id)
            return &sale;
    return nullptr;
}

SandboxSale* SandboxState::saleByReference(const QString& reference) {
    for (SandboxSale& sale : sales_)
        if (!reference.isEmpty() && sale.reference == reference)
            return &sale;
    return nullptr;
}

SandboxRefund& SandboxState::addRefund(SandboxRefund refund) {
    if (refund.id == 0)
        refund.id = nextId();
    if (!refund.createdAt.isValid())
        refund.createdAt = QDateTime::currentDateTimeUtc();
    refunds_ << refund;
    return refunds_.last();
}

SandboxBatch& SandboxState::openBatch(qint64 merchantId) {
    for (SandboxBatch& batch : batches_)
        if (batch.merchantId == merchantId && batch.open)
            return batch;
    SandboxBatch batch;
    batch.id = nextId();
    batch.merchantId = merchantId;
    batch.openedAt = QDateTime::currentDateTimeUtc();
    batches_ << batch;
    return batches_.last();
}

QList<SandboxBatch> SandboxState::batches(qint64 merchantId) const {
    QList<SandboxBatch> found;
    for (const SandboxBatch& batch : batches_)
        if (batch.merchantId == merchantId)
            found << batch;
    return found;
}

QList<SandboxBatch> SandboxState::closeBatch(qint64 merchantId, qint64 batchId) {
    QList<SandboxBatch> closed;
    for (SandboxBatch& batch : batches_) {
        if (batch.merchantId != merchantId || !batch.open || (batchId != 0 && batch.id != batchId))
            continue;
        batch.open = false;
        batch.closedAt = QDateTime::currentDateTimeUtc();
        closed << batch;
    }
    return closed;
}

QVariantMap SandboxState::batchEntry(const SandboxBatch& batch) const {
    double total = 0;
    int operations = 0;
    QMap<QString, QPair<double, int>> byMethod;
    QString currency;
    for (const SandboxSale& sale : sales_) {
        if (sale.batchId != batch.id)
            continue;
        total += sale.amount;
        ++operations;
        auto& slot = byMethod[sale.paymentMethod];
        slot.first += sale.amount;
        slot.second += 1;
        if (currency.isEmpty())
            currency = sale.currencyCode;
    }
    QVariantList methods;
    for (auto it = byMethod.constBegin(); it != byMethod.constEnd(); ++it)
        methods << QVariantMap{{QStringLiteral("paymentMethod"), it.key()},
                               {QStringLiteral("amount"), QString::asprintf("%.2f", it->first)},
                               {QStringLiteral("operations"), it->second}};
    const QVariantMap sdk{
        {QStringLiteral("batchId"), QString::number(batch.id)},
        {QStringLiteral("status"), batch.open ? QStringLiteral("open") : QStringLiteral("closed")},
        {QStringLiteral("openedAt"), batch.openedAt.toString(Qt::ISODate)},
        {QStringLiteral("closedAt"), batch.closedAt.isValid()
                                         ? QVariant(batch.closedAt.toString(Qt::ISODate))
                                         : QVariant::fromValue(nullptr)},
        {QStringLiteral("currencyCode"), currency},
        {QStringLiteral("totalAmount"), QString::asprintf("%.2f", total)},
        {QStringLiteral("operations"), operations},
        {QStringLiteral("paymentMethods"), methods},
    };
    QVariantMap entry = sdk;
    entry.insert(QStringLiteral("sdk"), sdk);
    return entry;
}
