#include "portable/ShellIdListLayout.h"

#include <algorithm>

namespace {

constexpr uint64_t kLengthSize = 2;

// Takes the bytes walked from `budget`; nullopt once it is spent.
std::optional<IdListSpan> ReadIdList(ByteSpan bytes, uint64_t offset, uint64_t& budget)
{
    if (budget == 0)
        return std::nullopt;
    const auto walk = WalkIdList(bytes, offset);
    const auto* list = std::get_if<IdListSpan>(&walk);
    const uint64_t end = list ? offset + list->size : std::max(offset, std::get<IdListFault>(walk).at);
    budget -= std::min(budget, end - offset);
    return list ? std::optional(*list) : std::nullopt;
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

    // Lists may share bytes, so a hostile table could have one long list
    // walked (and taken) once per offset: the walks stop after twice the
    // bytes a table of disjoint lists would take, and the lists past that are broken.
    uint64_t budget = 2 * uint64_t{bytes.size()};
    ShellIdListLayout layout;
    layout.parent = ReadIdList(bytes, *ReadU32(bytes, 4), budget);
    layout.items.reserve(*count);
    for (uint64_t i = 1; i < offsets; ++i)
        layout.items.push_back(ReadIdList(bytes, *ReadU32(bytes, 4 + 4 * i), budget));
    return layout;
}
