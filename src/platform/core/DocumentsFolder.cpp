#include "platform/core/DocumentsFolder.h"

#include "platform/core/ServiceRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

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

QString DocumentsFolder::lastPathComponentOfURL(const QString& address) {
    const QString path = QUrl(address).path(QUrl::FullyEncoded);
    return QUrl::fromPercentEncoding(path.section(QLatin1Char('/'), -1).toUtf8());
}

std::optional<QString> DocumentsFolder::pictureFileNameForURL(const QString& address) {
    static const QRegularExpression signatureName(QStringLiteral(
        "\\A[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}\\z"));
    const QString name = lastPathComponentOfURL(address);
    if (!pathForFileName(name) || signatureName.match(name).hasMatch())
        return std::nullopt;
    return name;
}

bool DocumentsFolder::removePictureForURL(const QString& address) {
    const auto name = pictureFileNameForURL(address);
    return name && removeFileNamed(*name);
}
