#pragma once

#include <QColor>
#include <QMargins>
#include <QString>
#include <QWidget>

// The loading overlay on any view: a cover over the view (less the insets) with a spinner and
// an optional caption, taking the touches meant for what lies under it. An overlay is known by
// its tag alone; a second request while one shows does nothing. Screens have the same
// operations as members of ViewController, applied to their mainView.
namespace ActivityIndicator {

// The overlay's tag: the largest signed 64-bit integer.
constexpr qint64 kOverlayTag = 9223372036854775807LL;
// Duration of the animated show and hide.
constexpr int kFadeMs = 300;

void displayLoadingIndicatorWithSizeTextBackgroundColorAlphaInsetsAnimated(
    QWidget* view, uint size, const QString& text, const QColor& backgroundColor, double alpha,
    const QMargins& insets, bool animated);
void displayLoadingIndicatorWithSizeTextBackgroundColorAlpha(QWidget* view, uint size,
                                                             const QString& text,
                                                             const QColor& backgroundColor,
                                                             double alpha);
void displayLoadingIndicatorWithSizeTextBackgroundColor(QWidget* view, uint size,
                                                        const QString& text,
                                                        const QColor& backgroundColor);
void displayLoadingIndicatorWithSizeText(QWidget* view, uint size, const QString& text);
void displayLoadingIndicatorWithSize(QWidget* view, uint size);
void displayLoadingIndicatorWithBackgroundColor(QWidget* view, const QColor& backgroundColor);
void displayLoadingIndicatorWithText(QWidget* view, const QString& text);
void displayLoadingIndicatorAnimated(QWidget* view, bool animated);
void displayLoadingIndicator(QWidget* view);
void hideLoadingIndicatorAnimated(QWidget* view, bool animated);
void hideLoadingIndicator(QWidget* view);
bool isDisplayingActivityIndicator(QWidget* view);

// The caption of the forms that take no caption.
QString defaultCaption();

} // namespace ActivityIndicator
