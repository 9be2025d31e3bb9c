#pragma once

#include <QImage>
#include <QLabel>
#include <QRect>
#include <QString>

// Image views: labels that show a picture scaled to their frame and remember which picture of
// the bundle they show.
namespace ImageViews {

// A new image view in the parent, with the outlet's name, frame and (optionally) picture.
QLabel* make(QWidget* parent, const QString& objectName, const QRect& frame,
             const QString& imageName = QString());
// Shows the bundle's picture of that name; a picture the bundle lacks leaves the view empty.
void setImageNamed(QLabel* view, const QString& name);
// Shows the picture; the name is what imageName() answers afterwards.
void setImage(QLabel* view, const QImage& image, const QString& name = QString());
// The name of the picture shown, empty when none was set by name.
QString imageName(const QLabel* view);
QImage image(const QLabel* view);

} // namespace ImageViews
