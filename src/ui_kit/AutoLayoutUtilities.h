#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QVariant>
#include <optional>

class LayoutConstraint;
class QWidget;
class TextField;
class ViewController;

// Small services the screens share: constraint lookup, colour arithmetic, one-colour and
// resized images, the top-most screen, digit keypads, e-mail checks, JSON text and a shadow
// behind a view. Class operations only; no state.
class AutoLayoutUtilities {
public:
    AutoLayoutUtilities() = delete;

    // The first constraint, in list order, with that identifier; null when none has it.
    static LayoutConstraint* constraintForIdentifier(const QString& identifier,
                                                     const QList<LayoutConstraint*>& constraints);

    // Each of red, green, blue c becomes max((c x 255 - 23) / 232, 0); alpha stays. A colour
    // without components (invalid) comes back unchanged. (0, 0.5, 1) gives (0, ~0.4504, 1).
    static QColor translucentColorFromColor(const QColor& color);
    // min(c + 0.2, 1) per component, alpha kept; none for a colour without components.
    static std::optional<QColor> lighterColorForColor(const QColor& color);
    // max(c - 0.2, 0) per component, alpha kept: (0.1, 0.5, 1.0, 0.7) gives (0, 0.3, 0.8, 0.7);
    // none for a colour without components.
    static std::optional<QColor> darkerColorForColor(const QColor& color);
    // A 1 x 1 image filled with the colour.
    static QImage imageWithColor(const QColor& color);
    // The image stretched to the size in points, at the main screen's scale.
    static QImage imageWithImage(const QImage& image, const QSizeF& size);

    // The last screen presented over the key window's root; null without a key window.
    static ViewController* getTopMostViewController();
    // The last of the chain of screens presented from the screen (the screen itself when it
    // presents nothing).
    static ViewController* topViewController(ViewController* controller);

    // Digit keypads for the device (Device): none when the system version reads 8.0 or lower;
    // on a pad the pad keypad; otherwise the phone keypad (216 high; with its "00" key).
    static QWidget* instanceNumericKeyboard();
    static QWidget* instanceNumericKeyboardWithDoubleZero();
    // A phone keypad of that height on any device; none on 8.0 or lower.
    static QWidget* instanceNumericKeyboardWithHeight(double height);
    // Installs the keypad on the field: a phone keypad is dropped (deleted); what remains
    // becomes the field's input view (the field owns it when it had no parent), else the field
    // gets the system number pad.
    static void useNumericKeyboard(QWidget* keypad, TextField* field);

    // The text trimmed of spaces (U+0020 only) matches as a whole
    // "[A-Z0-9a-z._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,4}". Unless silent, a mismatch shows one
    // alert (GlobalTexts "wrongEmailFormat") on the top-most screen.
    static bool IsValidEmailSilent(const QString& text, bool silent);
    static bool IsValidEmail(const QString& text);
    // As IsValidEmail, with the alert text GlobalTexts "wrongEmailLoginFormat".
    static bool IsValidLoginEmail(const QString& text);
    // Every piece between single spaces is an address ("a@b.co c@d.co" passes, "a@b.co,
    // c@d.co" and two spaces fail); unless silent, a failure shows one "wrongEmailFormat" alert.
    static bool validMultipleEmailsFromStringSilent(const QString& text, bool silent);
    static bool validMultipleEmailsFromString(const QString& text);

    // Pretty-printed JSON of a map or list; "" when it cannot be written.
    static QString JSONStringFromJSONObject(const QVariant& object);
    // Writes the same text to the console, or why it cannot be written.
    static void printedJSONFromJSONObject(const QVariant& object);

    // Puts a soft shadow picture (20 points larger than the view, the view's rounded shape in
    // white with a red blur of 6) into the superview right below the view, and keeps the view
    // centred on it.
    static void addBackgroundShadowToView(QWidget* view, QWidget* onView);

private:
    static void showEmailAlert(const QString& key);
};
