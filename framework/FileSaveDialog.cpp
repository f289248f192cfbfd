#include "framework/FileSaveDialog.h"

#include "framework/CoTaskMem.h"
#include "framework/ComPtr.h"

#include <shobjidl.h>

std::wstring ShowFileSaveDialog(HWND owner, const std::wstring& proposedName)
{
    CComPtr<IFileSaveDialog> dialog;
    if (FAILED(::CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog))))
        return {};
    FILEOPENDIALOGOPTIONS options = 0;
    if (FAILED(dialog->GetOptions(&options)) ||
        FAILED(dialog->SetOptions(options | FOS_OVERWRITEPROMPT | FOS_FORCEFILESYSTEM)))
        return {};
    // Only a suggestion: without it the user types a name as before.
    if (!proposedName.empty())
        dialog->SetFileName(proposedName.c_str());
    CComPtr<IShellItem> item;
    if (FAILED(dialog->Show(owner)) || FAILED(dialog->GetResult(&item)))
        return {};
    PWSTR path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)))
        return {};
    const CCoTaskMemPtr<wchar_t> owned(path);
    return owned.get();
}
