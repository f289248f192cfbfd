// Who put the data on the clipboard: the window GetClipboardOwner names and
// the process that made it, read when a paste takes its snapshot.
#pragma once

#include <windows.h>

#include <string>

struct CClipboardOwner {
    HWND hWnd = nullptr;  // null: the clipboard has no owner
    std::wstring className;
    std::wstring caption;
    DWORD processId = 0;
    std::wstring imagePath;  // empty when the process could not be asked
    DWORD imageError = ERROR_SUCCESS;  // why it could not
};

// The window `hWnd` and the process that made it; an empty description for null.
CClipboardOwner DescribeClipboardWindow(HWND hWnd);
// The window GetClipboardOwner names.
CClipboardOwner ReadClipboardOwner();
// Why the clipboard cannot be opened: the window that has it open
// (GetOpenClipboardWindow) with its class, caption and process, when there is one.
std::wstring ClipboardHolderText();
