// Stored text cut for decoding: byte code pages give the bytes before the
// first zero (after the UTF-8 mark for UTF-8), UTF-16 gives the units before
// the first zero unit in the byte order asked for, after that order's mark.
#include "FuzzSupport.h"
#include "portable/CodePageValues.h"
#include "portable/TextBytes.h"
#include "portable/TextDetect.h"

#include <algorithm>
#include <cstring>

namespace {

void CheckByteCodePage(ByteSpan bytes, int codePage)
{
    const auto* nul = static_cast<const uint8_t*>(std::memchr(bytes.data(), 0, bytes.size()));
    const size_t end = nul ? static_cast<size_t>(nul - bytes.data()) : bytes.size();
    const bool markSkipped = codePage == kCodePageUtf8 && DetectBom(bytes).codePage == kCodePageUtf8;
    const size_t skipped = markSkipped ? std::min<size_t>(3, end) : 0;
    const TextBytes text = ByteCodePageText(bytes, codePage);
    Require(text.nulFound == (nul != nullptr));
    Require(text.bytes.data() == bytes.data() + skipped && text.bytes.size() == end - skipped);
}

void CheckUtf16(ByteSpan bytes, int codePage)
{
    const bool bigEndian = codePage == kCodePageUtf16BE;
    const auto unitAt = [&](size_t i) {
        return bigEndian ? bytes[2 * i] << 8 | bytes[2 * i + 1] : bytes[2 * i] | bytes[2 * i + 1] << 8;
    };
    const size_t units = bytes.size() / 2;
    const size_t first = units > 0 && unitAt(0) == 0xFEFF ? 1 : 0;
    bool nulFound = false;
    const std::wstring text = Utf16Text(bytes, codePage, nulFound);
    Require(first + text.size() <= units);
    for (size_t i = 0; i < text.size(); ++i)
        Require(text[i] != 0 && static_cast<int>(text[i]) == unitAt(first + i));
    Require(nulFound == (first + text.size() < units));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ByteSpan bytes(data, size);
    CheckByteCodePage(bytes, kCodePageUtf8);
    CheckByteCodePage(bytes, 932);
    CheckUtf16(bytes, kCodePageUtf16LE);
    CheckUtf16(bytes, kCodePageUtf16BE);
    return 0;
}
