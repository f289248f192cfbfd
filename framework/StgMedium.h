// A received STGMEDIUM, released with ReleaseStgMedium at scope end or
// earlier on request.
#pragma once

#include <ole2.h>

class CStgMedium : public STGMEDIUM {
public:
    CStgMedium() : STGMEDIUM{} {}
    ~CStgMedium() { Release(); }
    CStgMedium(const CStgMedium&) = delete;
    CStgMedium& operator=(const CStgMedium&) = delete;

    void Release()
    {
        ::ReleaseStgMedium(this);
        // The platform clears only tymed and pUnkForRelease.
        static_cast<STGMEDIUM&>(*this) = {};
    }
};
