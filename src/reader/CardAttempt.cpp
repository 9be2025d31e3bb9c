#include "reader/CardAttempt.h"

#include "SDK/session/User.h"
#include "api/APIController.h"
#include "api/HostCredentials.h"
#include "platform/core/Logging.h"
#include "platform/core/Worker.h"

CardAttempt::Credentials CardAttempt::Credentials::ofSession() {
    const User& user = User::instance();
    return Credentials{user.userId(), user.token(), HostCredentials::apiKey()};
}

CardAttempt::CardAttempt(Entry entry, int trxType, Credentials credentials)
    : entry_(entry)
    , trxType_(trxType)
    , credentials_(std::move(credentials)) {}

bool CardAttempt::owesReport() const {
    if (!acceptedId_ || reported_)
        return false;
    if (entry_ == Entry::Chip)
        return trxType_ != 1;
    return entry_ == Entry::Contactless && trxType_ == 0;
}

void CardAttempt::accept(std::optional<qint64> id) {
    acceptedId_ = id;
}

bool CardAttempt::report(bool completed, const std::optional<QVariantMap>& emvTags,
                         Completion completion, QObject* context) {
    if (!owesReport())
        return false;
    reported_ = true;
    send(shared_from_this(), completed, emvTags, std::move(completion), context,
         context != nullptr);
    return true;
}

void CardAttempt::send(const std::shared_ptr<CardAttempt>& self, bool completed,
                       const std::optional<QVariantMap>& emvTags, Completion completion,
                       QPointer<QObject> context, bool watched) {
    const QString id = QString::number(*self->acceptedId_);
    const Credentials credentials = self->credentials_;
    Logging::info(
        tarvelloReader,
        QStringLiteral("[DSPREAD] operation status %1 for %2").arg(completed ? 1 : 0).arg(id));
    Worker::run(
        [completed, id, emvTags, credentials]() {
            APIController client;
            client.setApiKey(credentials.apiKey);
            return client.operationStatusEmvTags(completed, id, emvTags, credentials.userId,
                                                 credentials.token);
        },
        [self, completed, id, completion, context,
         watched](const std::optional<QByteArray>& reply) {
            if (completed && !reply) {
                // The back end may not know the card finished: tell it the operation did not.
                Logging::warning(tarvelloReader,
                                 QStringLiteral("[DSPREAD] no answer to the completed status of "
                                                "%1: reporting it not completed")
                                     .arg(id));
                send(self, false, std::nullopt, {}, nullptr, false);
            }
            if (completion && (!watched || context))
                completion(reply);
        });
}

std::optional<qint64> CardAttempt::idOfAnswer(const QVariantMap& answer) {
    for (const char* key : {"refundId", "id"}) {
        const QVariant value = answer.value(QLatin1String(key));
        if (!value.isValid() || value.isNull())
            continue;
        bool ok = false;
        qint64 id = 0;
        if (value.typeId() == QMetaType::Double) {
            const double d = value.toDouble();
            ok = d >= -9.2e18 && d <= 9.2e18 && d == double(qint64(d));
            id = ok ? qint64(d) : 0;
        } else {
            id = value.toString().trimmed().toLongLong(&ok);
        }
        return ok ? std::optional<qint64>(id) : std::nullopt;
    }
    return std::nullopt;
}
