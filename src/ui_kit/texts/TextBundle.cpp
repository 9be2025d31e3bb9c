#include "ui_kit/texts/TextBundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QResource>
#include <QStringList>
#include <dlfcn.h>

namespace {

const char* const kBundleFile = "Files/TarvelloSDKResources.rcc";

// The folder of the shared library this code is part of.
QString libraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&TextBundle::ensureReadable), &info) == 0 ||
        info.dli_fname == nullptr)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

} // namespace

namespace TextBundle {

bool ensureReadable(const QString& resourcePath) {
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    if (QFile::exists(resourcePath))
        return true;
    QStringList folders{libraryFolder()};
    if (QCoreApplication::instance() != nullptr)
        folders << QCoreApplication::applicationDirPath();
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        const QString file = QDir(folder).filePath(QString::fromLatin1(kBundleFile));
        if (QFileInfo::exists(file) && QResource::registerResource(file) &&
            QFile::exists(resourcePath))
            return true;
    }
    return false;
}

} // namespace TextBundle
