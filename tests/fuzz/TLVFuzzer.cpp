// Any byte buffer: decoding never crashes, and whatever decodes re-encodes to a buffer that
// decodes to the same elements.
#include "reader/TLV.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray buffer(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto list = TLV::decodeTags(buffer);
    (void)stringToData(QString::fromLatin1(buffer));
    if (!list)
        return 0;
    for (const TLV& element : *list) {
        (void)element.description();
        (void)element.constructed();
    }
    const auto again = TLV::decodeTags(TLV::encodeTags(*list));
    if (!again || again->size() != list->size())
        std::abort();
    for (qsizetype i = 0; i < list->size(); ++i)
        if (again->at(i).tag() != list->at(i).tag() || again->at(i).data() != list->at(i).data())
            std::abort();
    if (!list->isEmpty())
        (void)TLV::findLastTag(list->last().tag(), list);
    return 0;
}
