#include "capture/ClipboardOwner.h"

#include "framework/Handles.h"

namespace {

std::wstring ClassNameOf(HWND hWnd)
{
    wchar_t name[257] = {};
    const int length = ::GetClassNameW(hWnd, name, static_cast<int>(std::size(name)));
    return std::wstring(name, length > 0 ? length : 0);
}

// GetWindowText would send WM_GETTEXT to a program that may be hung.
std::wstring CaptionOf(HWND hWnd)
{
    wchar_t caption[1024] = {};
    const int length = ::InternalGetWindowText(hWnd, caption, static_cast<int>(std::size(caption)));
    return std::wstring(caption, length > 0 ? length : 0);
}

void ReadImagePath(CClipboardOwner& owner)
{
    const CHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, owner.processId));
    std::wstring path(32768, L'\0');
    DWORD length = static_cast<DWORD>(path.size());
    if (!process || !::QueryFullProcessImageNameW(process, 0, path.data(), &length)) {
        owner.imageError = ::GetLastError();
        return;
    }
    path.resize(length);
    owner.imagePath = std::move(path);
}

}

CClipboardOwner ReadClipboardOwner()
{
    CClipboardOwner owner;
    owner.hWnd = ::GetClipboardOwner();
    if (!owner.hWnd)
        return owner;
    owner.className = ClassNameOf(owner.hWnd);
    owner.caption = CaptionOf(owner.hWnd);
    if (!::GetWindowThreadProcessId(owner.hWnd, &owner.processId)) {
        owner.imageError = ::GetLastError();
        return owner;
    }
    ReadImagePath(owner);
    return owner;
}
