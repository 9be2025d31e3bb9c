#include "reader/AIDs.h"

#include "platform/core/Logging.h"

namespace {

AIDs::Tags row(const char* aid, const char* version, const char* c2, const char* denial,
               const char* online, const char* byDefault) {
    return AIDs::Tags{{QStringLiteral("9F06"), QLatin1String(aid)},
                      {QStringLiteral("9F09"), QLatin1String(version)},
                      {QStringLiteral("C2"), QLatin1String(c2)},
                      {QStringLiteral("C8"), QLatin1String(denial)},
                      {QStringLiteral("C9"), QLatin1String(online)},
                      {QStringLiteral("CA"), QLatin1String(byDefault)},
                      {QStringLiteral("9F1B"), QStringLiteral("00000000")},
                      {QStringLiteral("9F35"), QStringLiteral("52")}};
}

const QMap<QString, AIDs::Tags>& AIDsDic() {
    static const QMap<QString, AIDs::Tags> table = [] {
        QMap<QString, AIDs::Tags> t;
        const auto add = [&t](const AIDs::Tags& tags) { t.insert(tags.value("9F06"), tags); };
        // Mastercard
        add(row("A0000000041010", "0002", "01", "0000000000", "FC50A8F800", "FC50A8A000"));
        add(row("A0000000043060", "0002", "00", "0000000000", "B050A0F800", "B050A02000"));
        add(row("A0000000049999", "0002", "00", "0000000000", "B050A0F800", "B050A02000"));
        // American Express
        add(row("A0000000250100", "0001", "01", "0000000000", "0000000000", "0000000000"));
        add(row("A0000000250000", "0001", "01", "", "", ""));
        add(row("A0000000250108", "0001", "01", "0000000000", "0000000000", "0000000000"));
        // Visa
        add(row("A0000000031010", "0002", "01", "0010000000", "DC4004F800", "DC4000A800"));
        add(row("A0000000032010", "0002", "00", "0010000000", "DC4004F800", "DC4000A800"));
        add(row("A0000000038010", "0002", "00", "0010000000", "DC4004F800", "DC4000A800"));
        add(row("A0000000033010", "0002", "01", "0010000000", "DC4004F800", "DC4000A800"));
        return t;
    }();
    return table;
}

} // namespace

std::optional<AIDs::Tags> AIDs::tagsForAID(const QString& aid) {
    const QMap<QString, Tags>& table = AIDsDic();
    const auto exact = table.constFind(aid);
    if (exact != table.constEnd())
        return exact.value();
    QString compact = aid;
    compact.remove(QLatin1Char(' '));
    for (auto it = table.constBegin(); it != table.constEnd(); ++it)
        if (compact.contains(it.key()))
            return it.value();
    Logging::debug(tarvelloReader, QStringLiteral("%1 AID data missing").arg(compact));
    return std::nullopt;
}
