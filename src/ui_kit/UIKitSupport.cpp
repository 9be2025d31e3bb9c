#include "ui_kit/UIKitSupport.h"

#include "platform/core/VersionDispatch.h"
#include "platform/ui/Services.h"
#include "ui_kit/texts/Language.h"

#include <QPainter>

namespace UIKitSupport {

QColor mainColor() {
    // Before the facade is started there is no theme colour yet: use its starting colour.
    return VersionDispatch::mainColor().value_or(QColor::fromRgbF(0, 65 / 255.0, 101 / 255.0, 1));
}

QString text(const QString& section, const QString& key) {
    return Language::textForFile(section, key);
}

QImage bundleImage(const QString& name) {
    return Services::images()->imageNamed(name, false);
}

QImage tinted(const QImage& image, const QColor& color) {
    if (image.isNull())
        return image;
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), color);
    return result;
}

} // namespace UIKitSupport
