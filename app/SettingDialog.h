// The settings dialog: the capture size limit in megabytes and how a shell
// item list is captured (0 as IShellFolder, 1 as IStorage).
#pragma once

#include "framework/Dialog.h"

class CSettingDialog : public CDialogEx {
public:
    CSettingDialog();

    int m_nSizeLimit = 0;
    int m_nShellIDListMode = 0;

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
