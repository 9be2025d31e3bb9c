#include "Printers.h"
#include "platform/ui/Services.h"
#include "platform/ui/TextField.h"
#include "ui_kit/NumericKeyboard.h"
#include "ui_kit/iPadNumericKeyboard.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Answers every change with `allow` and records what it was asked.
class KeypadDelegate : public TextFieldDelegate {
public:
    bool textFieldShouldChangeCharactersInRange(TextField*, int start, int length,
                                                const QString& replacement) override {
        asked << QStringLiteral("%1,%2:%3").arg(start).arg(length).arg(replacement);
        return allow;
    }
    bool textFieldShouldReturn(TextField*) override {
        ++returns;
        return true;
    }
    bool allow = true;
    QStringList asked;
    int returns = 0;
};

struct KeypadField {
    explicit KeypadField(const QString& text, int caret, int selectionLength = 0) {
        field.setText(text);
        if (selectionLength > 0)
            field.setSelection(caret, selectionLength);
        else
            field.setCursorPosition(caret);
        field.setDelegate(&delegate);
    }
    TextField field;
    KeypadDelegate delegate;
};

} // namespace

TEST(NumericKeyboard, KeysTypeThroughTheFieldsOwnChecksOncePerKey) {
    struct Case {
        const char* name;
        QString text;
        int caret;
        int selection;
        bool allow;
        const char* key; // a digit name, "00", or "back"
        QString shown;
        QStringList asked;
    } cases[] = {
        {"digit at the caret", "12", 1, 0, true, "button5", "152", {"1,0:5"}},
        {"digit replaces the selection", "1234", 1, 2, true, "button9", "194", {"1,2:9"}},
        {"back deletes the selection", "1234", 1, 2, true, "back", "14", {"1,2:"}},
        {"back before the caret", "123", 2, 0, true, "back", "13", {"1,1:"}},
        {"back at the very start deletes nothing", "123", 0, 0, true, "back", "123", {}},
        {"back on an empty field asks nothing", "", 0, 0, true, "back", "", {}},
        {"a refused digit", "12", 2, 0, false, "button3", "12", {"2,0:3"}},
        {"a refused double zero", "12", 2, 0, false, "00", "12", {"2,0:00"}},
        {"a refused backspace", "12", 2, 0, false, "back", "12", {"1,1:"}},
        {"double zero", "7", 1, 0, true, "00", "700", {"1,0:00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<NumericKeyboard> keypad(NumericKeyboard::initWithDobuleZero());
        KeypadField fixture(c.text, c.caret, c.selection);
        fixture.delegate.allow = c.allow;
        keypad->setTextField(&fixture.field);
        const QString key = QString::fromLatin1(c.key);
        QPushButton* button = key == "00"     ? keypad->doubleZeroButton()
                              : key == "back" ? keypad->buttonRightCorner()
                                              : keypad->findChild<QPushButton*>(key);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(fixture.field.text(), c.shown);
        EXPECT_EQ(fixture.delegate.asked, c.asked);
    }
}

TEST(NumericKeyboard, TheBlankCornerKeyTypesNothingAndKeyInputGetsEveryKey) {
    std::unique_ptr<NumericKeyboard> keypad(NumericKeyboard::init());
    KeypadField fixture("4", 1);
    keypad->setTextField(&fixture.field);
    TextField mirror;
    keypad->setKeyInput(&mirror);
    EXPECT_TRUE(keypad->doubleZeroButton()->text().isEmpty());
    QTest::mouseClick(keypad->doubleZeroButton(), Qt::LeftButton);
    EXPECT_EQ(fixture.field.text(), "4");
    EXPECT_TRUE(fixture.delegate.asked.isEmpty());

    // The key input gets the key even when the field refuses it.
    fixture.delegate.allow = false;
    QTest::mouseClick(keypad->digitButton(8), Qt::LeftButton);
    EXPECT_EQ(fixture.field.text(), "4");
    EXPECT_EQ(mirror.text(), "8");
    QTest::mouseClick(keypad->buttonRightCorner(), Qt::LeftButton);
    EXPECT_EQ(mirror.text(), "");

    // A field destroyed while the keypad holds it is let go.
    {
        auto field = std::make_unique<TextField>();
        keypad->setTextField(field.get());
    }
    EXPECT_EQ(keypad->textField(), nullptr);
    QTest::mouseClick(keypad->digitButton(1), Qt::LeftButton);
    EXPECT_EQ(mirror.text(), "1");
}

TEST(NumericKeyboard, TheGridRatioIsKeptFirmlyOnlyInWideWindows) {
    EXPECT_GE(NumericKeyboard::kMaxHeight, NumericKeyboard::kDefaultHeight);
    struct Case {
        int windowWidth;
        int priority;
    } cases[] = {{375, 800}, {768, 950}, {0, 800}};
    for (const Case& c : cases) {
        std::unique_ptr<NumericKeyboard> keypad(NumericKeyboard::init());
        EXPECT_EQ(keypad->height(), 216);
        QWidget window;
        window.resize(c.windowWidth, 667);
        keypad->willMoveToWindow(c.windowWidth > 0 ? &window : nullptr);
        EXPECT_EQ(keypad->ratioConstraintPriority(), c.priority) << c.windowWidth;
    }
    // Moving into a window counts as well.
    QWidget wide;
    wide.resize(768, 1024);
    auto* keypad = NumericKeyboard::init();
    keypad->setParent(&wide);
    EXPECT_EQ(keypad->ratioConstraintPriority(), 950);
}

TEST(iPadNumericKeyboard, KeysDispatchToTypingDeletingReturnAndHide) {
    Device::current().setScreenSize(QSize(1024, 768));
    std::unique_ptr<iPadNumericKeyboard> keypad(iPadNumericKeyboard::instance());
    Device::current().setScreenSize(QSize());
    EXPECT_EQ(keypad->geometry(), QRect(0, 0, 1024, 398));

    QWidget window;
    KeypadField fixture("1", 1);
    fixture.field.setParent(&window);
    window.show();
    fixture.field.becomeFirstResponder();
    keypad->setTextField(&fixture.field);

    QTest::mouseClick(keypad->findChild<QPushButton*>("button7"), Qt::LeftButton);
    EXPECT_EQ(fixture.field.text(), "17");
    QTest::mouseClick(keypad->deleteButton(), Qt::LeftButton);
    QTest::mouseClick(keypad->deleteButton(), Qt::LeftButton);
    QTest::mouseClick(keypad->deleteButton(), Qt::LeftButton); // empty: asks nothing
    EXPECT_EQ(fixture.field.text(), "");
    EXPECT_EQ(fixture.delegate.asked, QStringList({"1,0:7", "1,1:", "0,1:"}));

    keypad->show();
    EXPECT_FALSE(keypad->doneButton()->text().isEmpty());
    QTest::mouseClick(keypad->doneButton(), Qt::LeftButton);
    EXPECT_EQ(fixture.delegate.returns, 1);
    EXPECT_EQ(fixture.field.text(), "");

    EXPECT_TRUE(fixture.field.isFirstResponder());
    QTest::mouseClick(keypad->hideButton(), Qt::LeftButton);
    EXPECT_FALSE(fixture.field.isFirstResponder());
}
