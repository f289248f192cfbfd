#include "capture/ClipboardPrivacy.h"

#include "framework/Handles.h"
#include "portable/ByteReaderLayout.h"

namespace {

std::optional<DWORD> ReadDwordFormat(const wchar_t* name)
{
    const HANDLE data = ::GetClipboardData(::RegisterClipboardFormatW(name));
    if (!data)
        return std::nullopt;
    const CGlobalLock lock(data);
    if (!lock)
        return std::nullopt;
    return ReadU32(ByteSpan(static_cast<const uint8_t*>(lock.Get()), lock.Size()), 0);
}

}

CClipboardPrivacy ReadClipboardPrivacy()
{
    CClipboardPrivacy privacy;
    privacy.excludeFromMonitors = ::IsClipboardFormatAvailable(::RegisterClipboardFormatW(kExcludeFromMonitorsFormat));
    privacy.includeInHistory = ReadDwordFormat(kClipboardHistoryFormat);
    privacy.uploadToCloud = ReadDwordFormat(kCloudClipboardFormat);
    return privacy;
}
