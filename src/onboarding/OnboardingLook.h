#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

// What the signup and first-run screens share in their look.
namespace OnboardingLook {

// The "fondo_blanco.png" pattern as the widget's background.
void setPatternBackground(QWidget* widget);
// A centred title over a bar 44 high at the top of the column.
QLabel* titleBar(QWidget* parent, QVBoxLayout* column, const QString& objectName);
// The large button: the theme colour as its text over a tinted outline, the highlighted title
// red 0, green 65, blue 101 at alpha 0.4.
void styleLargeButton(QPushButton* button);

} // namespace OnboardingLook
