#include "capture/SnapshotEntrySink.h"

#include "framework/Utf8.h"

#include <algorithm>

std::wstring CFolderEntrySink::PreparePath(const std::string& name) const
{
    if (!IsSafeZipName(name) || name.back() == '/')
        return {};
    std::wstring path = m_folder + L"\\";
    for (const wchar_t c : FromUtf8(name)) {
        if (c == L'/') {
            // Made by an earlier entry, or made now.
            if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
                return {};
            path += L'\\';
        } else {
            path += c;
        }
    }
    return path;
}

bool CFolderEntrySink::BeginEntry(const std::string& name, uint64_t size)
{
    const std::wstring path = PreparePath(name);
    if (path.empty() || m_file)
        return false;
    m_file.Attach(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    m_nLeft = size;
    return static_cast<bool>(m_file);
}

bool CFolderEntrySink::WriteData(std::span<const uint8_t> bytes)
{
    if (!m_file || bytes.size() > m_nLeft)
        return false;
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(m_file, bytes.data(), piece, &written, nullptr) || written != piece)
            return false;
        bytes = bytes.subspan(piece);
        m_nLeft -= piece;
    }
    return true;
}

bool CFolderEntrySink::EndEntry()
{
    const bool whole = m_file && m_nLeft == 0;
    m_file.Close();
    return whole;
}

bool CFolderEntrySink::LinkFile(const std::string& name, const std::wstring& path)
{
    const std::wstring link = PreparePath(name);
    return !link.empty() && !m_file && ::CreateHardLinkW(link.c_str(), path.c_str(), nullptr);
}
