#pragma once

#include <QAbstractButton>

// An on/off switch: a rounded track with a knob, on in the theme colour. A tap flips it and
// emits clicked(); setChecked() flips it without a signal a screen listens to.
class SettingsSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit SettingsSwitch(QWidget* parent = nullptr);

    // Same as setChecked(), with the switch's name for what screens read.
    void setOn(bool on) { setChecked(on); }
    bool isOn() const { return isChecked(); }

    QSize sizeHint() const override { return {51, 31}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
