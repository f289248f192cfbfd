#include "framework/Resource.h"

std::span<const BYTE> FindResourceBytes(UINT id, const wchar_t* type)
{
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    const HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return {};
    return {static_cast<const BYTE*>(data), ::SizeofResource(module, resource)};
}
