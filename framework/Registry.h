// Per-user registry values under one key path, read with defaults.
#pragma once

#include <windows.h>

#include <string>

namespace registry {

int ReadInt(const std::wstring& keyPath, const wchar_t* name, int defaultValue);
std::wstring ReadString(const std::wstring& keyPath, const wchar_t* name, const wchar_t* defaultValue);
bool WriteInt(const std::wstring& keyPath, const wchar_t* name, int value);
bool WriteString(const std::wstring& keyPath, const wchar_t* name, const wchar_t* value);

// Removes the key with every subkey and value.
bool DeleteTree(const std::wstring& keyPath);
// Removes the key only when it has no subkey.
bool DeleteIfNoSubkeys(const std::wstring& keyPath);

}
