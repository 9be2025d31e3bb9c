#pragma once

#include <QByteArray>
#include <QString>

// Builds a multipart/form-data body part by part, for the block-style requests.
class MultipartFormData {
public:
    // A boundary that is new for each body, so no part can contain it by chance.
    MultipartFormData();
    explicit MultipartFormData(const QString& boundary);

    void appendPartWithFileData(const QByteArray& data, const QString& name,
                                const QString& fileName, const QString& mimeType);
    void appendPartWithFormData(const QByteArray& data, const QString& name);

    QString boundary() const { return boundary_; }
    QString contentType() const;
    // The whole body with its closing line.
    QByteArray body() const;
    // False when a part holds the boundary or a name holds a quote or line break.
    bool isValid() const { return error_.isEmpty(); }
    QString error() const { return error_; }

private:
    void appendHead(const QString& disposition, const QString& mimeType);
    bool checkPart(const QByteArray& data, const QString& name, const QString& fileName);

    QString boundary_;
    QByteArray parts_;
    QString error_;
};
