#pragma once

#include <QString>
#include <functional>

// The texts and plain alerts the model classes show. Texts come from the text table; alerts are
// the toolkit's plain alert (title, message, one button), which tests can replace to read them.
class ModelTexts {
public:
    // The text of a key in a section, in the application language.
    static QString textForFile(const QString& file, const QString& key);

    using AlertPresenter =
        std::function<void(const QString& title, const QString& message, const QString& button)>;
    // Shows a plain alert through the current presenter.
    static void showAlert(const QString& title, const QString& message, const QString& button);
    // Replaces the presenter; an empty one restores the default (a plain alert over the key
    // window's top screen, or a console line when no window is shown).
    static void setAlertPresenter(AlertPresenter presenter);
};
