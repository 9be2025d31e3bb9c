#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>
#include <functional>

// Helpers every screen uses on its widgets: tags, alpha, frame, visibility, background.
namespace View {

// A number that identifies a widget among its relatives; 0 when none was set.
qint64 tag(const QWidget* view);
void setTag(QWidget* view, qint64 tag);
// The widget itself when it carries the tag, else the first descendant that does (depth first).
QWidget* viewWithTag(QWidget* view, qint64 tag);

// Opacity of the widget and all it contains (1 when never set).
double alpha(const QWidget* view);
void setAlpha(QWidget* view, double alpha);
// Animates the alpha on the clock; the completion gets whether it ran to its end.
void animateAlpha(QWidget* view, double to, int durationMs,
                  std::function<void(bool finished)> completion = {});

QRect frame(const QWidget* view);
void setFrame(QWidget* view, const QRect& frame);
bool isHidden(const QWidget* view);
void setHidden(QWidget* view, bool hidden);

void setBackgroundColor(QWidget* view, const QColor& color);
QColor backgroundColor(const QWidget* view);

// The radius of the widget's rounded corners, as drawings of its shape read it (0 when never
// set); clipping to it is the job of whoever rounds the widget.
double cornerRadius(const QWidget* view);
void setCornerRadius(QWidget* view, double radius);

// Removes the widget from its parent and deletes it once control returns to the event loop.
void removeFromSuperview(QWidget* view);

} // namespace View
