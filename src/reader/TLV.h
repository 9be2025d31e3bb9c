#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <mutex>
#include <optional>

// One BER-TLV element of EMV data: a tag (its bytes read as one big-endian number) and a value.
// The list operations decode a byte buffer into a flat list, encode a list and find by tag.
class TLV {
public:
    TLV() = default;
    TLV(const TLV& other);
    TLV& operator=(const TLV& other);

    // The elements of the buffer in order; none for an empty buffer, an element running past
    // the end of the buffer, or any length above 4096.
    static std::optional<QList<TLV>> decodeTags(const QByteArray& buffer);
    // The concatenated elements; lengths up to 127 in one byte, longer ones as 82 hh ll.
    static QByteArray encodeTags(const QList<TLV>& tags);
    // Every element with the tag, in order; none when there is none.
    static std::optional<QList<TLV>> findTag(qint32 tag, const std::optional<QList<TLV>>& tags);
    static std::optional<TLV> findLastTag(qint32 tag, const std::optional<QList<TLV>>& tags);

    static TLV tlvWithData(const std::optional<QByteArray>& data, quint32 tag);
    static TLV tlvWithTag(qint32 tag, const std::optional<QByteArray>& data);
    // The text's ASCII bytes; no value when the text holds a character outside ASCII.
    static TLV tlvWithString(const QString& text, quint32 tag);
    static TLV tlvWithHexString(const QString& text, quint32 tag);
    // The number's low n bytes (n from 0 to 30), most significant first.
    static TLV tlvWithInt(quint64 value, qint32 nBytes, quint32 tag);
    static TLV tlvWithBCD(quint64 value, qint32 nBytes, quint32 tag);

    qint32 tag() const { return tag_; }
    void setTag(qint32 tag) { tag_ = tag; }
    std::optional<QByteArray> data() const;
    void setData(const std::optional<QByteArray>& data);
    // The first value byte, valid while the value is unchanged; null when there is no value.
    const char* bytes() const;
    // The BER "constructed" bit of the tag's first byte.
    bool constructed() const;
    // "Tag: 9f02 (<00000000 1000>)"; the values of tags D3 and D4 are shown as text.
    QString description() const;

private:
    qint32 tag_ = 0;
    mutable std::mutex mutex_;
    std::optional<QByteArray> data_;
};

// One element read in place: its tag and a view of its value inside the decoded buffer, valid
// while that buffer lives unchanged.
struct TLVView {
    quint32 tag = 0;
    QByteArrayView value;
};

// The codec without a copy per element: a buffer's elements as views into it, encoded back into
// one output buffer. Reusing the list and the output keeps a steady stream allocation-free.
namespace TLVViews {
// The buffer's elements in order into `out` (cleared first, its capacity kept); false, with `out`
// empty, under the rules of TLV::decodeTags (an empty buffer, an element past the end, a length
// above 4096).
bool decode(QByteArrayView buffer, QList<TLVView>& out);
// Appends the elements to `out`, lengths as TLV::encodeTags writes them.
void encode(const QList<TLVView>& tags, QByteArray& out);
// The last element with the tag; none when there is none.
std::optional<TLVView> findLast(const QList<TLVView>& tags, quint32 tag);
} // namespace TLVViews

// Packed BCD of the number in n bytes (0 to 30), right-aligned; digits that do not fit drop.
QByteArray encodeToBCD(quint64 value, qint32 nBytes);
// Bytes of a hex text: case-insensitive pairs; any other character discards a pending digit,
// and a lone digit at the end is dropped.
QByteArray stringToData(const QString& text);
