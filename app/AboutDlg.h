// The version dialog: the product name and the version line with the build's
// pointer width.
#pragma once

#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <string>

class CAboutDlg : public CDialogEx {
public:
    CAboutDlg();

    // "Version 0.9.0.1 (64bit版)" in the 64-bit build, in Japanese.
    static std::wstring VersionLine();

    CStatic m_staticVersion;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnInitDialog() override;
};
