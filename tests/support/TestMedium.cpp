#include "support/TestMedium.h"

#include "framework/Handles.h"
#include "support/MediumOwner.h"
#include "support/TestPictures.h"

#include <ole2.h>

#include <cstring>
#include <string>

namespace {

HRESULT LastError()
{
    return HRESULT_FROM_WIN32(::GetLastError());
}

// A new file in the temporary folder holding `bytes`; nothing is left behind on failure.
HRESULT WriteTempFile(const CBytes& bytes, std::wstring& path)
{
    wchar_t dir[MAX_PATH];
    wchar_t name[MAX_PATH];
    if (!::GetTempPathW(MAX_PATH, dir) || !::GetTempFileNameW(dir, L"tds", 0, name))
        return LastError();
    HRESULT hr = S_OK;
    {
        CFileHandle file(::CreateFileW(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file)
            hr = LastError();
        else if (!bytes.empty() &&
                 !::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
            hr = LastError();
        else if (written != bytes.size())
            hr = E_FAIL;
    }
    if (FAILED(hr))
        ::DeleteFileW(name);
    else
        path = name;
    return hr;
}

}

CTestMedium CTestMedium::Global(CBytes bytes)
{
    return CTestMedium([bytes = std::move(bytes)](STGMEDIUM& out) {
        CGlobalHandle global(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
        if (!global)
            return E_OUTOFMEMORY;
        if (!bytes.empty()) {
            CGlobalLock lock(global);
            if (!lock)
                return E_OUTOFMEMORY;
            std::memcpy(lock.Get(), bytes.data(), bytes.size());
        }
        out.tymed = TYMED_HGLOBAL;
        out.hGlobal = global.Detach();
        return S_OK;
    });
}

CTestMedium CTestMedium::File(CBytes bytes)
{
    return CTestMedium([bytes = std::move(bytes)](STGMEDIUM& out) {
        std::wstring path;
        const HRESULT hr = WriteTempFile(bytes, path);
        if (FAILED(hr))
            return hr;
        const size_t size = (path.size() + 1) * sizeof(wchar_t);
        auto* name = static_cast<LPOLESTR>(::CoTaskMemAlloc(size));
        if (!name) {
            ::DeleteFileW(path.c_str());
            return E_OUTOFMEMORY;
        }
        std::memcpy(name, path.c_str(), size);
        out.tymed = TYMED_FILE;
        out.lpszFileName = name;
        return S_OK;
    });
}

CTestMedium CTestMedium::Stream(CBytes bytes, CStreamFaults faults)
{
    return CTestMedium([bytes = std::move(bytes), faults](STGMEDIUM& out) {
        const HRESULT hr = CreateTestStream(bytes, faults, &out.pstm);
        if (SUCCEEDED(hr))
            out.tymed = TYMED_ISTREAM;
        return hr;
    });
}

CTestMedium CTestMedium::Storage(CTestStorage storage)
{
    return CTestMedium([storage = std::move(storage)](STGMEDIUM& out) {
        const HRESULT hr = storage.Build(&out.pstg);
        if (SUCCEEDED(hr))
            out.tymed = TYMED_ISTORAGE;
        return hr;
    });
}

CTestMedium CTestMedium::Bitmap(int cx, int cy, COLORREF color)
{
    return CTestMedium([=](STGMEDIUM& out) {
        out.hBitmap = CreateTestBitmap(cx, cy, color);
        if (!out.hBitmap)
            return E_OUTOFMEMORY;
        out.tymed = TYMED_GDI;
        return S_OK;
    });
}

CTestMedium CTestMedium::Palette(COLORREF first, COLORREF second)
{
    return CTestMedium([=](STGMEDIUM& out) {
        struct {
            LOGPALETTE header;
            PALETTEENTRY second;
        } palette{{0x300, 2, {{GetRValue(first), GetGValue(first), GetBValue(first), 0}}},
                  {GetRValue(second), GetGValue(second), GetBValue(second), 0}};
        out.hBitmap = reinterpret_cast<HBITMAP>(::CreatePalette(&palette.header));
        if (!out.hBitmap)
            return E_OUTOFMEMORY;
        out.tymed = TYMED_GDI;
        return S_OK;
    });
}

CTestMedium CTestMedium::MetafilePict(LONG xExt, LONG yExt)
{
    return CTestMedium([=](STGMEDIUM& out) {
        out.hMetaFilePict = CreateTestMetafilePict(xExt, yExt);
        if (!out.hMetaFilePict)
            return E_OUTOFMEMORY;
        out.tymed = TYMED_MFPICT;
        return S_OK;
    });
}

CTestMedium CTestMedium::EnhMetafile(RECT frame)
{
    return CTestMedium([=](STGMEDIUM& out) {
        out.hEnhMetaFile = CreateTestEnhMetafile(frame);
        if (!out.hEnhMetaFile)
            return E_OUTOFMEMORY;
        out.tymed = TYMED_ENHMF;
        return S_OK;
    });
}

CTestMedium CTestMedium::Null(DWORD tymed)
{
    return CTestMedium([=](STGMEDIUM& out) {
        out.tymed = tymed;
        return S_OK;
    });
}

CTestMedium& CTestMedium::WithExtraTymed(DWORD bits)
{
    m_extraTymed = bits;
    return *this;
}

HRESULT CTestMedium::Make(STGMEDIUM& out) const
{
    out = {};
    HRESULT hr = m_make(out);
    const DWORD reported = out.tymed | m_extraTymed;
    if (FAILED(hr) || reported == out.tymed)
        return hr;

    IUnknown* owner = nullptr;
    hr = CreateMediumOwner(out, &owner);
    if (FAILED(hr)) {
        ::ReleaseStgMedium(&out);
        out = {};
        return hr;
    }
    out.tymed = reported;
    out.pUnkForRelease = owner;
    return S_OK;
}
