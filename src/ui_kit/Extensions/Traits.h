#pragma once

#include <functional>

// Layout traits of the screens, taken from the device setting (phone by default, pad by option).
namespace Traits {

// True on a pad; a device that reports no idiom counts as a phone.
bool isIpad();
// True when screens get the regular horizontal size class: on a pad.
bool hasRegularWidth();

// Where the device idiom comes from: a function answering "is this a pad?". By default the
// TARVELLO_DEVICE environment setting ("pad" for a pad; anything else, or nothing, a phone).
// An empty function puts the default back.
void setIdiomSource(std::function<bool()> isPad);

} // namespace Traits
