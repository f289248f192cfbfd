// Reading a node's captured bytes piece by piece, and saving them to a file
// the user named.
#include "capture/CBData.h"

#include "framework/Handles.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

constexpr DWORD kPieceSize = 1u << 20;

}

CCBData::PiecesResult CCBData::ReadPieces(const PieceConsumer& consume) const
{
    const CFileHandle source(::CreateFileW(m_strTempFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source)
        return PiecesResult::CannotRead;
    // Sized to the node: a snapshot of thousands of small nodes reads them one after another.
    const DWORD bufferSize = static_cast<DWORD>(std::clamp<uint64_t>(m_nSize, 1, kPieceSize));
    const std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[bufferSize]);
    if (!buffer)
        return PiecesResult::NoMemory;
    for (uint64_t done = 0; done < m_nSize;) {
        const DWORD piece = static_cast<DWORD>(std::min<uint64_t>(m_nSize - done, kPieceSize));
        DWORD got = 0;
        if (!::ReadFile(source, buffer.get(), piece, &got, nullptr))
            return PiecesResult::CannotRead;
        if (got != piece) {
            ::SetLastError(ERROR_HANDLE_EOF);  // the file is shorter than the node
            return PiecesResult::CannotRead;
        }
        done += piece;
        if (!consume({buffer.get(), piece}, done))
            return PiecesResult::Ended;
    }
    return PiecesResult::Read;
}

CCBData::SaveResult CCBData::SaveBytesTo(const std::wstring& path, const SaveProgress& stop) const
{
    if (m_strTempFile.empty())
        return SaveResult::NoData;
    SaveResult result = SaveResult::Saved;
    {
        const CFileHandle target(
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!target)
            return SaveResult::CannotWrite;
        const auto write = [&](std::span<const BYTE> piece, uint64_t done) {
            DWORD written = 0;
            if (!::WriteFile(target, piece.data(), static_cast<DWORD>(piece.size()), &written, nullptr) ||
                written != piece.size())
                result = SaveResult::CannotWrite;
            else if (done < m_nSize && stop && stop(done, m_nSize))
                result = SaveResult::Stopped;
            return result == SaveResult::Saved;
        };
        switch (ReadPieces(write)) {
        case PiecesResult::CannotRead:
            result = SaveResult::CannotRead;
            break;
        case PiecesResult::NoMemory:
            result = SaveResult::CannotWrite;
            break;
        case PiecesResult::Read:
        case PiecesResult::Ended:
            break;
        }
    }
    // Half a node would pass for the whole of it.
    if (result != SaveResult::Saved)
        ::DeleteFileW(path.c_str());
    return result;
}
