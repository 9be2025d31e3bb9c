#pragma once

#include "platform/ui/TextField.h"

#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

// The phone digit keypad: keys 1-9 and 0, a left-corner key ("00" when made with
// initWithDobuleZero, else blank) and backspace. A key types into the field the screen hands it
// (through TextField::insertText / deleteBackward, so the field's own change checks apply) and
// then into keyInput, when set.
//
// Keys by objectName: "button0" to "button9", "doubleZeroButton" (the left corner),
// "buttonRightCorner" (backspace).
class NumericKeyboard : public QWidget {
    Q_OBJECT
public:
    static constexpr double kDefaultHeight = 216;
    // The key grid is never taller than this.
    static constexpr double kMaxHeight = 260;
    // Priorities of the key grid's aspect ratio: kept loosely on narrow windows, firmly on wide
    // ones (where the grid then stays as wide as on a phone).
    static constexpr int kLowRatioPriority = 800;
    static constexpr int kHighRatioPriority = 950;

    explicit NumericKeyboard(double height = kDefaultHeight, QWidget* parent = nullptr);
    static NumericKeyboard* initWithHeight(double height);
    static NumericKeyboard* init();
    // The left-corner key types "00".
    static NumericKeyboard* initWithDobuleZero();

    TextField* textField() const { return textField_; }
    void setTextField(TextField* field) { textField_ = field; }
    TextField* keyInput() const { return keyInput_; }
    void setKeyInput(TextField* input) { keyInput_ = input; }
    QList<QPushButton*> buttons() const { return buttons_; }
    QPushButton* digitButton(int digit) const { return digits_.value(digit); }
    QPushButton* doubleZeroButton() const { return leftCorner_; }
    QPushButton* buttonLeftCorner() const { return leftCorner_; }
    QPushButton* buttonRightCorner() const { return rightCorner_; }
    int ratioConstraintPriority() const { return ratioPriority_; }
    double maxHeightConstraint() const { return kMaxHeight; }

    // Key actions: a titled key types its title; backspace erases.
    void buttonClicked(QPushButton* key);
    void eraseDigit();
    // Sets the grid's ratio priority for the window the keypad goes into (none: no window).
    void willMoveToWindow(const QWidget* window);

    // The typing rules both keypads share: an empty text types nothing; an empty field is not
    // erased (the key input still is).
    static void typeText(TextField* field, TextField* keyInput, const QString& text);
    static void eraseBackward(TextField* field, TextField* keyInput);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutKeys();

    QPointer<TextField> textField_;
    QPointer<TextField> keyInput_;
    QList<QPushButton*> buttons_;
    QList<QPushButton*> digits_;
    QPushButton* leftCorner_ = nullptr;
    QPushButton* rightCorner_ = nullptr;
    QWidget* grid_ = nullptr;
    int ratioPriority_ = kLowRatioPriority;
};
