#pragma once

// The library's one place of defaults for services whose implementation lives in a higher layer
// than the code that uses them: the catalog source (model uses it, the back-end source is in
// api), the session expiry (session and api use it, the login layer ends the session) and the
// image downloader's connections (ui_kit uses them, the network transport is in api). It
// runs once, when the library is loaded; services defined with their implementation make their
// own default on first need (Clock, UserDefaults, DocumentsFolder, LocationProviderFactory,
// APIConfiguration, the screens' services). The coming reader factory follows the same rule:
// its default is made where it is defined, or installed here if its users sit below it.
namespace DefaultServices {

// Installs the defaults above; installing them again replaces them with new ones.
void install();

} // namespace DefaultServices
