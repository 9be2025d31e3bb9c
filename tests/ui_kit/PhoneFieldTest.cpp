#include "Printers.h"
#include "ui_kit/NumericKeyboard.h"
#include "ui_kit/PhoneNumberFormatter.h"
#include "ui_kit/PhoneTextField.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class PhoneScreenDelegate : public TextFieldDelegate {
public:
    bool textFieldShouldChangeCharactersInRange(TextField*, int, int, const QString&) override {
        ++asked;
        return allow;
    }
    bool textFieldShouldReturn(TextField*) override {
        ++returns;
        return false;
    }
    bool allow = true;
    int asked = 0;
    int returns = 0;
};

void typeDigits(PhoneTextField& field, const QString& digits) {
    for (const QChar digit : digits)
        QTest::keyClick(&field, digit.toLatin1());
}

} // namespace

TEST(PhoneNumberFormatter, FormatsTheDigitsForTheRegion) {
    struct Case {
        const char* region;
        QString input;
        QString formatted;
    } cases[] = {
        {"US", "2015550123", "(201) 555-0123"},
        {"US", "(201) 555-01-23", "(201) 555-0123"},
        {"AR", "(11) 4321 98-76", "11 4321-9876"},
        {"MX", "", ""},
        {"ZZ", "12345", "12345"}, // a region the library does not know
    };
    for (const Case& c : cases) {
        PhoneNumberFormatter formatter(c.region);
        EXPECT_EQ(formatter.stringForObjectValue(c.input), c.formatted) << c.region;
    }
    PhoneNumberFormatter mexico;
    EXPECT_EQ(mexico.regionCode(), "MX");
    EXPECT_EQ(mexico.stringForObjectValue(QVariant(551234)), std::nullopt);
    // Pasting digits among separators formats as typing them does.
    EXPECT_EQ(mexico.stringForObjectValue(QString("(55) 12-34")),
              mexico.stringForObjectValue(QString("551234")));

    EXPECT_EQ(PhoneNumberFormatter::digitOnlyString("+52 (55) 1234-5678"), "525512345678");
    EXPECT_EQ(PhoneNumberFormatter::valuableCharCountIn("(55) 12"), 4);
    QVariant value;
    EXPECT_TRUE(mexico.getObjectValue(&value, "55-12", nullptr));
    EXPECT_EQ(value.toString(), "5512");
    EXPECT_TRUE(PhoneNumberFormatter::matchString("ab12", "B1"));
    EXPECT_FALSE(PhoneNumberFormatter::matchString("ab12", "c"));
}

TEST(PhoneTextField, TypingPastingAndDeletingKeepTheCaretBeforeTheSameDigit) {
    PhoneTextField field;
    field.setRegionCode("US");
    QSignalSpy changed(&field, &TextField::editingChanged);
    int blocks = 0;
    field.setTextDidChangeBlock([&](PhoneTextField* sender) {
        EXPECT_EQ(sender, &field);
        ++blocks;
    });

    typeDigits(field, "2015550123");
    EXPECT_EQ(field.text(), "(201) 555-0123");
    EXPECT_EQ(field.cursorPosition(), field.text().size());
    EXPECT_EQ(field.phoneNumber(), "2015550123");
    EXPECT_EQ(changed.count(), 10);
    EXPECT_EQ(blocks, 10);

    // Deleting the middle "5": the caret stays before the digit that followed it.
    field.setCursorPosition(8);
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), "(201) 550-123");
    EXPECT_EQ(field.cursorPosition(), 7);
    EXPECT_EQ(field.text().mid(field.cursorPosition()), "50-123");

    // A digit typed in the middle: the caret stays before the same digits.
    field.setCursorPosition(7);
    QTest::keyClick(&field, '9');
    EXPECT_EQ(field.text(), "(201) 595-0123");
    EXPECT_EQ(field.text().mid(field.cursorPosition()), "5-0123");

    PhoneTextField argentina;
    argentina.setRegionCode("AR");
    QApplication::clipboard()->setText("(11) 4321 98-76");
    QTest::keySequence(&argentina, QKeySequence::Paste);
    EXPECT_EQ(argentina.text(), "11 4321-9876");
    EXPECT_EQ(argentina.cursorPosition(), argentina.text().size());
}

TEST(PhoneTextField, RegionChangeRefusalAndTheScreensDelegate) {
    PhoneTextField field;
    EXPECT_EQ(field.formatter()->regionCode(), "MX");
    EXPECT_EQ(field.keyboardType(), TextField::KeyboardType::NumberPad);
    field.setFormattedText("2015550123");
    field.setRegionCode("US");
    EXPECT_EQ(field.text(), "(201) 555-0123");
    EXPECT_EQ(field.formatter()->textField(), &field);
    field.setFormattedText(QString());
    EXPECT_EQ(field.text(), "");

    PhoneScreenDelegate screen;
    field.setDelegate(&screen);
    EXPECT_EQ(field.delegate(), &screen);
    field.setFormattedText("201555");
    field.setCursorPosition(3);
    screen.allow = false;
    QSignalSpy changed(&field, &TextField::editingChanged);
    QTest::keyClick(&field, '7');
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), "201-555");
    EXPECT_EQ(field.cursorPosition(), 3);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(screen.asked, 2);

    // Other questions reach the screen's delegate too.
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(screen.returns, 1);
}

TEST(PhoneTextField, TakesAKeypadDigitOnce) {
    std::unique_ptr<NumericKeyboard> keypad(NumericKeyboard::init());
    PhoneTextField field;
    field.setRegionCode("US");
    field.setFormattedText("201555");
    field.setCursorPosition(field.text().size());
    keypad->setTextField(&field);
    int changes = 0;
    field.setTextDidChangeBlock([&](PhoneTextField*) { ++changes; });
    QTest::mouseClick(keypad->digitButton(0), Qt::LeftButton);
    EXPECT_EQ(field.phoneNumber(), "2015550");
    EXPECT_EQ(changes, 1);
    QTest::mouseClick(keypad->buttonRightCorner(), Qt::LeftButton);
    EXPECT_EQ(field.phoneNumber(), "201555");
    EXPECT_EQ(changes, 2);
}
