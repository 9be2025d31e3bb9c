#pragma once

#include "platform/ui/Clock.h"
#include "platform/ui/ViewController.h"
#include "reader/DeviceSelectorList.h"

#include <QPointer>
#include <QString>
#include <optional>

class ImageView;
class QLabel;
class QListWidget;

// Receives the reader chosen on the picker sheet.
class DeviceSelectorDelegate {
public:
    virtual ~DeviceSelectorDelegate() = default;
    virtual void deviceSelected(const QString& name) = 0;
    virtual void changeDeviceType(int type) = 0;
};

// The reader picker ("DeviceSelector", "deviceSelector"): a sheet that slides up over the
// card-reading screen, lists the readers found so far (the reader controller's list), marks the
// one in use and hands a chosen name to its delegate. A drag down puts it away. The delegate is
// not owned; putting the sheet away clears it.
//
// Outlets by objectName: "containerView", "tableView", "spinnerView", "titleLabel".
class DeviceSelector : public ViewController {
    Q_OBJECT
public:
    static constexpr int kShowMs = 500;
    static constexpr int kReturnMs = 200;

    explicit DeviceSelector(QObject* parent = nullptr);
    ~DeviceSelector() override;

    static DeviceSelector* deviceSelectorWithDelegate(DeviceSelectorDelegate* delegate);

    DeviceSelectorDelegate* delegate() const { return delegate_; }
    void setDelegate(DeviceSelectorDelegate* delegate) { delegate_ = delegate; }
    // The names found, shared with the reader controller.
    DeviceSelectorList* list() const { return list_; }
    QStringList devices() const { return list_->devices(); }
    QString selected() const { return selected_; }

    void deviceDiscovered(const QString& name);
    void devicesDiscovered(const QStringList& names);
    // Marks the reader in use (listing it first); none clears the mark.
    void selectedDevice(const std::optional<QString>& name);
    void showInView(QWidget* host);
    void remove() { removeIn(0.5); }
    void removeIn(double seconds);

    enum class PanState { Began, Changed, Ended, Cancelled };
    // The drag, with the vertical translation and velocity in the host's points.
    void pannedView(PanState state, double translationY, double velocityY);
    // Slides started by showInView().
    int showAnimations() const { return showAnimations_; }
    int containerHeight() const;
    // Chooses the row as a person would.
    void selectRow(int row);

protected:
    QWidget* loadView() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reloadRows();
    void moveTo(int y, int durationMs, std::function<void()> done = {});

    DeviceSelectorDelegate* delegate_ = nullptr;
    QPointer<DeviceSelectorList> list_;
    QString selected_;
    QWidget* container_ = nullptr;
    QListWidget* table_ = nullptr;
    ImageView* spinner_ = nullptr;
    QLabel* title_ = nullptr;
    bool dragEnabled_ = false;
    int showAnimations_ = 0;
    Clock::Handle slide_ = 0;
    QPoint pressAt_;
    qint64 pressTime_ = 0;
    bool pressing_ = false;
};
