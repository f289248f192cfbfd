// Reading a snapshot file or dump folder: its manifest and entries checked
// whole before any node is made, then every node's bytes copied into a file
// of the working folder and its pictures made again.
#include "capture/SnapshotFile.h"

#include "capture/CBDataGdi.h"
#include "capture/NodeChecks.h"
#include "capture/SnapshotErrorText.h"
#include "capture/SnapshotManifestNodes.h"
#include "capture/SnapshotPictures.h"
#include "capture/SnapshotSource.h"
#include "framework/FrameworkIds.h"
#include "framework/Resource.h"
#include "framework/Utf8.h"
#include "res/strings/capture.h"

#include <cstring>
#include <new>

namespace {

constexpr size_t kCopyPiece = 1u << 20;
// Pictures are made from bytes in memory; none that a capture keeps is larger.
constexpr uint64_t kMaxPictureBytes = 1ull << 30;

// Makes the nodes a source's manifest describes; a failure's message is kept
// for Error().
class CSnapshotReader {
public:
    CSnapshotReader(CSnapshotSource& source, const ICaptureHost& host, const SnapshotProgress& progress)
        : m_source(source), m_host(host), m_progress(progress)
    {
    }

    const std::wstring& Error() const { return m_error; }

    SnapshotResult MakeNodes(const std::vector<ManifestNode>& descriptions, CCBDataArray& nodes)
    {
        for (const ManifestNode& description : descriptions) {
            std::unique_ptr<CCBData> node = MakeNode(description, m_host);
            if (!node)
                return Fail(EntryText(IDS_CANNOT_REGISTER_FORMAT, description.format.registeredName));
            SnapshotResult result = SnapshotResult::Done;
            if (!description.entry.empty())
                result = CopyToTempFile(description.entry, description.size, *node);
            if (result == SnapshotResult::Done && description.picture)
                result = MakePicture(*description.picture, *node);
            if (result == SnapshotResult::Done && description.children) {
                node->m_pChildren = std::make_unique<CCBDataArray>();
                result = MakeNodes(*description.children, *node->m_pChildren);
            }
            if (result != SnapshotResult::Done)
                return result;  // the node deletes the files it had
            nodes.push_back(std::move(node));
        }
        return SnapshotResult::Done;
    }

private:
    CSnapshotSource& m_source;
    const ICaptureHost& m_host;
    const SnapshotProgress& m_progress;
    uint64_t m_nDone = 0;
    std::wstring m_error;

    SnapshotResult Fail(std::wstring message)
    {
        m_error = std::move(message);
        return SnapshotResult::Failed;
    }

    // Hands the entry's bytes to `consume` piece by piece; `consume` returns
    // false, its failure kept, to end the reading.
    template <class Consume>
    SnapshotResult ReadEntry(const std::string& name, uint64_t size, Consume consume)
    {
        if (!m_source.Open(name))
            return Fail(m_source.LastError());
        std::vector<uint8_t> buffer(static_cast<size_t>(std::min<uint64_t>(std::max<uint64_t>(size, 1), kCopyPiece)));
        uint64_t read = 0;
        for (;;) {
            const std::optional<size_t> produced = m_source.Read(buffer);
            if (!produced)
                return Fail(m_source.LastError());
            // A dump folder's file may have changed since it was checked.
            if (*produced > size - read)
                break;
            if (*produced == 0) {
                if (read == size)
                    return SnapshotResult::Done;
                break;
            }
            read += *produced;
            if (!consume(std::span<const uint8_t>(buffer.data(), *produced)))
                return SnapshotResult::Failed;
            m_nDone += *produced;
            if (m_progress && m_progress(m_nDone, m_source.TotalBytes()))
                return SnapshotResult::Stopped;
        }
        return Fail(EntryText(IDS_ENTRY_SIZE_MISMATCH, name));
    }

    SnapshotResult CopyToTempFile(const std::string& name, uint64_t size, CCBData& node)
    {
        // The node owns the file from the start, so that a failure part way deletes it.
        const CFileHandle file = m_host.CreateTempFile(node.m_strTempFile);
        if (!file)
            return Fail(LoadResString(IDS_CANNOT_CREATE_WORK_FILE));
        return ReadEntry(name, size, [&](std::span<const uint8_t> piece) {
            DWORD written = 0;
            if (::WriteFile(file, piece.data(), static_cast<DWORD>(piece.size()), &written, nullptr) &&
                written == piece.size())
                return true;
            Fail(SystemErrorText(IDS_CANNOT_WRITE_WORK_FILE));
            return false;
        });
    }

    SnapshotResult PictureBytes(const std::string& name, uint64_t size, std::vector<uint8_t>& bytes)
    {
        if (size > kMaxPictureBytes)
            return Fail(EntryText(IDS_PICTURE_TOO_LARGE, name));
        bytes.reserve(static_cast<size_t>(size));
        return ReadEntry(name, size, [&](std::span<const uint8_t> piece) {
            bytes.insert(bytes.end(), piece.begin(), piece.end());
            return true;
        });
    }

    SnapshotResult MakePicture(const ManifestPicture& picture, CCBData& node)
    {
        // The manifest reader allows a picture on the picture kinds only.
        auto* gdi = dynamic_cast<CCBData_GDI*>(&node);
        if (!gdi)
            return SnapshotResult::Done;
        gdi->m_nWidth = picture.width;
        gdi->m_nHeight = picture.height;
        gdi->m_nBitsPerPixel = picture.bitsPerPixel;
        if (picture.entry.empty())
            return SnapshotResult::Done;
        std::vector<uint8_t> bytes;
        if (const SnapshotResult result = PictureBytes(picture.entry, picture.size, bytes);
            result != SnapshotResult::Done)
            return result;
        bool made = false;
        if (auto* bitmap = dynamic_cast<CCBData_HBITMAP*>(gdi)) {
            bitmap->m_hBitmap = BitmapFromFileBytes(bytes, picture.bitsPerPixel);
            if (!picture.paletteEntry.empty()) {
                std::vector<uint8_t> palette;
                if (const SnapshotResult result = PictureBytes(picture.paletteEntry, picture.paletteSize, palette);
                    result != SnapshotResult::Done)
                    return result;
                bitmap->m_hPalette = PaletteFromEntryBytes(palette);
            }
            made = bitmap->m_hBitmap && (picture.paletteEntry.empty() || bitmap->m_hPalette);
        } else if (auto* enhanced = dynamic_cast<CCBData_HENHMF*>(gdi)) {
            enhanced->m_hEnhMetaFile = EnhMetaFileFromBytes(bytes);
            made = static_cast<bool>(enhanced->m_hEnhMetaFile);
        } else if (auto* metafile = dynamic_cast<CCBData_HMETAFILEPICT*>(gdi)) {
            made = MakeMetaFilePict(bytes, *metafile);
        }
        return made ? SnapshotResult::Done : Fail(EntryText(IDS_CANNOT_READ_PICTURE, picture.entry));
    }

    // The block is the node's own bytes, naming the metafile made again.
    static bool MakeMetaFilePict(const std::vector<uint8_t>& metafileBytes, CCBData_HMETAFILEPICT& node)
    {
        node.m_hMetaFile = MetaFileFromBytes(metafileBytes);
        const std::unique_ptr<BYTE[]> block = node.LoadData();
        if (!node.m_hMetaFile || !block || node.m_nSize < sizeof(METAFILEPICT))
            return false;
        node.m_hMetaFilePict.Attach(::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(node.m_nSize)));
        CGlobalLock copy(node.m_hMetaFilePict);
        if (!copy)
            return false;
        std::memcpy(copy.Get(), block.get(), static_cast<size_t>(node.m_nSize));
        static_cast<METAFILEPICT*>(copy.Get())->hMF = node.m_hMetaFile;
        return true;
    }
};

// The nodes' bytes are copied into files of the working folder: a snapshot
// whose entries would not fit on its drive is refused before one is written.
bool RoomForNodeFiles(const SnapshotManifest& manifest, const ICaptureHost& host, std::wstring& error)
{
    ULARGE_INTEGER available{};
    if (!::GetDiskFreeSpaceExW(host.WorkFolder().c_str(), &available, nullptr, nullptr)) {
        error = SystemErrorText(IDS_CANNOT_READ_FREE_SPACE);
        return false;
    }
    const uint64_t needed = NodeEntryBytes(manifest.nodes);
    if (needed <= available.QuadPart)
        return true;
    constexpr uint64_t kMiB = 1u << 20;
    error = FormatResString(IDS_NO_ROOM_FOR_SNAPSHOT,
                            static_cast<unsigned long long>(needed / kMiB + (needed % kMiB != 0)));
    return false;
}

CClipboardOwner OwnerOf(const ManifestOwner& owner)
{
    CClipboardOwner out;
    out.hWnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(owner.window));
    out.className = FromUtf8(owner.className);
    out.caption = FromUtf8(owner.caption);
    out.processId = owner.processId;
    out.imagePath = FromUtf8(owner.imagePath);
    out.imageError = owner.imageError;
    return out;
}

CSnapshotInfo InfoOf(const SnapshotManifest& manifest)
{
    CSnapshotInfo info;
    info.title = FromUtf8(manifest.title);
    info.taken = FromUtf8(manifest.taken);
    info.computer = FromUtf8(manifest.computer);
    if (manifest.owner)
        info.owner = OwnerOf(*manifest.owner);
    info.takenDespitePrivacyRequest = manifest.takenDespitePrivacyRequest;
    info.finished = FromUtf8(manifest.finished);
    info.sequenceNumber = manifest.sequenceNumber;
    info.dropEffects = manifest.dropEffects;
    info.asyncTransfer = manifest.asyncTransfer;
    for (const std::string& name : manifest.offeredFormats)
        info.formatNames.push_back(FromUtf8(name));
    return info;
}

}

SnapshotResult OpenSnapshotFile(const std::wstring& path, const ICaptureHost& host, const SnapshotProgress& progress,
                                CSnapshotInfo& info, CCBDataArray& nodes, std::wstring& error)
{
    const std::unique_ptr<CSnapshotSource> source = OpenSnapshotSource(path, error);
    if (!source || !RoomForNodeFiles(source->Manifest(), host, error))
        return SnapshotResult::Failed;
    CCBDataArray opened;
    try {
        CSnapshotReader reader(*source, host, progress);
        const SnapshotResult result = reader.MakeNodes(source->Manifest().nodes, opened);
        if (result == SnapshotResult::Failed)
            error = reader.Error();
        if (result != SnapshotResult::Done)
            return result;
        CheckSnapshot(opened, CheckMoment::Opened);
        info = InfoOf(source->Manifest());
    } catch (const std::bad_alloc&) {
        error = LoadResString(IDS_OUT_OF_MEMORY);
        return SnapshotResult::Failed;
    }
    nodes = std::move(opened);
    return SnapshotResult::Done;
}
