#include "ui_kit/DivLineBlack.h"

DivLineBlack::DivLineBlack(QWidget* parent)
    : DivLine(QColor(50, 50, 50), parent) {}
