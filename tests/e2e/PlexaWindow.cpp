#include "PlexaWindow.h"

#include "RemoteControls.h"
#include "UserInput.h"
#include "framework/FrameworkIds.h"
#include "framework/Handles.h"
#include "res/resource.h"

#include <commctrl.h>

#include <cwchar>

namespace {

struct CommandCall {
    HWND frame;
    UINT id;
};

DWORD WINAPI SendCommand(void* param)
{
    const auto* call = static_cast<const CommandCall*>(param);
    ::SendMessageW(call->frame, WM_COMMAND, MAKEWPARAM(call->id, 0), 0);
    return 0;
}

BOOL CALLBACK FindPropertyList(HWND hWnd, LPARAM param)
{
    wchar_t className[32] = {};
    ::GetClassNameW(hWnd, className, 32);
    if (::GetDlgCtrlID(hWnd) != IDC_PROPERTY_LIST || wcscmp(className, WC_LISTVIEWW) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(param) = hWnd;
    return FALSE;
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindVisibleControl(HWND hWnd, LPARAM param)
{
    auto* search = reinterpret_cast<ControlSearch*>(param);
    if (::GetDlgCtrlID(hWnd) != search->id || !::IsWindowVisible(hWnd))
        return TRUE;
    search->found = hWnd;
    return FALSE;
}

}  // namespace

HWND CPlexaWindow::ToolBar() const
{
    return ::GetDlgItem(m_hFrame, AFX_IDW_TOOLBAR);
}

HWND CPlexaWindow::DropWindow(UINT id) const
{
    return ::GetDlgItem(ToolBar(), id);
}

HWND CPlexaWindow::Splitter() const
{
    return ::GetDlgItem(m_hFrame, AFX_IDW_PANE_FIRST);
}

HWND CPlexaWindow::Tree() const
{
    return ::GetDlgItem(Splitter(), AFX_IDW_PANE_FIRST);
}

HWND CPlexaWindow::ContentPane() const
{
    return ::GetDlgItem(Splitter(), AFX_IDW_PANE_FIRST + 1);
}

HWND CPlexaWindow::PropertyList() const
{
    HWND found = nullptr;
    ::EnumChildWindows(ContentPane(), FindPropertyList, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND CPlexaWindow::PageTabs() const
{
    return ::FindWindowExW(::GetWindow(ContentPane(), GW_CHILD), nullptr, WC_TABCONTROLW, nullptr);
}

HWND CPlexaWindow::ContentControl(int id) const
{
    ControlSearch search{id, nullptr};
    ::EnumChildWindows(ContentPane(), FindVisibleControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool CPlexaWindow::ClickPageTab(int index) const
{
    const HWND tabs = PageTabs();
    CRemoteMemory memory(tabs, sizeof(RECT));
    RECT rect{};
    if (!tabs || !memory.IsValid() ||
        !::SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(memory.Address())) ||
        !memory.Read(0, &rect, sizeof(rect)))
        return false;
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(tabs, &centre);
    // A window busy with the page it just made may miss the first click.
    for (int click = 0; click < 3; ++click) {
        MoveMouseTo(centre);
        PressLeftButton();
        ReleaseLeftButton();
        for (int tries = 0; tries < 50; ++tries) {
            if (TabCtrl_GetCurSel(tabs) == index)
                return true;
            PumpMessagesFor(20);
        }
    }
    return false;
}

HWND CPlexaWindow::HexDump() const
{
    constexpr int kDumpId = 100;
    HWND found = nullptr;
    ::EnumChildWindows(
        ContentPane(),
        [](HWND hWnd, LPARAM param) -> BOOL {
            wchar_t cls[16] = {};
            ::GetClassNameW(hWnd, cls, 16);
            if (::GetDlgCtrlID(hWnd) != kDumpId || std::wcsncmp(cls, L"Plexa:", 6) != 0 || !::IsWindowVisible(hWnd))
                return TRUE;
            *reinterpret_cast<HWND*>(param) = hWnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring CPlexaWindow::TextOf(HWND window)
{
    // WM_GETTEXT, unlike GetWindowText, reads controls of other processes.
    wchar_t text[256] = {};
    ::SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

DWORD CPlexaWindow::ProcessId() const
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(m_hFrame, &processId);
    return processId;
}

std::wstring CPlexaWindow::Title() const
{
    return TextOf(m_hFrame);
}

int CPlexaWindow::TreeWidth() const
{
    RECT rect{};
    ::GetWindowRect(Tree(), &rect);
    return rect.right - rect.left;
}

POINT CPlexaWindow::CentreOf(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool CPlexaWindow::RunCommand(UINT id, const std::function<void()>& whileWaiting, DWORD timeoutMs) const
{
    // Sent from a thread of its own, so this one stays free to serve the
    // clipboard's source while Plexa reads from it.
    CommandCall call{m_hFrame, id};
    CHandle thread(::CreateThread(nullptr, 0, SendCommand, &call, 0, nullptr));
    if (!thread)
        return false;
    if (PumpUntilSignaled(thread, timeoutMs, whileWaiting))
        return true;
    // The thread reads `call`; it must not outlive it.
    ::WaitForSingleObject(thread, INFINITE);
    return false;
}
