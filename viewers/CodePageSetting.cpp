#include "viewers/CodePageSetting.h"

#include "common/SettingsNames.h"
#include "framework/WinApp.h"
#include "portable/CodePageList.h"

std::wstring ReadCodePagesSetting()
{
    return AfxGetApp()->GetProfileString(settings::kSettingsSection, settings::kCodePages, kDefaultCodePages);
}

void WriteCodePagesSetting(const std::wstring& value)
{
    AfxGetApp()->WriteProfileString(settings::kSettingsSection, settings::kCodePages, value.c_str());
}
