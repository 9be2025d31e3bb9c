#include "ui_kit/iPadNumericKeyboard.h"

#include "platform/ui/Services.h"
#include "platform/ui/View.h"
#include "ui_kit/NumericKeyboard.h"
#include "ui_kit/UIKitSupport.h"

#include <QGridLayout>

iPadNumericKeyboard::iPadNumericKeyboard(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("iPadNumericKeyboard"));
    auto* keys = new QGridLayout(this);
    keys->setContentsMargins(8, 8, 8, 8);
    keys->setSpacing(8);
    auto makeKey = [this, keys](const QString& name, const QString& title, int row, int column,
                                int rowSpan = 1, int columnSpan = 1) {
        auto* key = new QPushButton(title, this);
        key->setObjectName(name);
        key->setFocusPolicy(Qt::NoFocus);
        key->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        keys->addWidget(key, row, column, rowSpan, columnSpan);
        buttons_.append(key);
        connect(key, &QPushButton::clicked, this, [this, key] { buttonTapped(key); });
        return key;
    };
    for (int digit = 1; digit <= 9; ++digit)
        makeKey(QStringLiteral("button%1").arg(digit), QString::number(digit), (digit - 1) / 3,
                (digit - 1) % 3);
    hideButton_ = makeKey(QStringLiteral("hideButton"), QStringLiteral("⌨"), 3, 0);
    makeKey(QStringLiteral("button0"), QStringLiteral("0"), 3, 1, 1, 2);
    deleteButton_ = makeKey(QStringLiteral("deleteButton"), QString(), 0, 3);
    doneButton_ = makeKey(QStringLiteral("doneButton"), QString(), 1, 3, 3, 1);
    const QImage backspace = UIKitSupport::tinted(
        UIKitSupport::bundleImage(QStringLiteral("backspace_white.png")), QColor(51, 51, 51));
    deleteButton_->setIcon(QIcon(QPixmap::fromImage(backspace)));
    deleteButton_->setIconSize(backspace.size());
    QFont font = deleteButton_->font();
    font.setPixelSize(28);
    for (QPushButton* key : std::as_const(buttons_))
        key->setFont(font);
    View::setBackgroundColor(this, QColor(200, 200, 200));
    styleKeys();
}

iPadNumericKeyboard* iPadNumericKeyboard::instance() {
    auto* keypad = new iPadNumericKeyboard();
    keypad->setGeometry(0, 0, Device::current().screenSize().width(), kHeight);
    return keypad;
}

void iPadNumericKeyboard::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    styleKeys(); // the theme colour and the language may have changed since
}

void iPadNumericKeyboard::styleKeys() {
    const QString keyStyle = QStringLiteral("QPushButton { color: #333333; background: %1;"
                                            " border: none; border-radius: 6px; }");
    for (QPushButton* key : std::as_const(buttons_))
        if (key != doneButton_)
            key->setStyleSheet(keyStyle.arg(QStringLiteral("white")));
    doneButton_->setStyleSheet(QStringLiteral("QPushButton { color: white; background: %1;"
                                              " border: none; border-radius: 6px; }")
                                   .arg(UIKitSupport::mainColor().name()));
    doneButton_->setText(
        UIKitSupport::text(QStringLiteral("GlobalTexts"), QStringLiteral("continue")));
}

void iPadNumericKeyboard::buttonTapped(QPushButton* key) {
    if (key == hideButton_) {
        resignResponder();
    } else if (key == doneButton_) {
        if (textField_ && textField_->delegate())
            textField_->delegate()->textFieldShouldReturn(textField_);
    } else if (key == deleteButton_) {
        removeDigit();
    } else if (key) {
        addDigit(key->text());
    }
}

void iPadNumericKeyboard::addDigit(const QString& text) {
    NumericKeyboard::typeText(textField_, keyInput_, text);
}

void iPadNumericKeyboard::removeDigit() {
    NumericKeyboard::eraseBackward(textField_, keyInput_);
}

void iPadNumericKeyboard::resignResponder() {
    if (textField_)
        textField_->resignFirstResponder();
}
