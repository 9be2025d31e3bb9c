#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QVariantMap>
#include <optional>

// The SDK's own files and theme colours. The library ships a resource bundle,
// Files/TarvelloSDKResources.rcc beside it; it is registered once, on first use, under
// bundleRoot ("/TarvelloSDKResources"), so its files read as ":/TarvelloSDKResources/<path>".
namespace VersionDispatch {

// The library itself: its folder and its version strings ("CFBundleShortVersionString",
// "CFBundleVersion").
struct InfoBundle {
    QString bundlePath;
    QVariantMap infoDictionary;
};

// The library's own bundle, found once and kept.
const InfoBundle& infoBundle();

// The root of the resource bundle (":/TarvelloSDKResources"), or none when the bundle is
// missing; while it is missing each call looks again.
std::optional<QString> currentBundle();

// Where the resource bundle is registered.
QString bundleRoot();

// Looks for the library's folder somewhere else (tests); the empty text restores the default.
// Drops what was found so far and unregisters the bundle.
void setInfoBundlePath(const QString& path);

// The theme colour of every SDK screen; none until the facade sets it (when it is started).
std::optional<QColor> mainColor();
void setMainColor(const std::optional<QColor>& color);
// Grey 180/255.
QColor secondaryColor();
// Grey 0.2: the dark text colour.
QColor blackTextColor();
// Grey 0.79.
QColor veryLightGray();

} // namespace VersionDispatch

// Images of the resource bundle.
namespace Bundle {

// The image of that name ("menu.png") from the bundle's images; a null image when the bundle
// or the image is missing.
QImage load(const QString& name);

} // namespace Bundle
