#include "platform/core/Redaction.h"

#include "platform/core/CardNumber.h"

#include <QMutex>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QUrl>

namespace Redaction {

namespace {

const QSet<QString>& sensitiveNames() {
    static const QSet<QString> names = {
        // PINs, PIN blocks and their key serial numbers
        "pin", "pinblock", "pin_block", "pinksn", "pin_ksn", "ksn", "track2ksn", "newpin", "oldpin",
        "currentpin",
        // security codes and expiry dates
        "cvv", "cvv2", "cvc", "cvc2", "securitycode", "security_code", "expiredate", "expiration",
        "expirationdate", "expiry", "expirydate", "expdate", "exp_date", "expirationmonth",
        "expirationyear",
        // holder names
        "cardholdername", "holdername", "cardholder", "card_holder_name",
        // track data, EMV data
        "track1", "track2", "track3", "track1data", "track2data", "track1encrypted",
        "track2encrypted", "trackdata", "servicecode", "emvtags", "emvapp", "icctags", "emvdata",
        "tlv",
        // encrypted card data and the back end's transaction tokens
        "encrypteddata", "encryptedtrack", "encryptedpan", "transactiontoken",
        // the card holder's and the buyer's documents, masked whole
        "cardholderdocument", "document",
        // API keys and authorisation headers
        "authorization", "apikey", "api_key", "x-api-key", "x-authentication-apikey"};
    return names;
}

const QSet<QString>& cardNumberNames() {
    static const QSet<QString> names = {"cardnumber", "card_number", "pan",
                                        "cardno",     "maskedpan",   "cc"};
    return names;
}

QString maskedValue(const QString& key, const QString& value) {
    return isCardNumberKey(key) ? CardNumber::masked(value) : mask;
}

// End (exclusive) of a JSON value starting at `start`, quoted with `quote` (`"` or `\"`).
qsizetype jsonValueEnd(const QString& text, qsizetype start, const QString& quote) {
    const qsizetype n = text.size();
    if (start >= n)
        return start;
    if (text.mid(start, quote.size()) == quote) {
        qsizetype i = start + quote.size();
        if (quote.size() == 1) {
            while (i < n) {
                if (text[i] == u'\\')
                    i += 2;
                else if (text[i] == u'"')
                    return i + 1;
                else
                    ++i;
            }
            return n;
        }
        // Inside an escaped JSON text: \" closes; \\ escapes the next escaped character.
        while (i < n) {
            if (text[i] != u'\\') {
                ++i;
                continue;
            }
            if (i + 1 < n && text[i + 1] == u'"')
                return i + 2;
            if (i + 1 < n && text[i + 1] == u'\\') {
                i += 2;
                i += (i < n && text[i] == u'\\') ? 2 : 1;
                continue;
            }
            i += 2;
        }
        return n;
    }
    const QChar first = text[start];
    if (first == u'{' || first == u'[') {
        int depth = 0;
        bool inString = false;
        for (qsizetype i = start; i < n; ++i) {
            const QChar c = text[i];
            if (inString) {
                if (c == u'\\')
                    ++i;
                else if (c == u'"')
                    inString = false;
                continue;
            }
            if (c == u'"')
                inString = true;
            else if (c == u'{' || c == u'[')
                ++depth;
            else if (c == u'}' || c == u']') {
                if (--depth == 0)
                    return i + 1;
            }
        }
        return n;
    }
    qsizetype i = start;
    while (i < n && text[i] != u',' && text[i] != u'}' && text[i] != u']' && text[i] != u'\n' &&
           text[i] != u'\r' && text[i] != u'\\')
        ++i;
    return i;
}

// "key": value in JSON text, also inside an escaped JSON text (\"key\": \"value\").
QString redactJson(const QString& text) {
    static const QRegularExpression keyPattern(
        QStringLiteral(R"((\\?")([A-Za-z0-9_\-]+)\1\s*:\s*)"));
    QString out;
    qsizetype copied = 0;
    auto it = keyPattern.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        if (match.capturedStart() < copied)
            continue;
        const QString key = match.captured(2);
        if (!isSensitiveKey(key))
            continue;
        const QString quote = match.captured(1);
        const qsizetype valueStart = match.capturedEnd();
        const qsizetype valueEnd = jsonValueEnd(text, valueStart, quote);
        QString value = text.mid(valueStart, valueEnd - valueStart);
        const bool quoted = value.startsWith(quote) && value.size() >= 2 * quote.size();
        if (quoted)
            value = value.mid(quote.size(), value.size() - 2 * quote.size());
        out += QStringView(text).mid(copied, valueStart - copied);
        out += quote + maskedValue(key, value.trimmed()) + quote;
        copied = valueEnd;
    }
    if (copied == 0)
        return text;
    out += QStringView(text).mid(copied);
    return out;
}

// Multipart parts: name="key" (no file), blank line, then the value up to the next delimiter.
QString redactMultipart(const QString& text) {
    static const QRegularExpression partHead(QStringLiteral(
        "name=\"([^\"\\r\\n]+)\"(; filename=\"[^\"]*\")?\\r?\\n(?:Content-Type:[^\\r\\n]*\\r?\\n)?"
        "\\r?\\n"));
    QString out;
    qsizetype copied = 0;
    auto it = partHead.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        if (match.capturedStart() < copied || !match.captured(2).isEmpty() ||
            !isSensitiveKey(match.captured(1)))
            continue;
        const qsizetype valueStart = match.capturedEnd();
        qsizetype valueEnd = text.indexOf(QStringLiteral("\r\n--"), valueStart);
        if (valueEnd < 0)
            valueEnd = text.indexOf(QStringLiteral("\n--"), valueStart);
        if (valueEnd < 0)
            valueEnd = text.size();
        out += QStringView(text).mid(copied, valueStart - copied);
        out += maskedValue(match.captured(1), text.mid(valueStart, valueEnd - valueStart));
        copied = valueEnd;
    }
    if (copied == 0)
        return text;
    out += QStringView(text).mid(copied);
    return out;
}

// key=value in URLs, query strings and URL-encoded forms.
QString redactQuery(const QString& text) {
    static const QRegularExpression pair(
        QStringLiteral(R"((^|[?&\s;,{(])([A-Za-z0-9_\-.%\[\]]+)=([^&\s#"'<>]*))"));
    QString out;
    qsizetype copied = 0;
    auto it = pair.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        QString key = match.captured(2);
        key = QString::fromUtf8(QByteArray::fromPercentEncoding(key.toUtf8()));
        if (!isSensitiveKey(key))
            continue;
        const QString value =
            QString::fromUtf8(QByteArray::fromPercentEncoding(match.captured(3).toUtf8()));
        out += QStringView(text).mid(copied, match.capturedStart(3) - copied);
        out += maskedValue(key, value);
        copied = match.capturedEnd(3);
    }
    if (copied == 0)
        return text;
    out += QStringView(text).mid(copied);
    return out;
}

// Header lines "Name: value" and description lines "key = value;".
QString redactLines(const QString& text) {
    static const QRegularExpression line(QStringLiteral(
        R"re((?m)^([ \t]*)("?)([A-Za-z0-9_\-]+)("?)([ \t]*:[ \t]*|[ \t]+=[ \t]+)([^\r\n]*?)(;?)[ \t]*\r?$)re"));
    QString out;
    qsizetype copied = 0;
    auto it = line.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        const QString key = match.captured(3);
        const bool jsonMember = !match.captured(2).isEmpty() && match.captured(5).contains(u':');
        QString value = match.captured(6);
        if (jsonMember || !isSensitiveKey(key) || value.isEmpty())
            continue;
        const bool quoted = value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"');
        if (quoted)
            value = value.mid(1, value.size() - 2);
        if (value == mask)
            continue;
        out += QStringView(text).mid(copied, match.capturedStart(6) - copied);
        out += quoted ? u'"' + maskedValue(key, value) + u'"' : maskedValue(key, value);
        copied = match.capturedEnd(6);
    }
    if (copied == 0)
        return text;
    out += QStringView(text).mid(copied);
    return out;
}

// Card numbers anywhere: runs of 13 to 19 digits that pass the Luhn check.
QString redactCardNumbers(const QString& text) {
    static const QRegularExpression digits(QStringLiteral(R"((?<![0-9])[0-9]{13,19}(?![0-9]))"));
    QString out;
    qsizetype copied = 0;
    auto it = digits.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        if (!CardNumber::passesLuhn(match.capturedView()))
            continue;
        out += QStringView(text).mid(copied, match.capturedStart() - copied);
        out += CardNumber::masked(match.captured());
        copied = match.capturedEnd();
    }
    if (copied == 0)
        return text;
    out += QStringView(text).mid(copied);
    return out;
}

// The secret values in use, newest last.
struct Secrets {
    static constexpr qsizetype kept = 32;
    QMutex lock;
    QStringList values;
};

Secrets& secrets() {
    static Secrets s;
    return s;
}

QString redactSecrets(const QString& text) {
    Secrets& s = secrets();
    QMutexLocker locker(&s.lock);
    QString out = text;
    for (const QString& value : std::as_const(s.values))
        out.replace(value, mask);
    return out;
}

void remember(const QString& value) {
    Secrets& s = secrets();
    QMutexLocker locker(&s.lock);
    s.values.removeAll(value);
    s.values.append(value);
    while (s.values.size() > Secrets::kept)
        s.values.removeFirst();
}

// The content of the multipart part whose headers contain `from`: [start, end).
std::pair<qsizetype, qsizetype> partContent(const QByteArray& body, qsizetype from) {
    const qsizetype headersEnd = body.indexOf("\r\n\r\n", from);
    if (headersEnd < 0)
        return {-1, -1};
    const qsizetype start = headersEnd + 4;
    const qsizetype end = body.indexOf("\r\n--", start);
    return {start, end < 0 ? body.size() : end};
}

} // namespace

void addSecret(const QString& value) {
    if (value.size() < kShortestSecret)
        return;
    remember(value);
    const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(value));
    if (encoded != value)
        remember(encoded);
}

QString bodyText(const QByteArray& body) {
    static const QByteArray imageHeader = "content-type: image/";
    const QByteArray lower = body.toLower();
    QByteArray out;
    qsizetype copied = 0;
    for (qsizetype at = lower.indexOf(imageHeader); at >= 0;
         at = lower.indexOf(imageHeader, copied)) {
        const auto [start, end] = partContent(body, at);
        if (start < 0)
            break;
        out += body.mid(copied, start - copied);
        out += "<<IMAGE>>";
        copied = end;
    }
    out += body.mid(copied);
    return QString::fromUtf8(out);
}

QString unparsedBody(const QByteArray& body, const QString& contentType) {
    constexpr qsizetype prefixLength = 80;
    const QString text = redact(QString::fromUtf8(body)).simplified();
    const QString prefix =
        text.size() > prefixLength ? text.left(prefixLength) + QStringLiteral("...") : text;
    return QStringLiteral("%1 bytes of %2: \"%3\"")
        .arg(body.size())
        .arg(contentType.isEmpty() ? QStringLiteral("unknown type") : contentType, prefix);
}

bool isSensitiveKey(const QString& key) {
    const QString lower = key.toLower();
    return sensitiveNames().contains(lower) || cardNumberNames().contains(lower) ||
           lower.contains(QStringLiteral("token")) || lower.contains(QStringLiteral("password")) ||
           lower.contains(QStringLiteral("secret")) || lower.contains(QStringLiteral("apikey"));
}

bool isCardNumberKey(const QString& key) {
    return cardNumberNames().contains(key.toLower());
}

QString redact(const QString& text) {
    if (text.isEmpty())
        return text;
    QString out = redactJson(text);
    out = redactMultipart(out);
    out = redactQuery(out);
    out = redactLines(out);
    out = redactCardNumbers(out);
    return redactSecrets(out);
}

} // namespace Redaction
