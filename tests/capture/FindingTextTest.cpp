// The words of findings: every id's message exists in both languages with
// the same values put in, and an id without words still shows its values.
#include "capture/FindingText.h"
#include "framework/Resource.h"
#include "framework/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
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

TEST(FindingText, PutsTheValuesInAndShowsThoseOfAnIdWithoutWords)
{
    const Finding missing{"hdrop.missing-file", FindingSeverity::Note, {}, std::nullopt, 0, {"C:\\100%.txt"}};
    const auto message = std::find_if(kCaptureCheckMessages.begin(), kCaptureCheckMessages.end(),
                                      [](const CheckMessage& m) { return m.id == std::string("hdrop.missing-file"); });
    ASSERT_NE(message, kCaptureCheckMessages.end());
    const std::wstring pattern = LoadResString(message->text);
    EXPECT_EQ(FindingMessage(missing), std::regex_replace(pattern, std::wregex(L"%1"), L"C:\\100%.txt"));
    const Finding unknown{"future.check", FindingSeverity::Warning, {}, std::nullopt, 0, {"a", "b"}};
    EXPECT_EQ(FindingMessage(unknown), L"future.check a b");
}
