// Plexa's main window seen from the test process: its parts found by their
// control IDs, and commands sent the way a menu click sends them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class CPlexaWindow {
public:
    explicit CPlexaWindow(HWND frame) : m_hFrame(frame) {}

    HWND Frame() const { return m_hFrame; }
    HWND ToolBar() const;
    HWND DropWindow(UINT id) const;
    HWND Splitter() const;
    HWND Tree() const;
    HWND ContentPane() const;
    // The property page's list, inside the content pane's sheet.
    HWND PropertyList() const;
    // The tab control of the content pane's pages.
    HWND PageTabs() const;
    // The visible control `id` of the page the content pane shows; null when none.
    HWND ContentControl(int id) const;
    // Clicks tab `index` of the content pane's pages, as a person does; false when there is no such tab.
    bool ClickPageTab(int index) const;
    // The HEX page's dump, when it is the page shown; null otherwise.
    HWND HexDump() const;
    // The text of a window of another process.
    static std::wstring TextOf(HWND window);
    DWORD ProcessId() const;
    std::wstring Title() const;
    int TreeWidth() const;
    // The centre of a child window, in screen coordinates.
    static POINT CentreOf(HWND window);

    // Sends command `id` and handles this thread's messages (sources on the
    // clipboard live here) until Plexa has carried it out, calling
    // `whileWaiting` meanwhile; false when it takes longer than `timeoutMs`.
    bool RunCommand(UINT id, const std::function<void()>& whileWaiting = {}, DWORD timeoutMs = 30000) const;

private:
    HWND m_hFrame;
};
