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

CClipboardOwner ReadClipboardOwner();
