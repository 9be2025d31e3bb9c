#include "ui_kit/Extensions/imagePicker.h"

#include "platform/ui/Services.h"

imagePicker::imagePicker(QObject* parent)
    : ViewController(parent) {}

void imagePicker::pickImage(QWidget* over, std::function<void(const QImage&)> completion) {
    Services::imageSource()->pickImage(over ? over : view(), std::move(completion));
}
