// Unicode text put on the clipboard, as the lists' copy commands do.
#pragma once

#include <windows.h>

#include <string>

enum class CopyTextResult { Copied, NoMemory, NoClipboard };

// `owner` becomes the clipboard's owner.
CopyTextResult CopyTextToClipboard(HWND owner, const std::wstring& text);
