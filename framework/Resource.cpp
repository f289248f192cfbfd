#include "framework/Resource.h"

#include "framework/Format.h"
#include "portable/DibLayout.h"

#include <cstdarg>
#include <cstring>

namespace {

std::span<const BYTE> BytesOf(HRSRC resource)
{
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return {};
    return {static_cast<const BYTE*>(data), ::SizeofResource(module, resource)};
}

// Entry `id` of its block of sixteen counted strings.
std::wstring StringOfBlock(std::span<const BYTE> block, UINT id)
{
    size_t offset = 0;
    for (UINT index = 0; index <= id % 16; ++index) {
        if (offset + sizeof(WORD) > block.size())
            return {};
        const WORD length = *reinterpret_cast<const WORD*>(block.data() + offset);
        offset += sizeof(WORD);
        if (offset + length * sizeof(wchar_t) > block.size())
            return {};
        if (index == id % 16)
            return std::wstring(reinterpret_cast<const wchar_t*>(block.data() + offset), length);
        offset += length * sizeof(wchar_t);
    }
    return {};
}

UINT BlockOf(UINT id)
{
    return id / 16 + 1;
}

}  // namespace

std::span<const BYTE> FindResourceBytesIn(UINT id, const wchar_t* type, LANGID language)
{
    return BytesOf(::FindResourceExW(::GetModuleHandleW(nullptr), type, MAKEINTRESOURCEW(id), language));
}

std::span<const BYTE> FindResourceBytes(UINT id, const wchar_t* type, LANGID language)
{
    const std::span<const BYTE> bytes = FindResourceBytesIn(id, type, language);
    return !bytes.empty() ? bytes : BytesOf(::FindResourceW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), type));
}

CBitmapHandle LoadBitmapResource(UINT id)
{
    // A bitmap resource is a packed DIB: header, colours, then the pixels.
    const std::span<const BYTE> bytes = FindResourceBytes(id, RT_BITMAP);
    const std::optional<DibLayout> dib = ReadDibLayout(ByteSpan(bytes.data(), bytes.size()));
    if (!dib)
        return CBitmapHandle();
    void* bits = nullptr;
    CBitmapHandle bitmap(::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(bytes.data()), DIB_RGB_COLORS,
                                            &bits, nullptr, 0));
    if (bitmap && bits)
        std::memcpy(bits, bytes.data() + dib->bitsOffset, dib->bitsSize);
    return bitmap;
}

std::wstring LoadResStringIn(UINT id, LANGID language)
{
    return StringOfBlock(FindResourceBytesIn(BlockOf(id), RT_STRING, language), id);
}

std::wstring LoadResString(UINT id, LANGID language)
{
    std::wstring text = LoadResStringIn(id, language);
    for (const LANGID other : {kJapaneseUi, kEnglishUi}) {
        if (text.empty())
            text = LoadResStringIn(id, other);
    }
    return text;
}

std::wstring FormatResString(UINT id, ...)
{
    va_list args;
    va_start(args, id);
    std::wstring text = FormatStringV(LoadResString(id).c_str(), args);
    va_end(args);
    return text;
}
