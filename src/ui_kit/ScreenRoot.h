#pragma once

#include "platform/ui/View.h"

#include <QVBoxLayout>
#include <QWidget>

namespace ScreenRoot {

// Lays a screen's root widget out as one white column from edge to edge, its rows without
// spacing; the column is returned for the rows.
inline QVBoxLayout* whiteColumn(QWidget* root) {
    View::setBackgroundColor(root, Qt::white);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    return column;
}

} // namespace ScreenRoot
