// Turns a node's bytes into text with a code page of the list: UTF-16 read
// directly, the ANSI and OEM code pages through MultiByteToWideChar, every
// other code page through MLang when "mlang.dll" is there (it also knows
// ISO-2022-JP and EUC-JP, which MultiByteToWideChar refuses).
#pragma once

#include "framework/Handles.h"
#include "portable/ByteReaderLayout.h"
#include "portable/TextLines.h"

#include <climits>
#include <string>

// Larger inputs are refused: MLang's output capacity (count + 1024) must fit in an int.
inline constexpr uint64_t kMaxDecodedBytes = INT_MAX - 1024;

struct DecodedText {
    std::wstring text;  // with CR LF for every line break
    LineBreakCounts lineBreaks;  // as the converted text had them
    bool nulFound = false;
    bool converted = true;  // false when the converter refused the code page or the bytes
};

class CTextDecoder {
public:
    CTextDecoder();

    // The text before the first NUL, at most kMaxDecodedBytes bytes. Throws
    // std::bad_alloc when memory runs out.
    DecodedText Decode(ByteSpan bytes, int codePage) const;

private:
    using ConvertINetMultiByteToUnicodeFn = HRESULT(WINAPI*)(LPDWORD, DWORD, LPCSTR, LPINT, LPWSTR, LPINT);

    bool Convert(ByteSpan bytes, int codePage, std::wstring& text) const;

    CModuleHandle m_mlang;
    ConvertINetMultiByteToUnicodeFn m_pConvert = nullptr;  // null without MLang
};
