#pragma once

#include <QMap>
#include <QStringList>

// The card schemes' certification-authority public keys. Key: RID and key index as spaced hex
// pairs ("A0 00 00 00 03 95"); value: modulus and exponent as upper-case hex. Each call builds
// a new table.
class CAKeys {
public:
    using Table = QMap<QString, QStringList>;

    // Keys of the schemes' test and certification environments.
    static Table getPublicKeys();
    // Keys for cards in live use.
    static Table getProductionKeys();
};
