#include "capture/ClipboardOwner.h"

#include "framework/Handles.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

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

CClipboardOwner DescribeClipboardWindow(HWND hWnd)
{
    CClipboardOwner owner;
    owner.hWnd = hWnd;
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

CClipboardOwner ReadClipboardOwner()
{
    return DescribeClipboardWindow(::GetClipboardOwner());
}

std::wstring ClipboardHolderText()
{
    const CClipboardOwner holder = DescribeClipboardWindow(::GetOpenClipboardWindow());
    if (!holder.hWnd)
        return LoadResString(IDS_CANNOT_OPEN_CLIPBOARD);
    // Window handles carry 32 significant bits, in every process.
    const auto window = static_cast<unsigned>(reinterpret_cast<UINT_PTR>(holder.hWnd));
    if (holder.imagePath.empty())
        return FormatResString(IDS_CLIPBOARD_HELD, window, holder.className.c_str(), holder.caption.c_str(),
                               holder.processId);
    return FormatResString(IDS_CLIPBOARD_HELD_BY_PROGRAM, window, holder.className.c_str(), holder.caption.c_str(),
                           holder.processId, holder.imagePath.c_str());
}
