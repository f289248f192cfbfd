#include "framework/DialogTemplate.h"

#include "framework/Resource.h"
#include "portable/ByteReaderLayout.h"

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

std::optional<CHeaderLayout> ReadHeaderLayout(ByteSpan bytes)
{
    // An extended template starts with version 1 and signature 0xFFFF.
    const bool extended = ReadU16(bytes, 0) == 1 && ReadU16(bytes, 2) == 0xFFFF;
    const CHeaderLayout& layout = extended ? kExtendedHeader : kClassicHeader;
    if (!Fits(bytes, 0, layout.size))
        return std::nullopt;
    return layout;
}

// The string at `offset`, when its NUL is there.
std::optional<TerminatedString<char16_t>> ReadString(ByteSpan bytes, uint64_t offset)
{
    TerminatedString<char16_t> text = ReadTerminated<char16_t>(bytes, offset, bytes.size());
    if (!text.terminated)
        return std::nullopt;
    return text;
}

// The offset after a menu or class field: nothing, an ordinal or a string.
std::optional<uint64_t> SkipNameOrOrdinal(ByteSpan bytes, uint64_t offset)
{
    const std::optional<uint16_t> first = ReadU16(bytes, offset);
    if (!first)
        return std::nullopt;
    switch (*first) {
    case 0x0000:
        return offset + 2;
    case 0xFFFF:
        return Fits(bytes, offset, 4) ? std::optional<uint64_t>(offset + 4) : std::nullopt;
    default: {
        const std::optional<TerminatedString<char16_t>> name = ReadString(bytes, offset);
        return name ? std::optional<uint64_t>(name->end) : std::nullopt;
    }
    }
}

// Only inside a header whose size was checked.
void ChangeDword(std::vector<BYTE>& bytes, size_t offset, DWORD remove, DWORD add)
{
    const DWORD value = (ReadU32(bytes, offset).value_or(0) & ~remove) | add;
    for (size_t i = 0; i < sizeof(value); ++i)
        bytes[offset + i] = static_cast<BYTE>(value >> (8 * i));
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
    std::optional<uint64_t> offset = SkipNameOrOrdinal(bytes, layout->size);
    if (offset)
        offset = SkipNameOrOrdinal(bytes, *offset);
    const std::optional<TerminatedString<char16_t>> caption = offset ? ReadString(bytes, *offset) : std::nullopt;
    if (!caption)
        return {};
    return std::wstring(caption->text.begin(), caption->text.end());
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
