#pragma once

#include <QString>

// Makes the SDK's resource bundle readable through Qt's resource system, so that the text table
// can be read from it.
namespace TextBundle {

// Registers the bundle (Files/TarvelloSDKResources.rcc beside the SDK library, or beside the
// executable) unless it is readable already. True when the resource at path can be read.
bool ensureReadable(const QString& resourcePath);

} // namespace TextBundle
