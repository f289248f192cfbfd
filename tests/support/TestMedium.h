// The recipe for the medium of one answer. Every delivery makes a new medium
// that the caller owns and frees with ReleaseStgMedium (pUnkForRelease null
// unless the tymed lies, see WithExtraTymed).
#pragma once

#include "support/TestBytes.h"
#include "support/TestStorage.h"
#include "support/TestStream.h"

#include <objidl.h>

#include <functional>

class CTestMedium {
public:
    // Moveable memory; without bytes it is born discarded, so it cannot be
    // locked, as the platform makes an empty block.
    static CTestMedium Global(CBytes bytes);
    // A new temporary file with the bytes, named in memory from CoTaskMemAlloc;
    // ReleaseStgMedium deletes the file.
    static CTestMedium File(CBytes bytes);
    static CTestMedium Stream(CBytes bytes, CStreamFaults faults = {});
    static CTestMedium Storage(CTestStorage storage);
    static CTestMedium Bitmap(int cx, int cy, COLORREF color);
    // A palette travels as a GDI medium too (CF_PALETTE).
    static CTestMedium Palette(COLORREF first, COLORREF second);
    static CTestMedium MetafilePict(LONG xExt, LONG yExt);
    static CTestMedium EnhMetafile(RECT frame);
    // The given tymed (any value, 0 too) with a null handle, pointer or path.
    static CTestMedium Null(DWORD tymed);

    // Reports these bits in tymed besides the true one, as lying sources do.
    // The delivered STGMEDIUM then carries a releasing object in
    // pUnkForRelease, the only way ReleaseStgMedium can still free it.
    CTestMedium& WithExtraTymed(DWORD bits);

    // On failure `out` is empty.
    HRESULT Make(STGMEDIUM& out) const;

private:
    using Maker = std::function<HRESULT(STGMEDIUM&)>;
    explicit CTestMedium(Maker make) : m_make(std::move(make)) {}

    Maker m_make;
    DWORD m_extraTymed = 0;
};
