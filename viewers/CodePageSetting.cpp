#include "viewers/CodePageSetting.h"

#include "framework/WinApp.h"
#include "portable/CodePageList.h"

namespace {
constexpr wchar_t kSection[] = L"Settings";
constexpr wchar_t kEntry[] = L"CodePages";
}

std::wstring ReadCodePagesSetting()
{
    return AfxGetApp()->GetProfileString(kSection, kEntry, kDefaultCodePages);
}

void WriteCodePagesSetting(const std::wstring& value)
{
    AfxGetApp()->WriteProfileString(kSection, kEntry, value.c_str());
}
