// A hex dump in a visible window, fed with bytes made up from their offsets
// (no file, so sizes of many GiB cost nothing), with the real clipboard and
// keyboard; the export path and the context menu are looked at, not shown.
#pragma once

#include "framework/Clipboard.h"
#include "support/ClipboardRead.h"
#include "res/resource.h"
#include "support/HostWindow.h"
#include "support/NodeTestBase.h"
#include "viewers/HexViewCtrl.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <string>

inline uint8_t SynthByte(uint64_t offset)
{
    return static_cast<uint8_t>(offset * 31 + (offset >> 11) + (offset >> 35));
}

inline std::string SynthBytes(uint64_t offset, uint64_t count)
{
    std::string bytes;
    for (uint64_t i = 0; i < count; ++i)
        bytes += static_cast<char>(SynthByte(offset + i));
    return bytes;
}

// Delivers the made-up bytes below `available` (the owner's value), none beyond.
inline uint32_t ReadSynth(uint64_t offset, uint32_t count, void* buffer, void*, int64_t available)
{
    const uint64_t end = std::min<uint64_t>(offset + count, static_cast<uint64_t>(available));
    const uint32_t n = end > offset ? static_cast<uint32_t>(end - offset) : 0;
    for (uint32_t i = 0; i < n; ++i)
        static_cast<uint8_t*>(buffer)[i] = SynthByte(offset + i);
    return n;
}

class CTestHexView : public CHexViewCtrl {
public:
    std::wstring m_strExportPath;     // what the save dialog would return; empty is Cancel
    std::map<UINT, bool> m_enabled;   // command to enabled, at the last context menu
    POINT m_ptMenu{-1, -1};
    std::optional<CHexFindRequest> m_findAnswer;  // what the find box would return; none is Cancel
    int m_nNotFound = 0;                          // "見つかりません" shown

protected:
    std::wstring ChooseExportPath() override { return m_strExportPath; }
    bool AskFind(CHexFindRequest& request, std::vector<BytePattern>& patterns) override
    {
        if (!m_findAnswer)
            return false;
        request = *m_findAnswer;
        patterns = FindPatterns(request);
        return true;
    }
    void ShowNotFound() override { ++m_nNotFound; }
    void TrackContextMenu(const CPopupMenu& menu, POINT point) override
    {
        m_ptMenu = point;
        for (UINT command : {ID_EDIT_COPY, ID_EXPORT_SELECTION, ID_EDIT_SELECT_ALL})
            m_enabled[command] = !(::GetMenuState(menu.GetSafeHmenu(), command, MF_BYCOMMAND) & MF_GRAYED);
    }
};

enum : unsigned { kShift = 1, kCtrl = 2 };

class HexViewTest : public CNodeTestBase {
protected:
    void SetUp() override
    {
        CNodeTestBase::SetUp();
        ASSERT_TRUE(CreateHostWindow(m_host, RECT{0, 0, 700, 500}));
        ASSERT_TRUE(m_view.Create(m_host));
        ::MoveWindow(m_view, 0, 0, 640, 400, TRUE);
        ::ShowWindow(m_view, SW_SHOW);
        ::SetFocus(m_view);
    }
    void TearDown() override
    {
        SetModifiers(0);
        m_view.DestroyWindow();
        m_host.DestroyWindow();
    }

    void Show(uint64_t size, int64_t available = INT64_MAX, int bytesPerLine = 16)
    {
        m_view.SetBytesPerLine(bytesPerLine);
        m_view.SetDataSource(ReadSynth, nullptr, available, size);
    }

    static void SetModifiers(unsigned mods)
    {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_SHIFT] = (mods & kShift) ? 0x80 : 0;
        state[VK_CONTROL] = (mods & kCtrl) ? 0x80 : 0;
        ::SetKeyboardState(state);
    }

    // A key as the message loop delivers it: offered to the windows' pre-translation first.
    void Key(UINT vk, unsigned mods = 0)
    {
        SetModifiers(mods);
        MSG msg{m_view, WM_KEYDOWN, vk, 1};
        if (!m_app.PreTranslateMessage(msg))
            ::SendMessageW(m_view, WM_KEYDOWN, vk, 1);
        SetModifiers(0);
    }

    LPARAM PointOf(HexPos pos, int dx = 0) const
    {
        const POINT pt = m_view.CellOrigin(pos);
        return MAKELPARAM(pt.x + dx, pt.y + 1);
    }

    void Click(HexPos pos, bool shift = false)
    {
        ::SendMessageW(m_view, WM_LBUTTONDOWN, MK_LBUTTON | (shift ? MK_SHIFT : 0), PointOf(pos));
        ::SendMessageW(m_view, WM_LBUTTONUP, 0, PointOf(pos));
    }

    void Select(HexPos from, HexPos to)
    {
        Click(from);
        Click(to, true);
    }

    static void SetClipboardMarker()
    {
        const wchar_t marker[] = L"marker";
        CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE, sizeof(marker)));
        std::memcpy(CGlobalLock(block).Get(), marker, sizeof(marker));
        const CClipboard clipboard(nullptr);
        ::EmptyClipboard();
        if (::SetClipboardData(CF_UNICODETEXT, block))
            block.Detach();
    }

    CWnd m_host;
    CTestHexView m_view;
};
