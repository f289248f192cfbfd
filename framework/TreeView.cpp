#include "framework/TreeView.h"

#include <commctrl.h>

bool CTreeView::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.lpszClass = WC_TREEVIEWW;
    return true;
}
