#include "viewers/HexViewDialog.h"

#include "common/SettingsNames.h"
#include "framework/DialogInit.h"
#include "framework/Dpi.h"
#include "framework/WinApp.h"
#include "framework/WindowRect.h"
#include "viewers/DumpFont.h"

#include <algorithm>

namespace {

// Combo index to bytes per line and back; anything unknown is 16.
int WidthOfIndex(LRESULT index)
{
    return index == 1 ? 32 : index == 2 ? 64 : 16;
}

int IndexOfWidth(int width)
{
    return width == 32 ? 1 : width == 64 ? 2 : 0;
}

}

void CHexViewDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_BYTES_PER_LINE, m_comboWidth);
    DDX_Control(dx, IDC_HEX_PLACEHOLDER, m_editFrame);
}

BOOL CHexViewDialog::OnInitDialog()
{
    CPlexaPropertyPage::OnInitDialog();
    ExecuteDlgInit(m_hWnd, IDD_HEX_VIEW);
    // Shared for reading with anyone: the capture may still hold the file.
    if (m_pData)
        m_file.Attach(::CreateFileW(m_pData->m_strTempFile.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    m_font = CreateDumpFont(GetWindowDpi(m_hWnd));
    m_editFrame.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), TRUE);

    m_hexView.Create(m_hWnd);
    const RECT frame = GetChildRect(m_editFrame);
    ::MoveWindow(m_hexView, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
    ::ShowWindow(m_hexView, SW_SHOW);
    ::ShowWindow(m_editFrame, SW_HIDE);

    const int stored = AfxGetApp()->GetProfileInt(settings::kSettingsSection, settings::kHexViewWidth, 16);
    const int width = WidthOfIndex(IndexOfWidth(stored));
    m_hexView.SetBytesPerLine(width);
    if (m_pData)
        m_hexView.SetDataSource(ReadFromFile, this, 0, m_pData->m_nSize);
    m_comboWidth.SetCurSel(IndexOfWidth(width));
    ::SetWindowPos(m_hexView, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return TRUE;
}

void CHexViewDialog::OnSize(UINT type, int cx, int cy)
{
    if (!m_editFrame.GetSafeHwnd() || !m_hexView.GetSafeHwnd())
        return;
    // The dump keeps the placeholder's top-left corner and reaches the page's edges.
    const RECT frame = GetChildRect(m_editFrame);
    ::MoveWindow(m_hexView, frame.left, frame.top, std::max(0, cx - static_cast<int>(frame.left)),
                 std::max(0, cy - static_cast<int>(frame.top)), TRUE);
}

bool CHexViewDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_BYTES_PER_LINE && HIWORD(wParam) == CBN_SELCHANGE) {
        OnWidthChange();
        return true;
    }
    return CPlexaPropertyPage::OnCommand(wParam, lParam);
}

void CHexViewDialog::OnWidthChange()
{
    const int width = WidthOfIndex(m_comboWidth.GetCurSel());
    AfxGetApp()->WriteProfileInt(settings::kSettingsSection, settings::kHexViewWidth, width);
    m_hexView.SetBytesPerLine(width);
}

uint32_t CHexViewDialog::ReadFromFile(uint64_t offset, uint32_t count, void* buffer, void* context, int64_t param)
{
    const auto* page = static_cast<const CHexViewDialog*>(context);
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!page->m_file || !::SetFilePointerEx(page->m_file, position, nullptr, FILE_BEGIN))
        return 0;
    // A file shorter than the node's size delivers fewer bytes; the dump shows the rest as absent.
    uint32_t total = 0;
    while (total < count) {
        DWORD got = 0;
        if (!::ReadFile(page->m_file, static_cast<uint8_t*>(buffer) + total, count - total, &got, nullptr) || got == 0)
            break;
        total += got;
    }
    return total;
}

void CHexViewDialog::ShowBytes(uint64_t offset, uint64_t length)
{
    const uint64_t size = m_pData ? m_pData->m_nSize : 0;
    if (!m_hexView.GetSafeHwnd() || size == 0)
        return;
    // A finding at the very end of the bytes concerns the last one.
    const uint64_t start = std::min(offset, size - 1);
    m_hexView.SelectBytes({start, start + std::min(std::max<uint64_t>(length, 1), size - start)});
    ::SetFocus(m_hexView);
}
