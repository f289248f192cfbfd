#include "viewers/TextDecoder.h"

#include "portable/CodePageValues.h"
#include "portable/TextBytes.h"

namespace {
// MLang's output room beyond one character per byte.
constexpr int kOutputSlack = 1024;
}

CTextDecoder::CTextDecoder() : m_mlang(::LoadLibraryW(L"mlang.dll"))
{
    if (m_mlang)
        m_pConvert = reinterpret_cast<ConvertINetMultiByteToUnicodeFn>(
            reinterpret_cast<void*>(::GetProcAddress(m_mlang, "ConvertINetMultiByteToUnicode")));
}

DecodedText CTextDecoder::Decode(ByteSpan bytes, int codePage) const
{
    DecodedText decoded;
    if (bytes.size() > kMaxDecodedBytes) {
        decoded.converted = false;
        return decoded;
    }
    if (codePage < 0) {
        decoded.text = Utf16Text(bytes, codePage, decoded.nulFound);
    } else {
        const TextBytes text = ByteCodePageText(bytes, codePage);
        decoded.nulFound = text.nulFound;
        decoded.converted = text.bytes.empty() || Convert(text.bytes, codePage, decoded.text);
    }
    decoded.lineBreaks = CountLineBreaks(decoded.text);
    if (decoded.lineBreaks.cr > 0 || decoded.lineBreaks.lf > 0)
        decoded.text = ToCrLf(decoded.text);
    return decoded;
}

bool CTextDecoder::Convert(ByteSpan bytes, int codePage, std::wstring& text) const
{
    const auto source = reinterpret_cast<LPCSTR>(bytes.data());
    int count = static_cast<int>(bytes.size());
    if (m_pConvert && codePage != kCodePageAnsi && codePage != kCodePageOem) {
        DWORD mode = 0;
        int length = count + kOutputSlack;
        text.resize(static_cast<size_t>(length));
        if (FAILED(m_pConvert(&mode, static_cast<DWORD>(codePage), source, &count, text.data(), &length))) {
            text.clear();
            return false;
        }
        text.resize(static_cast<size_t>(length));
        return true;
    }
    const int length = ::MultiByteToWideChar(static_cast<UINT>(codePage), 0, source, count, nullptr, 0);
    if (length <= 0)
        return false;
    text.resize(static_cast<size_t>(length));
    text.resize(static_cast<size_t>(
        ::MultiByteToWideChar(static_cast<UINT>(codePage), 0, source, count, text.data(), length)));
    return !text.empty();
}
