// One page of a CPropertySheet: a dialog from a resource template, made as a
// child of the sheet the first time the sheet shows it; its tab shows the
// template's caption.
#pragma once

#include "framework/Dialog.h"

#include <string>

class CPropertyPage : public CDialogEx {
public:
    explicit CPropertyPage(UINT nIDTemplate) : CDialogEx(nIDTemplate) {}

    std::wstring GetCaption() const;

    // The sheet's page-switching keys are left for the sheet; the rest is dialog navigation.
    bool PreTranslateMessage(MSG& msg) override;

protected:
    // A page lasts as long as its sheet keeps it: Enter and Esc end nothing.
    void OnOK() override {}
    void OnCancel() override {}

private:
    friend class CPropertySheet;
    // Makes the hidden window inside `sheet`.
    bool CreatePage(HWND sheet);
};
