#include "support/MediumOwner.h"

#include "support/TestComObject.h"

#include <ole2.h>

#include <new>

namespace {

class CMediumOwner final : public CTestComObject<IUnknown> {
public:
    explicit CMediumOwner(const STGMEDIUM& medium) : m_medium(medium) {}
    ~CMediumOwner() override { ::ReleaseStgMedium(&m_medium); }

private:
    STGMEDIUM m_medium;
};

}

HRESULT CreateMediumOwner(const STGMEDIUM& medium, IUnknown** out)
{
    *out = new (std::nothrow) CMediumOwner(medium);
    return *out ? S_OK : E_OUTOFMEMORY;
}
