#pragma once

#include "ui_kit/DivLine.h"

// The dark grey (50/255) hairline divider.
class DivLineBlack : public DivLine {
    Q_OBJECT
public:
    explicit DivLineBlack(QWidget* parent = nullptr);
};
