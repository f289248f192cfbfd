#include "framework/PropertyPage.h"

#include "framework/DialogTemplate.h"
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
    return CDialogEx::PreTranslateMessage(msg);
}

bool CPropertyPage::CreatePage(HWND sheet)
{
    const std::vector<BYTE> page = MakePageTemplate(FindDialogTemplate(m_nIDTemplate));
    return !page.empty() && CreateIndirect(reinterpret_cast<const DLGTEMPLATE*>(page.data()), sheet);
}
