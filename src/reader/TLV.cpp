#include "reader/TLV.h"

namespace {

constexpr qint64 kMaxLength = 4096;
constexpr qint32 kMaxCount = 30;

qint32 clampedCount(qint32 n) {
    return qBound(0, n, kMaxCount);
}

// The tag's bytes, most significant non-zero byte first (always at least the low byte).
void appendTagBytes(QByteArray& out, quint32 tag) {
    if (tag & 0xFF000000u)
        out.append(char(tag >> 24));
    if (tag & 0x00FF0000u)
        out.append(char(tag >> 16));
    if (tag & 0x0000FF00u)
        out.append(char(tag >> 8));
    out.append(char(tag));
}

QString dataDescription(const std::optional<QByteArray>& data) {
    if (!data)
        return QStringLiteral("(null)");
    QString text = QStringLiteral("<");
    const QByteArray hex = data->toHex();
    for (qsizetype i = 0; i < hex.size(); i += 8) {
        if (i > 0)
            text.append(QLatin1Char(' '));
        text.append(QString::fromLatin1(hex.mid(i, 8)));
    }
    text.append(QLatin1Char('>'));
    return text;
}

// Reads one element at pos: false when it runs past the end or its length is above the limit.
bool readElement(const uchar* bytes, qsizetype size, qsizetype& pos, quint32& tag,
                 qsizetype& valueAt, qsizetype& length) {
    const uchar first = bytes[pos++];
    tag = first;
    if ((first & 0x1F) == 0x1F || first == 0xCF) {
        if (pos >= size)
            return false;
        const uchar second = bytes[pos++];
        tag = (tag << 8) | second;
        if (tag != 0xDFDC && (second & 0x80)) {
            if (pos >= size)
                return false;
            const uchar third = bytes[pos++];
            tag = (tag << 8) | third;
            if (third & 0x80) {
                if (pos >= size)
                    return false;
                tag = (tag << 8) | bytes[pos++];
            }
        }
    }
    if (pos >= size)
        return false;
    const uchar lengthByte = bytes[pos++];
    qint64 value = lengthByte;
    if (lengthByte & 0x80) {
        const int count = lengthByte & 0x7F;
        if (count > size - pos)
            return false;
        value = 0;
        for (int i = 0; i < count; ++i) {
            value = (value << 8) | bytes[pos++];
            if (value > kMaxLength)
                return false;
        }
    }
    if (value > kMaxLength || value > size - pos)
        return false;
    valueAt = pos;
    length = qsizetype(value);
    pos += length;
    return true;
}

void appendLength(QByteArray& out, qsizetype length) {
    if (length <= 127) {
        out.append(char(length));
    } else if (length <= 0xFFFF) {
        out.append(char(0x82));
        out.append(char(length >> 8));
        out.append(char(length));
    } else {
        // Beyond the three-byte form: four length bytes keep the element readable.
        out.append(char(0x84));
        for (int shift = 24; shift >= 0; shift -= 8)
            out.append(char(quint32(length) >> shift));
    }
}

} // namespace

TLV::TLV(const TLV& other)
    : tag_(other.tag_)
    , data_(other.data()) {}

TLV& TLV::operator=(const TLV& other) {
    if (this != &other) {
        tag_ = other.tag_;
        setData(other.data());
    }
    return *this;
}

std::optional<QByteArray> TLV::data() const {
    std::lock_guard lock(mutex_);
    return data_;
}

void TLV::setData(const std::optional<QByteArray>& data) {
    std::lock_guard lock(mutex_);
    data_ = data;
}

const char* TLV::bytes() const {
    std::lock_guard lock(mutex_);
    return data_ ? data_->constData() : nullptr;
}

bool TLV::constructed() const {
    const quint32 tag = quint32(tag_);
    quint32 first;
    if (tag & 0xFF000000u)
        first = tag >> 24;
    else if (tag & 0x00FF0000u)
        first = tag >> 16;
    else if (tag & 0x0000FF00u)
        first = tag >> 8;
    else
        first = tag;
    return (first & 0x20u) != 0;
}

QString TLV::description() const {
    const std::optional<QByteArray> value = data();
    QString shown;
    if ((tag_ == 0xD3 || tag_ == 0xD4) && value)
        shown = QString::fromLatin1(*value);
    else
        shown = dataDescription(value);
    return QStringLiteral("Tag: %1 (%2)").arg(QString::number(quint32(tag_), 16), shown);
}

std::optional<QList<TLV>> TLV::decodeTags(const QByteArray& buffer) {
    if (buffer.isEmpty())
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const uchar*>(buffer.constData());
    const qsizetype size = buffer.size();
    QList<TLV> list;
    qsizetype pos = 0;
    while (pos < size) {
        quint32 tag = 0;
        qsizetype valueAt = 0;
        qsizetype length = 0;
        if (!readElement(bytes, size, pos, tag, valueAt, length))
            return std::nullopt;
        TLV& element = list.emplaceBack();
        element.tag_ = qint32(tag);
        element.data_ = QByteArray(buffer.constData() + valueAt, length);
    }
    return list;
}

QByteArray TLV::encodeTags(const QList<TLV>& tags) {
    QByteArray out;
    out.reserve(tags.size() * 8);
    for (const TLV& element : tags) {
        const std::optional<QByteArray> value = element.data();
        appendTagBytes(out, quint32(element.tag_));
        appendLength(out, value ? value->size() : 0);
        if (value)
            out.append(*value);
    }
    return out;
}

std::optional<QList<TLV>> TLV::findTag(qint32 tag, const std::optional<QList<TLV>>& tags) {
    if (!tags)
        return std::nullopt;
    QList<TLV> found;
    for (const TLV& element : *tags)
        if (element.tag_ == tag)
            found.append(element);
    if (found.isEmpty())
        return std::nullopt;
    return found;
}

std::optional<TLV> TLV::findLastTag(qint32 tag, const std::optional<QList<TLV>>& tags) {
    if (!tags)
        return std::nullopt;
    for (qsizetype i = tags->size() - 1; i >= 0; --i)
        if (tags->at(i).tag_ == tag)
            return tags->at(i);
    return std::nullopt;
}

TLV TLV::tlvWithData(const std::optional<QByteArray>& data, quint32 tag) {
    TLV element;
    element.tag_ = qint32(tag);
    element.data_ = data;
    return element;
}

TLV TLV::tlvWithTag(qint32 tag, const std::optional<QByteArray>& data) {
    return tlvWithData(data, quint32(tag));
}

TLV TLV::tlvWithString(const QString& text, quint32 tag) {
    for (QChar c : text)
        if (c.unicode() > 0x7F)
            return tlvWithData(std::nullopt, tag);
    return tlvWithData(text.toLatin1(), tag);
}

TLV TLV::tlvWithHexString(const QString& text, quint32 tag) {
    return tlvWithData(stringToData(text), tag);
}

TLV TLV::tlvWithInt(quint64 value, qint32 nBytes, quint32 tag) {
    const qint32 n = clampedCount(nBytes);
    QByteArray bytes(n, '\0');
    for (qint32 i = n - 1; i >= 0; --i) {
        bytes[i] = char(value & 0xFF);
        value >>= 8;
    }
    return tlvWithData(bytes, tag);
}

TLV TLV::tlvWithBCD(quint64 value, qint32 nBytes, quint32 tag) {
    return tlvWithData(encodeToBCD(value, nBytes), tag);
}

namespace TLVViews {

bool decode(QByteArrayView buffer, QList<TLVView>& out) {
    out.clear();
    if (buffer.isEmpty())
        return false;
    const auto* bytes = reinterpret_cast<const uchar*>(buffer.data());
    const qsizetype size = buffer.size();
    qsizetype pos = 0;
    while (pos < size) {
        quint32 tag = 0;
        qsizetype valueAt = 0;
        qsizetype length = 0;
        if (!readElement(bytes, size, pos, tag, valueAt, length)) {
            out.clear();
            return false;
        }
        out.append(TLVView{tag, buffer.sliced(valueAt, length)});
    }
    return true;
}

namespace {
int tagSize(quint32 tag) {
    return (tag & 0xFF000000u) ? 4 : (tag & 0x00FF0000u) ? 3 : (tag & 0x0000FF00u) ? 2 : 1;
}
int lengthSize(qsizetype length) {
    return length <= 127 ? 1 : length <= 0xFFFF ? 3 : 5;
}
} // namespace

void encode(const QList<TLVView>& tags, QByteArray& out) {
    // Reserved once, so the appends below do not reallocate.
    qsizetype total = 0;
    for (const TLVView& element : tags)
        total += tagSize(element.tag) + lengthSize(element.value.size()) + element.value.size();
    out.reserve(out.size() + total);
    for (const TLVView& element : tags) {
        appendTagBytes(out, element.tag);
        appendLength(out, element.value.size());
        out.append(element.value);
    }
}

std::optional<TLVView> findLast(const QList<TLVView>& tags, quint32 tag) {
    for (qsizetype i = tags.size() - 1; i >= 0; --i)
        if (tags.at(i).tag == tag)
            return tags.at(i);
    return std::nullopt;
}

} // namespace TLVViews

QByteArray encodeToBCD(quint64 value, qint32 nBytes) {
    const qint32 n = qBound(0, nBytes, 30);
    QByteArray bytes(n, '\0');
    for (qint32 i = n - 1; i >= 0; --i) {
        const int low = int(value % 10);
        const int high = int((value / 10) % 10);
        bytes[i] = char((high << 4) | low);
        value /= 100;
    }
    return bytes;
}

QByteArray stringToData(const QString& text) {
    const QString lower = text.toLower();
    QByteArray out;
    out.reserve(lower.size() / 2);
    int pending = 0;
    int digits = 0;
    for (QChar c : lower) {
        const ushort u = c.unicode();
        int value;
        if (u >= '0' && u <= '9')
            value = u - '0';
        else if (u >= 'a' && u <= 'f')
            value = u - 'a' + 10;
        else {
            pending = 0;
            digits = 0;
            continue;
        }
        pending = (pending << 4) | value;
        if (++digits == 2) {
            out.append(char(pending & 0xFF));
            pending = 0;
            digits = 0;
        }
    }
    return out;
}
