#include "ui_kit/Extensions/Traits.h"

#include "platform/ui/Services.h"

namespace Traits {

bool isIpad() {
    return Device::current().isIpad();
}

bool hasRegularWidth() {
    return isIpad();
}

} // namespace Traits
