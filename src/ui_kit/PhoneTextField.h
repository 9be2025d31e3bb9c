#pragma once

#include "platform/ui/TextField.h"
#include "ui_kit/PhoneNumberFormatter.h"

#include <functional>
#include <memory>

// A text field for telephone numbers, formatted for its region while it is typed, with the
// caret kept before the same digits. Every edit (typed, pasted, from a keypad) goes to its own
// edit handler, which asks the screen's delegate first, applies the edit digits-only through
// the formatter, places the caret and announces editingChanged. The screen's delegate is set as
// usual with setDelegate(); it hears every other delegate question too.
class PhoneTextField : public TextField {
    Q_OBJECT
public:
    explicit PhoneTextField(QWidget* parent = nullptr);
    ~PhoneTextField() override;

    TextFieldDelegate* delegate() const override;
    void setDelegate(TextFieldDelegate* delegate) override;

    PhoneNumberFormatter* formatter() const { return formatter_.get(); }
    // Formats the digits already in the field for the new region.
    void setRegionCode(const QString& regionCode);
    // Shows the text's digits formatted; none (a null text) empties the field.
    void setFormattedText(const QString& text);
    // The digits of the field.
    QString phoneNumber() const;

    std::function<void(PhoneTextField*)> textDidChangeBlock() const { return textDidChange_; }
    // Called with the field after every edit.
    void setTextDidChangeBlock(std::function<void(PhoneTextField*)> block) {
        textDidChange_ = std::move(block);
    }

private:
    class EditHandler;
    std::unique_ptr<PhoneNumberFormatter> formatter_;
    std::unique_ptr<EditHandler> editHandler_;
    std::function<void(PhoneTextField*)> textDidChange_;
};
