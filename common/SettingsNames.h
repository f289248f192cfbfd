// Every section and entry of the settings Plexa keeps under its registry key:
// the one list of them, so that a reader and a writer cannot spell one apart.
#pragma once

namespace settings {

// Sections
inline constexpr wchar_t kSettingsSection[] = L"Settings";  // options of the dialogs, pages and watching
inline constexpr wchar_t kFrameSection[] = L"Frame";        // the main window's placement and pane sizes
// The page that opens first for a format: one entry per format key, holding "HEX", "TEXT", "IMAGE" or "PROPERTY".
inline constexpr wchar_t kFormatsDefaultViewTabSection[] = L"FormatsDefaultViewTab";

// Entries of "Settings"
inline constexpr wchar_t kSubDirSizeLimit[] = L"SubDirSizeLimit";          // capture size limit in megabytes
inline constexpr wchar_t kHowToGetShellIDList[] = L"HowToGetShellIDList";  // 0 as IShellFolder, 1 as IStorage
inline constexpr wchar_t kWatchClipboard[] = L"WatchClipboard";            // 1 while clipboard watching is on
inline constexpr wchar_t kHexViewWidth[] = L"HexViewWidth";                // bytes per hex dump line: 16, 32 or 64
inline constexpr wchar_t kCodePages[] = L"CodePages";                      // the user's "name=number;" code-page list

// Entries of "Frame"
inline constexpr wchar_t kPropCol0[] = L"PropCol0";            // the property list's name column, in pixels at "Dpi"
inline constexpr wchar_t kPropCol1[] = L"PropCol1";            // the property list's value column, in pixels at "Dpi"
inline constexpr wchar_t kDpi[] = L"Dpi";                      // the DPI of this section's pixel lengths
inline constexpr wchar_t kLeftPaneWidth[] = L"LeftPaneWidth";  // the tree pane's width in pixels at "Dpi"
inline constexpr wchar_t kInitialized[] = L"Initialized";      // 1 once a placement has been saved
inline constexpr wchar_t kLeft[] = L"Left";                    // the restored window's left edge on the screen
inline constexpr wchar_t kTop[] = L"Top";                      // the restored window's top edge on the screen
inline constexpr wchar_t kRight[] = L"Right";                  // the restored window's right edge on the screen
inline constexpr wchar_t kBottom[] = L"Bottom";                // the restored window's bottom edge on the screen
inline constexpr wchar_t kIconic[] = L"Iconic";                // 1 when minimized at the last save (not applied)
inline constexpr wchar_t kMaximized[] = L"Maximized";          // 1 when maximized at the last save

}  // namespace settings
