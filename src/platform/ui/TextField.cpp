#include "platform/ui/TextField.h"

#include "platform/ui/KeyboardNotifications.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {
QPointer<QWidget>& responder() {
    static QPointer<QWidget> current;
    return current;
}
} // namespace

namespace FirstResponder {

QWidget* current() {
    return responder();
}

bool become(QWidget* widget) {
    if (responder() == widget)
        return true;
    if (auto* field = qobject_cast<TextField*>(widget))
        return field->becomeFirstResponder();
    if (!resign())
        return false;
    responder() = widget;
    return true;
}

bool resign() {
    QWidget* current = responder();
    if (!current)
        return true;
    if (auto* field = qobject_cast<TextField*>(current))
        return field->resignFirstResponder();
    responder() = nullptr;
    return true;
}

bool endEditing(QWidget* view) {
    QWidget* current = responder();
    if (!current || !view || (current != view && !view->isAncestorOf(current)))
        return true;
    return resign();
}

} // namespace FirstResponder

TextField::TextField(QWidget* parent)
    : QLineEdit(parent) {
    connect(this, &QLineEdit::returnPressed, this, [this] {
        if (!delegate_ || delegate_->textFieldShouldReturn(this))
            emit returnPressed();
    });
}

bool TextField::becomeFirstResponder() {
    if (responder() == this)
        return true;
    if (delegate_ && !delegate_->textFieldShouldBeginEditing(this))
        return false;
    if (responder() && !FirstResponder::resign())
        return false;
    responder() = this;
    editing_ = true;
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    if (delegate_)
        delegate_->textFieldDidBeginEditing(this);
    emit editingDidBegin();
    KeyboardNotifications::instance().postDidShow(window()->size());
    return true;
}

bool TextField::resignFirstResponder() {
    if (responder() != this)
        return true;
    if (delegate_ && !delegate_->textFieldShouldEndEditing(this))
        return false;
    responder() = nullptr;
    editing_ = false;
    if (hasFocus())
        clearFocus();
    if (delegate_)
        delegate_->textFieldDidEndEditing(this);
    emit editingDidEnd();
    KeyboardNotifications::instance().postWillHide(window()->size());
    return true;
}

bool TextField::isFirstResponder() const {
    return responder() == this;
}

void TextField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (responder() != this && !becomeFirstResponder())
        clearFocus();
}

void TextField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Focus moving to another window (a dialog) does not end editing; a click elsewhere does.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        resignFirstResponder();
}

bool TextField::applyEdit(int start, int length, const QString& replacement) {
    if (isReadOnly() || !isEnabled())
        return false;
    const QString current = text();
    start = std::clamp(start, 0, int(current.size()));
    length = std::clamp(length, 0, int(current.size()) - start);
    if (delegate_ &&
        !delegate_->textFieldShouldChangeCharactersInRange(this, start, length, replacement))
        return false;
    QString next = current;
    next.replace(start, length, replacement);
    if (maxLength() < next.size())
        next.truncate(maxLength());
    {
        const QSignalBlocker blocker(this); // the replacement itself announces nothing
        QLineEdit::setText(next);
        setCursorPosition(std::min(start + int(replacement.size()), int(next.size())));
    }
    emit textChanged(next);
    emit textEdited(next);
    emit editingChanged();
    return true;
}

void TextField::insertText(const QString& text) {
    if (hasSelectedText())
        applyEdit(selectionStart(), int(selectedText().size()), text);
    else
        applyEdit(cursorPosition(), 0, text);
}

void TextField::deleteBackward() {
    if (hasSelectedText())
        applyEdit(selectionStart(), int(selectedText().size()), QString());
    else if (cursorPosition() > 0)
        applyEdit(cursorPosition() - 1, 1, QString());
}

void TextField::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        insertText(QApplication::clipboard()->text());
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        deleteBackward();
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        if (hasSelectedText())
            applyEdit(selectionStart(), int(selectedText().size()), QString());
        else if (cursorPosition() < text().size())
            applyEdit(cursorPosition(), 1, QString());
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        insertText(typed);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TextField::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() || event->replacementLength() != 0) {
        const int start =
            (hasSelectedText() ? selectionStart() : cursorPosition()) + event->replacementStart();
        const int length =
            hasSelectedText() ? int(selectedText().size()) : event->replacementLength();
        applyEdit(start, length, event->commitString());
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}
