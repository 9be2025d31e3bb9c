#include "model/DocumentsFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString& overridePath() {
    static QString path;
    return path;
}
} // namespace

QString DocumentsFolder::path() {
    if (!overridePath().isEmpty())
        return overridePath();
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/Documents");
}

void DocumentsFolder::setPath(const QString& path) {
    overridePath() = path;
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
