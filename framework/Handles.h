// Scoped owners of kernel, GDI, global-memory, search, icon, image-list and
// module handles, and of device contexts.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

// A handle closed by `Close` unless it equals `Invalid`.
template <class H, auto Invalid, auto CloseFn>
class CScopedHandle {
public:
    CScopedHandle() = default;
    explicit CScopedHandle(H h) : m_h(h) {}
    CScopedHandle(CScopedHandle&& other) noexcept : m_h(other.Detach()) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;
    ~CScopedHandle() { Close(); }

    void Attach(H h)
    {
        if (h != m_h)
            Close();
        m_h = h;
    }
    H Detach() { return std::exchange(m_h, reinterpret_cast<H>(Invalid)); }
    void Close()
    {
        if (IsValid())
            CloseFn(Detach());
    }

    H Get() const { return m_h; }
    operator H() const { return m_h; }
    bool IsValid() const { return m_h != reinterpret_cast<H>(Invalid); }
    explicit operator bool() const { return IsValid(); }

private:
    H m_h = reinterpret_cast<H>(Invalid);
};

namespace handle_detail {
inline void CloseKernel(HANDLE h) { ::CloseHandle(h); }
inline void CloseFind(HANDLE h) { ::FindClose(h); }
inline void FreeGlobal(HGLOBAL h) { ::GlobalFree(h); }
inline void DeleteGdi(HGDIOBJ h) { ::DeleteObject(h); }
inline void DeleteEnhMetaFileHandle(HENHMETAFILE h) { ::DeleteEnhMetaFile(h); }
inline void DeleteMetaFileHandle(HMETAFILE h) { ::DeleteMetaFile(h); }
inline void CloseRegKey(HKEY h) { ::RegCloseKey(h); }
inline void DestroyMenuHandle(HMENU h) { ::DestroyMenu(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }
inline void DestroyImageList(HIMAGELIST h) { ::ImageList_Destroy(h); }
inline void FreeLibraryHandle(HMODULE h) { ::FreeLibrary(h); }
inline void DeleteDCHandle(HDC h) { ::DeleteDC(h); }
}

// Mutexes, events, processes: null when absent.
using CHandle = CScopedHandle<HANDLE, 0, handle_detail::CloseKernel>;
// CreateFileW results: INVALID_HANDLE_VALUE when absent.
using CFileHandle = CScopedHandle<HANDLE, -1, handle_detail::CloseKernel>;
using CFindHandle = CScopedHandle<HANDLE, -1, handle_detail::CloseFind>;
using CGlobalHandle = CScopedHandle<HGLOBAL, 0, handle_detail::FreeGlobal>;
using CRegKey = CScopedHandle<HKEY, 0, handle_detail::CloseRegKey>;
using CMenuHandle = CScopedHandle<HMENU, 0, handle_detail::DestroyMenuHandle>;
using CEnhMetaFileHandle = CScopedHandle<HENHMETAFILE, 0, handle_detail::DeleteEnhMetaFileHandle>;
using CMetaFileHandle = CScopedHandle<HMETAFILE, 0, handle_detail::DeleteMetaFileHandle>;
using CIconHandle = CScopedHandle<HICON, 0, handle_detail::DestroyIconHandle>;
using CImageListHandle = CScopedHandle<HIMAGELIST, 0, handle_detail::DestroyImageList>;
// LoadLibraryW results.
using CModuleHandle = CScopedHandle<HMODULE, 0, handle_detail::FreeLibraryHandle>;
// CreateCompatibleDC results.
using CMemoryDC = CScopedHandle<HDC, 0, handle_detail::DeleteDCHandle>;

template <class T>
using CGdiObject = CScopedHandle<T, 0, handle_detail::DeleteGdi>;
using CBitmapHandle = CGdiObject<HBITMAP>;
using CPaletteHandle = CGdiObject<HPALETTE>;
using CFontHandle = CGdiObject<HFONT>;
using CBrushHandle = CGdiObject<HBRUSH>;

// A locked global memory block, unlocked at scope end.
class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL h) : m_h(h), m_p(h ? ::GlobalLock(h) : nullptr) {}
    ~CGlobalLock() { if (m_p) ::GlobalUnlock(m_h); }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    void* Get() const { return m_p; }
    SIZE_T Size() const { return m_p ? ::GlobalSize(m_h) : 0; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    HGLOBAL m_h;
    void* m_p;
};

// An object selected into a DC, put back at scope end.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(::SelectObject(dc, obj)) {}
    ~CSelectObject() { ::SelectObject(m_dc, m_old); }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// The device context of one WM_PAINT, ended at scope end.
class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_dc(::BeginPaint(hWnd, &m_paint)) {}
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    operator HDC() const { return m_dc; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};

// A window's client-area device context (the screen's for no window),
// released at scope end.
class CClientDC {
public:
    explicit CClientDC(HWND hWnd) : m_hWnd(hWnd), m_dc(::GetDC(hWnd)) {}
    ~CClientDC() { if (m_dc) ::ReleaseDC(m_hWnd, m_dc); }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;

    operator HDC() const { return m_dc; }

private:
    HWND m_hWnd;
    HDC m_dc;
};
