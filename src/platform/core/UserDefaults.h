#pragma once

#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

// The user-defaults store: one INI file for the application, readable by its owner only.
// Tests point it at a folder of their own with setStorageDirectory().
class UserDefaults {
public:
    static UserDefaults& standardUserDefaults();

    // Moves the store to a folder (created when missing); values already in memory are dropped.
    static void setStorageDirectory(const QString& directory);
    static QString storageDirectory();

    QVariant objectForKey(const QString& key) const;
    QString stringForKey(const QString& key) const;
    bool boolForKey(const QString& key) const;
    bool hasKey(const QString& key) const;
    void setObject(const QVariant& value, const QString& key);
    void removeObjectForKey(const QString& key);
    void synchronize();
    QString filePath() const;

    ~UserDefaults();

private:
    explicit UserDefaults(const QString& directory);
    std::unique_ptr<QSettings> settings_;
};
