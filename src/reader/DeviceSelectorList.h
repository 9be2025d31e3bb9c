#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

// The reader names of the reader list sheet: each name once, in the order found. The sheet's
// screen shows them; the reader controller adds names and asks whether the sheet is on screen
// (its view has a parent).
class DeviceSelectorList : public QObject {
    Q_OBJECT
public:
    explicit DeviceSelectorList(QObject* parent = nullptr);

    // Adds the name at the end unless it is already listed; true when it was added.
    bool deviceDiscovered(const QString& name);
    QStringList devices() const { return devices_; }

    // The sheet's view, not owned.
    QWidget* view() const { return view_; }
    void setView(QWidget* view) { view_ = view; }
    bool isOnScreen() const { return view_ && view_->parentWidget(); }

signals:
    // A name was added at that row.
    void deviceInserted(int row);

private:
    QStringList devices_;
    QPointer<QWidget> view_;
};
