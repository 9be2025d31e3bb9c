#pragma once

#include <QLineEdit>
#include <QPointer>

class TextField;

// Optional questions and notices of a text field. An edit the user types goes through
// shouldChangeCharactersInRange first; a refused edit leaves the text as it was.
class TextFieldDelegate {
public:
    virtual ~TextFieldDelegate() = default;
    virtual bool textFieldShouldBeginEditing(TextField* field) {
        (void)field;
        return true;
    }
    virtual void textFieldDidBeginEditing(TextField* field) { (void)field; }
    virtual bool textFieldShouldEndEditing(TextField* field) {
        (void)field;
        return true;
    }
    virtual void textFieldDidEndEditing(TextField* field) { (void)field; }
    // The characters from start, length long, are to become the replacement.
    virtual bool textFieldShouldChangeCharactersInRange(TextField* field, int start, int length,
                                                        const QString& replacement) {
        (void)field;
        (void)start;
        (void)length;
        (void)replacement;
        return true;
    }
    virtual bool textFieldShouldReturn(TextField* field) {
        (void)field;
        return true;
    }
    virtual bool textFieldShouldClear(TextField* field) {
        (void)field;
        return true;
    }
};

// A one-line field with the semantics screens rely on: typed edits (keys, paste, keypads
// through insertText/deleteBackward) ask the delegate and then announce editingChanged;
// setText() announces nothing.
class TextField : public QLineEdit {
    Q_OBJECT
public:
    enum class KeyboardType {
        Default = 0,
        NumbersAndPunctuation = 2,
        NumberPad = 4,
        DecimalPad = 8,
        EmailAddress = 7
    };

    explicit TextField(QWidget* parent = nullptr);

    // Fields that keep a delegate of their own in front of the screen's override both.
    virtual TextFieldDelegate* delegate() const { return delegate_; }
    virtual void setDelegate(TextFieldDelegate* delegate) { delegate_ = delegate; }

    // A keypad shown instead of the system keyboard (not owned).
    QWidget* inputView() const { return inputView_; }
    void setInputView(QWidget* view) { inputView_ = view; }
    KeyboardType keyboardType() const { return keyboardType_; }
    void setKeyboardType(KeyboardType type) { keyboardType_ = type; }

    // Typed input from a keypad: replaces the selection (or inserts at the cursor).
    void insertText(const QString& text);
    void deleteBackward();

    bool becomeFirstResponder();
    bool resignFirstResponder();
    bool isFirstResponder() const;

signals:
    void editingChanged();
    void editingDidBegin();
    void editingDidEnd();
    void returnPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool applyEdit(int start, int length, const QString& replacement);
    TextFieldDelegate* delegate_ = nullptr;
    QPointer<QWidget> inputView_;
    KeyboardType keyboardType_ = KeyboardType::Default;
    bool editing_ = false;
};

// The widget that receives typed input, as screens see it. Text fields register themselves;
// other widgets may become first responder through become().
namespace FirstResponder {
QWidget* current();
bool become(QWidget* widget);
// Resigns the current first responder; true when nothing is left editing.
bool resign();
// Resigns the first responder when it lies inside the view (the view's "end editing").
bool endEditing(QWidget* view);
} // namespace FirstResponder
