#include "model/values/ModelTexts.h"

#include "platform/core/Logging.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"
#include "ui_kit/texts/Language.h"

namespace {
ModelTexts::AlertPresenter& presenter() {
    static ModelTexts::AlertPresenter current;
    return current;
}
} // namespace

QString ModelTexts::textForFile(const QString& file, const QString& key) {
    return Language::textForFile(file, key);
}

void ModelTexts::showAlert(const QString& title, const QString& message, const QString& button) {
    if (presenter()) {
        presenter()(title, message, button);
        return;
    }
    Window* window = Window::keyWindow();
    ViewController* top = window ? window->topViewController() : nullptr;
    if (!top) {
        Logging::info(tarvelloModel, QStringLiteral("Alert: %1 %2").arg(title, message));
        return;
    }
    auto* alert = SystemAlert::alertControllerWithTitle(title, message);
    alert->addAction(button, SystemAlertAction::Default);
    top->presentViewController(alert, true, {});
}

void ModelTexts::setAlertPresenter(AlertPresenter presenter_) {
    presenter() = std::move(presenter_);
}
