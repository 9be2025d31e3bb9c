#include "reader/EmvData.h"

#include "reader/Util.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

namespace EmvData {

std::optional<QList<TLV>> decode(const QString& hex) {
    if (hex.isEmpty())
        return std::nullopt;
    return TLV::decodeTags(Util::HexStringToByteArray(hex));
}

QString hexOf(qint32 tag, const std::optional<QList<TLV>>& tags) {
    const auto element = TLV::findLastTag(tag, tags);
    if (!element || !element->data())
        return QString();
    return Util::byteArray2Hex(*element->data());
}

QString textOf(qint32 tag, const std::optional<QList<TLV>>& tags) {
    const auto element = TLV::findLastTag(tag, tags);
    if (!element || !element->data())
        return QString();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(*element->data());
    return decoder.hasError() ? QString() : text;
}

bool offlinePinVerified(const std::optional<QByteArray>& cvmResults) {
    if (!cvmResults || cvmResults->size() != 3)
        return false;
    const int method = quint8(cvmResults->at(0)) & 0x3F;
    const bool pinByCard = method == 1 || method == 3 || method == 4 || method == 5;
    return pinByCard && quint8(cvmResults->at(2)) != 1;
}

QString maskedNumberFromC4(const QString& c4Hex) {
    QString number = c4Hex.toUpper();
    number.replace(QLatin1Char('F'), QLatin1Char('*'));
    if (number.endsWith(QLatin1Char('*')))
        number.chop(1);
    return number;
}

QVariantMap tagDictionary(const QVariantMap& readerAnswer) {
    QVariantMap tags;
    const QString tlv = readerAnswer.value(QStringLiteral("tlv")).toString();
    const auto decoded = decode(tlv);
    if (!decoded)
        return tags;
    for (const TLV& element : *decoded)
        tags.insert(Util::byteArray2Hex(Util::IntToHex(element.tag())),
                    Util::byteArray2Hex(element.data().value_or(QByteArray())));
    return tags;
}

QByteArray jsonOf(const QVariantMap& map) {
    return QJsonDocument(QJsonObject::fromVariantMap(map)).toJson(QJsonDocument::Compact);
}

bool binAccepted(const QString& number, const std::optional<QStringList>& acceptedBins) {
    if (!acceptedBins)
        return true;
    for (const QString& bin : *acceptedBins) {
        if (bin.isEmpty() || number.size() < bin.size())
            continue;
        bool match = true;
        for (qsizetype i = 0; i < bin.size() && match; ++i)
            match = number.at(i) != QLatin1Char('*') && number.at(i) == bin.at(i);
        if (match)
            return true;
    }
    return false;
}

QString authorisationResponse(const QString& issuerData, const QString& code, bool refusal) {
    const auto issuer = decode(issuerData);
    TLV response = TLV::tlvWithString(code, 0x8A);
    if (const auto own = TLV::findLastTag(0x8A, issuer)) {
        const bool approving = own->data() && *own->data() == QByteArrayLiteral("00");
        if (!(refusal && approving))
            response = *own;
    }
    QList<TLV> list{response};
    if (issuer)
        for (const TLV& element : *issuer)
            if (element.tag() != 0x8A)
                list.append(element);
    return Util::byteArray2Hex(TLV::encodeTags(list));
}

QString tagSummary(const std::optional<QList<TLV>>& tags) {
    if (!tags)
        return QStringLiteral("(no tags)");
    QStringList parts;
    for (const TLV& element : *tags)
        parts << QStringLiteral("%1(%2)")
                     .arg(QString::number(quint32(element.tag()), 16).toUpper())
                     .arg(element.data() ? element.data()->size() : 0);
    return parts.isEmpty() ? QStringLiteral("(no tags)") : parts.join(QLatin1Char(' '));
}

QString maskNumber(const QString& number) {
    if (number.size() <= 10)
        return QString(number.size(), QLatin1Char('*'));
    return number.left(6) + QString(number.size() - 10, QLatin1Char('*')) + number.right(4);
}

QString decodedDataSummary(const QVariantMap& data) {
    QStringList parts;
    for (auto it = data.constBegin(); it != data.constEnd(); ++it) {
        const QString value = it.value().toString();
        if (it.key() == QLatin1String("maskedPAN"))
            parts << it.key() + QLatin1Char('=') + maskNumber(value);
        else
            parts << QStringLiteral("%1=(%2)").arg(it.key()).arg(value.size());
    }
    return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

bool isDebitLabel(const QString& label) {
    if (label.isEmpty())
        return false;
    // Accents off: decompose and drop the combining marks.
    QString plain;
    for (const QChar c : label.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            plain.append(c);
    plain = plain.toLower();
    for (const char* word : {"debit", "electron", "prepaid", "prepaga"})
        if (plain.contains(QLatin1String(word)))
            return true;
    return false;
}

} // namespace EmvData
