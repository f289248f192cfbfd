// What a source asks of clipboard monitors and history tools, through the
// registered formats Windows defines for it: password managers mark what
// they copy so that no watcher keeps it.
#pragma once

#include <windows.h>

#include <optional>

inline constexpr wchar_t kExcludeFromMonitorsFormat[] = L"ExcludeClipboardContentFromMonitorProcessing";
inline constexpr wchar_t kClipboardHistoryFormat[] = L"CanIncludeInClipboardHistory";
inline constexpr wchar_t kCloudClipboardFormat[] = L"CanUploadToCloudClipboard";

struct CClipboardPrivacy {
    bool excludeFromMonitors = false;  // the format is offered, whatever it holds
    std::optional<DWORD> includeInHistory;  // the DWORD, when offered and readable
    std::optional<DWORD> uploadToCloud;

    // Monitors are to leave the data alone.
    bool AsksToBeLeftAlone() const { return excludeFromMonitors || includeInHistory == 0u; }
};

// Reads it from the clipboard the caller has open.
CClipboardPrivacy ReadClipboardPrivacy();
