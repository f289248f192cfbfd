#include "framework/ToolBar.h"

#include "framework/Dpi.h"
#include "framework/FrameworkIds.h"
#include "framework/Resource.h"
#include "framework/ScaledImageList.h"

#include <algorithm>

namespace {
// Pixels of this colour in toolbar bitmaps are transparent.
constexpr COLORREF kKeyColor = RGB(255, 0, 255);
}

CToolBar::~CToolBar()
{
    // Before the image list goes: the control only borrows it.
    CWnd::DestroyWindow();
}

bool CToolBar::CreateEx(HWND parent, DWORD ctrlStyle, DWORD style, UINT id)
{
    const DWORD windowStyle = (style & 0xFFFF0000) | ctrlStyle | CCS_NODIVIDER | CCS_TOP;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEW, L"", windowStyle, RECT{}, parent, id))
        return false;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return true;
}

bool CToolBar::LoadToolBar(UINT id, std::vector<CToolBarArt> larger)
{
    const std::span<const BYTE> resource = FindResourceBytes(id, MAKEINTRESOURCEW(RT_TOOLBAR));
    const auto* words = reinterpret_cast<const WORD*>(resource.data());
    const size_t size = resource.size();
    // Version, width, height, count, then one command per item.
    if (size < 4 * sizeof(WORD) || words[0] != 1 || size < (4u + words[3]) * sizeof(WORD))
        return false;
    const int count = words[3];
    m_imageSize = SIZE{words[1], words[2]};
    m_art = std::move(larger);
    m_art.push_back({id, kBaseDpi});
    std::sort(m_art.begin(), m_art.end(), [](const CToolBarArt& a, const CToolBarArt& b) { return a.dpi < b.dpi; });

    std::vector<TBBUTTON> buttons(count);
    m_nImages = 0;
    for (int i = 0; i < count; ++i) {
        TBBUTTON& button = buttons[i];
        button.idCommand = words[4 + i];
        button.fsState = TBSTATE_ENABLED;
        if (button.idCommand == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.fsStyle = BTNS_BUTTON;
            button.iBitmap = m_nImages++;
        }
    }
    return SetDpi(GetWindowDpi(m_hWnd)) &&
           SendMessage(TB_ADDBUTTONSW, count, reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

bool CToolBar::SetDpi(UINT dpi)
{
    if (m_art.empty())
        return false;
    // Drawn for this DPI, else the first drawn larger, else the largest.
    const auto larger = std::find_if(m_art.begin(), m_art.end(), [dpi](const CToolBarArt& art) { return art.dpi >= dpi; });
    const CToolBarArt& art = larger != m_art.end() ? *larger : m_art.back();
    const SIZE size{ScaleForDpi(m_imageSize.cx, dpi), ScaleForDpi(m_imageSize.cy, dpi)};
    CImageListHandle images =
        art.dpi == dpi ? CreateImageList(art.bitmapId, m_nImages, size, kKeyColor)
                       : CreateScaledImageList(art.bitmapId, m_nImages, size, kKeyColor);
    if (!images)
        return false;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy));
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
    // The old list goes only now that the control no longer draws with it.
    m_hImageList = std::move(images);
    return true;
}

bool CToolBar::SetButtonInfo(int index, UINT id, UINT style, int width)
{
    TBBUTTONINFOW info{sizeof(info)};
    info.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_STYLE;
    info.idCommand = static_cast<int>(id);
    info.fsStyle = static_cast<BYTE>(style);
    if (style & BTNS_SEP) {
        // A separator's width is its image number, as in TBBUTTON.
        info.dwMask |= TBIF_IMAGE | TBIF_SIZE;
        info.iImage = width;
        info.cx = static_cast<WORD>(width);
    }
    return SendMessage(TB_SETBUTTONINFOW, index, reinterpret_cast<LPARAM>(&info)) != 0;
}

bool CToolBar::GetItemRect(int index, RECT& rect) const
{
    return SendMessage(TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) != 0;
}

UINT CToolBar::GetItemID(int index) const
{
    TBBUTTON button{};
    return SendMessage(TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)) ? button.idCommand : 0;
}

int CToolBar::GetCount() const
{
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}
