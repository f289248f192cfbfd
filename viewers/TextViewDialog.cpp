#include "viewers/TextViewDialog.h"

#include "framework/Resource.h"
#include "framework/WinApp.h"
#include "framework/WindowRect.h"
#include "res/strings/capture.h"
#include "res/strings/viewers.h"
#include "viewers/AddCodePageDialog.h"
#include "viewers/CodePageDetection.h"
#include "viewers/CodePageSetting.h"
#include "viewers/HtmlFormatRows.h"
#include "viewers/TextReport.h"

#include <algorithm>
#include <new>

namespace {

ByteSpan NodeBytes(const std::unique_ptr<BYTE[]>& bytes, const CCBData& node)
{
    return {bytes.get(), static_cast<size_t>(node.m_nSize)};
}

// Puts `control` where it was laid out, cut off at the page's right edge `width`.
void PlaceCutAt(HWND control, const RECT& laidOut, int width)
{
    const LONG left = std::min<LONG>(laidOut.left, width);
    const LONG right = std::max(left, std::min<LONG>(laidOut.right, width));
    ::MoveWindow(control, left, laidOut.top, right - left, laidOut.bottom - laidOut.top, TRUE);
}

}

void CTextViewDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_CODE_PAGE, m_comboCodePage);
    DDX_Control(dx, IDC_TEXT, m_editText);
    DDX_Control(dx, IDC_TEXT_INFO, m_staticInfo);
    DDX_Control(dx, IDC_HTML_FRAGMENT_ONLY, m_checkFragment);
}

BOOL CTextViewDialog::OnInitDialog()
{
    CPlexaPropertyPage::OnInitDialog();
    m_editBrush.Attach(::CreateSolidBrush(::GetSysColor(COLOR_WINDOW)));
    std::wstring failure;
    std::unique_ptr<BYTE[]> bytes = LoadText(failure);
    if (bytes) {
        m_nCurrentCodePage = m_pData->GetCodePage();
        if (m_nCurrentCodePage == kCodePageNone)
            m_nCurrentCodePage = DetectNodeCodePage(NodeBytes(bytes, *m_pData));
    }
    SetUpFragmentCheck(bytes);
    m_rcFragmentCheck = GetChildRect(m_checkFragment);
    m_rcInfo = GetChildRect(m_staticInfo);
    FillCodePageCombo();
    ShowText(std::move(bytes));
    return TRUE;
}

void CTextViewDialog::SetUpFragmentCheck(const std::unique_ptr<BYTE[]>& bytes)
{
    if (!m_pData || !IsHtmlFormatNode(*m_pData))
        return;
    if (bytes)
        m_fragment = ReadHtmlFormatHeader(NodeBytes(bytes, *m_pData), m_pData->m_nSize).fragment;
    ::EnableWindow(m_checkFragment, m_fragment.has_value());
    ::ShowWindow(m_checkFragment, SW_SHOW);
    const RECT check = GetChildRect(m_checkFragment);
    const RECT info = GetChildRect(m_staticInfo);
    // The report keeps its width, a few dialog units right of the box.
    RECT gap{0, 0, 4, 0};
    ::MapDialogRect(m_hWnd, &gap);
    ::MoveWindow(m_staticInfo, check.right + gap.right, info.top, info.right - info.left, info.bottom - info.top,
                 TRUE);
}

void CTextViewDialog::FillCodePageCombo()
{
    const int selected = m_comboCodePage.GetCurSel();
    int keep = m_pData ? m_nCurrentCodePage : kCodePageAnsi;
    if (selected >= 0 && static_cast<size_t>(selected) < m_arrCodePages.size())
        keep = m_arrCodePages[static_cast<size_t>(selected)].m_nCodePage;
    m_comboCodePage.ResetContent();
    LoadCodePages(keep);
    for (size_t i = 0; i < m_arrCodePages.size(); ++i) {
        m_comboCodePage.AddString(m_arrCodePages[i].m_strName);
        // When several entries share the code page, the last one stays selected.
        if (m_arrCodePages[i].m_nCodePage == keep)
            m_comboCodePage.SetCurSel(static_cast<int>(i));
    }
}

void CTextViewDialog::LoadCodePages(int keep)
{
    m_arrCodePages = BuildCodePageList(ReadCodePagesSetting());
    if (m_pData) {
        if (const int nodeCodePage = m_pData->GetCodePage(); nodeCodePage != kCodePageNone)
            AddCodePageIfMissing(m_arrCodePages, nodeCodePage);
    }
    AddCodePageIfMissing(m_arrCodePages, keep);
}

std::unique_ptr<BYTE[]> CTextViewDialog::LoadText(std::wstring& failure) const
{
    if (!m_pData || m_pData->m_nSize == 0)
        return nullptr;
    if (m_pData->m_nSize > kMaxDecodedBytes) {
        failure = FormatResString(IDS_TEXT_TOO_LARGE, static_cast<unsigned long long>(kMaxDecodedBytes));
        return nullptr;
    }
    CCBData::LoadResult result;
    std::unique_ptr<BYTE[]> bytes = m_pData->LoadData(&result);
    if (result == CCBData::LoadResult::CannotRead)
        AfxMessageBox(IDS_CANNOT_READ_TEMP_FILE, MB_OK);
    if (!bytes)
        failure = LoadResString(IDS_TEXT_UNREADABLE);
    return bytes;
}

void CTextViewDialog::ShowText(std::unique_ptr<BYTE[]> bytes)
{
    std::wstring report;
    if (!bytes)
        bytes = LoadText(report);
    DecodedText decoded;
    const int selected = m_comboCodePage.GetCurSel();
    if (bytes && selected >= 0 && static_cast<size_t>(selected) < m_arrCodePages.size()) {
        m_nCurrentCodePage = m_arrCodePages[static_cast<size_t>(selected)].m_nCodePage;
        ByteSpan shown = NodeBytes(bytes, *m_pData);
        if (m_fragment && m_checkFragment.GetCheck())
            shown = shown.subspan(m_fragment->first, m_fragment->second - m_fragment->first);
        try {
            decoded = m_decoder.Decode(shown, m_nCurrentCodePage);
            report = decoded.converted ? TextReport(decoded.nulFound, ClassifyLineBreaks(decoded.lineBreaks))
                                       : FormatResString(IDS_TEXT_CANNOT_CONVERT, m_nCurrentCodePage);
        } catch (const std::bad_alloc&) {
            decoded = {};
            report = LoadResString(IDS_TEXT_NO_MEMORY);
        }
    }
    bytes.reset();
    if (report.empty())
        report = TextReport(false, LineBreakKind::None);
    if (!m_editText.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(decoded.text.c_str()))) {
        m_editText.SetWindowText(L"");
        report = LoadResString(IDS_TEXT_NO_MEMORY);
    }
    m_staticInfo.SetWindowText(report);
}

void CTextViewDialog::OnAddCodePage()
{
    CAddCodePageDialog editor;
    if (editor.DoModal(::GetAncestor(m_hWnd, GA_ROOT)) != IDOK)
        return;
    FillCodePageCombo();
    ShowText();
}

bool CTextViewDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_CODE_PAGE && HIWORD(wParam) == CBN_SELCHANGE) {
        ShowText();
        return true;
    }
    if (LOWORD(wParam) == IDC_HTML_FRAGMENT_ONLY && HIWORD(wParam) == BN_CLICKED) {
        ShowText();
        return true;
    }
    if (LOWORD(wParam) == IDC_ADD_CODE_PAGE && HIWORD(wParam) == BN_CLICKED) {
        OnAddCodePage();
        return true;
    }
    return CPlexaPropertyPage::OnCommand(wParam, lParam);
}

void CTextViewDialog::OnSize(UINT type, int cx, int cy)
{
    if (!m_editText.GetSafeHwnd())
        return;
    const RECT edit = GetChildRect(m_editText);
    ::MoveWindow(m_editText, edit.left, edit.top, std::max(0L, cx - edit.left), std::max(0L, cy - edit.top), TRUE);
    PlaceCutAt(m_checkFragment, m_rcFragmentCheck, cx);
    PlaceCutAt(m_staticInfo, m_rcInfo, cx);
}

LRESULT CTextViewDialog::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    // A read-only edit asks as a static does; it gets the window colour, not the dialog's.
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        if (reinterpret_cast<HWND>(lParam) == m_editText.GetSafeHwnd() && m_editBrush) {
            ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(m_editBrush.Get());
        }
        break;
    case WM_SYSCOLORCHANGE:
        m_editBrush.Attach(::CreateSolidBrush(::GetSysColor(COLOR_WINDOW)));
        // The edit asks for its colours only when it paints.
        ::InvalidateRect(m_editText, nullptr, TRUE);
        break;
    }
    return CPlexaPropertyPage::WndProc(msg, wParam, lParam);
}
