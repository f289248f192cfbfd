#include "capture/SnapshotSource.h"

#include "capture/ZipFiles.h"
#include "framework/Format.h"
#include "framework/Handles.h"
#include "framework/Utf8.h"

#include <algorithm>
#include <new>
#include <unordered_map>

namespace {

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

std::wstring SystemErrorText(const wchar_t* what)
{
    return FormatString(L"%s（エラー %lu）。", what, ::GetLastError());
}

CFileHandle OpenForReading(const std::wstring& path)
{
    return CFileHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
}

class CZipSnapshotSource final : public CSnapshotSource {
public:
    explicit CZipSnapshotSource(CFileHandle file) : m_file(std::move(file)), m_source(m_file) {}

    void Read()
    {
        std::string badName;
        if (const ZipError error = ReadZipDirectory(m_source, m_entries, &badName); error != ZipError::None)
            throw CSnapshotSourceFailure{ZipErrorText(error, badName)};
        for (const ZipEntry& entry : m_entries)
            m_byName.emplace(entry.name, &entry);
        const auto manifest = m_byName.find(kManifestEntryName);
        if (manifest == m_byName.end())
            throw CSnapshotSourceFailure{L"manifest.json がありません。"};
        if (manifest->second->size > kMaxManifestBytes)
            throw CSnapshotSourceFailure{ManifestProblemText({ManifestProblem::Kind::TooLarge, {}})};
        ReadManifest(ReadWhole(*manifest->second));
    }

    bool Open(const std::string& name) override
    {
        const auto found = m_byName.find(name);
        m_reader.reset();
        if (found == m_byName.end())
            return false;
        m_pOpen = found->second;
        m_reader = std::make_unique<CZipEntryReader>(m_source, *m_pOpen);
        return true;
    }

    std::optional<size_t> Read(std::span<uint8_t> out) override
    {
        size_t produced = 0;
        const ZipError error = m_reader ? m_reader->Read(out, produced) : ZipError::ReadFailed;
        if (error == ZipError::None)
            return produced;
        m_lastError = ZipErrorText(error, m_pOpen ? m_pOpen->name : std::string());
        return std::nullopt;
    }

protected:
    bool FindEntry(const std::string& name, uint64_t& size) const override
    {
        const auto found = m_byName.find(name);
        if (found == m_byName.end() || name.back() == '/')
            return false;
        size = found->second->size;
        return true;
    }

private:
    std::vector<uint8_t> ReadWhole(const ZipEntry& entry)
    {
        std::vector<uint8_t> bytes(static_cast<size_t>(entry.size));
        CZipEntryReader reader(m_source, entry);
        size_t at = 0;
        for (;;) {
            size_t produced = 0;
            uint8_t end = 0;
            const std::span<uint8_t> out = at < bytes.size() ? std::span(bytes).subspan(at) : std::span(&end, 1);
            if (const ZipError error = reader.Read(out, produced); error != ZipError::None)
                throw CSnapshotSourceFailure{ZipErrorText(error, entry.name)};
            if (produced == 0)
                return bytes;
            at += produced;
        }
    }

    CFileHandle m_file;
    CZipFileSource m_source;
    std::vector<ZipEntry> m_entries;
    std::unordered_map<std::string, const ZipEntry*> m_byName;
    const ZipEntry* m_pOpen = nullptr;
    std::unique_ptr<CZipEntryReader> m_reader;
};

// A dump folder: manifest.json beside the entries, '/' in their names
// standing for the folder separator.
class CFolderSnapshotSource final : public CSnapshotSource {
public:
    explicit CFolderSnapshotSource(std::wstring folder) : m_folder(std::move(folder)) {}

    void Read()
    {
        const CFileHandle manifest = OpenForReading(PathOf(kManifestEntryName));
        if (!manifest)
            throw CSnapshotSourceFailure{L"manifest.json がありません。"};
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(manifest, &size))
            throw CSnapshotSourceFailure{SystemErrorText(L"manifest.json を読めません")};
        if (static_cast<uint64_t>(size.QuadPart) > kMaxManifestBytes)
            throw CSnapshotSourceFailure{ManifestProblemText({ManifestProblem::Kind::TooLarge, {}})};
        std::vector<uint8_t> text(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!text.empty() && (!::ReadFile(manifest, text.data(), static_cast<DWORD>(text.size()), &read, nullptr) ||
                              read != text.size()))
            throw CSnapshotSourceFailure{SystemErrorText(L"manifest.json を読めません")};
        ReadManifest(text);
    }

    bool Open(const std::string& name) override
    {
        m_open = OpenForReading(PathOf(name));
        if (!m_open)
            m_lastError = SystemErrorText(EntryText(L"エントリ「%s」を開けません", name).c_str());
        return static_cast<bool>(m_open);
    }

    std::optional<size_t> Read(std::span<uint8_t> out) override
    {
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(out.size(), 1u << 30));
        if (!m_open || !::ReadFile(m_open, out.data(), wanted, &read, nullptr)) {
            m_lastError = SystemErrorText(L"エントリを読めません");
            return std::nullopt;
        }
        return read;
    }

protected:
    bool FindEntry(const std::string& name, uint64_t& size) const override
    {
        // Only names an archive could hold: none reaches outside the folder.
        if (!IsSafeZipName(name) || name.back() == '/')
            return false;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExW(PathOf(name).c_str(), GetFileExInfoStandard, &data) ||
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return false;
        size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        return true;
    }

private:
    std::wstring PathOf(const std::string& name) const
    {
        std::wstring path = m_folder + L"\\" + FromUtf8(name);
        std::replace(path.begin(), path.end(), L'/', L'\\');
        return path;
    }

    std::wstring m_folder;
    CFileHandle m_open;
};

}

std::unique_ptr<CSnapshotSource> OpenSnapshotSource(const std::wstring& path, std::wstring& error)
{
    try {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            auto folder = std::make_unique<CFolderSnapshotSource>(path);
            folder->Read();
            return folder;
        }
        CFileHandle file = OpenForReading(path);
        if (!file) {
            error = SystemErrorText(L"ファイルを開けません");
            return nullptr;
        }
        auto archive = std::make_unique<CZipSnapshotSource>(std::move(file));
        archive->Read();
        return archive;
    } catch (const CSnapshotSourceFailure& failure) {
        error = failure.message;
    } catch (const std::bad_alloc&) {
        error = L"メモリが足りません。";
    }
    return nullptr;
}

void CSnapshotSource::ReadManifest(const std::vector<uint8_t>& text)
{
    if (const auto problem = ::ReadManifest(text, m_manifest))
        throw CSnapshotSourceFailure{ManifestProblemText(*problem)};
    CheckEntries(m_manifest.nodes);
}

// Every entry the manifest names exists with the size it gives and is named
// once, before a byte is copied.
void CSnapshotSource::CheckEntries(const std::vector<ManifestNode>& nodes)
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

void CSnapshotSource::CheckEntry(const std::string& name, uint64_t size)
{
    if (name.empty())
        return;
    uint64_t stored = 0;
    if (name == kManifestEntryName || !FindEntry(name, stored))
        throw CSnapshotSourceFailure{EntryText(L"manifest.json が指すエントリ「%s」がありません。", name)};
    if (stored != size)
        throw CSnapshotSourceFailure{EntryText(L"エントリ「%s」の大きさが manifest.json と一致しません。", name)};
    if (!m_named.insert(name).second)
        throw CSnapshotSourceFailure{EntryText(L"エントリ「%s」が二度指されています。", name)};
    m_nTotal += size;
}
