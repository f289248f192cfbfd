#include "framework/Registry.h"

#include "framework/Handles.h"

namespace registry {
namespace {

CRegKey OpenKey(const std::wstring& keyPath, REGSAM access)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, access, &key) != ERROR_SUCCESS)
        return {};
    return CRegKey(key);
}

CRegKey CreateKey(const std::wstring& keyPath)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return {};
    return CRegKey(key);
}

}

int ReadInt(const std::wstring& keyPath, const wchar_t* name, int defaultValue)
{
    CRegKey key = OpenKey(keyPath, KEY_READ);
    DWORD value = 0, type = 0, size = sizeof(value);
    if (!key || ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                    ERROR_SUCCESS || type != REG_DWORD)
        return defaultValue;
    return static_cast<int>(value);
}

std::wstring ReadString(const std::wstring& keyPath, const wchar_t* name, const wchar_t* defaultValue)
{
    CRegKey key = OpenKey(keyPath, KEY_READ);
    DWORD type = 0, size = 0;
    if (!key || ::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return defaultValue;
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
        ERROR_SUCCESS)
        return defaultValue;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
}

bool WriteInt(const std::wstring& keyPath, const wchar_t* name, int value)
{
    CRegKey key = CreateKey(keyPath);
    const DWORD data = static_cast<DWORD>(value);
    return key && ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                   sizeof(data)) == ERROR_SUCCESS;
}

bool WriteString(const std::wstring& keyPath, const wchar_t* name, const wchar_t* value)
{
    CRegKey key = CreateKey(keyPath);
    const DWORD size = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
    return key && ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), size) ==
                      ERROR_SUCCESS;
}

bool DeleteTree(const std::wstring& keyPath)
{
    return ::RegDeleteTreeW(HKEY_CURRENT_USER, keyPath.c_str()) == ERROR_SUCCESS &&
           ::RegDeleteKeyW(HKEY_CURRENT_USER, keyPath.c_str()) == ERROR_SUCCESS;
}

bool DeleteIfNoSubkeys(const std::wstring& keyPath)
{
    DWORD subkeys = 0;
    {
        CRegKey key = OpenKey(keyPath, KEY_READ);
        if (!key || ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
    }
    return subkeys == 0 && ::RegDeleteKeyW(HKEY_CURRENT_USER, keyPath.c_str()) == ERROR_SUCCESS;
}

}
