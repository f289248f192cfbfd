// The Vista-style open and save-as dialogs: ask for the path of a file.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <string>

// A kind of file the dialog lists, and the extension a typed name gets.
struct FileDialogType {
    COMDLG_FILTERSPEC filter;
    const wchar_t* extension;  // without the dot
};

// The chosen path, or empty when the user cancels or the dialog cannot be shown.
// The dialog asks before replacing an existing file; `proposedName` is the
// file name it starts with; with `type`, only files of that kind are listed.
std::wstring ShowFileSaveDialog(HWND owner, const std::wstring& proposedName = {},
                                const FileDialogType* type = nullptr);
// The chosen existing file of `type`, or empty as above.
std::wstring ShowFileOpenDialog(HWND owner, const FileDialogType& type);
