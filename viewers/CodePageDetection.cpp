#include "viewers/CodePageDetection.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kShiftJis = 932;

// True when the two bytes make one character of the ANSI code page.
bool IsAnsiPair(uint8_t lead, uint8_t trail)
{
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    wchar_t unit[2];
    return ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, pair, 2, unit, 2) > 0;
}

DbcsTable MakeAnsiDbcsTable()
{
    DbcsTable table;
    CPINFO info{};
    if (!::GetCPInfo(CP_ACP, &info))
        return table;
    std::vector<uint8_t> leads;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2) {
        for (int c = info.LeadByte[i]; c <= info.LeadByte[i + 1]; ++c) {
            table.lead[c] = true;
            leads.push_back(static_cast<uint8_t>(c));
        }
    }
    for (int trail = 1; trail < 256; ++trail) {
        for (const uint8_t lead : leads) {
            if (IsAnsiPair(lead, static_cast<uint8_t>(trail))) {
                table.trail[trail] = true;
                break;
            }
        }
    }
    return table;
}

}

const DbcsTable& AnsiDbcsTable()
{
    static const DbcsTable table = MakeAnsiDbcsTable();
    return table;
}

bool HasNonCp932Chars(ByteSpan bytes)
{
    const std::string pairs = DoubleByteChars(bytes, AnsiDbcsTable());
    if (pairs.empty())
        return false;
    std::wstring text(pairs.size() + 1024, L'\0');
    ::SetLastError(ERROR_SUCCESS);
    return ::MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, pairs.data(), static_cast<int>(pairs.size()),
                                 text.data(), static_cast<int>(text.size())) == 0 &&
           ::GetLastError() == ERROR_NO_UNICODE_TRANSLATION;
}

int DetectNodeCodePage(ByteSpan bytes)
{
    return DetectCodePage(bytes, AnsiDbcsTable(), HasNonCp932Chars);
}
