#include "ui/PlexaView.h"

#include "framework/Dpi.h"
#include "framework/WindowRect.h"
#include "ui/PlexaDoc.h"
#include "viewers/ChecksViewDialog.h"
#include "viewers/DefaultViewTab.h"
#include "viewers/HexViewDialog.h"
#include "viewers/ImageViewDialog.h"
#include "viewers/TextViewDialog.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <utility>

namespace {

// Posted to the view to show the bytes a finding concerns.
constexpr UINT WM_SHOW_PENDING_BYTES = WM_APP + 1;

}  // namespace

CPlexaView::~CPlexaView()
{
    RemoveNodePages();
}

bool CPlexaView::PreCreateWindow(CREATESTRUCTW& cs)
{
    // No background: the sheet covers the view.
    m_strClassName = RegisterWndClass(CS_DBLCLKS, nullptr, nullptr, nullptr);
    cs.lpszClass = m_strClassName.c_str();
    return CView::PreCreateWindow(cs);
}

void CPlexaView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    if (m_sheet.GetSafeHwnd())
        return;
    if (m_sheet.GetPageCount() == 0)
        m_sheet.AddPage(&m_propPage);
    if (!m_sheet.Create(m_hWnd, WS_CHILD, 0))
        return;

    // Clicking a tab must leave the keyboard focus on the page.
    const auto tab = reinterpret_cast<HWND>(m_sheet.SendMessage(PSM_GETTABCONTROL));
    ::SetWindowLongW(tab, GWL_STYLE, (::GetWindowLongW(tab, GWL_STYLE) & ~TCS_FOCUSONBUTTONDOWN) | TCS_FOCUSNEVER);

    RECT client;
    ::GetClientRect(m_sheet, &client);
    const RECT tabRect = GetChildRect(tab);
    m_nMarginLeft = tabRect.left - client.left;
    m_nMarginTop = tabRect.top - client.top;
    m_nMarginRight = client.right - tabRect.right;
    m_nMarginBottom = client.bottom - tabRect.bottom;
    m_nMarginDpi = GetWindowDpi(m_hWnd);
    m_bLayoutReady = true;
    Layout();
}

void CPlexaView::Layout()
{
    if (!m_sheet.GetSafeHwnd() || !m_bLayoutReady)
        return;
    RECT view;
    ::GetClientRect(m_hWnd, &view);
    ::MoveWindow(m_sheet, 0, 0, view.right, view.bottom, TRUE);
    RECT sheet;
    ::GetClientRect(m_sheet, &sheet);
    ::MoveWindow(m_sheet.GetTabControl(), sheet.left + m_nMarginLeft, sheet.top + m_nMarginTop,
                 std::max(0L, sheet.right - sheet.left - m_nMarginLeft - m_nMarginRight),
                 std::max(0L, sheet.bottom - sheet.top - m_nMarginTop - m_nMarginBottom), TRUE);
    const RECT page = m_sheet.GetPageRect();
    for (int i = 0; i < m_sheet.GetPageCount(); ++i) {
        if (const HWND hWnd = m_sheet.GetPage(i)->GetSafeHwnd())
            ::MoveWindow(hWnd, page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
    }
    if (!::IsWindowVisible(m_sheet))
        ::ShowWindow(m_sheet, SW_SHOW);
}

void CPlexaView::OnSize(UINT type, int cx, int cy)
{
    Layout();
}

void CPlexaView::OnDpiChanged()
{
    const UINT dpi = GetWindowDpi(m_hWnd);
    for (int* margin : {&m_nMarginLeft, &m_nMarginTop, &m_nMarginRight, &m_nMarginBottom})
        *margin = RescaleLength(*margin, m_nMarginDpi, dpi);
    m_nMarginDpi = dpi;
    Layout();
}

LRESULT CPlexaView::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SHOW_PENDING_BYTES) {
        ShowPendingBytes();
        return 0;
    }
    if (msg == WM_DPICHANGED_AFTERPARENT && m_bLayoutReady)
        OnDpiChanged();
    const LRESULT result = CView::WndProc(msg, wParam, lParam);
    if (msg == WM_SETFOCUS) {
        if (CPropertyPage* page = m_sheet.GetActivePage(); page && page->GetSafeHwnd())
            ::SetFocus(*page);
    }
    return result;
}

UINT CPlexaView::GetActivePageTemplate() const
{
    const CPropertyPage* page = m_sheet.GetActivePage();
    return page ? page->GetTemplateId() : 0;
}

void CPlexaView::ActivatePage(UINT templateId, bool focus)
{
    for (int i = 0; i < m_sheet.GetPageCount(); ++i) {
        CPropertyPage* page = m_sheet.GetPage(i);
        if (page->GetTemplateId() != templateId)
            continue;
        m_sheet.SetActivePage(page);
        if (focus && page->GetSafeHwnd())
            ::SetFocus(*page);
        return;
    }
}

void CPlexaView::SaveActivePageAsDefault()
{
    if (auto* page = dynamic_cast<CPlexaPropertyPage*>(m_sheet.GetActivePage()))
        page->SaveAsDefaultViewTab();
}

void CPlexaView::SaveColumnWidths()
{
    m_propPage.SaveColumnWidths();
}

void CPlexaView::SetDpi(UINT dpi)
{
    m_propPage.SetDpi(dpi);
}

CPlexaPropertyPage* CPlexaView::AddNodePage(std::unique_ptr<CPlexaPropertyPage> page)
{
    m_sheet.AddPage(page.get());
    m_nodePages.push_back(std::move(page));
    return m_nodePages.back().get();
}

void CPlexaView::RemoveNodePages()
{
    // Out of the sheet before they are deleted, so it never holds a deleted page.
    while (m_sheet.GetPageCount() > 1)
        m_sheet.RemovePage(1);
    m_nodePages.clear();
}

CPlexaPropertyPage* CPlexaView::AddChecksPage(CCBData* node)
{
    const auto* document = static_cast<CPlexaDoc*>(GetDocument());
    if (!document || !document->Snapshot() || !CChecksViewDialog::HasFindings(node, *document->Snapshot()))
        return nullptr;
    auto page = std::make_unique<CChecksViewDialog>(node, *document->Snapshot());
    page->SetShowBytesHandler([this](const CCBData& shown, uint64_t offset, uint64_t length) {
        ShowBytesLater(shown, offset, length);
    });
    return AddNodePage(std::move(page));
}

void CPlexaView::ShowBytesLater(const CCBData& node, uint64_t offset, uint64_t length)
{
    m_pendingBytes = CBytesRequest{&node, offset, length};
    ::PostMessageW(m_hWnd, WM_SHOW_PENDING_BYTES, 0, 0);
}

void CPlexaView::ShowPendingBytes()
{
    const std::optional<CBytesRequest> request = std::exchange(m_pendingBytes, std::nullopt);
    if (!request)
        return;
    // The tree selects the node, and the view gets its pages, first.
    if (request->node != m_pShownNode)
        GetDocument()->UpdateAllViews(this, HINT_SELECT_NODE, const_cast<CCBData*>(request->node));
    if (request->node != m_pShownNode)
        return;
    for (const auto& page : m_nodePages) {
        if (auto* hex = dynamic_cast<CHexViewDialog*>(page.get())) {
            m_sheet.SetActivePage(hex);
            hex->ShowBytes(request->offset, request->length);
        }
    }
}

void CPlexaView::OnUpdate(CView* sender, LPARAM hint, void* hintObject)
{
    if (hint & (HINT_SNAPSHOT_CHANGED | HINT_SHOW_NODE)) {
        RemoveNodePages();
        m_pShownNode = nullptr;
    }
    if (hint & HINT_SNAPSHOT_CHANGED) {
        m_propPage.ShowNode(nullptr);
        m_pendingBytes.reset();
    }
    if (!(hint & HINT_SHOW_NODE))
        return;

    auto* node = static_cast<CCBData*>(hintObject);
    m_pShownNode = node;
    if (!node) {
        if (const auto* document = static_cast<CPlexaDoc*>(GetDocument()))
            m_propPage.ShowSnapshot(document->Info(), document->Snapshot().get());
        AddChecksPage(nullptr);
        return;
    }
    const int kind = GetDefaultViewTab(*node);
    CPlexaPropertyPage* defaultPage = nullptr;
    if (!node->m_strTempFile.empty()) {
        CPlexaPropertyPage* hex = AddNodePage(std::make_unique<CHexViewDialog>(node));
        CPlexaPropertyPage* text = AddNodePage(std::make_unique<CTextViewDialog>(node));
        if (kind == kTabHex)
            defaultPage = hex;
        else if (kind == kTabText)
            defaultPage = text;
    }
    CPlexaPropertyPage* image = AddNodePage(std::make_unique<CImageViewDialog>(node));
    if (kind == kTabImage)
        defaultPage = image;
    AddChecksPage(node);
    m_propPage.ShowNode(node);
    // Otherwise, the property kind or a byte page the node lacks, the property page stays.
    if (defaultPage)
        m_sheet.SetActivePage(defaultPage);
}
