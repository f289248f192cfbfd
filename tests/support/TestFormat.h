// One format description as a test offers it or as a request is recorded:
// a FORMATETC without target device.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <ostream>

// Every medium type the platform defines, as a reader asks when it takes
// whatever comes (127).
inline constexpr DWORD kEveryTymed = TYMED_HGLOBAL | TYMED_FILE | TYMED_ISTREAM | TYMED_ISTORAGE |
                                     TYMED_GDI | TYMED_MFPICT | TYMED_ENHMF;

struct CTestFormat {
    CLIPFORMAT cf = 0;
    DWORD tymed = TYMED_HGLOBAL;
    DWORD aspect = DVASPECT_CONTENT;
    LONG lindex = -1;

    static CTestFormat From(const FORMATETC& fmt);
    FORMATETC ToFormatEtc() const;

    bool operator==(const CTestFormat&) const = default;
};

// For test failure messages.
std::ostream& operator<<(std::ostream& out, const CTestFormat& fmt);
