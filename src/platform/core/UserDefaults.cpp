#include "platform/core/UserDefaults.h"

#include "platform/core/ServiceRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

namespace {
constexpr auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
} // namespace

UserDefaults& UserDefaults::standardUserDefaults() {
    // The registry keeps the store alive while it is in force.
    return *Services::getOrDefault<UserDefaults, UserDefaults>();
}

QString UserDefaults::defaultDirectory() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return dir.isEmpty() ? QDir::homePath() + QStringLiteral("/.tarvello") : dir;
}

UserDefaults::UserDefaults(const QString& folder) {
    const QString directory = folder.isEmpty() ? defaultDirectory() : folder;
    QDir().mkpath(directory);
    const QString name = QCoreApplication::applicationName().isEmpty()
                             ? QStringLiteral("TarvelloSDK")
                             : QCoreApplication::applicationName();
    const QString path = QDir(directory).filePath(name + QStringLiteral(".ini"));
    // Create the file owner-only before anything is written to it.
    QFile file(path);
    if (!file.exists() && file.open(QIODevice::WriteOnly))
        file.close();
    QFile::setPermissions(path, ownerOnly);
    settings_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

UserDefaults::~UserDefaults() {
    if (settings_)
        settings_->sync();
}

QVariant UserDefaults::objectForKey(const QString& key) const {
    return settings_->value(key);
}

QString UserDefaults::stringForKey(const QString& key) const {
    const QVariant v = settings_->value(key);
    return v.canConvert<QString>() ? v.toString() : QString();
}

bool UserDefaults::boolForKey(const QString& key) const {
    const QVariant v = settings_->value(key);
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return s == QLatin1String("true") || s == QLatin1String("yes") || s.toLongLong() != 0;
    }
    return v.toBool();
}

bool UserDefaults::hasKey(const QString& key) const {
    return settings_->contains(key);
}

void UserDefaults::setObject(const QVariant& value, const QString& key) {
    if (!value.isValid()) {
        removeObjectForKey(key);
        return;
    }
    settings_->setValue(key, value);
    synchronize();
}

void UserDefaults::removeObjectForKey(const QString& key) {
    settings_->remove(key);
    synchronize();
}

void UserDefaults::synchronize() {
    settings_->sync();
    QFile::setPermissions(settings_->fileName(), ownerOnly);
}

QString UserDefaults::filePath() const {
    return settings_->fileName();
}
