// What each command line asks Plexa to do, and what is wrong with those it refuses.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct CommandLineCase {
    const wchar_t* commandLine;
    CommandKind command;
    std::vector<std::wstring> paths;
    int holdSeconds = 30;
    bool json = false;
    bool refused = false;
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
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseCommandLineTest,
    testing::Values(CommandLineCase{L"Plexa.exe", CommandKind::Window, {}},
                    CommandLineCase{L"Plexa.exe \"C:\\a b.plexa\"", CommandKind::Window, {L"C:\\a b.plexa"}},
                    CommandLineCase{L"Plexa.exe /DUMP out -json", CommandKind::Dump, {L"out"}, 30, true},
                    CommandLineCase{L"Plexa.exe /load s.plexa /hold 0", CommandKind::Load, {L"s.plexa"}, 0},
                    CommandLineCase{L"Plexa.exe /compare a b", CommandKind::Compare, {L"a", L"b"}},
                    CommandLineCase{L"Plexa.exe x /?", CommandKind::Help, {L"x"}},
                    CommandLineCase{L"Plexa.exe /compare a", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /save a /dump b", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /save a /hold 5", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /load a /hold 86401", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /load a /hold", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /save a /json", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe /load a /force", {}, {}, 30, false, true},
                    CommandLineCase{L"Plexa.exe a b", {}, {}, 30, false, true}));
