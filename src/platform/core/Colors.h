#pragma once

#include <QColor>
#include <QString>

namespace Colors {

// The colour's red, green and blue bytes as six upper-case hexadecimal digits, "RRGGBB" (a grey
// gives its level three times).
inline QString hexRGB(const QColor& color) {
    return QString::asprintf("%02X%02X%02X", color.red(), color.green(), color.blue());
}

} // namespace Colors
