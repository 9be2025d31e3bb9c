#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QVariant>
#include <QVariantMap>

// The JSON form of what a completion received: errors as {"domain","code","description"},
// bytes as base64 text.
QJsonValue resultJson(const QVariant& value);

// One line: {"success": bool, "result": {...}}
QByteArray completionLine(const QVariantMap& result, bool success);
