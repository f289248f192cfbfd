#include "ui/LeftView.h"

#include "capture/NodeChecks.h"
#include "framework/Dpi.h"
#include "res/resource.h"
#include "ui/PlexaDoc.h"

namespace {

// The overlay images follow the four item images in the list.
constexpr int kImageErrorOverlay = 4, kImageWarningOverlay = 5;
constexpr UINT kOverlayNone = 0, kOverlayError = 1, kOverlayWarning = 2;

// Notes are facts, not faults: they mark nothing.
UINT OverlayOf(std::optional<FindingSeverity> worst)
{
    if (worst == FindingSeverity::Error)
        return kOverlayError;
    return worst == FindingSeverity::Warning ? kOverlayWarning : kOverlayNone;
}

}  // namespace

CLeftView::~CLeftView()
{
    // Before the image list goes: the tree only borrows it.
    DestroyWindow();
}

int CLeftView::OnCreate(CREATESTRUCTW& cs)
{
    ::SetWindowLongW(m_hWnd, GWL_STYLE,
                     ::GetWindowLongW(m_hWnd, GWL_STYLE) | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                         TVS_SHOWSELALWAYS);
    SetDpi(GetWindowDpi(m_hWnd));
    return 0;
}

void CLeftView::SetDpi(UINT dpi)
{
    // 16 pixels at 96 DPI; the icons carry 16, 24 and 32 pixels, and
    // Windows scales the nearest for any other size.
    const int side = ScaleForDpi(16, dpi);
    CImageListHandle images(::ImageList_Create(side, side, ILC_COLOR24 | ILC_MASK, 0, 4));
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (UINT icon : {IDI_TREE_FOLDER, IDI_TREE_DATA, IDI_TREE_IMAGE, IDI_TREE_UNKNOWN, IDI_TREE_ERROR_OVERLAY,
                      IDI_TREE_WARNING_OVERLAY}) {
        const CIconHandle handle(static_cast<HICON>(
            ::LoadImageW(instance, MAKEINTRESOURCEW(icon), IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
        ::ImageList_AddIcon(images, handle);
    }
    ::ImageList_SetOverlayImage(images, kImageErrorOverlay, kOverlayError);
    ::ImageList_SetOverlayImage(images, kImageWarningOverlay, kOverlayWarning);
    TreeView_SetImageList(m_hWnd, images, TVSIL_NORMAL);
    // The old list goes only now that the tree no longer draws with it.
    m_imageList = std::move(images);

    // The tree's own font is the icon-title font at the system's DPI.
    LOGFONTW lf{};
    if (::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0)) {
        lf.lfHeight = RescaleLength(lf.lfHeight, GetSystemDpi(), dpi);
        CFontHandle font(::CreateFontIndirectW(&lf));
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
        m_font = std::move(font);
    }
}

void CLeftView::OnUpdate(CView* sender, LPARAM hint, void* hintObject)
{
    if (hint & HINT_SNAPSHOT_CHANGED)
        Rebuild();
    if (hint & HINT_SELECT_FIRST)
        SelectFirstNode();
    if (hint & HINT_SELECT_NODE)
        SelectTopLevelNode(static_cast<const CCBData*>(hintObject));
}

HTREEITEM CLeftView::InsertItem(HTREEITEM parent, const std::wstring& text, int image, CCBData* node,
                                std::optional<FindingSeverity> worst)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    insert.item.stateMask = TVIS_OVERLAYMASK;
    insert.item.state = INDEXTOOVERLAYMASK(OverlayOf(worst));
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.iImage = insert.item.iSelectedImage = image;
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    if (node && node->m_pChildren && !node->m_pChildren->empty()) {
        insert.item.mask |= TVIF_CHILDREN;
        insert.item.cChildren = 1;
    }
    return TreeView_InsertItem(m_hWnd, &insert);
}

void CLeftView::AddNodes(HTREEITEM parent, const CCBDataArray& nodes)
{
    for (const auto& node : nodes)
        InsertItem(parent, node->GetLabel(), node->m_nIcon, node.get(), WorstSeverity(*node));
}

CCBData* CLeftView::NodeOf(HTREEITEM item) const
{
    TVITEMW data{TVIF_PARAM, item};
    return TreeView_GetItem(m_hWnd, &data) ? reinterpret_cast<CCBData*>(data.lParam) : nullptr;
}

void CLeftView::AddChildrenOnce(HTREEITEM item)
{
    if (TreeView_GetChild(m_hWnd, item))
        return;
    const CCBData* node = NodeOf(item);
    if (node && node->m_pChildren)
        AddNodes(item, *node->m_pChildren);
}

void CLeftView::Rebuild()
{
    TreeView_DeleteAllItems(m_hWnd);
    auto* document = static_cast<CPlexaDoc*>(GetDocument());
    if (!document || !document->Snapshot())
        return;
    const HTREEITEM root =
        InsertItem(TVI_ROOT, document->GetTitle(), kIconFolder, nullptr, WorstSeverity(*document->Snapshot()));
    AddNodes(root, *document->Snapshot());
    TreeView_Expand(m_hWnd, root, TVE_EXPAND);
    // A new snapshot is read from the tree: the keys start there.
    ::SetFocus(m_hWnd);
}

const CCBData* CLeftView::TopLevelNodeOf(HTREEITEM item) const
{
    const HTREEITEM root = TreeView_GetRoot(m_hWnd);
    if (!item || item == root)
        return nullptr;
    for (HTREEITEM parent; (parent = TreeView_GetParent(m_hWnd, item)) != root && parent;)
        item = parent;
    return NodeOf(item);
}

CLIPFORMAT CLeftView::GetSelectedFormat() const
{
    const CCBData* node = TopLevelNodeOf(TreeView_GetSelection(m_hWnd));
    return node ? node->m_fmt.cfFormat : 0;
}

std::vector<const CCBData*> CLeftView::FormatsOf(HTREEITEM item) const
{
    std::vector<const CCBData*> formats;
    const auto* document = static_cast<const CPlexaDoc*>(GetDocument());
    if (!document || !document->Snapshot())
        return formats;
    if (const CCBData* node = TopLevelNodeOf(item)) {
        formats.push_back(node);
    } else {
        for (const auto& top : *document->Snapshot())
            formats.push_back(top.get());
    }
    return formats;
}

void CLeftView::ReplaySelectionToClipboard()
{
    if (auto* document = static_cast<CPlexaDoc*>(GetDocument()))
        document->ReplayToClipboard(FormatsOf(TreeView_GetSelection(m_hWnd)));
}

template <class Matches>
HTREEITEM CLeftView::FindTopLevelItem(Matches matches) const
{
    const HTREEITEM root = TreeView_GetRoot(m_hWnd);
    for (HTREEITEM item = root ? TreeView_GetChild(m_hWnd, root) : nullptr; item;
         item = TreeView_GetNextSibling(m_hWnd, item)) {
        if (const CCBData* node = NodeOf(item); node && matches(*node))
            return item;
    }
    return nullptr;
}

bool CLeftView::SelectFormat(CLIPFORMAT format)
{
    const HTREEITEM item = FindTopLevelItem([&](const CCBData& node) { return node.m_fmt.cfFormat == format; });
    return item && TreeView_SelectItem(m_hWnd, item);
}

bool CLeftView::SelectTopLevelNode(const CCBData* node)
{
    const HTREEITEM item = FindTopLevelItem([&](const CCBData& candidate) { return &candidate == node; });
    return item && TreeView_SelectItem(m_hWnd, item);
}

void CLeftView::SelectFirstNode()
{
    const HTREEITEM root = TreeView_GetRoot(m_hWnd);
    const HTREEITEM first = root ? TreeView_GetChild(m_hWnd, root) : nullptr;
    if (!first)
        return;
    TreeView_SelectItem(m_hWnd, first);
    GetDocument()->UpdateAllViews(this, HINT_SHOW_NODE, NodeOf(first));
}

bool CLeftView::OnNotifyReflect(NMHDR& hdr, LRESULT& result)
{
    if (hdr.code == TVN_ITEMEXPANDINGW) {
        const auto& expanding = reinterpret_cast<const NMTREEVIEWW&>(hdr);
        if (expanding.action & TVE_EXPAND)
            AddChildrenOnce(expanding.itemNew.hItem);
        result = FALSE;
        return true;
    }
    if (hdr.code == TVN_BEGINDRAGW) {
        const auto& drag = reinterpret_cast<const NMTREEVIEWW&>(hdr);
        if (auto* document = static_cast<CPlexaDoc*>(GetDocument()))
            document->DragOut(FormatsOf(drag.itemNew.hItem), m_hWnd);
        result = 0;
        return true;
    }
    if (hdr.code != TVN_SELCHANGEDW)
        return false;
    const auto& change = reinterpret_cast<const NMTREEVIEWW&>(hdr);
    GetDocument()->UpdateAllViews(this, HINT_SHOW_NODE, reinterpret_cast<void*>(change.itemNew.lParam));
    result = 0;
    return true;
}
