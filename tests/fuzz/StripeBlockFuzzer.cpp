// Any text as a stripe result block: the reader never crashes or reads past the text, and
// always answers one of its two result codes.
#include "model/CreditCard.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString block = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    CreditCard card;
    const qint32 result = card.emvReadMSRCode(block);
    if (result != CARD_OK && result != ERROR_CARD_BAD_DATA)
        std::abort();
    (void)CreditCard::getEMVRealData(block, true);
    (void)CreditCard::getEMVObjectFromTagLength(block, "DF1F", 10, true, 2);
    (void)CreditCard::createEMVDataTag("9F02", block.left(40), int(size % 40));
    (void)CreditCard::isCardNumberValid(block);
    (void)CreditCard::getIssuer(block);
    return 0;
}
