// What each command line asks Plexa to do, and what is wrong with those it refuses.
#include "app/CommandLine.h"
#include "framework/Format.h"
#include "framework/Resource.h"
#include "res/strings/app.h"

#include <gtest/gtest.h>

namespace {

struct CommandLineCase {
    const wchar_t* commandLine;
    CommandKind command;
    std::vector<std::wstring> paths;
    int holdSeconds = 30;
    bool json = false;
    bool refused = false;
    LANGID language = 0;
};

class ParseCommandLineTest : public testing::TestWithParam<CommandLineCase> {};

}

TEST_P(ParseCommandLineTest, ReadsTheCommandItsPathsAndOptions)
{
    const CommandLineCase& expected = GetParam();
    const CCommandLine parsed = ParseCommandLine(expected.commandLine);
    EXPECT_EQ(parsed.error.empty(), !expected.refused) << parsed.error;
    if (expected.refused)
        return;
    EXPECT_EQ(parsed.command, expected.command);
    EXPECT_EQ(parsed.paths, expected.paths);
    EXPECT_EQ(parsed.holdSeconds, expected.holdSeconds);
    EXPECT_EQ(parsed.json, expected.json);
    EXPECT_EQ(parsed.language, expected.language);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseCommandLineTest,
    testing::Values(CommandLineCase{L"Plexa.exe", CommandKind::Window, {}},
                    CommandLineCase{L"Plexa.exe \"C:\\a b.plexa\"", CommandKind::Window, {L"C:\\a b.plexa"}},
                    CommandLineCase{L"Plexa.exe /DUMP out -json", CommandKind::Dump, {L"out"}, 30, true},
                    CommandLineCase{L"Plexa.exe /load s.plexa /hold 0", CommandKind::Load, {L"s.plexa"}, 0},
                    CommandLineCase{L"Plexa.exe /compare a b", CommandKind::Compare, {L"a", L"b"}},
                    CommandLineCase{L"Plexa.exe x /?", CommandKind::Help, {L"x"}},
                    CommandLineCase{L"Plexa.exe /check /json", CommandKind::Check, {}, 30, true},
                    CommandLineCase{L"Plexa.exe /check d.plexa /strict /force", CommandKind::Check, {L"d.plexa"}},
                    CommandLineCase{L"Plexa.exe /check a b", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /dump a /strict", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /compare a", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /save a /dump b", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /save a /hold 5", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /load a /hold 86401", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /load a /hold", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /save a /json", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /load a /force", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe a b", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /lang EN", CommandKind::Window, {}, 30, false, false, kEnglishUi},
                    CommandLineCase{L"Plexa.exe /dump out -LANG ja /json", CommandKind::Dump, {L"out"}, 30, true, false,
                                    kJapaneseUi},
                    CommandLineCase{L"Plexa.exe a.plexa /lang en", CommandKind::Window, {L"a.plexa"}, 30, false, false,
                                    kEnglishUi},
                    CommandLineCase{L"Plexa.exe /lang fr", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /save a /lang", {}, {}, 30, false, true}));

struct CommandLineMessageCase {
    const wchar_t* commandLine;
    LANGID language;
};

class CommandLineMessageTest : public testing::TestWithParam<CommandLineMessageCase> {};

// The language is known before anything is said, wherever /lang stands.
TEST_P(CommandLineMessageTest, SaysWhatIsWrongInTheLanguageOfLang)
{
    const CCommandLine parsed = ParseCommandLine(GetParam().commandLine);
    const std::wstring message = LoadResStringIn(IDS_CMDLINE_UNKNOWN_OPTION, GetParam().language);
    ASSERT_FALSE(message.empty());
    EXPECT_EQ(parsed.error, FormatString(message.c_str(), L"/dupm"));
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLineMessageTest,
                         testing::Values(CommandLineMessageCase{L"Plexa.exe /dupm x /lang en", kEnglishUi},
                                         CommandLineMessageCase{L"Plexa.exe /lang EN /dupm x", kEnglishUi},
                                         CommandLineMessageCase{L"Plexa.exe -lang ja /dupm x", kJapaneseUi}));
