#include "framework/PointFont.h"

#include <cwchar>

CFontHandle CreatePointFont(int tenths, const wchar_t* face, UINT dpi)
{
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(static_cast<int>(dpi), tenths, 720);
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(lf.lfFaceName, face, _TRUNCATE);
    return CFontHandle(::CreateFontIndirectW(&lf));
}

int AverageCharWidth(HWND hWnd)
{
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(hWnd, WM_GETFONT, 0, 0));
    const CClientDC dc(hWnd);
    const CSelectObject select(dc, font ? font : ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    return metrics.tmAveCharWidth;
}
