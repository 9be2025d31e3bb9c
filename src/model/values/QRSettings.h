#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <memory>

// The merchant's settings for paying by QR code in one mode.
class QRSettings {
public:
    // 0 "DYNAMIC", 1 "STATIC", 2 anything else.
    static quint64 typeForString(const QString& text);
    // 0 "TRANSACTIONAL", 1 "SETTINGS", 2 anything else.
    static quint64 modeForString(const QString& text);

    static std::shared_ptr<QRSettings> withDictionary(const QVariantMap& entry);
    void initWithDictionary(const QVariantMap& entry);
    // The first "qrConfig" entry of the settings answer in the mode; none without one.
    static std::shared_ptr<QRSettings> settingsWithMode(quint64 mode, const QVariantMap& settings);
    // Takes the picture and PDF addresses of a QR description.
    void updateWithQR(const QString& imageUrl, const QString& pdfUrl);

    quint64 type() const { return type_; }
    void setType(quint64 value) { type_ = value; }
    quint64 mode() const { return mode_; }
    void setMode(quint64 value) { mode_ = value; }
    bool needsSetup() const { return needsSetup_; }
    void setNeedsSetup(bool value) { needsSetup_ = value; }
    QString termsUrl() const { return termsUrl_; }
    void setTermsUrl(const QString& value) { termsUrl_ = value; }
    QString imgUrl() const { return imgUrl_; }
    void setImgUrl(const QString& value) { imgUrl_ = value; }
    QString pdfUrl() const { return pdfUrl_; }
    void setPdfUrl(const QString& value) { pdfUrl_ = value; }

private:
    quint64 type_ = 2;
    quint64 mode_ = 2;
    bool needsSetup_ = false;
    QString termsUrl_{""};
    QString imgUrl_{""};
    QString pdfUrl_{""};
};
