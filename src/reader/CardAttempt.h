#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <optional>

// One card read and what the back end made of it: how the card was read, the operation kind,
// the 64-bit id of its accepted answer and whether its final status went out. Every operation
// status report goes through the attempt of its card, so an accepted chip sale or refund and an
// accepted contactless sale get exactly one final status: the first report wins, the others are
// dropped. The attempt is shared with the report's worker, so a report sent as the reader
// session ends still goes out.
class CardAttempt : public std::enable_shared_from_this<CardAttempt> {
public:
    enum class Entry { Chip, Contactless, Swipe };
    // Who reports: the session's user, read on the main thread when the attempt is made.
    struct Credentials {
        QString userId;
        QString token;
        std::optional<QString> apiKey;
        static Credentials ofSession();
    };
    // The reply bytes of a report on the main thread; none when no reply came.
    using Completion = std::function<void(const std::optional<QByteArray>& reply)>;

    CardAttempt(Entry entry, int trxType, Credentials credentials);

    Entry entry() const { return entry_; }
    int trxType() const { return trxType_; }
    std::optional<qint64> acceptedId() const { return acceptedId_; }
    bool reported() const { return reported_; }
    // A sale or refund by chip, or a sale by tap, accepted with an id and not yet reported.
    bool owesReport() const;

    // The back end accepted the attempt with this id (none: an answer without id).
    void accept(std::optional<qint64> id);

    // Reports the final status ("1" completed, with the card's tags; "0" not completed) once:
    // false, and nothing sent, without an accepted id or when a status already went out. The
    // completion gets the reply on the main thread while the context lives (no context: always).
    // Only an attempt that owes a report sends one.
    // A "1" left unanswered is followed by one "0", logged.
    bool report(bool completed, const std::optional<QVariantMap>& emvTags = std::nullopt,
                Completion completion = {}, QObject* context = nullptr);

    // The id of an accepted answer: "refundId" when present, else "id", as a number or numeric
    // text of up to 64 bits; none when missing or not a whole number.
    static std::optional<qint64> idOfAnswer(const QVariantMap& answer);

private:
    static void send(const std::shared_ptr<CardAttempt>& self, bool completed,
                     const std::optional<QVariantMap>& emvTags, Completion completion,
                     QPointer<QObject> context, bool watched);

    Entry entry_;
    int trxType_;
    Credentials credentials_;
    std::optional<qint64> acceptedId_;
    bool reported_ = false;
};
