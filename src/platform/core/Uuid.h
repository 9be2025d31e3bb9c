#pragma once

#include <QString>
#include <QUuid>

namespace Uuid {

// A new random UUID, 36 upper-case characters.
inline QString create() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

} // namespace Uuid
