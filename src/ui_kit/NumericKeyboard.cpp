#include "ui_kit/NumericKeyboard.h"

#include "platform/ui/View.h"
#include "ui_kit/UIKitSupport.h"

#include <QEvent>
#include <QGridLayout>

namespace {

// Height over width of the key grid on a phone.
constexpr double kGridRatio = 216.0 / 375.0;

QColor grey(int level) {
    return QColor(level, level, level);
}

} // namespace

NumericKeyboard::NumericKeyboard(double height, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("numericKeyboard"));
    grid_ = new QWidget(this);
    auto* keys = new QGridLayout(grid_);
    keys->setContentsMargins(0, 0, 0, 0);
    keys->setSpacing(1);

    auto makeKey = [this, keys](const QString& name, int row, int column) {
        auto* key = new QPushButton(grid_);
        key->setObjectName(name);
        key->setFocusPolicy(Qt::NoFocus); // typing keeps the field editing
        key->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        keys->addWidget(key, row, column);
        buttons_.append(key);
        return key;
    };
    for (int digit = 0; digit <= 9; ++digit) {
        const int row = digit == 0 ? 3 : (digit - 1) / 3;
        const int column = digit == 0 ? 1 : (digit - 1) % 3;
        digits_.append(makeKey(QStringLiteral("button%1").arg(digit), row, column));
    }
    leftCorner_ = makeKey(QStringLiteral("doubleZeroButton"), 3, 0);
    rightCorner_ = makeKey(QStringLiteral("buttonRightCorner"), 3, 2);

    const int width = parent ? window()->width() : 0;
    resize(width, int(height));
    for (int digit = 0; digit <= 9; ++digit)
        digits_.at(digit)->setText(QString::number(digit));

    QFont font = digits_.first()->font();
    font.setPixelSize(26);
    for (QPushButton* key : std::as_const(buttons_)) {
        key->setFont(font);
        key->setStyleSheet(QStringLiteral("QPushButton { color: %1; background: %2; border: none; }"
                                          "QPushButton:pressed { background: %3; }")
                               .arg(grey(51).name(), grey(245).name(), grey(200).name()));
        if (key != rightCorner_)
            connect(key, &QPushButton::clicked, this, [this, key] { buttonClicked(key); });
    }
    const QImage backspace = UIKitSupport::tinted(
        UIKitSupport::bundleImage(QStringLiteral("backspace_white.png")), grey(102));
    rightCorner_->setIcon(QIcon(QPixmap::fromImage(backspace)));
    rightCorner_->setIconSize(backspace.size());
    connect(rightCorner_, &QPushButton::clicked, this, [this] { eraseDigit(); });
    View::setBackgroundColor(this, grey(200));
    layoutKeys();
}

NumericKeyboard* NumericKeyboard::initWithHeight(double height) {
    return new NumericKeyboard(height);
}

NumericKeyboard* NumericKeyboard::init() {
    return new NumericKeyboard(kDefaultHeight);
}

NumericKeyboard* NumericKeyboard::initWithDobuleZero() {
    NumericKeyboard* keypad = init();
    keypad->leftCorner_->setText(QStringLiteral("00"));
    keypad->leftCorner_->setIcon(QIcon());
    return keypad;
}

void NumericKeyboard::typeText(TextField* field, TextField* keyInput, const QString& text) {
    if (text.isEmpty())
        return;
    if (field)
        field->insertText(text);
    if (keyInput)
        keyInput->insertText(text);
}

void NumericKeyboard::eraseBackward(TextField* field, TextField* keyInput) {
    if (field && !field->text().isEmpty())
        field->deleteBackward();
    if (keyInput)
        keyInput->deleteBackward();
}

void NumericKeyboard::buttonClicked(QPushButton* key) {
    if (key)
        typeText(textField_, keyInput_, key->text());
}

void NumericKeyboard::eraseDigit() {
    eraseBackward(textField_, keyInput_);
}

void NumericKeyboard::willMoveToWindow(const QWidget* window) {
    const double height = std::min(double(this->height()), kMaxHeight);
    const double width = window ? window->width() : 0;
    // No window, or one with no width, counts as narrow.
    ratioPriority_ = width > 0 && height / width < 0.5 ? kHighRatioPriority : kLowRatioPriority;
    layoutKeys();
}

bool NumericKeyboard::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange)
        willMoveToWindow(parentWidget() ? window() : nullptr);
    return QWidget::event(event);
}

void NumericKeyboard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutKeys();
}

void NumericKeyboard::layoutKeys() {
    const int gridHeight = int(std::min(double(height()), kMaxHeight));
    int gridWidth = width();
    if (ratioPriority_ == kHighRatioPriority)
        gridWidth = std::min(gridWidth, int(gridHeight / kGridRatio));
    grid_->setGeometry((width() - gridWidth) / 2, 0, gridWidth, gridHeight);
}
