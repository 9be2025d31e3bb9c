#pragma once

// The sandbox's pictures: GET "/images/<name>" answers a picture drawn for the name, PNG for
// ".png", JPEG for ".jpg" and ".jpeg", and 404 for any other name.

#include "sandbox/SandboxRequest.h"

#include <QByteArray>
#include <QString>

namespace ImageRoutes {

// The address of a sandbox picture, on the host the request came to:
// "https://<host>/images/<name>".
QString pictureAddress(const SandboxRequest& request, const QString& name);
// The picture drawn for a name, encoded in the format ("PNG" or "JPEG").
QByteArray drawnPicture(const QString& name, const char* format);

} // namespace ImageRoutes
