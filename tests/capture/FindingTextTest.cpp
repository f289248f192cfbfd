// The words of findings: every id's message exists in both languages with
// the same values put in.
#include "capture/FindingText.h"
#include "framework/Resource.h"
#include "framework/Utf8.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The numbers of the values a message puts in.
std::set<wchar_t> InsertsOf(const std::wstring& text)
{
    std::set<wchar_t> inserts;
    for (size_t at = text.find(L'%'); at != std::wstring::npos && at + 1 < text.size(); at = text.find(L'%', at + 2))
        if (text[at + 1] != L'%')
            inserts.insert(text[at + 1]);
    return inserts;
}

}  // namespace

TEST(FindingText, EveryMessageExistsInBothLanguagesWithTheSameValues)
{
    std::set<std::pair<std::string, std::string>> seen;
    for (const auto& table : {kTextCheckMessages, kBinaryCheckMessages, kCaptureCheckMessages}) {
        for (const CheckMessage& message : table) {
            SCOPED_TRACE(std::string(message.id) + "/" + message.variant);
            EXPECT_TRUE(seen.emplace(message.id, message.variant).second) << "listed once";
            const std::wstring japanese = LoadResStringIn(message.text, MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
            const std::wstring english = LoadResStringIn(message.text, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
            ASSERT_FALSE(japanese.empty());
            ASSERT_FALSE(english.empty());
            EXPECT_EQ(InsertsOf(japanese), InsertsOf(english));
            for (wchar_t insert : InsertsOf(english))
                EXPECT_TRUE(insert >= L'1' && insert <= L'9') << ToUtf8(english);
        }
    }
}
