#include "support/TestBytes.h"

#include "framework/Handles.h"

CBytes BytesOf(std::string_view text)
{
    return CBytes(text.begin(), text.end());
}

CBytes BytesOf(std::wstring_view text)
{
    CBytes bytes;
    bytes.reserve(text.size() * 2);
    for (wchar_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    return bytes;
}

CBytes PatternBytes(size_t size)
{
    CBytes bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<BYTE>(i % 251);
    return bytes;
}

CBytes GlobalBytes(HGLOBAL global)
{
    CGlobalLock lock(global);
    if (!lock)
        return {};
    const BYTE* p = static_cast<const BYTE*>(lock.Get());
    return CBytes(p, p + lock.Size());
}

CBytes StreamBytes(IStream* stream)
{
    CBytes bytes;
    BYTE chunk[4096];
    for (;;) {
        ULONG read = 0;
        const HRESULT hr = stream->Read(chunk, sizeof chunk, &read);
        bytes.insert(bytes.end(), chunk, chunk + read);
        if (FAILED(hr) || read < sizeof chunk)
            return bytes;
    }
}

void Put32(CBytes& bytes, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<BYTE>(value >> (8 * i));
}
