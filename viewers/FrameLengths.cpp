#include "viewers/FrameLengths.h"

#include "common/SettingsNames.h"
#include "framework/Dpi.h"
#include "framework/WinApp.h"

#include <climits>

int ReadFrameLength(const wchar_t* entry, int missing, UINT dpi)
{
    const CWinApp* app = AfxGetApp();
    const int saved = app->GetProfileInt(settings::kFrameSection, entry, INT_MIN);
    if (saved == INT_MIN)
        return missing;
    if (saved <= 0)
        return saved;
    const int savedDpi = app->GetProfileInt(settings::kFrameSection, settings::kDpi, 0);
    return savedDpi > 0 ? RescaleLength(saved, static_cast<UINT>(savedDpi), dpi) : saved;
}

void WriteFrameLength(const wchar_t* entry, int length)
{
    AfxGetApp()->WriteProfileInt(settings::kFrameSection, entry, length);
}

void WriteFrameLengthDpi(UINT dpi)
{
    AfxGetApp()->WriteProfileInt(settings::kFrameSection, settings::kDpi, static_cast<int>(dpi));
}
