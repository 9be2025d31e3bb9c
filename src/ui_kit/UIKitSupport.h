#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// What the UI kit needs of its neighbours, in one place: the theme colour, texts of the text
// table and images of the bundle.
namespace UIKitSupport {

QColor mainColor();
QString text(const QString& section, const QString& key);
QImage bundleImage(const QString& name);
// The image drawn in one colour wherever it is not transparent (a template image).
QImage tinted(const QImage& image, const QColor& color);

} // namespace UIKitSupport
