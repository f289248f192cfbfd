#include "app/CommandLine.h"

#include "framework/Format.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>

namespace {

struct CCommandName {
    const wchar_t* name;
    CommandKind command;
    size_t paths;
};

constexpr CCommandName kCommands[] = {
    {L"dump", CommandKind::Dump, 1},
    {L"save", CommandKind::Save, 1},
    {L"load", CommandKind::Load, 1},
    {L"compare", CommandKind::Compare, 2},
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

void Parse(const std::vector<std::wstring>& arguments, CCommandLine& parsed)
{
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
        } else if (Is(argument, L"hold")) {
            parsed.holdSeconds = i + 1 < arguments.size() ? ParseSeconds(arguments[++i]) : -1;
            if (parsed.holdSeconds < 0) {
                parsed.error = FormatString(L"/hold には 0 から %d までの秒数を指定してください。", kMaxHoldSeconds);
                return;
            }
            holdGiven = true;
        } else if (const auto* found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                                    [&](const CCommandName& c) { return Is(argument, c.name); });
                   found != std::end(kCommands) && parsed.command == CommandKind::Window) {
            parsed.command = found->command;
        } else {
            parsed.error = found != std::end(kCommands) ? L"コマンドは一つだけ指定してください。"
                                                        : L"不明なオプションです: " + argument;
            return;
        }
    }
    const auto* command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                       [&](const CCommandName& c) { return c.command == parsed.command; });
    if (command == std::end(kCommands)) {
        if (parsed.paths.size() > 1 || parsed.json || parsed.force || holdGiven)
            parsed.error = L"コマンドがありません。";
        else if (!parsed.paths.empty())
            parsed.snapshotFile = parsed.paths.front();
        return;
    }
    if (parsed.paths.size() != command->paths)
        parsed.error = FormatString(L"/%s には %u 個のパスを指定してください。", command->name,
                                    static_cast<unsigned>(command->paths));
    else if (holdGiven && parsed.command != CommandKind::Load)
        parsed.error = L"/hold は /load にだけ指定できます。";
    else if (parsed.json && parsed.command != CommandKind::Dump && parsed.command != CommandKind::Compare)
        parsed.error = L"/json は /dump と /compare にだけ指定できます。";
    else if (parsed.force && parsed.command != CommandKind::Dump && parsed.command != CommandKind::Save)
        parsed.error = L"/force は /dump と /save にだけ指定できます。";
}

}

const wchar_t kCommandLineHelp[] =
    L"Plexa.exe [ファイル.plexa]\r\n"
    L"    ウィンドウを開きます。ファイルを指定するとそのスナップショットを開きます。\r\n"
    L"Plexa.exe /dump フォルダー [/json] [/force]\r\n"
    L"    クリップボードを取得し、manifest.json とノードごとのファイルとしてフォルダーに書き出します。\r\n"
    L"Plexa.exe /save ファイル.plexa [/force]\r\n"
    L"    クリップボードを取得し、スナップショットファイルに保存します。\r\n"
    L"    クリップボード監視から除外するよう指定されたデータは /force を付けたときだけ取得します。\r\n"
    L"Plexa.exe /load ファイル.plexa [/hold 秒]\r\n"
    L"    スナップショットをクリップボードに置き、他のプログラムが置き換えるまで、または指定の秒数（既定 30）\r\n"
    L"    の間提供したあと、描画できる形式を残して終了します。/hold 0 ですぐに残して終了します。\r\n"
    L"Plexa.exe /compare A B [/json]\r\n"
    L"    二つのスナップショット（ファイルまたはダンプフォルダー）を形式ごとに比較します。\r\n"
    L"\r\n"
    L"終了コード: 0 完了、1 相違がある・クリップボードが空、2 引数の誤り・ファイルを読めない・取得の失敗、\r\n"
    L"3 監視から除外するよう指定されたデータ（/force なし）\r\n";

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
