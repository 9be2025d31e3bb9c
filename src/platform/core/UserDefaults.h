#pragma once

#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

// The user-defaults store: one INI file for the application, readable by its owner only. The
// store in force is a service: the one in the application's configuration folder unless another
// is installed through Services (tests install one in a folder of their own).
class UserDefaults {
public:
    // The store in force.
    static UserDefaults& standardUserDefaults();

    // A store in that folder (created when missing); the empty text stands for the application's
    // configuration folder.
    explicit UserDefaults(const QString& folder = QString());
    // The application's configuration folder.
    static QString defaultDirectory();

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
    std::unique_ptr<QSettings> settings_;
};
