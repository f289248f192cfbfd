// Names from the shell's STRRET replies in each of their three forms.
#include "capture/ShellItemName.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// "日本" in code page 932.
const char kNihonAnsi[] = "\x93\xfa\x96\x7b";

ByteSpan Span(const std::vector<uint8_t>& bytes)
{
    return ByteSpan(bytes.data(), bytes.size());
}

}

TEST(TraversalShellNames, WideNameIsTakenAndItsMemoryHandedBack)
{
    const wchar_t text[] = L"名前.txt";
    STRRET reply{STRRET_WSTR, {}};
    reply.pOleStr = static_cast<wchar_t*>(::CoTaskMemAlloc(sizeof text));
    std::memcpy(reply.pOleStr, text, sizeof text);

    EXPECT_EQ(TakeStrRet(reply, {}), std::wstring(text));
    EXPECT_EQ(reply.pOleStr, nullptr);
}

TEST(TraversalShellNames, InlineAnsiNameIsConvertedWithTheAnsiCodePage)
{
    STRRET reply{STRRET_CSTR, {}};
    std::strcpy(reply.cStr, kNihonAnsi);
    EXPECT_EQ(TakeStrRet(reply, {}), std::wstring(L"日本"));
}

TEST(TraversalShellNames, InlineAnsiNameWithoutItsNulStopsAtTheEndOfTheReply)
{
    STRRET reply{STRRET_CSTR, {}};
    std::memset(reply.cStr, 'n', sizeof reply.cStr);
    EXPECT_EQ(TakeStrRet(reply, {}), std::wstring(sizeof reply.cStr, L'n'));
}

TEST(TraversalShellNames, NameAtAnOffsetIsReadInsideTheList)
{
    std::vector<uint8_t> list{10, 0, 'x', 'x', 0x93, 0xfa, 0x96, 0x7b, 0, 'x', 0, 0};
    STRRET reply{STRRET_OFFSET, {}};
    reply.uOffset = 4;
    EXPECT_EQ(TakeStrRet(reply, Span(list)), std::wstring(L"日本"));
}

TEST(TraversalShellNames, NameAtAnOffsetThatLeavesTheListIsNone)
{
    std::vector<uint8_t> unterminated{6, 0, 'a', 'b', 'c', 'd'};
    STRRET inside{STRRET_OFFSET, {}};
    inside.uOffset = 2;
    EXPECT_EQ(TakeStrRet(inside, Span(unterminated)), std::nullopt);

    std::vector<uint8_t> list{4, 0, 'a', 0, 0, 0};
    STRRET outside{STRRET_OFFSET, {}};
    outside.uOffset = 100;
    EXPECT_EQ(TakeStrRet(outside, Span(list)), std::nullopt);
    outside.uOffset = 0xFFFFFFFFu;
    EXPECT_EQ(TakeStrRet(outside, Span(list)), std::nullopt);
}

TEST(TraversalShellNames, UnknownFormIsNone)
{
    STRRET reply{7, {}};
    EXPECT_EQ(TakeStrRet(reply, {}), std::nullopt);
}
