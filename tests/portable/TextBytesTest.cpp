#include "portable/CodePageValues.h"
#include "portable/TextBytes.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

ByteSpan Bytes(std::string_view text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

TEST(TextBytes, StopAtTheFirstNulAndSkipOnlyTheMarkOfTheChosenEncoding)
{
    const TextBytes marked = ByteCodePageText(Bytes("\xEF\xBB\xBF" "a"), 932);
    EXPECT_EQ(marked.bytes.size(), 4u) << "the UTF-8 mark is text in other code pages";
    EXPECT_FALSE(marked.nulFound);

    const struct {
        std::string_view bytes;
        int codePage;
        std::wstring text;
        bool nul;
    } cases[] = {
        {std::string_view("\xFF\xFE" "A\0\0\0B\0", 8), kCodePageUtf16LE, L"A", true},
        {std::string_view("\xFE\xFF\0A\0", 5), kCodePageUtf16BE, L"A", false},  // odd last byte ignored
        {std::string_view("\xFF\xFE" "A\0", 4), kCodePageUtf16BE, L"\xFFFE\x4100", false},
        {std::string_view("\xFE\xFF" "A\0", 4), kCodePageUtf16LE, L"\xFFFE" L"A", false},
        // Other negatives read little-endian, and no mark is theirs.
        {std::string_view("\xFF\xFE" "A\0", 4), -7, L"\xFEFF" L"A", false},
        {std::string_view("\xFF\xFE" "A\0", 4), kCodePageNone, L"\xFEFF" L"A", false},
        {std::string_view("A\0B\0", 4), kCodePageNone, L"AB", false},
    };
    for (const auto& c : cases) {
        bool nul = !c.nul;
        EXPECT_EQ(Utf16Text(Bytes(c.bytes), c.codePage, nul), c.text) << c.codePage;
        EXPECT_EQ(nul, c.nul);
    }
}

}
