// Writing a snapshot: the manifest built from the nodes, then every node's
// bytes and pictures as entries, into a file that replaces the target only
// once it is whole.
#include "capture/SnapshotFile.h"

#include "capture/CBDataGdi.h"
#include "capture/CBDataImageBytes.h"
#include "capture/SnapshotEntrySink.h"
#include "capture/SnapshotErrorText.h"
#include "capture/SnapshotManifestNodes.h"
#include "capture/SnapshotPictures.h"
#include "common/Version.h"
#include "framework/FileSize.h"
#include "framework/Format.h"
#include "framework/Resource.h"
#include "framework/Utf8.h"
#include "res/strings/capture.h"

#include <cstdio>
#include <iterator>

namespace {

// One entry to write after the manifest: a node's file, or picture bytes
// made while the manifest was built.
struct CPendingEntry {
    std::string name;
    const CCBData* node = nullptr;  // its file, when set
    CByteVector bytes;
};

class CManifestBuilder {
public:
    std::vector<CPendingEntry> m_entries;

    std::vector<ManifestNode> Nodes(const CCBDataArray& nodes)
    {
        std::vector<ManifestNode> out;
        out.reserve(nodes.size());
        for (const auto& node : nodes)
            out.push_back(Node(*node));
        return out;
    }

private:
    size_t m_nNodes = 0;

    ManifestNode Node(const CCBData& node)
    {
        const std::string stem = FormatEntryStem(++m_nNodes);
        ManifestNode out = DescribeNode(node);
        if (!node.m_strTempFile.empty()) {
            out.entry = stem + kSnapshotEntryExtensions[kBytesEntry];
            m_entries.push_back({out.entry, &node, {}});
        }
        if (const auto* picture = dynamic_cast<const CCBData_GDI*>(&node))
            out.picture = Picture(*picture, stem);
        if (node.m_pChildren)
            out.children = Nodes(*node.m_pChildren);
        return out;
    }

    // Entry names are the node's number in tree order, so that an unpacked
    // archive lists them as the tree does.
    static std::string FormatEntryStem(size_t number)
    {
        char stem[32];
        std::snprintf(stem, sizeof(stem), "nodes/%06zu", number);
        return stem;
    }

    ManifestPicture Picture(const CCBData_GDI& node, const std::string& stem)
    {
        ManifestPicture picture{node.m_nWidth, node.m_nHeight, node.m_nBitsPerPixel};
        const auto add = [&](std::string& entry, uint64_t& size, CByteVector bytes, const char* extension) {
            if (bytes.empty())
                return;
            entry = stem + extension;
            size = bytes.size();
            m_entries.push_back({entry, nullptr, std::move(bytes)});
        };
        if (const auto* bitmap = dynamic_cast<const CCBData_HBITMAP*>(&node)) {
            add(picture.entry, picture.size, BitmapFileBytes(bitmap->m_hBitmap), kSnapshotEntryExtensions[kBitmapEntry]);
            add(picture.paletteEntry, picture.paletteSize, PaletteEntryBytes(bitmap->m_hPalette),
                kSnapshotEntryExtensions[kPaletteEntry]);
        } else if (const auto* enhanced = dynamic_cast<const CCBData_HENHMF*>(&node)) {
            add(picture.entry, picture.size, EnhMetaFileBytes(enhanced->m_hEnhMetaFile),
                kSnapshotEntryExtensions[kEnhMetafileEntry]);
        } else if (const auto* metafile = dynamic_cast<const CCBData_HMETAFILEPICT*>(&node)) {
            add(picture.entry, picture.size, MetaFileBytes(metafile->m_hMetaFile), kSnapshotEntryExtensions[kMetafileEntry]);
        }
        return picture;
    }
};

ManifestOwner DescribeOwner(const CClipboardOwner& owner)
{
    // Window handles carry 32 significant bits, in every process.
    return {static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(owner.hWnd)), ToUtf8(owner.className),
            ToUtf8(owner.caption), owner.processId, ToUtf8(owner.imagePath), owner.imageError};
}

SnapshotManifest BuildManifest(const CSnapshotInfo& info, const CCBDataArray& nodes, CManifestBuilder& builder)
{
    SnapshotManifest manifest;
    manifest.plexaVersion = ToUtf8(kPlexaVersion);
    manifest.title = ToUtf8(info.title);
    manifest.taken = ToUtf8(info.taken);
    manifest.computer = ToUtf8(info.computer);
    if (info.owner)
        manifest.owner = DescribeOwner(*info.owner);
    manifest.takenDespitePrivacyRequest = info.takenDespitePrivacyRequest;
    manifest.finished = ToUtf8(info.finished);
    manifest.sequenceNumber = info.sequenceNumber;
    manifest.dropEffects = info.dropEffects;
    manifest.asyncTransfer = info.asyncTransfer;
    for (const std::wstring& name : info.formatNames)
        manifest.offeredFormats.push_back(ToUtf8(name));
    manifest.nodes = builder.Nodes(nodes);
    return manifest;
}

std::pair<uint16_t, uint16_t> DosNow()
{
    FILETIME utc, local;
    ::GetSystemTimeAsFileTime(&utc);
    WORD date = 0, time = 0;
    ::FileTimeToLocalFileTime(&utc, &local);
    ::FileTimeToDosDateTime(&local, &date, &time);
    return {date, time};
}

bool HoldsWholeNode(const CCBData& node)
{
    return FileSizeOf(node.m_strTempFile) == node.m_nSize;
}

// Writes the entries, saying in `error` why when it cannot.
class CEntriesWrite {
public:
    CEntriesWrite(ISnapshotEntrySink& sink, const SnapshotProgress& progress, std::wstring& error)
        : m_sink(sink), m_progress(progress), m_error(error)
    {
    }

    SnapshotResult Write(const std::string& manifest, const std::vector<CPendingEntry>& entries)
    {
        for (const CPendingEntry& entry : entries)
            m_nTotal += entry.node ? entry.node->m_nSize : entry.bytes.size();
        if (WriteBytes(kManifestEntryName, AsBytes(manifest)) != SnapshotResult::Done)
            return SnapshotResult::Failed;
        for (const CPendingEntry& entry : entries) {
            const SnapshotResult result = entry.node ? WriteNode(entry.name, *entry.node)
                                                     : WriteBytes(entry.name, entry.bytes);
            if (result != SnapshotResult::Done)
                return result;
        }
        if (!m_sink.Finish())
            return Fail(SystemErrorText(IDS_CANNOT_WRITE_FILE));
        return SnapshotResult::Done;
    }

private:
    ISnapshotEntrySink& m_sink;
    const SnapshotProgress& m_progress;
    std::wstring& m_error;
    uint64_t m_nTotal = 0;
    uint64_t m_nDone = 0;

    static std::span<const uint8_t> AsBytes(const std::string& text)
    {
        return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
    }

    SnapshotResult Fail(std::wstring message)
    {
        m_error = std::move(message);
        return SnapshotResult::Failed;
    }

    SnapshotResult WriteBytes(const std::string& name, std::span<const uint8_t> bytes)
    {
        if (!m_sink.BeginEntry(name, bytes.size()) || !m_sink.WriteData(bytes) || !m_sink.EndEntry())
            return Fail(SystemErrorText(IDS_CANNOT_WRITE_FILE));
        m_nDone += bytes.size();
        return SnapshotResult::Done;
    }

    SnapshotResult WriteNode(const std::string& name, const CCBData& node)
    {
        // A working file that is not whole is read, to say so, rather than linked.
        if (HoldsWholeNode(node) && m_sink.LinkFile(name, node.m_strTempFile)) {
            m_nDone += node.m_nSize;
            return m_progress && m_progress(m_nDone, m_nTotal) ? SnapshotResult::Stopped : SnapshotResult::Done;
        }
        if (!m_sink.BeginEntry(name, node.m_nSize))
            return Fail(SystemErrorText(IDS_CANNOT_WRITE_FILE));
        bool writeFailed = false;
        bool stopped = false;
        const auto write = [&](std::span<const BYTE> piece, uint64_t) {
            writeFailed = !m_sink.WriteData(piece);
            m_nDone += piece.size();
            stopped = !writeFailed && m_progress && m_progress(m_nDone, m_nTotal);
            return !writeFailed && !stopped;
        };
        const CCBData::PiecesResult read = node.ReadPieces(write);
        if (stopped)
            return SnapshotResult::Stopped;
        if (read == CCBData::PiecesResult::CannotRead)
            return Fail(FormatResString(IDS_CANNOT_READ_TEMP_FILE_OF, node.GetLabel().c_str(), ::GetLastError()));
        if (writeFailed || read == CCBData::PiecesResult::NoMemory || !m_sink.EndEntry())
            return Fail(SystemErrorText(IDS_CANNOT_WRITE_FILE));
        return SnapshotResult::Done;
    }
};

}

std::wstring CurrentTimestamp()
{
    SYSTEMTIME now;
    ::GetSystemTime(&now);
    return FormatString(L"%04u-%02u-%02uT%02u:%02u:%02u.%03uZ", now.wYear, now.wMonth, now.wDay, now.wHour,
                        now.wMinute, now.wSecond, now.wMilliseconds);
}

std::wstring ThisComputer()
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = static_cast<DWORD>(std::size(name));
    return ::GetComputerNameW(name, &length) ? std::wstring(name, length) : std::wstring();
}

SnapshotResult WriteSnapshot(ISnapshotEntrySink& sink, const CSnapshotInfo& info, const CCBDataArray& nodes,
                             const SnapshotProgress& progress, std::wstring& error)
{
    CManifestBuilder builder;
    const std::string manifest = WriteManifest(BuildManifest(info, nodes, builder));
    // Opening refuses a larger manifest: a file it would make could never be opened.
    if (manifest.size() > kMaxManifestBytes) {
        // Rounded up: a manifest just past the limit must not read as the limit.
        constexpr uint64_t kMiB = 1u << 20;
        const auto mebibytes = [](uint64_t bytes) {
            return static_cast<unsigned long long>((bytes + kMiB - 1) / kMiB);
        };
        error = FormatResString(IDS_SNAPSHOT_TOO_LARGE_TO_SAVE, mebibytes(manifest.size()),
                                mebibytes(kMaxManifestBytes));
        return SnapshotResult::Failed;
    }
    return CEntriesWrite(sink, progress, error).Write(manifest, builder.m_entries);
}

SnapshotResult SaveSnapshotFile(const std::wstring& path, const CSnapshotInfo& info, const CCBDataArray& nodes,
                                const SnapshotProgress& progress, std::wstring& error)
{
    // Beside the target, so that the finished file only needs renaming.
    const std::wstring partial = path + FormatString(L".%lu.partial", ::GetCurrentProcessId());
    SnapshotResult result;
    {
        const CFileHandle file(::CreateFileW(partial.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            error = SystemErrorText(IDS_CANNOT_CREATE_FILE);
            return SnapshotResult::Failed;
        }
        const auto [dosDate, dosTime] = DosNow();
        CZipEntrySink sink(file, dosDate, dosTime);
        result = WriteSnapshot(sink, info, nodes, progress, error);
    }
    if (result == SnapshotResult::Done && !::MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = SystemErrorText(IDS_CANNOT_REPLACE_FILE);
        result = SnapshotResult::Failed;
    }
    if (result != SnapshotResult::Done)
        ::DeleteFileW(partial.c_str());
    return result;
}
