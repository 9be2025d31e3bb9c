#include "ui_kit/SingleInputConfigurator.h"

std::shared_ptr<SingleInputConfigurator>
SingleInputConfigurator::withImage(const QImage& image, const QString& text,
                                   std::optional<int> textLimit, const QString& key,
                                   bool secureTextEntry, int keyboardInput) {
    auto configurator = std::make_shared<SingleInputConfigurator>();
    configurator->image_ = image;
    configurator->text_ = text;
    configurator->textLimit_ = textLimit;
    configurator->key_ = key;
    configurator->secureTextEntry_ = secureTextEntry;
    configurator->keyboardInput_ = keyboardInput;
    return configurator;
}
