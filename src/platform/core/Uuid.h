#pragma once

#include <QString>
#include <QUuid>

namespace Uuid {

// A new random UUID as text: 36 upper-case characters, groups of 8-4-4-4-12 joined by "-".
inline QString newText() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

} // namespace Uuid
