#include "payment/card_reading/KeyboardGap.h"

#include "platform/ui/KeyboardNotifications.h"
#include "platform/ui/TextField.h"

#include <QBoxLayout>
#include <QWidget>

KeyboardGap::KeyboardGap(QBoxLayout* layout, int base, QObject* parent)
    : QObject(parent)
    , layout_(layout)
    , base_(base) {
    apply(0);
}

void KeyboardGap::start() {
    if (shown_)
        return;
    KeyboardNotifications& keyboard = KeyboardNotifications::instance();
    shown_ = connect(&keyboard, &KeyboardNotifications::keyboardDidShow, this,
                     [this](const QRect&, const QRect& end, int) { apply(end.height()); });
    hidden_ = connect(&keyboard, &KeyboardNotifications::keyboardWillHide, this,
                      [this](const QRect&, const QRect&, int) { apply(0); });
    QWidget* host = layout_ ? layout_->parentWidget() : nullptr;
    QWidget* editing = FirstResponder::current();
    if (host && editing && host->isAncestorOf(editing) && editing->window())
        apply(KeyboardNotifications::keyboardFrame(editing->window()->size()).height());
}

void KeyboardGap::stop() {
    disconnect(shown_);
    disconnect(hidden_);
    shown_ = {};
    hidden_ = {};
}

int KeyboardGap::gap() const {
    return layout_ ? layout_->contentsMargins().bottom() : 0;
}

void KeyboardGap::apply(int keyboardHeight) {
    if (!layout_)
        return;
    QMargins margins = layout_->contentsMargins();
    margins.setBottom(keyboardHeight + base_);
    layout_->setContentsMargins(margins);
}
