// The editor of the code-page list: one "name=number" entry per line,
// stored back as the "CodePages" setting on OK.
#pragma once

#include "framework/Dialog.h"
#include "res/resource.h"
#include "viewers/NoSelEdit.h"

class CAddCodePageDialog : public CDialogEx {
public:
    CAddCodePageDialog() : CDialogEx(IDD_ADD_CODE_PAGE) {}

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    // Refuses a ";" (it separates the stored entries); stores and closes otherwise.
    void OnOK() override;

    CNoSelEdit m_edit;
};
