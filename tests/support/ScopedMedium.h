// A STGMEDIUM that a test received, freed with ReleaseStgMedium at scope end
// or when the test wants to see what releasing does.
#pragma once

#include <ole2.h>

class CScopedMedium : public STGMEDIUM {
public:
    CScopedMedium() : STGMEDIUM{} {}
    ~CScopedMedium() { Release(); }
    CScopedMedium(const CScopedMedium&) = delete;
    CScopedMedium& operator=(const CScopedMedium&) = delete;

    void Release()
    {
        ::ReleaseStgMedium(this);
        // The platform clears only tymed and pUnkForRelease.
        static_cast<STGMEDIUM&>(*this) = {};
    }
};
