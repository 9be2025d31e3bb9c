#pragma once

#include "platform/ui/TextField.h"

#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

// The pad's digit keypad, as wide as the screen and kHeight high: digits, delete, continue
// (done) and hide keys. Digits and delete type into the field with the phone keypad's rules;
// continue asks the field's delegate whether the field should return; hide ends the field's
// editing.
//
// Keys by objectName: "button0" to "button9", "deleteButton", "doneButton", "hideButton".
class iPadNumericKeyboard : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 398;

    explicit iPadNumericKeyboard(QWidget* parent = nullptr);
    // A new keypad, as wide as the main screen and kHeight high.
    static iPadNumericKeyboard* instance();

    TextField* textField() const { return textField_; }
    void setTextField(TextField* field) { textField_ = field; }
    TextField* keyInput() const { return keyInput_; }
    void setKeyInput(TextField* input) { keyInput_ = input; }
    QList<QPushButton*> buttons() const { return buttons_; }
    QPushButton* deleteButton() const { return deleteButton_; }
    QPushButton* doneButton() const { return doneButton_; }
    QPushButton* hideButton() const { return hideButton_; }

    void buttonTapped(QPushButton* key);
    void addDigit(const QString& text);
    void removeDigit();
    void resignResponder();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void styleKeys();

    QPointer<TextField> textField_;
    QPointer<TextField> keyInput_;
    QList<QPushButton*> buttons_;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* doneButton_ = nullptr;
    QPushButton* hideButton_ = nullptr;
};
