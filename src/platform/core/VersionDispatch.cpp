#include "platform/core/VersionDispatch.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QResource>
#include <dlfcn.h>

namespace VersionDispatch {
namespace {

struct Caches {
    QString overridePath;
    std::optional<InfoBundle> info;
    std::optional<QString> registeredFile; // the rcc file registered under bundleRoot()
    std::optional<QColor> mainColor;
};

Caches& caches() {
    static Caches c;
    return c;
}

// The folder of the shared library this code is in; the executable's folder when the
// loader cannot say.
QString libraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&libraryFolder), &info) && info.dli_fname) {
        const QFileInfo file(QString::fromLocal8Bit(info.dli_fname));
        if (file.exists())
            return file.canonicalPath();
    }
    return QCoreApplication::applicationDirPath();
}

QString resourceFileIn(const QString& folder) {
    return folder + QStringLiteral("/Files/TarvelloSDKResources.rcc");
}

} // namespace

QString bundleRoot() {
    return QStringLiteral("/TarvelloSDKResources");
}

const InfoBundle& infoBundle() {
    Caches& c = caches();
    if (!c.info) {
        InfoBundle info;
        info.bundlePath = c.overridePath.isEmpty() ? libraryFolder() : c.overridePath;
        info.infoDictionary = {
            {QStringLiteral("CFBundleShortVersionString"), QStringLiteral(TARVELLO_VERSION)},
            {QStringLiteral("CFBundleVersion"), QStringLiteral(TARVELLO_VERSION)},
        };
        c.info = info;
    }
    return *c.info;
}

std::optional<QString> currentBundle() {
    Caches& c = caches();
    if (!c.registeredFile) {
        QStringList candidates{resourceFileIn(infoBundle().bundlePath)};
        if (c.overridePath.isEmpty())
            candidates << resourceFileIn(QCoreApplication::applicationDirPath());
        for (const QString& file : candidates) {
            if (QFileInfo::exists(file) && QResource::registerResource(file, bundleRoot())) {
                c.registeredFile = file;
                break;
            }
        }
    }
    if (!c.registeredFile)
        return std::nullopt;
    return QStringLiteral(":") + bundleRoot();
}

void setInfoBundlePath(const QString& path) {
    Caches& c = caches();
    if (c.registeredFile)
        QResource::unregisterResource(*c.registeredFile, bundleRoot());
    c.registeredFile.reset();
    c.info.reset();
    c.overridePath = path;
}

std::optional<QColor> mainColor() {
    return caches().mainColor;
}

void setMainColor(const std::optional<QColor>& color) {
    caches().mainColor = color;
}

QColor secondaryColor() {
    return QColor::fromRgbF(180.0f / 255.0f, 180.0f / 255.0f, 180.0f / 255.0f, 1.0f);
}

QColor blackTextColor() {
    return QColor::fromRgbF(0.2f, 0.2f, 0.2f, 1.0f);
}

QColor veryLightGray() {
    return QColor::fromRgbF(0.79f, 0.79f, 0.79f, 1.0f);
}

} // namespace VersionDispatch

namespace Bundle {

QImage load(const QString& name) {
    const std::optional<QString> root = VersionDispatch::currentBundle();
    if (!root || name.isEmpty())
        return QImage();
    return QImage(*root + QStringLiteral("/images/") + name);
}

} // namespace Bundle
