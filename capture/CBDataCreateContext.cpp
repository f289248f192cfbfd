#include "capture/CBDataCreateContext.h"

CCBDataCreateContext::~CCBDataCreateContext()
{
    if (m_bOwnPalette && m_hPalette)
        ::DeleteObject(m_hPalette);
}
