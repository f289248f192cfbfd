#include "framework/FileDialogs.h"

#include "framework/CoTaskMem.h"
#include "framework/ComPtr.h"

namespace {

// Shows `dialog` with `options` added and returns the file system path chosen.
std::wstring ShowForPath(IFileDialog* dialog, HWND owner, FILEOPENDIALOGOPTIONS options, const FileDialogType* type)
{
    FILEOPENDIALOGOPTIONS current = 0;
    if (FAILED(dialog->GetOptions(&current)) || FAILED(dialog->SetOptions(current | options | FOS_FORCEFILESYSTEM)))
        return {};
    if (type && (FAILED(dialog->SetFileTypes(1, &type->filter)) || FAILED(dialog->SetDefaultExtension(type->extension))))
        return {};
    CComPtr<IShellItem> item;
    if (FAILED(dialog->Show(owner)) || FAILED(dialog->GetResult(&item)))
        return {};
    PWSTR path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)))
        return {};
    const CCoTaskMemPtr<wchar_t> owned(path);
    return owned.get();
}

}

std::wstring ShowFileSaveDialog(HWND owner, const std::wstring& proposedName, const FileDialogType* type)
{
    CComPtr<IFileSaveDialog> dialog;
    if (FAILED(::CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog))))
        return {};
    // Only a suggestion: without it the user types a name as before.
    if (!proposedName.empty())
        dialog->SetFileName(proposedName.c_str());
    return ShowForPath(dialog, owner, FOS_OVERWRITEPROMPT, type);
}

std::wstring ShowFileOpenDialog(HWND owner, const FileDialogType& type)
{
    CComPtr<IFileOpenDialog> dialog;
    if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog))))
        return {};
    return ShowForPath(dialog, owner, FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST, &type);
}
