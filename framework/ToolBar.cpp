#include "framework/ToolBar.h"

#include "framework/Resource.h"
#include "framework/FrameworkIds.h"

#include <vector>

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

bool CToolBar::LoadToolBar(UINT id)
{
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const std::span<const BYTE> resource = FindResourceBytes(id, MAKEINTRESOURCEW(RT_TOOLBAR));
    const auto* words = reinterpret_cast<const WORD*>(resource.data());
    const size_t size = resource.size();
    // Version, width, height, count, then one command per item.
    if (size < 4 * sizeof(WORD) || words[0] != 1 || size < (4u + words[3]) * sizeof(WORD))
        return false;
    const int width = words[1];
    const int height = words[2];
    const int count = words[3];

    const HIMAGELIST images = ::ImageList_LoadImageW(instance, MAKEINTRESOURCEW(id), width, 0, RGB(255, 0, 255),
                                                     IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (!images)
        return false;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    m_hImageList.Attach(images);

    std::vector<TBBUTTON> buttons(count);
    int image = 0;
    for (int i = 0; i < count; ++i) {
        TBBUTTON& button = buttons[i];
        button.idCommand = words[4 + i];
        button.fsState = TBSTATE_ENABLED;
        if (button.idCommand == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            button.fsStyle = BTNS_BUTTON;
            button.iBitmap = image++;
        }
    }
    return SendMessage(TB_ADDBUTTONSW, count, reinterpret_cast<LPARAM>(buttons.data())) != 0;
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
