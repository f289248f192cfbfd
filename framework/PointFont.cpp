#include "framework/PointFont.h"

#include "framework/Handles.h"

HFONT CreatePointFont(int tenths, const wchar_t* face)
{
    const CClientDC screen(nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(::GetDeviceCaps(screen, LOGPIXELSY), tenths, 720);
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(lf.lfFaceName, face, _TRUNCATE);
    return ::CreateFontIndirectW(&lf);
}
