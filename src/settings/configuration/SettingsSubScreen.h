#pragma once

#include "platform/ui/ViewController.h"

#include <QPointer>
#include <QString>

class QLabel;

// A sub-screen of the settings that has no content of its own yet: its title, a short line
// and the navigation bar's back button. The values screen also takes "valuesType"
// ("discounts" or "tips"), which picks its title.
class SettingsSubScreen : public ViewController {
    Q_OBJECT
    Q_PROPERTY(QString valuesType READ valuesType WRITE setValuesType)
public:
    // The title is the text of the key in the section.
    SettingsSubScreen(QString section, QString key, QObject* parent = nullptr);

    QString valuesType() const { return valuesType_; }
    void setValuesType(const QString& type) { valuesType_ = type; }

    void viewWillAppear(bool animated) override;

protected:
    QWidget* loadView() override;

private:
    QString section_;
    QString key_;
    QString valuesType_;
    QPointer<QLabel> titleLabel_;
};
