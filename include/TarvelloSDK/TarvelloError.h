#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <memory>

// An error handed to the host: its domain ("TarvelloSDK" for the SDK's own), a numeric code,
// a human-readable description and, when another error caused it, that error.
struct TarvelloError {
    QString domain;
    qint64 code = 0;
    QString description;
    std::shared_ptr<const TarvelloError> underlying;

    static inline const QString sdkDomain = QStringLiteral("TarvelloSDK");

    static TarvelloError sdk(qint64 code, const QString& description) {
        return TarvelloError{sdkDomain, code, description, nullptr};
    }

    bool operator==(const TarvelloError& o) const {
        return domain == o.domain && code == o.code && description == o.description;
    }
};

Q_DECLARE_METATYPE(TarvelloError)
