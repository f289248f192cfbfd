#include "framework/PropertyPage.h"

#include "framework/DialogTemplate.h"
#include "framework/FrameWnd.h"
#include "framework/PropertySheet.h"

std::wstring CPropertyPage::GetCaption() const
{
    return GetDialogTemplateCaption(FindDialogTemplate(m_nIDTemplate));
}

bool CPropertyPage::PreTranslateMessage(MSG& msg)
{
    // The sheet is offered the message after its page.
    if (CPropertySheet::GetPageStep(msg) != 0)
        return false;
    // The frame's shortcuts (F6 to the next pane) come before the page's
    // dialog keys, which would otherwise take every key.
    if (auto* frame = dynamic_cast<CFrameWnd*>(FromHandle(::GetAncestor(m_hWnd, GA_ROOT)));
        frame && frame->PreTranslateMessage(msg))
        return true;
    return CDialogEx::PreTranslateMessage(msg);
}

bool CPropertyPage::CreatePage(HWND sheet)
{
    const std::vector<BYTE> page = MakePageTemplate(FindDialogTemplate(m_nIDTemplate));
    return !page.empty() && CreateIndirect(reinterpret_cast<const DLGTEMPLATE*>(page.data()), sheet);
}
