#pragma once

#include "platform/ui/ImageView.h"

#include <QRect>
#include <QString>

namespace ReaderViews {

// An image view of a view built in code: found by its name, placed at the frame and showing
// the bundle picture of that name (none when the name is empty).
ImageView* imageOutlet(QWidget* parent, const QString& name, const QRect& frame,
                       const QString& imageName = QString());

} // namespace ReaderViews
