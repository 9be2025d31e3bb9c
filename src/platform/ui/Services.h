#pragma once

#include "platform/core/ServiceRegistry.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class QWidget;

// The device the screens run on: phone by default, pad by configuration.
class Device {
public:
    enum class Idiom { Phone = 0, Pad = 1 };

    static Device& current();

    Idiom idiom() const { return idiom_; }
    void setIdiom(Idiom idiom);
    bool isIpad() const { return idiom_ == Idiom::Pad; }
    // Screen size in points; follows the idiom unless set.
    QSize screenSize() const;
    void setScreenSize(const QSize& size) { screenSize_ = size; }
    QString name() const { return name_; }
    void setName(const QString& name) { name_ = name; }
    QString systemVersion() const { return systemVersion_; }
    void setSystemVersion(const QString& version) { systemVersion_ = version; }

private:
    Device();
    Idiom idiom_ = Idiom::Phone;
    QSize screenSize_;
    QString name_;
    QString systemVersion_ = QStringLiteral("13.0");
};

// Images by name: the SDK's own bundle or the host application's.
class ImageProvider {
public:
    virtual ~ImageProvider() = default;
    virtual QImage imageNamed(const QString& name, bool fromHost) = 0;
};

// Opens outside addresses (web pages, mail, phone).
class URLOpener {
public:
    virtual ~URLOpener() = default;
    virtual bool canOpenURL(const QUrl& url) = 0;
    virtual bool openURL(const QUrl& url) = 0;
};

// Prints a PDF document; the completion gets whether it was printed.
class PrintService {
public:
    virtual ~PrintService() = default;
    virtual bool isPrintingAvailable() = 0;
    virtual void printPDF(const QByteArray& pdf, QWidget* parent,
                          std::function<void(bool printed)> completion) = 0;
};

// Lets the user pick a picture; the completion gets a null image when the user cancels.
class ImageSource {
public:
    virtual ~ImageSource() = default;
    virtual void pickImage(QWidget* parent, std::function<void(const QImage&)> completion) = 0;
    // Whether a camera can take the picture; none unless the source says so.
    virtual bool isCameraAvailable() { return false; }
    // A picture from the camera; the library's picker where there is none.
    virtual void takePicture(QWidget* parent, std::function<void(const QImage&)> completion) {
        pickImage(parent, std::move(completion));
    }
};

// Services behind interfaces, chosen by configuration through the registry of
// platform/core/ServiceRegistry.h: each interface has one instance in force; tests and the demo
// install their own with Services::set().
namespace Services {

// The screens' services in force (desktop services and the SDK bundle by default).
std::shared_ptr<ImageProvider> images();
std::shared_ptr<URLOpener> urlOpener();
std::shared_ptr<PrintService> printing();
std::shared_ptr<ImageSource> imageSource();

} // namespace Services
