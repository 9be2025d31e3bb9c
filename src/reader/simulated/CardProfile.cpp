#include "reader/simulated/CardProfile.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QSet>

namespace {

// The named profiles, as a test or the demo would write them.
const char* const kNamedProfiles = R"({
  "chip-pin": {"kind": "chip", "verification": "onlinePin"},
  "chip-signature": {"kind": "chip", "number": "5413330000000019", "verification": "signature",
                     "applications": [{"aid": "A0000000041010", "label": "MASTERCARD"}]},
  "chip-offline-pin": {"kind": "chip", "verification": "offlinePin"},
  "chip-two-apps": {"kind": "chip", "verification": "onlinePin",
                    "applications": [{"aid": "A0000000031010", "label": "VISA CREDITO"},
                                     {"aid": "A0000000032010", "label": "VISA DEBITO"}]},
  "contactless": {"kind": "contactless", "tradeResult": 7},
  "contactless-pin": {"kind": "contactless", "verification": "onlinePin", "tradeResult": 7},
  "swipe": {"kind": "swipe", "serviceCode": "101"},
  "swipe-pin": {"kind": "swipe", "serviceCode": "120"},
  "swipe-chip-card": {"kind": "swipe", "serviceCode": "201"},
  "bad-swipe": {"kind": "badSwipe", "tradeResult": 3},
  "chip-declines-after-approval": {"kind": "chip", "verification": "onlinePin",
                                   "verdict": "decline"},
  "card-removed": {"kind": "chip", "verification": "onlinePin", "verdict": "removed"}
})";

const QVariantMap& namedProfiles() {
    static const QVariantMap profiles =
        QJsonDocument::fromJson(QByteArray(kNamedProfiles)).toVariant().toMap();
    return profiles;
}

// The enum value of a text among the choices, or none.
template <class E>
std::optional<E> choice(const QVariant& value, const QList<std::pair<const char*, E>>& choices) {
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    for (const auto& [name, e] : choices)
        if (value.toString() == QLatin1String(name))
            return e;
    return std::nullopt;
}

bool isDigits(const QString& text, int minLength, int maxLength) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]*$"));
    return text.size() >= minLength && text.size() <= maxLength && digits.match(text).hasMatch();
}

bool isHex(const QString& text) {
    static const QRegularExpression hex(QStringLiteral("^([0-9A-Fa-f]{2})+$"));
    return hex.match(text).hasMatch();
}

bool fail(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

std::optional<int> wholeNumber(const QVariant& value) {
    if (value.typeId() == QMetaType::QString)
        return std::nullopt;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || number != double(qint64(number)))
        return std::nullopt;
    return int(number);
}

const QList<std::pair<const char*, CardProfile::Entry>> kEntries = {
    {"typed", CardProfile::Entry::Typed},
    {"cancelled", CardProfile::Entry::Cancelled},
    {"timedOut", CardProfile::Entry::TimedOut}};

} // namespace

// ---------------------------------------------------------------- faults

std::optional<ReaderFault> ReaderFault::fromMap(const QVariantMap& map, QString* error) {
    static const QSet<QString> steps = {
        "connect",           "reset",   "checkCard", "emv",      "amount",
        "selectApplication", "time",    "confirm",   "pin",      "onlineRequest",
        "onlineResult",      "tip",     "updateEmv", "info",     "id",
        "cardPresent",       "display", "iccTags",   "batchData"};
    static const QList<std::pair<const char*, Kind>> kinds = {
        {"error", Kind::Error},
        {"resetFailed", Kind::ResetFailed},
        {"silent", Kind::Silent},
        {"disconnect", Kind::Disconnect},
        {"notDetected", Kind::NotDetected},
        {"empty", Kind::Empty},
        {"cardWaitTimeout", Kind::CardWaitTimeout}};
    for (auto it = map.begin(); it != map.end(); ++it)
        if (it.key() != "step" && it.key() != "kind" && it.key() != "code" && it.key() != "times") {
            fail(error, QStringLiteral("fault: unknown key \"%1\"").arg(it.key()));
            return std::nullopt;
        }
    ReaderFault fault;
    fault.step = map.value("step").toString();
    if (map.value("step").typeId() != QMetaType::QString || !steps.contains(fault.step)) {
        fail(error, QStringLiteral("fault: unknown step \"%1\"").arg(fault.step));
        return std::nullopt;
    }
    const auto kind = choice(map.value("kind"), kinds);
    if (!kind) {
        fail(error, QStringLiteral("fault: unknown kind \"%1\"").arg(map.value("kind").toString()));
        return std::nullopt;
    }
    fault.kind = *kind;
    if (map.contains("code")) {
        const auto code = wholeNumber(map.value("code"));
        if (!code) {
            fail(error, QStringLiteral("fault: \"code\" is not a whole number"));
            return std::nullopt;
        }
        fault.code = *code;
    } else if (fault.kind == Kind::Error) {
        fail(error, QStringLiteral("fault: an error needs its \"code\""));
        return std::nullopt;
    }
    if (map.contains("times")) {
        const auto times = wholeNumber(map.value("times"));
        if (!times) {
            fail(error, QStringLiteral("fault: \"times\" is not a whole number"));
            return std::nullopt;
        }
        fault.times = *times;
    }
    return fault;
}

QVariantMap ReaderFault::toMap() const {
    static const char* const names[] = {
        "error", "resetFailed", "silent", "disconnect", "notDetected", "empty", "cardWaitTimeout"};
    QVariantMap map{{"step", step}, {"kind", names[int(kind)]}, {"times", times}};
    if (kind == Kind::Error)
        map.insert("code", code);
    return map;
}

// ---------------------------------------------------------------- profiles

std::optional<CardProfile> CardProfile::fromJson(const QByteArray& json, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        fail(error, parseError.error != QJsonParseError::NoError
                        ? QStringLiteral("card profile: %1").arg(parseError.errorString())
                        : QStringLiteral("card profile: not a JSON object"));
        return std::nullopt;
    }
    return fromMap(document.toVariant().toMap(), error);
}

std::optional<CardProfile> CardProfile::fromMap(const QVariantMap& map, QString* error) {
    static const QSet<QString> keys = {
        "kind",         "number",        "expiry",      "holder",        "serviceCode",
        "applications", "verification",  "pinEntry",    "tipEntry",      "tip",
        "verdict",      "removedEnding", "tradeResult", "removeAfterMs", "faults"};
    for (auto it = map.begin(); it != map.end(); ++it)
        if (!keys.contains(it.key())) {
            fail(error, QStringLiteral("card profile: unknown key \"%1\"").arg(it.key()));
            return std::nullopt;
        }

    CardProfile profile;
    const auto kind =
        choice<Kind>(map.value("kind"), {{"chip", Kind::Chip},
                                         {"contactless", Kind::Contactless},
                                         {"swipe", Kind::Swipe},
                                         {"badSwipe", Kind::BadSwipe},
                                         {"chipUnusable", Kind::ChipUnusable},
                                         {"contactlessRefused", Kind::ContactlessRefused}});
    if (!kind) {
        fail(error,
             QStringLiteral("card profile: unknown kind \"%1\"").arg(map.value("kind").toString()));
        return std::nullopt;
    }
    profile.kind = *kind;
    if (profile.kind == Kind::Swipe)
        profile.serviceCode = QStringLiteral("101");

    auto text = [&](const char* key, QString* target, auto valid, const char* what) {
        if (!map.contains(key))
            return true;
        const QVariant value = map.value(key);
        if (value.typeId() != QMetaType::QString || !valid(value.toString()))
            return fail(error, QStringLiteral("card profile: \"%1\" is not %2").arg(key, what));
        *target = value.toString();
        return true;
    };
    if (!text(
            "number", &profile.number, [](const QString& t) { return isDigits(t, 12, 19); },
            "12 to 19 digits") ||
        !text(
            "expiry", &profile.expiry, [](const QString& t) { return isDigits(t, 4, 4); },
            "four digits YYMM") ||
        !text(
            "holder", &profile.holder, [](const QString&) { return true; }, "a text") ||
        !text(
            "serviceCode", &profile.serviceCode, [](const QString& t) { return isDigits(t, 3, 3); },
            "three digits") ||
        !text(
            "tip", &profile.tip, [](const QString& t) { return isDigits(t, 1, 12); }, "digits"))
        return std::nullopt;

    if (map.contains("applications")) {
        const QVariant value = map.value("applications");
        const QVariantList list = value.toList();
        if (value.typeId() != QMetaType::QVariantList || list.isEmpty()) {
            fail(error, QStringLiteral("card profile: \"applications\" is not a list of one or "
                                       "more applications"));
            return std::nullopt;
        }
        for (const QVariant& item : list) {
            const QVariantMap app = item.toMap();
            if (item.typeId() != QMetaType::QVariantMap || !isHex(app.value("aid").toString()) ||
                app.value("label").typeId() != QMetaType::QString) {
                fail(error, QStringLiteral("card profile: an application needs a hex \"aid\" "
                                           "and a \"label\""));
                return std::nullopt;
            }
            profile.applications.append(
                {app.value("aid").toString().toUpper(), app.value("label").toString()});
        }
    } else {
        profile.applications.append(
            {QStringLiteral("A0000000031010"), QStringLiteral("VISA CREDITO")});
    }

    auto pick = [&](const char* key, auto* target, const auto& choices) {
        if (!map.contains(key))
            return true;
        const auto value = choice(map.value(key), choices);
        if (!value)
            return fail(error, QStringLiteral("card profile: unknown %1 \"%2\"")
                                   .arg(key, map.value(key).toString()));
        *target = *value;
        return true;
    };
    const QList<std::pair<const char*, Verification>> verifications = {
        {"onlinePin", Verification::OnlinePin},
        {"offlinePin", Verification::OfflinePin},
        {"signature", Verification::Signature},
        {"none", Verification::None}};
    const QList<std::pair<const char*, Verdict>> verdicts = {{"approve", Verdict::Approve},
                                                             {"decline", Verdict::Decline},
                                                             {"removed", Verdict::Removed}};
    const QList<std::pair<const char*, bool>> endings = {{"reversal", true},
                                                         {"iccException", false}};
    if (!pick("verification", &profile.verification, verifications) ||
        !pick("pinEntry", &profile.pinEntry, kEntries) ||
        !pick("tipEntry", &profile.tipEntry, kEntries) ||
        !pick("verdict", &profile.verdict, verdicts) ||
        !pick("removedEnding", &profile.removedWithReversal, endings))
        return std::nullopt;

    for (const char* key : {"tradeResult", "removeAfterMs"}) {
        if (!map.contains(key))
            continue;
        const auto number = wholeNumber(map.value(key));
        if (!number) {
            fail(error, QStringLiteral("card profile: \"%1\" is not a whole number").arg(key));
            return std::nullopt;
        }
        (QLatin1String(key) == QLatin1String("tradeResult") ? profile.tradeResult
                                                            : profile.removeAfterMs) = *number;
    }

    if (map.contains("faults")) {
        if (map.value("faults").typeId() != QMetaType::QVariantList) {
            fail(error, QStringLiteral("card profile: \"faults\" is not a list"));
            return std::nullopt;
        }
        for (const QVariant& item : map.value("faults").toList()) {
            const auto fault = ReaderFault::fromMap(item.toMap(), error);
            if (!fault)
                return std::nullopt;
            profile.faults.append(*fault);
        }
    }
    return profile;
}

std::optional<CardProfile> CardProfile::named(const QString& name) {
    if (!namedProfiles().contains(name))
        return std::nullopt;
    auto profile = fromMap(namedProfiles().value(name).toMap(), nullptr);
    if (profile)
        profile->name = name;
    return profile;
}

QStringList CardProfile::names() {
    return namedProfiles().keys();
}

QByteArray CardProfile::namedJson(const QString& name) {
    if (!namedProfiles().contains(name))
        return {};
    return QJsonDocument::fromVariant(namedProfiles().value(name)).toJson(QJsonDocument::Compact);
}

QString CardProfile::maskedNumber() const {
    if (number.size() <= 10)
        return number;
    return number.left(6) + QString(number.size() - 10, QLatin1Char('*')) + number.right(4);
}

int CardProfile::readResult() const {
    switch (kind) {
    case Kind::Chip:
        return 2;
    case Kind::Swipe:
        return 1;
    case Kind::BadSwipe:
        return tradeResult == 0 ? 0 : 3;
    case Kind::ChipUnusable:
        return 5;
    case Kind::Contactless:
        return tradeResult == 8 ? 8 : 7;
    case Kind::ContactlessRefused:
        return 9;
    }
    return 4;
}
