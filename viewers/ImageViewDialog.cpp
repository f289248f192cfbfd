#include "viewers/ImageViewDialog.h"

#include "capture/CBDataImageBytes.h"
#include "framework/GdiPlus.h"
#include "framework/Resource.h"
#include "framework/WinApp.h"
#include "framework/WindowRect.h"
#include "res/resource.h"
#include "res/strings/capture.h"
#include "res/strings/viewers.h"

namespace {

// The size and the bits per pixel, without the depth when it is 0; empty
// unless both sides are above 0.
std::wstring SizeLabel(int width, int height, int bitsPerPixel)
{
    if (width <= 0 || height <= 0)
        return {};
    if (bitsPerPixel == 0)
        return FormatResString(IDS_IMAGE_SIZE, width, height);
    return FormatResString(IDS_IMAGE_SIZE_DEPTH, width, height, bitsPerPixel);
}

}

CImageViewDialog::CImageViewDialog(CCBData* node) : CPlexaPropertyPage(IDD_IMAGE_VIEW, node) {}

CImageViewDialog::~CImageViewDialog() = default;

void CImageViewDialog::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_IMAGE_PLACEHOLDER, m_frame);
    DDX_Control(dx, IDC_IMAGE_INFO, m_label);
}

BOOL CImageViewDialog::OnInitDialog()
{
    CPlexaPropertyPage::OnInitDialog();
    int width = 0, height = 0, bitsPerPixel = 0;
    if (m_pData)
        m_pImage = m_pData->CreateImage(width, height, bitsPerPixel);
    if (const auto* picture = dynamic_cast<const CCBData_ImageBytes*>(m_pData);
        picture && picture->m_loadResult == CCBData::LoadResult::CannotRead)
        AfxMessageBox(IDS_CANNOT_READ_TEMP_FILE, MB_OK);
    m_label.SetWindowText(SizeLabel(width, height, bitsPerPixel));

    // The picture window takes the hidden placeholder's place.
    const RECT frame = GetChildRect(m_frame);
    m_imgWnd.Create(m_hWnd);
    ::MoveWindow(m_imgWnd, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
    m_imgWnd.SetImage(m_pImage.get());
    ::ShowWindow(m_frame, SW_HIDE);
    return TRUE;
}

void CImageViewDialog::OnSize(UINT, int cx, int cy)
{
    if (!m_imgWnd.GetSafeHwnd())
        return;
    // Keeps its top-left corner and reaches the page's right and bottom edges.
    const RECT rect = GetChildRect(m_imgWnd);
    ::MoveWindow(m_imgWnd, rect.left, rect.top, cx - rect.left, cy - rect.top, TRUE);
}
