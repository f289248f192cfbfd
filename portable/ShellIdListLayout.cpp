#include "portable/ShellIdListLayout.h"

namespace {

constexpr uint64_t kLengthSize = 2;

std::optional<IdListSpan> ReadIdList(ByteSpan bytes, uint64_t offset)
{
    auto walk = WalkIdList(bytes, offset);
    if (const auto* list = std::get_if<IdListSpan>(&walk))
        return *list;
    return std::nullopt;
}

} // namespace

// Each SHITEMID's length counts its own two bytes.
std::variant<IdListSpan, IdListFault> WalkIdList(ByteSpan bytes, uint64_t offset)
{
    for (uint64_t at = offset;;) {
        auto length = ReadU16(bytes, at);
        if (length == 1)
            return IdListFault{at, true};
        if (!length || !Fits(bytes, at, *length))
            return IdListFault{at, false};
        if (*length == 0)
            return IdListSpan{offset, at + kLengthSize - offset};
        at += *length;
    }
}

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
