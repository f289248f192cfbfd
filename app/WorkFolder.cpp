#define _CRT_RAND_S
#include "app/WorkFolder.h"

#include "framework/Format.h"

#include <cstdlib>

namespace {

constexpr DWORD kClaimTimeoutMs = 3000;
constexpr DWORD kReleaseTimeoutMs = 1000;
constexpr int kNameAttempts = 1000;

// Owns the named mutex for one scope, when it could be acquired in time.
class CWorkFolderLock {
public:
    explicit CWorkFolderLock(DWORD timeoutMs) : m_mutex(::CreateMutexW(nullptr, FALSE, kWorkFolderName))
    {
        m_bOwned = m_mutex && ::WaitForSingleObject(m_mutex, timeoutMs) == WAIT_OBJECT_0;
    }
    ~CWorkFolderLock()
    {
        if (m_bOwned)
            ::ReleaseMutex(m_mutex);
    }
    bool IsOwned() const { return m_bOwned; }

private:
    CHandle m_mutex;
    bool m_bOwned = false;
};

}

std::wstring CWorkFolder::GetTempRoot()
{
    std::wstring root(65536, L'\0');
    DWORD length = ::GetEnvironmentVariableW(L"TEMP", root.data(), static_cast<DWORD>(root.size()));
    if (length == 0 || length >= root.size()) {
        length = ::GetTempPathW(static_cast<DWORD>(root.size()), root.data());
        if (length >= root.size())
            length = 0;
    }
    root.resize(length);
    while (!root.empty() && (root.back() == L'\\' || root.back() == L'/'))
        root.pop_back();
    return root;
}

bool CWorkFolder::Claim(const std::wstring& tempRoot)
{
    m_strWorkDir = tempRoot + L"\\" + kWorkFolderName;
    CWorkFolderLock lock(kClaimTimeoutMs);
    if (!lock.IsOwned())
        return false;
    ::CreateDirectoryW(m_strWorkDir.c_str(), nullptr);
    m_strCheckFile = m_strWorkDir + L"\\$ichk$.tmp";
    m_hCheckFile.Attach(::CreateFileW(m_strCheckFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    return m_hCheckFile.IsValid();
}

void CWorkFolder::Release()
{
    if (!m_hCheckFile.IsValid())
        return;
    m_hCheckFile.Close();
    CWorkFolderLock lock(kReleaseTimeoutMs);
    // Another instance still holding its marker makes the deletion fail.
    if (lock.IsOwned() && ::DeleteFileW(m_strCheckFile.c_str())) {
        RemoveTempFiles();
        ::RemoveDirectoryW(m_strWorkDir.c_str());
    }
}

void CWorkFolder::RemoveTempFiles() const
{
    WIN32_FIND_DATAW found;
    CFindHandle find(::FindFirstFileW((m_strWorkDir + L"\\*.cvtmp").c_str(), &found));
    if (!find)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ::DeleteFileW((m_strWorkDir + L"\\" + found.cFileName).c_str());
    } while (::FindNextFileW(find, &found));
}

std::wstring CWorkFolder::MakeTempFileName() const
{
    std::wstring path;
    CreateTempFile(path);
    return path;
}

unsigned int CWorkFolder::DrawNamePart() const
{
    unsigned int random = 0;
    rand_s(&random);
    return random;
}

CFileHandle CWorkFolder::CreateTempFile(std::wstring& path) const
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    const std::wstring stamp = FormatString(L"%04d%02d%02d%02d%02d%02d", now.wYear, now.wMonth, now.wDay,
                                            now.wHour, now.wMinute, now.wSecond);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        path = m_strWorkDir + L"\\" + stamp + FormatString(L"%08lx", DrawNamePart()) + L".cvtmp";
        // Never CREATE_ALWAYS: two nodes named in the same second with the
        // same random part would share one file.
        CFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            return file;
        const DWORD error = ::GetLastError();
        // Someone removed the folder while we run: make it again and retry.
        if (error == ERROR_PATH_NOT_FOUND)
            ::CreateDirectoryW(m_strWorkDir.c_str(), nullptr);
        else if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            break;  // another name would fail the same way
    }
    path.clear();
    return {};
}
