#include "platform/ui/Services.h"

#include "platform/core/VersionDispatch.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QWidget>

Device::Device() {
    name_ = QStringLiteral("Tarvello");
}

Device& Device::current() {
    static Device device;
    return device;
}

void Device::setIdiom(Idiom idiom) {
    idiom_ = idiom;
}

QSize Device::screenSize() const {
    if (screenSize_.isValid())
        return screenSize_;
    return idiom_ == Idiom::Pad ? QSize(1024, 768) : QSize(375, 667);
}

namespace {

class BundleImages : public ImageProvider {
public:
    QImage imageNamed(const QString& name, bool fromHost) override {
        if (!fromHost) {
            const QImage bundled = Bundle::load(name);
            if (!bundled.isNull())
                return bundled;
        }
        // The SDK's images live under images/ in its resource file; the host's beside the binary.
        const QStringList candidates =
            fromHost ? QStringList{QStringLiteral(":/host/") + name, name}
                     : QStringList{QStringLiteral(":/images/") + name, QStringLiteral(":/") + name};
        for (const QString& path : candidates) {
            QImage image(path);
            if (!image.isNull())
                return image;
            if (!name.contains(QLatin1Char('.'))) {
                for (const char* ext : {".png", ".svg"}) {
                    QImage withExt(path + QLatin1String(ext));
                    if (!withExt.isNull())
                        return withExt;
                }
            }
        }
        return {};
    }
};

class DesktopURLOpener : public URLOpener {
public:
    bool canOpenURL(const QUrl& url) override { return url.isValid() && !url.scheme().isEmpty(); }
    bool openURL(const QUrl& url) override {
        return canOpenURL(url) && QDesktopServices::openUrl(url);
    }
};

class NoPrinting : public PrintService {
public:
    bool isPrintingAvailable() override { return false; }
    void printPDF(const QByteArray&, QWidget*, std::function<void(bool)> completion) override {
        if (completion)
            completion(false);
    }
};

class FileImageSource : public ImageSource {
public:
    void pickImage(QWidget* parent, std::function<void(const QImage&)> completion) override {
        const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(),
                                                          QStringLiteral("Images (*.png *.jpg)"));
        if (completion)
            completion(path.isEmpty() ? QImage() : QImage(path));
    }
};

} // namespace

namespace Services {

std::shared_ptr<ImageProvider> images() {
    return getOrDefault<ImageProvider, BundleImages>();
}
std::shared_ptr<URLOpener> urlOpener() {
    return getOrDefault<URLOpener, DesktopURLOpener>();
}
std::shared_ptr<PrintService> printing() {
    return getOrDefault<PrintService, NoPrinting>();
}
std::shared_ptr<ImageSource> imageSource() {
    return getOrDefault<ImageSource, FileImageSource>();
}

} // namespace Services
