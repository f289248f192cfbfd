#include "support/DialogCaption.h"

#include "framework/Resource.h"

std::wstring DialogCaption(UINT id, LANGID language)
{
    // Pages are child dialogs: they need a parent.
    const HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const auto bytes = FindResourceBytes(id, RT_DIALOG, language);
    const HWND dialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                                     reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), parent,
                                                     [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    wchar_t caption[128]{};
    ::GetWindowTextW(dialog, caption, 128);
    ::DestroyWindow(parent);
    return caption;
}
