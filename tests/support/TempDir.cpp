#define _CRT_RAND_S
#include "support/TempDir.h"

#include "framework/Format.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <cstdlib>

CTempDir::CTempDir()
{
    wchar_t root[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, root);
    unsigned int random = 0;
    rand_s(&random);
    m_path = std::wstring(root, length) + FormatString(L"plexa-test-%lu-%08x", ::GetCurrentProcessId(), random);
    EXPECT_TRUE(::CreateDirectoryW(m_path.c_str(), nullptr)) << "cannot create a test folder";
}

CTempDir::~CTempDir()
{
    RemoveTree(m_path);
}

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                   nullptr));
    ASSERT_TRUE(file.IsValid()) << "cannot create a test file";
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
}

std::string ReadFileBytes(const std::wstring& path)
{
    CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!file)
        return bytes;
    LARGE_INTEGER size{};
    ::GetFileSizeEx(file, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

std::vector<std::wstring> ListFolder(const std::wstring& folder, const wchar_t* pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    CFindHandle find(::FindFirstFileW((folder + L"\\" + pattern).c_str(), &found));
    if (!find)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(find, &found));
    return names;
}

void RemoveTree(const std::wstring& path)
{
    for (const auto& name : ListFolder(path)) {
        const std::wstring child = path + L"\\" + name;
        if (DirectoryExists(child))
            RemoveTree(child);
        else
            ::DeleteFileW(child.c_str());
    }
    ::RemoveDirectoryW(path.c_str());
}
