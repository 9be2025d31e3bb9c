#pragma once

// Layout traits of the screens, taken from the device setting (phone by default, pad by
// configuration).
namespace Traits {

// True on a pad; a device that reports no idiom counts as a phone.
bool isIpad();
// True when screens get the regular horizontal size class: on a pad.
bool hasRegularWidth();

} // namespace Traits
