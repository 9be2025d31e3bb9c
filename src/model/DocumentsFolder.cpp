#include "model/DocumentsFolder.h"

#include "platform/core/ServiceRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

DocumentsFolder::DocumentsFolder(const QString& folderPath)
    : folderPath_(folderPath) {}

QString DocumentsFolder::folderPath() const {
    if (!folderPath_.isEmpty())
        return folderPath_;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/Documents");
}

QString DocumentsFolder::path() {
    return Services::getOrDefault<DocumentsFolder, DocumentsFolder>()->folderPath();
}

std::optional<QString> DocumentsFolder::pathForFileName(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')) || name.contains(QLatin1Char('/')) ||
        name.contains(QLatin1Char('\\')) || name.contains(QChar(0)))
        return std::nullopt;
    return QDir(path()).filePath(name);
}

bool DocumentsFolder::removeFileNamed(const QString& name) {
    const auto file = pathForFileName(name);
    if (!file)
        return false;
    const QFileInfo info(*file);
    if (info.isSymLink() || !info.isFile())
        return false;
    return QFile::remove(*file);
}
