#include "capture/CBDataImageBytes.h"

bool CCBData_ImageBytes::EnsureBytes()
{
    if (!m_pBytes)
        m_pBytes = LoadData();
    return m_pBytes != nullptr;
}
