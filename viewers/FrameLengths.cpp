#include "viewers/FrameLengths.h"

#include "framework/Dpi.h"
#include "framework/WinApp.h"

#include <climits>

namespace {
constexpr wchar_t kSection[] = L"Frame";
constexpr wchar_t kDpiEntry[] = L"Dpi";
}

int ReadFrameLength(const wchar_t* entry, int missing, UINT dpi)
{
    const CWinApp* app = AfxGetApp();
    const int saved = app->GetProfileInt(kSection, entry, INT_MIN);
    if (saved == INT_MIN)
        return missing;
    if (saved <= 0)
        return saved;
    const int savedDpi = app->GetProfileInt(kSection, kDpiEntry, 0);
    return savedDpi > 0 ? RescaleLength(saved, static_cast<UINT>(savedDpi), dpi) : saved;
}

void WriteFrameLength(const wchar_t* entry, int length)
{
    AfxGetApp()->WriteProfileInt(kSection, entry, length);
}

void WriteFrameLengthDpi(UINT dpi)
{
    AfxGetApp()->WriteProfileInt(kSection, kDpiEntry, static_cast<int>(dpi));
}
