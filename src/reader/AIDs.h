#pragma once

#include <QMap>
#include <QString>
#include <optional>

// Terminal parameters per EMV application identifier: eight tags (9F06, 9F09, C2, C8, C9, CA,
// 9F1B, 9F35) as upper-case hex texts. The table is built once, on first use.
class AIDs {
public:
    using Tags = QMap<QString, QString>;

    // The tags of the AID: an exact match first, then the first table AID found inside the
    // text with its spaces removed (so a longer AID finds its row); none otherwise.
    static std::optional<Tags> tagsForAID(const QString& aid);
};
