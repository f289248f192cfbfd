#include "capture/ZipFiles.h"

#include <algorithm>

namespace {

constexpr size_t kMaxPiece = 1u << 30;
constexpr size_t kGatherSize = 1u << 20;

bool MoveTo(HANDLE file, uint64_t offset, DWORD method = FILE_BEGIN)
{
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(offset);
    return ::SetFilePointerEx(file, distance, nullptr, method) != FALSE;
}

bool WriteAll(HANDLE file, std::span<const uint8_t> bytes)
{
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min(bytes.size(), kMaxPiece));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), piece, &written, nullptr) || written != piece)
            return false;
        bytes = bytes.subspan(piece);
    }
    return true;
}

}

CZipFileSource::CZipFileSource(HANDLE file) : m_hFile(file)
{
    LARGE_INTEGER size{};
    if (file != INVALID_HANDLE_VALUE && ::GetFileSizeEx(file, &size))
        m_nSize = static_cast<uint64_t>(size.QuadPart);
}

bool CZipFileSource::ReadAt(uint64_t offset, std::span<uint8_t> out)
{
    if (offset > m_nSize || out.size() > m_nSize - offset || !MoveTo(m_hFile, offset))
        return false;
    while (!out.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min(out.size(), kMaxPiece));
        DWORD read = 0;
        if (!::ReadFile(m_hFile, out.data(), piece, &read, nullptr) || read != piece)
            return false;
        out = out.subspan(piece);
    }
    return true;
}

CZipFileSink::CZipFileSink(HANDLE file) : m_hFile(file)
{
    m_gathered.reserve(kGatherSize);
}

bool CZipFileSink::Write(std::span<const uint8_t> bytes)
{
    if (m_gathered.size() + bytes.size() > kGatherSize && !Flush())
        return false;
    if (bytes.size() >= kGatherSize) {
        // Node bytes in large pieces go straight through.
        m_nGatheredAt += bytes.size();
        return WriteAll(m_hFile, bytes);
    }
    m_gathered.insert(m_gathered.end(), bytes.begin(), bytes.end());
    return true;
}

bool CZipFileSink::WriteAt(uint64_t offset, std::span<const uint8_t> bytes)
{
    if (offset >= m_nGatheredAt && bytes.size() <= m_gathered.size() &&
        offset - m_nGatheredAt <= m_gathered.size() - bytes.size()) {
        std::copy(bytes.begin(), bytes.end(), m_gathered.begin() + static_cast<ptrdiff_t>(offset - m_nGatheredAt));
        return true;
    }
    // Back to the end afterwards: the archive goes on from there.
    return Flush() && MoveTo(m_hFile, offset) && WriteAll(m_hFile, bytes) && MoveTo(m_hFile, 0, FILE_END);
}

bool CZipFileSink::Flush()
{
    const bool written = WriteAll(m_hFile, m_gathered);
    m_nGatheredAt += m_gathered.size();
    m_gathered.clear();
    return written;
}
