// Copies of memory blocks, files and streams into nodes' temporary files,
// in chunks, asking between them whether the run is to stop.
#include "capture/CBDataCreateContext.h"
#include "capture/CopyCheck.h"
#include "framework/Handles.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

#include <functional>
#include <utility>

namespace {

constexpr DWORD kChunkSize = 1u << 20;

// The next piece of a source: fewer bytes than wanted, or a failure, ends
// the copy after the bytes that did come are written.
struct Chunk {
    const BYTE* data = nullptr;
    DWORD size = 0;
    bool failed = false;
    bool stays = false;  // the bytes stay where they are until the copy ends
};
using ChunkReader = std::function<Chunk(DWORD wanted)>;

// Copies node.m_nSize bytes into a new temporary file. An incomplete copy
// leaves no file and the given line; the announced size stays.
void CopyIntoTempFile(CCBDataCreateContext& context, CCBData& node, const ChunkReader& read, UINT incompleteLine)
{
    CFileHandle file = context.GetHost().CreateTempFile(node.m_strTempFile);
    if (!file) {
        node.AddErrorLine(LoadResString(IDS_CANNOT_WRITE_TEMP_FILE));
        return;
    }
    CCopyCheck check(context.TakeCopyCheck(node.m_nSize), node.m_nSize);
    uint64_t done = 0;
    while (done < node.m_nSize && !context.ShouldStop()) {
        const DWORD wanted = static_cast<DWORD>(std::min<uint64_t>(node.m_nSize - done, kChunkSize));
        const Chunk chunk = read(wanted);
        const DWORD size = std::min(chunk.size, wanted);
        DWORD written = 0;
        if (check)
            check.Start({chunk.data, size});
        const bool wrote = !size || (::WriteFile(file, chunk.data, size, &written, nullptr) && written == size);
        if (check && !chunk.stays)
            check.Wait();
        if (!wrote)
            break;
        done += size;
        if (chunk.failed || size < wanted)
            break;
    }
    file.Close();
    if (done < node.m_nSize) {
        ::DeleteFileW(node.m_strTempFile.c_str());
        node.m_strTempFile.clear();
        node.AddErrorLine(LoadResString(incompleteLine));
        return;
    }
    node.m_pCheck = check ? check.Take() : nullptr;
}

}

BYTE* CCBDataCreateContext::GetCopyBuffer()
{
    // Not value-initialised: a fresh megabyte of zeros per small file is most of its cost.
    if (!m_pCopyBuffer)
        m_pCopyBuffer.reset(new BYTE[kChunkSize]);
    return m_pCopyBuffer.get();
}

std::unique_ptr<CFormatCheck> CCBDataCreateContext::TakeCopyCheck(uint64_t size)
{
    const CheckKind kind = std::exchange(m_nextCopyCheck, CheckKind::None);
    return m_nDepth == 0 ? MakeFormatCheck(kind, size) : nullptr;
}

std::unique_ptr<CCBData> CCBDataCreateContext::CaptureGlobal(HGLOBAL hGlobal)
{
    auto node = std::make_unique<CCBData>();
    if (!hGlobal) {
        node->AddErrorLine(LoadResString(IDS_NO_DATA_HGLOBAL_NULL));
        return node;
    }
    CGlobalLock lock(hGlobal);
    // A block of size 0 is discarded memory that cannot be locked: it is empty data, not a failure.
    const bool emptyBlock = !lock && (::GlobalFlags(hGlobal) & GMEM_DISCARDED);
    if (!lock && !emptyBlock) {
        node->AddErrorLine(LoadResString(IDS_NO_DATA_GLOBALLOCK));
        return node;
    }
    node->m_nSize = lock.Size();
    const BYTE* next = static_cast<const BYTE*>(lock.Get());
    CopyIntoTempFile(
        *this, *node,
        [&next](DWORD wanted) {
            const Chunk chunk{next, wanted, false, true};
            next += wanted;
            return chunk;
        },
        IDS_CANNOT_WRITE_TEMP_FILE);
    return node;
}

std::unique_ptr<CCBData> CCBDataCreateContext::CaptureFile(const wchar_t* path)
{
    auto node = std::make_unique<CCBData>();
    node->m_strType = LoadResString(IDS_TYPE_DISK_FILE);
    CFileHandle source(path ? ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                            : INVALID_HANDLE_VALUE);
    LARGE_INTEGER size{};
    if (!source || !::GetFileSizeEx(source, &size)) {
        node->AddErrorLine(LoadResString(IDS_CANNOT_TAKE_FILE));
        return node;
    }
    node->m_nSize = static_cast<uint64_t>(size.QuadPart);
    BYTE* buffer = GetCopyBuffer();
    CopyIntoTempFile(
        *this, *node,
        [&](DWORD wanted) {
            DWORD got = 0;
            const bool failed = !::ReadFile(source, buffer, wanted, &got, nullptr);
            return Chunk{buffer, got, failed};
        },
        IDS_COULD_NOT_WRITE_TEMP_FILE);
    return node;
}

std::unique_ptr<CCBData> CCBDataCreateContext::CaptureStream(IStream* stream)
{
    auto node = std::make_unique<CCBData>();
    node->m_strType = L"IStream";
    if (!stream) {
        node->AddErrorLine(LoadResString(IDS_NO_DATA_ISTREAM_NULL));
        return node;
    }
    STATSTG status{};
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME))) {
        node->AddErrorLine(LoadResString(IDS_NO_STREAM_SIZE));
        return node;
    }
    node->m_nSize = status.cbSize.QuadPart;
    stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    BYTE* buffer = GetCopyBuffer();
    CopyIntoTempFile(
        *this, *node,
        [&](DWORD wanted) {
            ULONG got = 0;
            const HRESULT hr = stream->Read(buffer, wanted, &got);
            return Chunk{buffer, got, FAILED(hr)};
        },
        IDS_CANNOT_COPY_STREAM);
    return node;
}
