// GDI+ with min and max in scope (NOMINMAX keeps the macros out), and its
// start-up as a scoped owner.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}
#include <gdiplus.h>

// GDI+ for the life of a scope; its failure shows only as pictures that fail.
class CScopedGdiPlus {
public:
    CScopedGdiPlus()
    {
        const Gdiplus::GdiplusStartupInput input;
        m_bStarted = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~CScopedGdiPlus()
    {
        if (m_bStarted)
            Gdiplus::GdiplusShutdown(m_token);
    }
    CScopedGdiPlus(const CScopedGdiPlus&) = delete;
    CScopedGdiPlus& operator=(const CScopedGdiPlus&) = delete;

private:
    ULONG_PTR m_token = 0;
    bool m_bStarted = false;
};
