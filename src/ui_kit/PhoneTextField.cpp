#include "ui_kit/PhoneTextField.h"

// Stands as the field's delegate: relays every question to the screen's delegate and applies
// each edit itself.
class PhoneTextField::EditHandler : public TextFieldDelegate {
public:
    explicit EditHandler(PhoneTextField* field)
        : field_(field) {}

    TextFieldDelegate* screenDelegate = nullptr;

    bool textFieldShouldBeginEditing(TextField* field) override {
        return !screenDelegate || screenDelegate->textFieldShouldBeginEditing(field);
    }
    void textFieldDidBeginEditing(TextField* field) override {
        if (screenDelegate)
            screenDelegate->textFieldDidBeginEditing(field);
    }
    bool textFieldShouldEndEditing(TextField* field) override {
        return !screenDelegate || screenDelegate->textFieldShouldEndEditing(field);
    }
    void textFieldDidEndEditing(TextField* field) override {
        if (screenDelegate)
            screenDelegate->textFieldDidEndEditing(field);
    }
    bool textFieldShouldReturn(TextField* field) override {
        return !screenDelegate || screenDelegate->textFieldShouldReturn(field);
    }
    bool textFieldShouldClear(TextField* field) override {
        return !screenDelegate || screenDelegate->textFieldShouldClear(field);
    }

    // Applies the edit digits-only and answers false: the field's text is already set.
    bool textFieldShouldChangeCharactersInRange(TextField* field, int start, int length,
                                                const QString& replacement) override {
        if (screenDelegate && !screenDelegate->textFieldShouldChangeCharactersInRange(
                                  field, start, length, replacement))
            return false;
        QString text = field_->text();
        const int digitsAfter = PhoneNumberFormatter::valuableCharCountIn(text.mid(start + length));
        text.replace(start, length, replacement);
        field_->setFormattedText(text);

        // The caret goes before the digit that leaves as many digits after it as before.
        const QString formatted = field_->text();
        int caret = int(formatted.size());
        for (int seen = 0; seen < digitsAfter && caret > 0;) {
            --caret;
            if (PhoneNumberFormatter::isValuableChar(formatted.at(caret)))
                ++seen;
        }
        field_->setCursorPosition(caret);

        emit field_->editingChanged();
        if (field_->textDidChange_)
            field_->textDidChange_(field_);
        return false;
    }

private:
    PhoneTextField* field_;
};

PhoneTextField::PhoneTextField(QWidget* parent)
    : TextField(parent)
    , formatter_(std::make_unique<PhoneNumberFormatter>())
    , editHandler_(std::make_unique<EditHandler>(this)) {
    formatter_->setTextField(this);
    TextField::setDelegate(editHandler_.get());
    setKeyboardType(KeyboardType::NumberPad);
}

PhoneTextField::~PhoneTextField() {
    TextField::setDelegate(nullptr);
}

TextFieldDelegate* PhoneTextField::delegate() const {
    return editHandler_->screenDelegate;
}

void PhoneTextField::setDelegate(TextFieldDelegate* delegate) {
    editHandler_->screenDelegate = delegate;
}

void PhoneTextField::setRegionCode(const QString& regionCode) {
    formatter_->setTextField(nullptr);
    formatter_ = std::make_unique<PhoneNumberFormatter>(regionCode);
    formatter_->setTextField(this);
    setFormattedText(phoneNumber());
}

void PhoneTextField::setFormattedText(const QString& text) {
    setText(
        formatter_->stringForObjectValue(text.isNull() ? QString("") : text).value_or(QString()));
}

QString PhoneTextField::phoneNumber() const {
    return PhoneNumberFormatter::digitOnlyString(text());
}
