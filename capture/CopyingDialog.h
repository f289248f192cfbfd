// The modeless progress dialog of a capture run: what is being taken, and
// the "中止" button whose flag every copy loop and walk reads.
#pragma once

#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <string>

class CCopyingDialog : public CDialogEx {
public:
    CCopyingDialog();

    // Shows the text now, or as soon as the window exists.
    void ShowItem(const std::wstring& text);

    std::wstring m_strText;
    int m_bAbort = 0;  // set once by the user, never cleared during a run
    CEdit m_edit;
    CStatic m_static;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
};
