// The HEX page's find box: hex bytes or text, searched forward or backward.
#pragma once

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "viewers/HexFindRequest.h"

class CHexFindDialog : public CDialogEx {
public:
    explicit CHexFindDialog(CHexFindRequest request);

    // The request as the user left it, and its patterns once the dialog ends with IDOK.
    CHexFindRequest m_request;
    std::vector<BytePattern> m_patterns;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // Ends the dialog when the text makes patterns; otherwise says why and stays.
    void Accept(bool forward);

    CEdit m_editWhat;
};
