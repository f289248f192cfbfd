// Saving a node's captured bytes to a file the user named.
#include "capture/CBData.h"

#include "framework/Handles.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

constexpr DWORD kSaveChunk = 1u << 20;

}

CCBData::SaveResult CCBData::SaveBytesTo(const std::wstring& path, const SaveProgress& stop) const
{
    if (m_strTempFile.empty())
        return SaveResult::NoData;
    const CFileHandle source(::CreateFileW(m_strTempFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source)
        return SaveResult::CannotRead;
    const std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[kSaveChunk]);
    if (!buffer)
        return SaveResult::CannotWrite;
    SaveResult result = SaveResult::Saved;
    {
        const CFileHandle target(
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!target)
            return SaveResult::CannotWrite;
        for (uint64_t done = 0; done < m_nSize && result == SaveResult::Saved;) {
            const DWORD piece = static_cast<DWORD>(std::min<uint64_t>(m_nSize - done, kSaveChunk));
            DWORD got = 0;
            DWORD written = 0;
            if (!::ReadFile(source, buffer.get(), piece, &got, nullptr) || got != piece)
                result = SaveResult::CannotRead;
            else if (!::WriteFile(target, buffer.get(), piece, &written, nullptr) || written != piece)
                result = SaveResult::CannotWrite;
            done += piece;
            if (result == SaveResult::Saved && done < m_nSize && stop && stop(done, m_nSize))
                result = SaveResult::Stopped;
        }
    }
    // Half a node would pass for the whole of it.
    if (result != SaveResult::Saved)
        ::DeleteFileW(path.c_str());
    return result;
}
