#include "viewers/DefaultViewTab.h"

#include "common/AsciiCase.h"
#include "common/SettingsNames.h"
#include "framework/WinApp.h"

#include <iterator>
#include <optional>
#include <string_view>

namespace {

// Indexed by page number; these words are what the settings store.
constexpr const wchar_t* kPageNames[] = {L"HEX", L"TEXT", L"IMAGE", L"PROPERTY"};
static_assert(kTabHex == 0 && kTabText == 1 && kTabImage == 2 && kTabProperty == 3);

std::optional<int> PageOfName(std::wstring_view name)
{
    for (int page = 0; page < static_cast<int>(std::size(kPageNames)); ++page) {
        if (AsciiEquals(name, kPageNames[page]))
            return page;
    }
    return std::nullopt;
}

}

int GetDefaultViewTab(const CCBData& node)
{
    const std::wstring stored =
        AfxGetApp()->GetProfileString(settings::kFormatsDefaultViewTabSection, node.GetFormatKey().c_str(), L"");
    if (!stored.empty())
        return PageOfName(stored).value_or(node.m_nDefaultTab);
    return node.GetBuiltInViewTab();
}

void SetDefaultViewTab(const CCBData& node, int tab)
{
    if (tab < 0 || tab >= static_cast<int>(std::size(kPageNames)))
        return;
    AfxGetApp()->WriteProfileString(settings::kFormatsDefaultViewTabSection, node.GetFormatKey().c_str(),
                                    kPageNames[tab]);
}
