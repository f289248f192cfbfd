// Dialogs from resource templates, modal or modeless: the two differ only in
// how they are created and ended. Controls are bound in DoDataExchange.
#pragma once

#include "framework/Wnd.h"

// One exchange between a dialog's controls and its members.
struct CDataExchange {
    HWND m_hDlg;
    bool m_bSaveAndValidate;  // controls to members when true
    bool m_bFailed = false;
};

// Binds control `id` of the dialog to `control`, once.
void DDX_Control(CDataExchange& dx, UINT id, CWnd& control);
// A signed decimal integer in control `id`. A text that is no int fails the
// exchange: the user is told (message 61712) and the control gets the focus.
void DDX_Text(CDataExchange& dx, UINT id, int& value);
// The radio group starting at button `firstId`: the index of the checked
// button, -1 when none is.
void DDX_Radio(CDataExchange& dx, UINT firstId, int& value);

class CDialogEx : public CWnd {
public:
    explicit CDialogEx(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}

    UINT GetTemplateId() const { return m_nIDTemplate; }

    INT_PTR DoModal(HWND parent = nullptr);
    bool Create(HWND parent = nullptr);
    // A modeless dialog from a template in memory (a changed copy of the resource).
    bool CreateIndirect(const DLGTEMPLATE* dialogTemplate, HWND parent);

    bool PreTranslateMessage(MSG& msg) override;

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange& dx) {}
    // Enter and the OK button; the default takes the data and ends the dialog.
    virtual void OnOK();
    // Esc, the close box and the Cancel button; the default ends the dialog.
    virtual void OnCancel();

    bool UpdateData(bool saveAndValidate = true);
    void EndDialog(int result);

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The dialog manager does the default work: unhandled means FALSE.
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override { return FALSE; }
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDTemplate;

private:
    // The template in the interface's language.
    const DLGTEMPLATE* Template() const;
    static INT_PTR CALLBACK StaticDialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

    bool m_bModal = false;
};
