#include "framework/DialogTemplate.h"

#include "framework/Resource.h"

#include <cstring>
#include <optional>

namespace {

// Where the fields a page changes sit, and where the variable part starts.
struct CHeaderLayout {
    size_t styleOffset;
    size_t exStyleOffset;
    size_t size;
};

constexpr CHeaderLayout kClassicHeader{0, 4, 18};   // DLGTEMPLATE
constexpr CHeaderLayout kExtendedHeader{12, 8, 26};  // DLGTEMPLATEEX

WORD ReadWord(std::span<const BYTE> bytes, size_t offset)
{
    WORD value;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

std::optional<CHeaderLayout> ReadHeaderLayout(std::span<const BYTE> bytes)
{
    // An extended template starts with version 1 and signature 0xFFFF.
    const bool extended = bytes.size() >= 4 && ReadWord(bytes, 0) == 1 && ReadWord(bytes, 2) == 0xFFFF;
    const CHeaderLayout& layout = extended ? kExtendedHeader : kClassicHeader;
    if (bytes.size() < layout.size)
        return std::nullopt;
    return layout;
}

// The offset after the NUL of the string at `offset`.
std::optional<size_t> SkipString(std::span<const BYTE> bytes, size_t offset)
{
    for (size_t pos = offset; pos + 2 <= bytes.size(); pos += 2) {
        if (ReadWord(bytes, pos) == 0)
            return pos + 2;
    }
    return std::nullopt;
}

// The offset after a menu or class field: nothing, an ordinal or a string.
std::optional<size_t> SkipNameOrOrdinal(std::span<const BYTE> bytes, size_t offset)
{
    if (offset + 2 > bytes.size())
        return std::nullopt;
    switch (ReadWord(bytes, offset)) {
    case 0x0000:
        return offset + 2;
    case 0xFFFF:
        return offset + 4 <= bytes.size() ? std::optional<size_t>(offset + 4) : std::nullopt;
    default:
        return SkipString(bytes, offset);
    }
}

void ChangeDword(std::vector<BYTE>& bytes, size_t offset, DWORD remove, DWORD add)
{
    DWORD value;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    value = (value & ~remove) | add;
    std::memcpy(bytes.data() + offset, &value, sizeof(value));
}

}

std::span<const BYTE> FindDialogTemplate(UINT id)
{
    return FindResourceBytes(id, RT_DIALOG);
}

std::wstring GetDialogTemplateCaption(std::span<const BYTE> bytes)
{
    const std::optional<CHeaderLayout> layout = ReadHeaderLayout(bytes);
    if (!layout)
        return {};
    std::optional<size_t> offset = SkipNameOrOrdinal(bytes, layout->size);
    if (offset)
        offset = SkipNameOrOrdinal(bytes, *offset);
    const std::optional<size_t> end = offset ? SkipString(bytes, *offset) : std::nullopt;
    if (!end)
        return {};
    std::wstring caption((*end - *offset) / 2 - 1, L'\0');
    std::memcpy(caption.data(), bytes.data() + *offset, caption.size() * sizeof(wchar_t));
    return caption;
}

std::vector<BYTE> MakePageTemplate(std::span<const BYTE> bytes)
{
    const std::optional<CHeaderLayout> layout = ReadHeaderLayout(bytes);
    if (!layout)
        return {};
    std::vector<BYTE> page(bytes.begin(), bytes.end());
    ChangeDword(page, layout->styleOffset,
                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE | WS_DISABLED | DS_MODALFRAME,
                WS_CHILD | DS_CONTROL);
    ChangeDword(page, layout->exStyleOffset, 0, WS_EX_CONTROLPARENT);
    return page;
}
