// A fresh folder under the temporary path, removed with everything in it.
#pragma once

#include <string>
#include <vector>

class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// Test file helpers over the real file system.
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string ReadFileBytes(const std::wstring& path);
void RemoveTree(const std::wstring& path);
// Names (not paths) of the entries of a folder matching `pattern`.
std::vector<std::wstring> ListFolder(const std::wstring& folder, const wchar_t* pattern = L"*");
