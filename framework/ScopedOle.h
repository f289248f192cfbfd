// OLE for the life of a scope on this thread; nothing to undo when it failed.
#pragma once

#include <ole2.h>

class CScopedOle {
public:
    CScopedOle() : m_hr(::OleInitialize(nullptr)) {}
    ~CScopedOle()
    {
        if (SUCCEEDED(m_hr))
            ::OleUninitialize();
    }
    CScopedOle(const CScopedOle&) = delete;
    CScopedOle& operator=(const CScopedOle&) = delete;

    bool Succeeded() const { return SUCCEEDED(m_hr); }

private:
    HRESULT m_hr;
};
