#include "ui/MainFrame.h"

void CMainFrame::RestoreWindowPlacement()
{
    ::ShowWindow(m_hWnd, SW_SHOW);
}
