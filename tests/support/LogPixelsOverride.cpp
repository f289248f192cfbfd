#include "support/LogPixelsOverride.h"

#include "framework/Handles.h"
#include "framework/Registry.h"

namespace {
constexpr wchar_t kKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kValue[] = L"LogPixels";
constexpr int kNone = -1;
}

CLogPixelsOverride::CLogPixelsOverride(int dpi) : m_nSaved(registry::ReadInt(kKey, kValue, kNone))
{
    registry::WriteInt(kKey, kValue, dpi);
}

CLogPixelsOverride::~CLogPixelsOverride()
{
    if (m_nSaved != kNone) {
        registry::WriteInt(kKey, kValue, m_nSaved);
        return;
    }
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &opened) == ERROR_SUCCESS) {
        const CRegKey key(opened);
        ::RegDeleteValueW(key, kValue);
    }
}
