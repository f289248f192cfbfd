// Shell item lists (CIDA): one entry per stored offset, and each list found
// is a chain of SHITEMIDs inside the bytes ending at its zero terminator.
#include "FuzzSupport.h"
#include "portable/ShellIdListLayout.h"

namespace {

void CheckIdList(ByteSpan bytes, uint64_t storedOffset, const std::optional<IdListSpan>& list)
{
    if (!list)
        return;
    Require(list->offset == storedOffset && list->size >= 2 && Fits(bytes, list->offset, list->size));
    const uint64_t terminator = list->offset + list->size - 2;
    uint64_t at = list->offset;
    while (at < terminator) {
        const uint16_t length = *ReadU16(bytes, at);
        Require(length >= 2);
        at += length;
    }
    Require(at == terminator && *ReadU16(bytes, terminator) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ByteSpan bytes(data, size);
    const auto layout = ReadShellIdListLayout(bytes);
    if (!layout)
        return 0;
    Require(layout->items.size() == *ReadU32(bytes, 0) && Fits(bytes, 4, 4 * (layout->items.size() + 1)));
    CheckIdList(bytes, *ReadU32(bytes, 4), layout->parent);
    for (size_t i = 0; i < layout->items.size(); ++i)
        CheckIdList(bytes, *ReadU32(bytes, 8 + 4 * i), layout->items[i]);
    return 0;
}
