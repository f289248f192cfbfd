#include "viewers/CopyRows.h"

#include "framework/ClipboardText.h"
#include "framework/WinApp.h"
#include "res/strings/viewers.h"

void CopyRowsToClipboard(HWND owner, const std::wstring& text)
{
    switch (CopyTextToClipboard(owner, text)) {
    case CopyTextResult::Copied:
        break;
    case CopyTextResult::NoMemory:
        AfxMessageBox(IDS_VIEWER_NO_MEMORY);
        break;
    case CopyTextResult::NoClipboard:
        AfxMessageBox(IDS_PROPERTY_NO_CLIPBOARD);
        break;
    }
}
