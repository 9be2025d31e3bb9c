#include "platform/ui/KeyboardNotifications.h"

KeyboardNotifications& KeyboardNotifications::instance() {
    static KeyboardNotifications* notifications = new KeyboardNotifications();
    return *notifications;
}

QRect KeyboardNotifications::keyboardFrame(const QSize& window) {
    return QRect(0, window.height() - kKeyboardHeight, window.width(), kKeyboardHeight);
}

void KeyboardNotifications::postDidShow(const QSize& window) {
    const QRect frame = keyboardFrame(window);
    emit keyboardDidShow(frame, frame, kDurationMs);
}

void KeyboardNotifications::postWillHide(const QSize& window) {
    const QRect frame = keyboardFrame(window);
    emit keyboardWillHide(frame, frame.translated(0, kKeyboardHeight), kDurationMs);
}
