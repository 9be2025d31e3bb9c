#pragma once

#include <QByteArray>
#include <QString>

// Conversions between the reader's hex texts and bytes.
class Util {
public:
    // Bytes of a hex text, two digits per byte, either case: "9f26" gives 9F 26. A character
    // that is not a hex digit discards a pending digit, and a lone digit at the end is dropped.
    static QByteArray HexStringToByteArray(const QString& text);
    // Two upper-case hex digits per byte, most significant first; empty bytes give "".
    static QString byteArray2Hex(const QByteArray& bytes);
    // The number's last four hex digits as two bytes: 0x4F gives 00 4F, 0x9F26 gives 9F 26.
    static QByteArray IntToHex(qint64 value);
    // The hex text of the text's GB18030 bytes ("OK" gives "4F4B"), for the reader's display.
    static QString gbString(const QString& text);
};
