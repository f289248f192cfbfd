// Reading a snapshot file: the archive's directory and manifest checked
// whole before any node is made, then every node's bytes copied into a file
// of the working folder and its pictures made again.
#include "capture/SnapshotFile.h"

#include "capture/CBDataGdi.h"
#include "capture/SnapshotManifestNodes.h"
#include "capture/SnapshotPictures.h"
#include "capture/ZipFiles.h"
#include "framework/Format.h"
#include "framework/Utf8.h"

#include <cstring>
#include <new>
#include <set>
#include <unordered_map>

namespace {

constexpr size_t kCopyPiece = 1u << 20;
// Pictures are made from bytes in memory; none that a capture keeps is larger.
constexpr uint64_t kMaxPictureBytes = 1ull << 30;

std::wstring EntryText(const wchar_t* format, const std::string& name)
{
    return FormatString(format, FromUtf8(name).c_str());
}

std::wstring ZipErrorText(ZipError error, const std::string& name)
{
    switch (error) {
    case ZipError::None:
        break;
    case ZipError::NotAnArchive:
        return L"Plexa スナップショット（ZIP 形式）ではありません。";
    case ZipError::Truncated:
        return L"ファイルが途中で切れています。";
    case ZipError::BadDirectory:
        return L"ZIP の中央ディレクトリが壊れています。";
    case ZipError::TooLarge:
        return L"エントリが多すぎます。";
    case ZipError::BadLocalHeader:
        return EntryText(L"エントリ「%s」のヘッダーが中央ディレクトリと一致しません。", name);
    case ZipError::Overlap:
        return EntryText(L"エントリ「%s」が他のエントリと重なっています。", name);
    case ZipError::DuplicateName:
        return EntryText(L"エントリ「%s」が重複しています。", name);
    case ZipError::UnsafeName:
        return EntryText(L"エントリ名「%s」は使えません（絶対パス、ドライブ名または \"..\" を含みます）。", name);
    case ZipError::Encrypted:
        return EntryText(L"エントリ「%s」は暗号化されています。", name);
    case ZipError::UnsupportedMethod:
        return EntryText(L"エントリ「%s」の圧縮方式には対応していません。", name);
    case ZipError::BadCompressedData:
        return EntryText(L"エントリ「%s」の圧縮データが壊れています。", name);
    case ZipError::BadCrc:
        return EntryText(L"エントリ「%s」の CRC が一致しません。", name);
    case ZipError::ReadFailed:
        return L"ファイルを読めません。";
    }
    return {};
}

std::wstring ManifestProblemText(const ManifestProblem& problem)
{
    using Kind = ManifestProblem::Kind;
    switch (problem.kind) {
    case Kind::NotJson:
        return L"manifest.json は JSON ではありません。";
    case Kind::TooLarge:
        return L"manifest.json が大きすぎます。";
    case Kind::TooDeep:
        return L"manifest.json の入れ子が深すぎます。";
    case Kind::NotSnapshot:
        return L"manifest.json は Plexa スナップショットのものではありません。";
    case Kind::UnknownVersion:
        return EntryText(L"このスナップショットの形式（版 %s）には対応していません。", problem.where);
    case Kind::BadField:
        break;
    }
    return EntryText(L"manifest.json の項目 %s が正しくありません。", problem.where);
}

// Any failure of the open: the message names the problem.
struct COpenFailure {
    std::wstring message;
};

struct CStopped {};

class CSnapshotReader {
public:
    CSnapshotReader(IZipSource& source, const ICaptureHost& host, const SnapshotProgress& progress)
        : m_source(source), m_host(host), m_progress(progress)
    {
    }

    void ReadDirectory()
    {
        std::string badName;
        const ZipError error = ReadZipDirectory(m_source, m_entries, &badName);
        if (error != ZipError::None)
            throw COpenFailure{ZipErrorText(error, badName)};
        for (const ZipEntry& entry : m_entries)
            m_byName.emplace(entry.name, &entry);
    }

    SnapshotManifest ReadManifest()
    {
        const auto found = m_byName.find(kManifestEntryName);
        if (found == m_byName.end())
            throw COpenFailure{L"manifest.json がありません。"};
        const ZipEntry& entry = *found->second;
        if (entry.size > kMaxManifestBytes)
            throw COpenFailure{ManifestProblemText({ManifestProblem::Kind::TooLarge, {}})};
        const std::vector<uint8_t> text = ReadInMemory(entry);
        SnapshotManifest manifest;
        if (const auto problem = ::ReadManifest(text, manifest))
            throw COpenFailure{ManifestProblemText(*problem)};
        return manifest;
    }

    // Every entry the manifest names exists with the size it gives and is
    // named once, before a byte is copied.
    void CheckEntries(const std::vector<ManifestNode>& nodes)
    {
        for (const ManifestNode& node : nodes) {
            CheckEntry(node.entry, node.size);
            if (node.picture) {
                CheckEntry(node.picture->entry, node.picture->size);
                CheckEntry(node.picture->paletteEntry, node.picture->paletteSize);
            }
            if (node.children)
                CheckEntries(*node.children);
        }
    }

    void MakeNodes(const std::vector<ManifestNode>& descriptions, CCBDataArray& nodes)
    {
        for (const ManifestNode& description : descriptions) {
            std::unique_ptr<CCBData> node = MakeNode(description, m_host);
            if (!node)
                throw COpenFailure{EntryText(L"形式「%s」を登録できません。", description.format.registeredName)};
            if (!description.entry.empty())
                CopyToTempFile(Entry(description.entry), *node);
            if (description.picture)
                MakePicture(*description.picture, *node);
            if (description.children) {
                node->m_pChildren = std::make_unique<CCBDataArray>();
                MakeNodes(*description.children, *node->m_pChildren);
            }
            nodes.push_back(std::move(node));
        }
    }

private:
    IZipSource& m_source;
    const ICaptureHost& m_host;
    const SnapshotProgress& m_progress;
    std::vector<ZipEntry> m_entries;
    std::unordered_map<std::string, const ZipEntry*> m_byName;
    std::set<std::string> m_named;
    uint64_t m_nTotal = 0;
    uint64_t m_nDone = 0;

    const ZipEntry& Entry(const std::string& name) const { return *m_byName.at(name); }

    void CheckEntry(const std::string& name, uint64_t size)
    {
        if (name.empty())
            return;
        const auto found = m_byName.find(name);
        if (found == m_byName.end() || name.back() == '/' || name == kManifestEntryName)
            throw COpenFailure{EntryText(L"manifest.json が指すエントリ「%s」がありません。", name)};
        if (found->second->size != size)
            throw COpenFailure{EntryText(L"エントリ「%s」の大きさが manifest.json と一致しません。", name)};
        if (!m_named.insert(name).second)
            throw COpenFailure{EntryText(L"エントリ「%s」が二度指されています。", name)};
        m_nTotal += size;
    }

    // Hands the entry's bytes to `consume` piece by piece.
    template <class Consume>
    void ReadEntry(const ZipEntry& entry, Consume consume)
    {
        CZipEntryReader reader(m_source, entry);
        std::vector<uint8_t> buffer(static_cast<size_t>(std::min<uint64_t>(std::max<uint64_t>(entry.size, 1),
                                                                           kCopyPiece)));
        for (;;) {
            size_t produced = 0;
            const ZipError error = reader.Read(buffer, produced);
            if (error != ZipError::None)
                throw COpenFailure{ZipErrorText(error, entry.name)};
            if (produced == 0)
                return;
            consume(std::span<const uint8_t>(buffer.data(), produced));
            m_nDone += produced;
            if (m_progress && m_nTotal && m_progress(m_nDone, m_nTotal))
                throw CStopped{};
        }
    }

    std::vector<uint8_t> ReadInMemory(const ZipEntry& entry)
    {
        std::vector<uint8_t> bytes;
        bytes.reserve(static_cast<size_t>(entry.size));
        ReadEntry(entry, [&](std::span<const uint8_t> piece) { bytes.insert(bytes.end(), piece.begin(), piece.end()); });
        return bytes;
    }

    void CopyToTempFile(const ZipEntry& entry, CCBData& node)
    {
        // The node owns the file from the start, so that a failure part way deletes it.
        const CFileHandle file = m_host.CreateTempFile(node.m_strTempFile);
        if (!file)
            throw COpenFailure{L"作業用ファイルを作成できません。"};
        ReadEntry(entry, [&](std::span<const uint8_t> piece) {
            DWORD written = 0;
            if (!::WriteFile(file, piece.data(), static_cast<DWORD>(piece.size()), &written, nullptr) ||
                written != piece.size())
                throw COpenFailure{FormatString(L"作業用ファイルに書き込めません（エラー %lu）。", ::GetLastError())};
        });
    }

    std::vector<uint8_t> PictureBytes(const std::string& name)
    {
        const ZipEntry& entry = Entry(name);
        if (entry.size > kMaxPictureBytes)
            throw COpenFailure{EntryText(L"エントリ「%s」の図が大きすぎます。", name)};
        return ReadInMemory(entry);
    }

    void MakePicture(const ManifestPicture& picture, CCBData& node)
    {
        // The manifest reader allows a picture on the picture kinds only.
        auto* gdi = dynamic_cast<CCBData_GDI*>(&node);
        if (!gdi)
            return;
        gdi->m_nWidth = picture.width;
        gdi->m_nHeight = picture.height;
        gdi->m_nBitsPerPixel = picture.bitsPerPixel;
        if (picture.entry.empty())
            return;
        const std::vector<uint8_t> bytes = PictureBytes(picture.entry);
        bool made = false;
        if (auto* bitmap = dynamic_cast<CCBData_HBITMAP*>(gdi)) {
            bitmap->m_hBitmap = BitmapFromFileBytes(bytes, picture.bitsPerPixel);
            if (!picture.paletteEntry.empty())
                bitmap->m_hPalette = PaletteFromEntryBytes(PictureBytes(picture.paletteEntry));
            made = bitmap->m_hBitmap && (picture.paletteEntry.empty() || bitmap->m_hPalette);
        } else if (auto* enhanced = dynamic_cast<CCBData_HENHMF*>(gdi)) {
            enhanced->m_hEnhMetaFile = EnhMetaFileFromBytes(bytes);
            made = static_cast<bool>(enhanced->m_hEnhMetaFile);
        } else if (auto* metafile = dynamic_cast<CCBData_HMETAFILEPICT*>(gdi)) {
            made = MakeMetaFilePict(bytes, *metafile);
        }
        if (!made)
            throw COpenFailure{EntryText(L"エントリ「%s」の図を読めません。", picture.entry)};
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
    for (const std::string& name : manifest.offeredFormats)
        info.formatNames.push_back(FromUtf8(name));
    return info;
}

}

SnapshotResult OpenSnapshotFile(const std::wstring& path, const ICaptureHost& host, const SnapshotProgress& progress,
                                CSnapshotInfo& info, CCBDataArray& nodes, std::wstring& error)
{
    const CFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = FormatString(L"ファイルを開けません（エラー %lu）。", ::GetLastError());
        return SnapshotResult::Failed;
    }
    CZipFileSource source(file);
    CSnapshotReader reader(source, host, progress);
    CCBDataArray opened;
    try {
        reader.ReadDirectory();
        const SnapshotManifest manifest = reader.ReadManifest();
        reader.CheckEntries(manifest.nodes);
        reader.MakeNodes(manifest.nodes, opened);
        info = InfoOf(manifest);
    } catch (const COpenFailure& failure) {
        error = failure.message;
        return SnapshotResult::Failed;
    } catch (const CStopped&) {
        return SnapshotResult::Stopped;
    } catch (const std::bad_alloc&) {
        error = L"メモリが足りません。";
        return SnapshotResult::Failed;
    }
    nodes = std::move(opened);
    return SnapshotResult::Done;
}
