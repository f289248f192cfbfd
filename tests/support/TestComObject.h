// IUnknown for the test sources' COM objects: one interface (and the
// interfaces it derives from), a reference count starting at 1 for the
// creator, and a place in the live-object count.
#pragma once

#include "support/LiveObjects.h"

#include <unknwn.h>

#include <atomic>

template <class I, class... Bases>
class CTestComObject : public I, private CLiveObject {
public:
    IFACEMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(I)) ||
            (IsEqualIID(riid, __uuidof(Bases)) || ...)) {
            *ppv = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    IFACEMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    IFACEMETHODIMP_(ULONG) Release() override
    {
        const ULONG refs = --m_refs;
        if (refs == 0)
            delete this;
        return refs;
    }

protected:
    CTestComObject() = default;
    virtual ~CTestComObject() = default;

private:
    // Tests may hand objects to other threads.
    std::atomic<ULONG> m_refs{1};
};
