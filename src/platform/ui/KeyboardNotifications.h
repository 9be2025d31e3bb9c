#pragma once

#include <QObject>
#include <QRect>

// The on-screen keyboard's notifications. There is no keyboard to slide in here: a text field
// taking focus posts "did show" with the keyboard's frames and animation duration, one giving
// it up posts "will hide". Frames are in window coordinates of a phone-sized window.
class KeyboardNotifications : public QObject {
    Q_OBJECT
public:
    static constexpr int kKeyboardHeight = 216;
    static constexpr int kDurationMs = 250;

    static KeyboardNotifications& instance();

    // The keyboard's frame at the bottom of a window of that size.
    static QRect keyboardFrame(const QSize& window);

    void postDidShow(const QSize& window);
    void postWillHide(const QSize& window);

signals:
    void keyboardDidShow(const QRect& beginFrame, const QRect& endFrame, int durationMs);
    void keyboardWillHide(const QRect& beginFrame, const QRect& endFrame, int durationMs);

private:
    KeyboardNotifications() = default;
};
