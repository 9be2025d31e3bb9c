#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

// A fault the simulated reader plays instead of its normal answer at one step.
//
// Steps: "connect", "reset", "checkCard", "emv", "amount", "selectApplication", "time",
// "confirm", "pin", "onlineRequest", "onlineResult", "tip", "updateEmv", "info", "id",
// "cardPresent", "display", "iccTags", "batchData".
// Kinds (JSON "kind"): "error" (onDHError with "code"), "resetFailed" (the reset answers "0"),
// "silent" (no answer), "disconnect" (the connection drops), "notDetected" (the reader is
// not found), "empty" (a synchronous read answers nothing), "cardWaitTimeout" (the card wait
// ends without a card at once).
struct ReaderFault {
    enum class Kind { Error, ResetFailed, Silent, Disconnect, NotDetected, Empty, CardWaitTimeout };

    QString step;
    Kind kind = Kind::Silent;
    int code = 0;  // the error number of Kind::Error
    int times = 1; // how many times it plays; 0 or less: every time

    // {"step": "reset", "kind": "resetFailed", "times": 2}; none, and *error set, when the
    // map is not a fault.
    static std::optional<ReaderFault> fromMap(const QVariantMap& map, QString* error);
    QVariantMap toMap() const;
};

// One EMV application of a chip or contactless card.
struct CardApplication {
    QString aid;   // hex text, e.g. "A0000000031010"
    QString label; // e.g. "VISA CREDITO"
};

// A card the simulated reader presents at one card wait, as a JSON object:
//   kind          "chip" | "contactless" | "swipe" | "badSwipe" | "chipUnusable" |
//                 "contactlessRefused"                                  (required)
//   number        card number, digits                 default "4111111111111111"
//   expiry        "YYMM"                              default "2812"
//   holder        name on the card                    default "ANA GOMEZ"
//   serviceCode   three digits                        default "201" ("101" for a swipe)
//   applications  [{"aid", "label"}, ...], one or more   default one VISA CREDITO
//   verification  "onlinePin" | "offlinePin" | "signature" | "none"   default "none"
//   pinEntry      "typed" | "cancelled" | "timedOut"  default "typed"
//   tipEntry      "typed" | "cancelled" | "timedOut"  default "typed"
//   tip           the typed tip in cents as digits     default "0"
//   verdict       the card after an approving online result: "approve" | "decline" |
//                 "removed"                           default "approve"
//   removedEnding "reversal" | "iccException" (what a removed card sends)  default "reversal"
//   tradeResult   read result of a contactless card (7 or 8) or a bad swipe (0 or 3)
//   removeAfterMs how long a chip card stays in the reader after its transaction; -1 until
//                 taken out by hand                    default 0
//   faults        [fault, ...] (ReaderFault), armed when the card is presented
struct CardProfile {
    enum class Kind { Chip, Contactless, Swipe, BadSwipe, ChipUnusable, ContactlessRefused };
    enum class Verification { OnlinePin, OfflinePin, Signature, None };
    enum class Entry { Typed, Cancelled, TimedOut };
    enum class Verdict { Approve, Decline, Removed };

    QString name; // the named profile it came from, if any
    Kind kind = Kind::Chip;
    QString number = QStringLiteral("4111111111111111");
    QString expiry = QStringLiteral("2812");
    QString holder = QStringLiteral("ANA GOMEZ");
    QString serviceCode = QStringLiteral("201");
    QList<CardApplication> applications;
    Verification verification = Verification::None;
    Entry pinEntry = Entry::Typed;
    Entry tipEntry = Entry::Typed;
    QString tip = QStringLiteral("0");
    Verdict verdict = Verdict::Approve;
    bool removedWithReversal = true;
    int tradeResult = -1; // -1: the kind's usual result
    int removeAfterMs = 0;
    QList<ReaderFault> faults;

    // Reads a profile from a JSON object; none, and *error set, when it is not one.
    static std::optional<CardProfile> fromJson(const QByteArray& json, QString* error);
    static std::optional<CardProfile> fromMap(const QVariantMap& map, QString* error);
    // The named profiles: "chip-pin", "chip-signature", "chip-offline-pin", "chip-two-apps",
    // "contactless", "contactless-pin", "swipe", "swipe-pin", "swipe-chip-card", "bad-swipe",
    // "chip-declines-after-approval", "card-removed". None for another name.
    static std::optional<CardProfile> named(const QString& name);
    static QStringList names();
    // The named profile's JSON text; empty for another name.
    static QByteArray namedJson(const QString& name);

    // The number as the reader masks it: the first six and last four digits, "*" between.
    QString maskedNumber() const;
    // The read result the card gives at a card wait.
    int readResult() const;
};
