#include "reader/Util.h"

#include "reader/TLV.h"

#include <QStringEncoder>

QByteArray Util::HexStringToByteArray(const QString& text) {
    return stringToData(text);
}

QString Util::byteArray2Hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QByteArray Util::IntToHex(qint64 value) {
    const quint16 low = quint16(value & 0xFFFF);
    QByteArray bytes(2, '\0');
    bytes[0] = char(low >> 8);
    bytes[1] = char(low & 0xFF);
    return bytes;
}

QString Util::gbString(const QString& text) {
    QStringEncoder encoder("GB18030");
    QByteArray bytes;
    if (encoder.isValid())
        bytes = encoder.encode(text);
    else
        bytes = text.toLatin1(); // the ASCII texts sent to the reader are the same in GB18030
    return byteArray2Hex(bytes);
}
