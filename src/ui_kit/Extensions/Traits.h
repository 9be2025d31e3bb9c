#pragma once

class ViewController;

// Layout traits of the screens, taken from the device setting (phone by default, pad by
// configuration).
namespace Traits {

// True on a pad; a device that reports no idiom counts as a phone.
bool isIpad();
// True when screens get the regular horizontal size class: on a pad.
bool hasRegularWidth();
// True when the screen's size classes hold the regular vertical class; without a screen, the
// device's (regular on phone and pad alike).
bool hasRegularHeight(const ViewController* controller);
// True when the screen was presented, or stands in a navigation controller that was presented.
// A screen in no presentation, with or without a navigation controller, is not modal.
bool isModal(const ViewController* controller);

} // namespace Traits
