#include "capture/SnapshotSource.h"

#include "capture/SnapshotErrorText.h"
#include "capture/ZipFiles.h"
#include "framework/FileSize.h"
#include "framework/FrameworkIds.h"
#include "framework/Handles.h"
#include "framework/Resource.h"
#include "framework/Utf8.h"
#include "res/strings/capture.h"

#include <algorithm>
#include <new>
#include <unordered_map>

namespace {

std::wstring ZipErrorText(ZipError error, const std::string& name)
{
    switch (error) {
    case ZipError::None:
        break;
    case ZipError::NotAnArchive:
        return LoadResString(IDS_NOT_A_SNAPSHOT);
    case ZipError::Truncated:
        return LoadResString(IDS_FILE_TRUNCATED);
    case ZipError::BadDirectory:
        return LoadResString(IDS_ZIP_DIRECTORY_BROKEN);
    case ZipError::TooLarge:
        return LoadResString(IDS_TOO_MANY_ENTRIES);
    case ZipError::BadLocalHeader:
        return EntryText(IDS_ENTRY_HEADER_MISMATCH, name);
    case ZipError::Overlap:
        return EntryText(IDS_ENTRY_OVERLAPS, name);
    case ZipError::DuplicateName:
        return EntryText(IDS_ENTRY_DUPLICATED, name);
    case ZipError::UnsafeName:
        return EntryText(IDS_ENTRY_NAME_UNSAFE, name);
    case ZipError::Encrypted:
        return EntryText(IDS_ENTRY_ENCRYPTED, name);
    case ZipError::UnsupportedMethod:
        return EntryText(IDS_ENTRY_METHOD_UNSUPPORTED, name);
    case ZipError::BadCompressedData:
        return EntryText(IDS_ENTRY_DATA_BROKEN, name);
    case ZipError::BadCrc:
        return EntryText(IDS_ENTRY_CRC_MISMATCH, name);
    case ZipError::ReadFailed:
        return LoadResString(IDS_CANNOT_READ_FILE);
    }
    return {};
}

std::wstring ManifestProblemText(const ManifestProblem& problem)
{
    using Kind = ManifestProblem::Kind;
    switch (problem.kind) {
    case Kind::NotJson:
        return LoadResString(IDS_MANIFEST_NOT_JSON);
    case Kind::TooLarge:
        return LoadResString(IDS_MANIFEST_TOO_LARGE);
    case Kind::TooDeep:
        return LoadResString(IDS_MANIFEST_TOO_DEEP);
    case Kind::TooManyFormatNames:
        return FormatResString(IDS_MANIFEST_TOO_MANY_FORMAT_NAMES, static_cast<unsigned>(kMaxRegisteredNames));
    case Kind::NotSnapshot:
        return LoadResString(IDS_MANIFEST_NOT_A_SNAPSHOT);
    case Kind::UnknownVersion:
        return EntryText(IDS_SNAPSHOT_VERSION_UNSUPPORTED, problem.where);
    case Kind::BadField:
        break;
    }
    return EntryText(IDS_MANIFEST_BAD_FIELD, problem.where);
}

CFileHandle OpenForReading(const std::wstring& path)
{
    return CFileHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
}

class CZipSnapshotSource final : public CSnapshotSource {
public:
    explicit CZipSnapshotSource(CFileHandle file) : m_file(std::move(file)), m_source(m_file) {}

    bool Load() override
    {
        std::string badName;
        if (const ZipError error = ReadZipDirectory(m_source, m_entries, &badName); error != ZipError::None)
            return Fail(ZipErrorText(error, badName));
        for (const ZipEntry& entry : m_entries)
            m_byName.emplace(entry.name, &entry);
        const auto manifest = m_byName.find(kManifestEntryName);
        if (manifest == m_byName.end())
            return Fail(LoadResString(IDS_MANIFEST_MISSING));
        if (manifest->second->size > kMaxManifestBytes)
            return Fail(ManifestProblemText({ManifestProblem::Kind::TooLarge, {}}));
        std::vector<uint8_t> text;
        return ReadWhole(*manifest->second, text) && ReadManifest(text);
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
    bool ReadWhole(const ZipEntry& entry, std::vector<uint8_t>& bytes)
    {
        bytes.resize(static_cast<size_t>(entry.size));
        CZipEntryReader reader(m_source, entry);
        size_t at = 0;
        for (;;) {
            size_t produced = 0;
            uint8_t end = 0;
            const std::span<uint8_t> out = at < bytes.size() ? std::span(bytes).subspan(at) : std::span(&end, 1);
            if (const ZipError error = reader.Read(out, produced); error != ZipError::None)
                return Fail(ZipErrorText(error, entry.name));
            if (produced == 0)
                return true;
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

    bool Load() override
    {
        const CFileHandle manifest = OpenForReading(PathOf(kManifestEntryName));
        if (!manifest)
            return Fail(LoadResString(IDS_MANIFEST_MISSING));
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(manifest, &size))
            return Fail(SystemErrorText(IDS_CANNOT_READ_MANIFEST));
        if (static_cast<uint64_t>(size.QuadPart) > kMaxManifestBytes)
            return Fail(ManifestProblemText({ManifestProblem::Kind::TooLarge, {}}));
        std::vector<uint8_t> text(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!text.empty() && (!::ReadFile(manifest, text.data(), static_cast<DWORD>(text.size()), &read, nullptr) ||
                              read != text.size()))
            return Fail(SystemErrorText(IDS_CANNOT_READ_MANIFEST));
        return ReadManifest(text);
    }

    bool Open(const std::string& name) override
    {
        m_open = OpenForReading(PathOf(name));
        if (!m_open) {
            const DWORD error = ::GetLastError();
            m_lastError = FormatResString(IDS_CANNOT_OPEN_ENTRY, FromUtf8(name).c_str(), error);
        }
        return static_cast<bool>(m_open);
    }

    std::optional<size_t> Read(std::span<uint8_t> out) override
    {
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(out.size(), 1u << 30));
        if (!m_open || !::ReadFile(m_open, out.data(), wanted, &read, nullptr)) {
            m_lastError = SystemErrorText(IDS_CANNOT_READ_ENTRY);
            return std::nullopt;
        }
        return read;
    }

protected:
    // Only names shaped as Plexa gives them: none reaches outside the folder
    // or names a device.
    bool MayName(const std::string& name) override
    {
        return IsSnapshotEntryName(name) || Fail(EntryText(IDS_DUMP_ENTRY_NAME_UNEXPECTED, name));
    }

    bool FindEntry(const std::string& name, uint64_t& size) const override
    {
        const std::optional<uint64_t> found = FileSizeOf(PathOf(name));
        if (found)
            size = *found;
        return found.has_value();
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
        std::unique_ptr<CSnapshotSource> source;
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            source = std::make_unique<CFolderSnapshotSource>(path);
        } else {
            CFileHandle file = OpenForReading(path);
            if (!file) {
                error = SystemErrorText(IDS_CANNOT_OPEN_FILE);
                return nullptr;
            }
            source = std::make_unique<CZipSnapshotSource>(std::move(file));
        }
        if (source->Load())
            return source;
        error = source->LastError();
    } catch (const std::bad_alloc&) {
        error = LoadResString(IDS_OUT_OF_MEMORY);
    }
    return nullptr;
}

bool CSnapshotSource::ReadManifest(const std::vector<uint8_t>& text)
{
    if (const auto problem = ::ReadManifest(text, m_manifest))
        return Fail(ManifestProblemText(*problem));
    return CheckEntries(m_manifest.nodes);
}

bool CSnapshotSource::Fail(std::wstring message)
{
    m_lastError = std::move(message);
    return false;
}

// Every entry the manifest names exists with the size it gives and is named
// once, before a byte is copied.
bool CSnapshotSource::CheckEntries(const std::vector<ManifestNode>& nodes)
{
    for (const ManifestNode& node : nodes) {
        if (!CheckEntry(node.entry, node.size))
            return false;
        if (node.picture && !(CheckEntry(node.picture->entry, node.picture->size) &&
                              CheckEntry(node.picture->paletteEntry, node.picture->paletteSize)))
            return false;
        if (node.children && !CheckEntries(*node.children))
            return false;
    }
    return true;
}

bool CSnapshotSource::CheckEntry(const std::string& name, uint64_t size)
{
    if (name.empty())
        return true;
    if (!MayName(name))
        return false;
    uint64_t stored = 0;
    if (name == kManifestEntryName || !FindEntry(name, stored))
        return Fail(EntryText(IDS_ENTRY_MISSING, name));
    if (stored != size)
        return Fail(EntryText(IDS_ENTRY_SIZE_MISMATCH, name));
    if (!m_named.insert(name).second)
        return Fail(EntryText(IDS_ENTRY_NAMED_TWICE, name));
    m_nTotal += size;
    return true;
}
