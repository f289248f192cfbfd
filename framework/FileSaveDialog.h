// The Vista-style save-as dialog: asks for the path of a file to create.
#pragma once

#include <windows.h>

#include <string>

// The chosen path, or empty when the user cancels or the dialog cannot be shown.
// The dialog asks before replacing an existing file; `proposedName` is the
// file name it starts with.
std::wstring ShowFileSaveDialog(HWND owner, const std::wstring& proposedName = {});
