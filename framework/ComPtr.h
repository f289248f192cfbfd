// Owning COM interface pointer: one Release for every reference it holds.
#pragma once

#include <unknwn.h>

#include <utility>

template <class T>
class CComPtr {
public:
    CComPtr() = default;
    CComPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }
    CComPtr(const CComPtr& other) : CComPtr(other.m_p) {}
    CComPtr(CComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~CComPtr() { Reset(); }

    CComPtr& operator=(CComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // Takes over a reference the caller already owns (no AddRef).
    [[nodiscard]] static CComPtr Adopt(T* p)
    {
        CComPtr ptr;
        ptr.m_p = p;
        return ptr;
    }
    T* Detach() { return std::exchange(m_p, nullptr); }

    void Reset()
    {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }

    // For out-parameters; releases what was held first.
    T** operator&()
    {
        Reset();
        return &m_p;
    }

    template <class Q>
    HRESULT QueryInterface(CComPtr<Q>& out) const
    {
        return m_p ? m_p->QueryInterface(__uuidof(Q), reinterpret_cast<void**>(&out)) : E_POINTER;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};
