#include "app/CommandLine.h"

#include "framework/Format.h"
#include "framework/Resource.h"
#include "res/strings/app.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>

namespace {

struct CCommandName {
    const wchar_t* name;
    CommandKind command;
    size_t fewestPaths, mostPaths;
    bool json, force;  // whether the options apply
};

constexpr CCommandName kCommands[] = {
    {L"dump", CommandKind::Dump, 1, 1, true, true},
    {L"save", CommandKind::Save, 1, 1, false, true},
    {L"load", CommandKind::Load, 1, 1, false, false},
    {L"compare", CommandKind::Compare, 2, 2, true, false},
    {L"check", CommandKind::Check, 0, 1, true, true},
};

struct CLanguageName {
    const wchar_t* name;
    LANGID language;
};

constexpr CLanguageName kLanguages[] = {
    {L"ja", kJapaneseUi},
    {L"en", kEnglishUi},
};

constexpr int kMaxHoldSeconds = 24 * 60 * 60;

bool IsOption(const std::wstring& argument)
{
    return argument.size() > 1 && (argument[0] == L'/' || argument[0] == L'-');
}

bool Is(const std::wstring& option, const wchar_t* name)
{
    return ::lstrcmpiW(option.c_str() + 1, name) == 0;
}

// The whole argument as a number of seconds within range, or -1.
int ParseSeconds(const std::wstring& text)
{
    if (text.empty() || text.size() > 6 || text.find_first_not_of(L"0123456789") != std::wstring::npos)
        return -1;
    const int seconds = std::stoi(text);
    return seconds <= kMaxHoldSeconds ? seconds : -1;
}

// The language a `/lang` value names; 0 for none.
LANGID LanguageNamed(const std::wstring& value)
{
    for (const CLanguageName& known : kLanguages) {
        if (::lstrcmpiW(value.c_str(), known.name) == 0)
            return known.language;
    }
    return 0;
}

// Takes every `/lang VALUE` out of `arguments`, so that whatever is said about
// the others is said in that language; false when a value is missing or unknown.
bool TakeLanguage(std::vector<std::wstring>& arguments, LANGID& language)
{
    for (auto option = arguments.begin(); option != arguments.end();) {
        if (!IsOption(*option) || !Is(*option, L"lang")) {
            ++option;
            continue;
        }
        language = option + 1 != arguments.end() ? LanguageNamed(option[1]) : 0;
        if (!language)
            return false;
        option = arguments.erase(option, option + 2);
    }
    return true;
}

void Parse(std::vector<std::wstring> arguments, CCommandLine& parsed)
{
    if (!TakeLanguage(arguments, parsed.language)) {
        parsed.error = LoadResString(IDS_CMDLINE_LANG_VALUE);
        return;
    }
    const LANGID language = parsed.language ? parsed.language : GetUiLanguage();
    const auto text = [language](UINT id) { return LoadResString(id, language); };
    bool holdGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (!IsOption(argument)) {
            parsed.paths.push_back(argument);
            continue;
        }
        if (Is(argument, L"?") || Is(argument, L"h") || Is(argument, L"help")) {
            parsed.command = CommandKind::Help;
            return;
        }
        if (Is(argument, L"json")) {
            parsed.json = true;
        } else if (Is(argument, L"force")) {
            parsed.force = true;
        } else if (Is(argument, L"strict")) {
            parsed.strict = true;
        } else if (Is(argument, L"hold")) {
            parsed.holdSeconds = i + 1 < arguments.size() ? ParseSeconds(arguments[++i]) : -1;
            if (parsed.holdSeconds < 0) {
                parsed.error = FormatString(text(IDS_CMDLINE_HOLD_SECONDS).c_str(), kMaxHoldSeconds);
                return;
            }
            holdGiven = true;
        } else if (const auto* found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                                    [&](const CCommandName& c) { return Is(argument, c.name); });
                   found != std::end(kCommands) && parsed.command == CommandKind::Window) {
            parsed.command = found->command;
        } else {
            parsed.error = found != std::end(kCommands)
                               ? text(IDS_CMDLINE_ONE_COMMAND)
                               : FormatString(text(IDS_CMDLINE_UNKNOWN_OPTION).c_str(), argument.c_str());
            return;
        }
    }
    const auto* command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                       [&](const CCommandName& c) { return c.command == parsed.command; });
    if (command == std::end(kCommands)) {
        if (parsed.paths.size() > 1 || parsed.json || parsed.force || parsed.strict || holdGiven)
            parsed.error = text(IDS_CMDLINE_NO_COMMAND);
        else if (!parsed.paths.empty())
            parsed.snapshotFile = parsed.paths.front();
        return;
    }
    if (parsed.paths.size() < command->fewestPaths || parsed.paths.size() > command->mostPaths)
        parsed.error = command->fewestPaths == command->mostPaths
                           ? FormatString(text(IDS_CMDLINE_PATH_COUNT).c_str(), command->name,
                                          static_cast<unsigned>(command->mostPaths))
                           : FormatString(text(IDS_CMDLINE_PATH_AT_MOST).c_str(), command->name,
                                          static_cast<unsigned>(command->mostPaths));
    else if (holdGiven && parsed.command != CommandKind::Load)
        parsed.error = text(IDS_CMDLINE_HOLD_ONLY_LOAD);
    else if (parsed.json && !command->json)
        parsed.error = text(IDS_CMDLINE_JSON_ONLY);
    else if (parsed.force && !command->force)
        parsed.error = text(IDS_CMDLINE_FORCE_ONLY);
    else if (parsed.strict && parsed.command != CommandKind::Check)
        parsed.error = text(IDS_CMDLINE_STRICT_ONLY);
}

}

CCommandLine ParseCommandLine(const wchar_t* commandLine)
{
    CCommandLine parsed;
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(commandLine, &count);
    if (!arguments)
        return parsed;
    Parse(std::vector<std::wstring>(arguments + std::min(count, 1), arguments + count), parsed);
    ::LocalFree(arguments);
    return parsed;
}
