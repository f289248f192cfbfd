// The tree's context menu: saving the selected node's bytes, offering its
// format on the clipboard again.
#include "ui/LeftView.h"

#include "capture/FormatNames.h"
#include "framework/FileDialogs.h"
#include "framework/Resource.h"
#include "framework/WinApp.h"
#include "portable/SaveFileName.h"
#include "res/resource.h"
#include "res/strings/ui.h"
#include "viewers/DelayedProgress.h"
#include "res/strings/capture.h"

#include <windowsx.h>

namespace {

bool HasBytes(const CCBData* node)
{
    return node && !node->m_strTempFile.empty();
}

}

CCBData* CLeftView::GetSelectedNode() const
{
    const HTREEITEM selected = TreeView_GetSelection(m_hWnd);
    return selected ? NodeOf(selected) : nullptr;
}

bool CLeftView::CanSaveSelectedNode() const
{
    return HasBytes(GetSelectedNode());
}

bool CLeftView::OnCmdMsg(UINT nID)
{
    if (nID == ID_SAVE_NODE) {
        SaveSelectedNode();
        return true;
    }
    if (nID == ID_REPLAY_TO_CLIPBOARD) {
        ReplaySelectionToClipboard();
        return true;
    }
    return CTreeView::OnCmdMsg(nID);
}

void CLeftView::SaveSelectedNode()
{
    const CCBData* node = GetSelectedNode();
    if (!HasBytes(node)) {
        AfxMessageBox(IDS_NO_DATA_TO_SAVE);
        return;
    }
    const std::wstring format = node->m_fmt.cfFormat ? GetFormatName(node->m_fmt.cfFormat) : std::wstring();
    const std::wstring path = ChooseSavePath(ProposeSaveFileName(node->m_strName, format));
    if (path.empty())
        return;
    // A node of gigabytes takes a while: the progress dialog can stop it.
    CDelayedProgress progress(m_hWnd, LoadResString(IDS_SAVING));
    const auto stop = [&](uint64_t done, uint64_t total) { return progress.Report(done, total); };
    switch (node->SaveBytesTo(path, stop)) {
    case CCBData::SaveResult::Saved:
    case CCBData::SaveResult::Stopped:
        break;
    case CCBData::SaveResult::NoData:
        AfxMessageBox(IDS_NO_DATA_TO_SAVE);
        break;
    case CCBData::SaveResult::CannotRead:
        AfxMessageBox(IDS_CANNOT_READ_TEMP_FILE);
        break;
    case CCBData::SaveResult::CannotWrite:
        AfxMessageBox(IDS_SAVE_NODE_CANNOT_WRITE);
        break;
    }
}

std::wstring CLeftView::ChooseSavePath(const std::wstring& proposedName)
{
    return ShowFileSaveDialog(::GetAncestor(m_hWnd, GA_ROOT), proposedName);
}

void CLeftView::ShowContextMenu(HTREEITEM item, POINT point)
{
    // The menu acts on the item clicked, as Explorer's does: it becomes the selection.
    TreeView_SelectItem(m_hWnd, item);
    CPopupMenu menu(IDR_TREE_CONTEXT);
    menu.EnableItem(ID_SAVE_NODE, CanSaveSelectedNode());
    TrackContextMenu(menu, point);
}

void CLeftView::TrackContextMenu(const CPopupMenu& menu, POINT point)
{
    menu.Track(m_hWnd, point, TPM_RIGHTBUTTON);
}

LRESULT CLeftView::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_CONTEXTMENU)
        return CTreeView::WndProc(msg, wParam, lParam);
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    HTREEITEM item = nullptr;
    if (point.x == -1 && point.y == -1) {
        // From the keyboard: below the selected item's text.
        item = TreeView_GetSelection(m_hWnd);
        RECT rect{};
        if (!item || !TreeView_GetItemRect(m_hWnd, item, &rect, TRUE))
            return 0;
        point = {rect.left, rect.bottom};
        ::ClientToScreen(m_hWnd, &point);
    } else {
        TVHITTESTINFO hit{point};
        ::ScreenToClient(m_hWnd, &hit.pt);
        item = TreeView_HitTest(m_hWnd, &hit);
        if (!item || !(hit.flags & TVHT_ONITEM))
            return 0;
    }
    ShowContextMenu(item, point);
    return 0;
}
