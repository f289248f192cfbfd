// The viewer lists' copy command: rows as text on the clipboard, the user
// told when they cannot be put there.
#pragma once

#include <windows.h>

#include <string>

void CopyRowsToClipboard(HWND owner, const std::wstring& text);
