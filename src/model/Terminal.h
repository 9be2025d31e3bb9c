#pragma once

#include <QString>
#include <QUrl>
#include <QVariantMap>
#include <memory>

// The card reader taking part in a sale: its type code and display name, its two serial numbers
// and the address of its icon. A null text (QString()) is "no value", distinct from the empty
// text a new terminal holds.
class Terminal {
public:
    Terminal() = default;

    // A new terminal with this one's values.
    std::shared_ptr<Terminal> copy() const;
    // A terminal from a reader description ("type", "icon", "serialNumber"); a missing key
    // leaves its field with no value.
    static std::shared_ptr<Terminal> fromDictionary(const QVariantMap& dictionary);

    QString partialSerialNumber() const { return partialSerialNumber_; }
    void setPartialSerialNumber(const QString& value) { partialSerialNumber_ = value; }
    QString fullSerialNumber() const { return fullSerialNumber_; }
    void setFullSerialNumber(const QString& value) { fullSerialNumber_ = value; }
    QString type() const { return type_; }
    void setType(const QString& value) { type_ = value; }
    QString typeName() const { return typeName_; }
    void setTypeName(const QString& value) { typeName_ = value; }
    // An empty address means none.
    QUrl iconURL() const { return iconURL_; }
    void setIconURL(const QUrl& value) { iconURL_ = value; }

private:
    QString partialSerialNumber_ = QStringLiteral("");
    QString fullSerialNumber_ = QStringLiteral("");
    QString type_ = QStringLiteral("");
    QString typeName_;
    QUrl iconURL_;
};
