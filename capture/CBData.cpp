#include "capture/CBData.h"

#include "framework/GdiPlus.h"
#include "framework/Handles.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

#include <algorithm>
#include <array>
#include <new>

namespace {

constexpr DWORD kMaxReadPiece = 1u << 30;

// The row key `id` in both languages, loaded once: rows are tested by the thousand.
using RowKeys = std::array<std::wstring, 2>;

RowKeys KeysOf(UINT id)
{
    return {LoadResStringIn(id, kJapaneseUi), LoadResStringIn(id, kEnglishUi)};
}

bool StartsWithKey(std::wstring_view row, const RowKeys& keys)
{
    return std::any_of(keys.begin(), keys.end(),
                       [&](const std::wstring& key) { return !key.empty() && row.starts_with(key); });
}

}

std::wstring ErrorRow(std::wstring_view message)
{
    return LoadResString(IDS_ERROR_ROW_KEY) + std::wstring(message);
}

bool IsErrorRow(std::wstring_view row)
{
    static const RowKeys keys = KeysOf(IDS_ERROR_ROW_KEY);
    return StartsWithKey(row, keys);
}

bool IsFetchTimeRow(std::wstring_view row)
{
    static const RowKeys keys = KeysOf(IDS_FETCH_TIME_ROW_KEY);
    return StartsWithKey(row, keys);
}

CCBData::CCBData() : m_fmt{0, nullptr, 0, -1, 0}
{
}

CCBData::~CCBData()
{
    if (!m_strTempFile.empty())
        ::DeleteFileW(m_strTempFile.c_str());
}

void CCBData::TakeOver(std::unique_ptr<CCBData> source)
{
    m_fmt = source->m_fmt;
    m_tymedActual = source->m_tymedActual;
    m_strType = source->m_strType;
    m_strName = source->m_strName;
    m_arrInfo.insert(m_arrInfo.end(), source->m_arrInfo.begin(), source->m_arrInfo.end());
    m_nSize = source->m_nSize;
    // Emptied in the source so that deleting it keeps the file.
    m_strTempFile = std::exchange(source->m_strTempFile, std::wstring());
    if (source->m_pChildren)
        m_pChildren = std::move(source->m_pChildren);
    m_bPending = source->m_bPending;
    m_pPendingFolder = std::move(source->m_pPendingFolder);
    m_pPendingStorage = std::move(source->m_pPendingStorage);
    m_pCheck = std::move(source->m_pCheck);
}

namespace {
CFileHandle OpenForReading(const std::wstring& path)
{
    return CFileHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Fills `bytes` with the whole file of `size` bytes, or leaves it empty.
CCBData::LoadResult ReadWholeFile(const std::wstring& path, uint64_t size, std::unique_ptr<BYTE[]>& bytes)
{
    using LoadResult = CCBData::LoadResult;
    if (size == 0 || path.empty())
        return LoadResult::NoData;
    CFileHandle file = OpenForReading(path);
    if (!file)
        return LoadResult::CannotOpen;
    if (size > SIZE_MAX)
        return LoadResult::NoMemory;
    bytes.reset(new (std::nothrow) BYTE[static_cast<size_t>(size)]);
    if (!bytes)
        return LoadResult::NoMemory;
    for (uint64_t done = 0; done < size;) {
        const DWORD piece = static_cast<DWORD>(std::min<uint64_t>(size - done, kMaxReadPiece));
        DWORD read = 0;
        if (!::ReadFile(file, bytes.get() + done, piece, &read, nullptr) || read != piece) {
            // The rest of the buffer was never read: nothing of it may pass for the node's bytes.
            bytes.reset();
            return LoadResult::CannotRead;
        }
        done += read;
    }
    return LoadResult::Loaded;
}

}

std::vector<BYTE> CCBData::LoadHead(size_t maxBytes) const
{
    if (m_nSize == 0 || m_strTempFile.empty())
        return {};
    CFileHandle file = OpenForReading(m_strTempFile);
    if (!file)
        return {};
    std::vector<BYTE> bytes(static_cast<size_t>(std::min<uint64_t>({m_nSize, maxBytes, kMaxReadPiece})));
    DWORD read = 0;
    if (!::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        read = 0;
    bytes.resize(read);
    return bytes;
}

std::unique_ptr<BYTE[]> CCBData::LoadData(LoadResult* result) const
{
    std::unique_ptr<BYTE[]> bytes;
    const LoadResult status = ReadWholeFile(m_strTempFile, m_nSize, bytes);
    if (result)
        *result = status;
    return bytes;
}

void CCBData::AddErrorLine(std::wstring_view message)
{
    m_arrInfo.push_back(ErrorRow(message));
}

CImagePtr CCBData::CreateImage(int& width, int& height, int& bitsPerPixel)
{
    width = height = bitsPerPixel = 0;
    if (m_nSize == 0 || m_strTempFile.empty())
        return nullptr;
    // GDI+ objects allocate through GdipAlloc, which returns null rather than throwing.
    CImagePtr image(new Gdiplus::Image(m_strTempFile.c_str()));
    if (!image)
        return nullptr;
    // A file that is no picture still gives an image object, of size 0.
    width = static_cast<int>(image->GetWidth());
    height = static_cast<int>(image->GetHeight());
    bitsPerPixel = (image->GetPixelFormat() >> 8) & 0xFF;
    return image;
}
