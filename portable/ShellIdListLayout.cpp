#include "portable/ShellIdListLayout.h"

namespace {

constexpr uint64_t kLengthSize = 2;

// Walks the SHITEMIDs from `offset`; each length counts its own two bytes.
std::optional<IdListSpan> ReadIdList(ByteSpan bytes, uint64_t offset)
{
    for (uint64_t at = offset;;) {
        auto length = ReadU16(bytes, at);
        if (!length || *length == 1)
            return std::nullopt;
        if (*length == 0)
            return IdListSpan{offset, at + kLengthSize - offset};
        if (!Fits(bytes, at, *length))
            return std::nullopt;
        at += *length;
    }
}

} // namespace

std::optional<ShellIdListLayout> ReadShellIdListLayout(ByteSpan bytes)
{
    auto count = ReadU32(bytes, 0);
    if (!count)
        return std::nullopt;
    const uint64_t offsets = uint64_t{*count} + 1;
    if (!Fits(bytes, 4, 4 * offsets))
        return std::nullopt;

    ShellIdListLayout layout;
    layout.parent = ReadIdList(bytes, *ReadU32(bytes, 4));
    layout.items.reserve(*count);
    for (uint64_t i = 1; i < offsets; ++i)
        layout.items.push_back(ReadIdList(bytes, *ReadU32(bytes, 4 + 4 * i)));
    return layout;
}
