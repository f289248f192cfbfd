// Reading side of the ZIP container: the central directory checked against
// the file and itself, and the entries' bytes checked as they pass.
#include "portable/ZipArchive.h"
#include "portable/ByteReaderLayout.h"
#include "portable/PathRules.h"
#include "portable/ZipRecords.h"

#include <zlib.h>

#include <algorithm>
#include <new>

namespace {

// Far beyond what a snapshot writes, and small enough to hold in memory.
constexpr uint64_t kMaxDirectorySize = 256 * 1024 * 1024;
constexpr uint64_t kMaxEntries = 4'000'000;
constexpr size_t kInputPiece = 64 * 1024;
// zlib counts output in 32-bit units.
constexpr uint64_t kMaxOutputPiece = 1 << 30;

// The end records' view of the central directory.
struct DirectoryPlace {
    uint64_t entries = 0;
    uint64_t size = 0;
    uint64_t offset = 0;
    uint64_t end = 0;  // where the end records start: the directory stops before it
};

// A ZIP64 end record's 64-bit value may stand in for a classic field only
// where that field holds its marker or the same value.
bool Agrees(uint64_t classic, uint64_t marker, uint64_t wide)
{
    return classic == marker || classic == wide;
}

// Replaces the central record's fields that hold their marker with the values
// of its ZIP64 extra field; false when that field is missing or too short.
bool ReadZip64Extra(ByteSpan extra, uint64_t& size, uint64_t& compressedSize, uint64_t& localOffset, uint64_t& disk)
{
    for (uint64_t at = 0; Fits(extra, at, 4);) {
        const uint16_t id = *ReadU16(extra, at);
        const uint16_t length = *ReadU16(extra, at + 2);
        if (!Fits(extra, at + 4, length))
            return false;
        if (id == kZip64ExtraId) {
            const ByteSpan field = extra.subspan(at + 4, length);
            uint64_t next = 0;
            const auto take = [&](uint64_t& value, uint64_t marker, uint64_t width) {
                if (value != marker)
                    return true;
                if (!Fits(field, next, width))
                    return false;
                value = width == 8 ? *ReadU64(field, next) : *ReadU32(field, next);
                next += width;
                return true;
            };
            return take(size, kZipMarker32, 8) && take(compressedSize, kZipMarker32, 8) &&
                   take(localOffset, kZipMarker32, 8) && take(disk, kZipMarker16, 4);
        }
        at += 4 + length;
    }
    return false;
}

// One pass over an archive's directory, each step checking what the next
// one reads through.
class CDirectoryReader {
public:
    CDirectoryReader(IZipSource& source, std::string* badName)
        : m_source(source), m_size(source.Size()), m_badName(badName) {}

    ZipError Read(std::vector<ZipEntry>& entries)
    {
        DirectoryPlace place;
        std::vector<uint8_t> directory;
        ZipError error = FindEnd(place);
        if (error == ZipError::None)
            error = ReadDirectory(place, directory);
        if (error == ZipError::None)
            error = ReadRecords(directory, place.entries, entries);
        if (error == ZipError::None)
            error = CheckNamesDiffer(entries);
        for (size_t i = 0; i < entries.size() && error == ZipError::None; ++i)
            error = ReadLocalHeader(entries[i], place.offset);
        if (error == ZipError::None)
            error = CheckNoOverlap(entries);
        return error;
    }

private:
    // Reads `length` bytes at `offset` into `out`, once they are known to
    // lie inside the file.
    ZipError ReadBytes(uint64_t offset, uint64_t length, std::vector<uint8_t>& out)
    {
        if (!Fits(m_size, offset, length))
            return ZipError::Truncated;
        out.resize(static_cast<size_t>(length));
        return m_source.ReadAt(offset, out) ? ZipError::None : ZipError::ReadFailed;
    }

    ZipError Refuse(ZipError error, const std::string& name)
    {
        if (m_badName)
            *m_badName = name;
        return error;
    }

    // The end record nearest the end whose comment fits in the file: a
    // comment may hold the signature itself, the real record lies before it.
    ZipError FindEnd(DirectoryPlace& place)
    {
        if (m_size < kZipEndSize)
            return ZipError::NotAnArchive;
        const uint64_t tailOffset = m_size - std::min(m_size, kZipEndSize + kZipMaxComment);
        std::vector<uint8_t> tail;
        if (ZipError error = ReadBytes(tailOffset, m_size - tailOffset, tail); error != ZipError::None)
            return error;
        const ByteSpan bytes(tail);
        bool commentPastEnd = false;
        for (uint64_t at = bytes.size() - kZipEndSize + 1; at-- > 0;) {
            if (*ReadU32(bytes, at) != kZipEndSignature)
                continue;
            if (Fits(bytes, at + kZipEndSize, *ReadU16(bytes, at + kZipEndCommentLength)))
                return ReadEnd(bytes.subspan(at, kZipEndSize), tailOffset + at, place);
            commentPastEnd = true;
        }
        return commentPastEnd ? ZipError::Truncated : ZipError::NotAnArchive;
    }

    ZipError ReadEnd(ByteSpan end, uint64_t endOffset, DirectoryPlace& place)
    {
        uint64_t disk = *ReadU16(end, kZipEndDisk);
        uint64_t directoryDisk = *ReadU16(end, kZipEndDirectoryDisk);
        uint64_t diskEntries = *ReadU16(end, kZipEndDiskEntries);
        place = {*ReadU16(end, kZipEndEntries), *ReadU32(end, kZipEndDirectorySize),
                 *ReadU32(end, kZipEndDirectoryOffset), endOffset};
        // Without a locator the fields mean what they say, markers included:
        // some archivers write 0xFFFF entries without ZIP64 records.
        std::vector<uint8_t> locator;
        if (endOffset >= kZip64LocatorSize) {
            const uint64_t locatorOffset = endOffset - kZip64LocatorSize;
            if (ZipError error = ReadBytes(locatorOffset, kZip64LocatorSize, locator); error != ZipError::None)
                return error;
            if (*ReadU32(locator, 0) == kZip64LocatorSignature) {
                std::vector<uint8_t> record;
                const uint64_t recordOffset = *ReadU64(locator, kZip64LocatorEndOffset);
                if (*ReadU32(locator, kZip64LocatorDisk) != 0 || *ReadU32(locator, kZip64LocatorDisks) > 1 ||
                    !Fits(locatorOffset, recordOffset, kZip64EndSize))
                    return ZipError::BadDirectory;
                if (ZipError error = ReadBytes(recordOffset, kZip64EndSize, record); error != ZipError::None)
                    return error;
                const ByteSpan wide(record);
                const DirectoryPlace classic = place;
                place = {*ReadU64(wide, kZip64EndEntries), *ReadU64(wide, kZip64EndDirectorySize),
                         *ReadU64(wide, kZip64EndDirectoryOffset), recordOffset};
                const uint64_t wideDisk = *ReadU32(wide, kZip64EndDisk);
                const uint64_t wideDirectoryDisk = *ReadU32(wide, kZip64EndDirectoryDisk);
                const uint64_t wideDiskEntries = *ReadU64(wide, kZip64EndDiskEntries);
                if (*ReadU32(wide, 0) != kZip64EndSignature || !Agrees(disk, kZipMarker16, wideDisk) ||
                    !Agrees(directoryDisk, kZipMarker16, wideDirectoryDisk) ||
                    !Agrees(diskEntries, kZipMarker16, wideDiskEntries) ||
                    !Agrees(classic.entries, kZipMarker16, place.entries) ||
                    !Agrees(classic.size, kZipMarker32, place.size) ||
                    !Agrees(classic.offset, kZipMarker32, place.offset))
                    return ZipError::BadDirectory;
                disk = wideDisk;
                directoryDisk = wideDirectoryDisk;
                diskEntries = wideDiskEntries;
            }
        }
        if (disk != 0 || directoryDisk != 0 || diskEntries != place.entries)
            return ZipError::BadDirectory;
        return ZipError::None;
    }

    ZipError ReadDirectory(const DirectoryPlace& place, std::vector<uint8_t>& directory)
    {
        if (place.entries > kMaxEntries || place.size > kMaxDirectorySize)
            return ZipError::TooLarge;
        if (!Fits(m_size, place.offset, place.size))
            return ZipError::Truncated;
        if (!Fits(place.end, place.offset, place.size) || place.entries * kZipCentralSize > place.size)
            return ZipError::BadDirectory;
        return ReadBytes(place.offset, place.size, directory);
    }

    ZipError ReadRecords(ByteSpan directory, uint64_t count, std::vector<ZipEntry>& entries)
    {
        entries.reserve(static_cast<size_t>(count));
        uint64_t at = 0;
        for (uint64_t i = 0; i < count; ++i) {
            if (!Fits(directory, at, kZipCentralSize) || *ReadU32(directory, at) != kZipCentralSignature)
                return ZipError::BadDirectory;
            const ByteSpan record = directory.subspan(at);
            const uint16_t nameLength = *ReadU16(record, kZipCentralNameLength);
            const uint16_t extraLength = *ReadU16(record, kZipCentralExtraLength);
            const uint16_t commentLength = *ReadU16(record, kZipCentralCommentLength);
            const uint64_t variableLength = uint64_t{nameLength} + extraLength + commentLength;
            if (!Fits(record, kZipCentralSize, variableLength))
                return ZipError::BadDirectory;
            ZipEntry& entry = entries.emplace_back();
            entry.name.assign(reinterpret_cast<const char*>(record.data()) + kZipCentralSize, nameLength);
            if (ZipError error = ReadRecord(record, record.subspan(kZipCentralSize + nameLength, extraLength), entry);
                error != ZipError::None)
                return Refuse(error, entry.name);
            at += kZipCentralSize + variableLength;
        }
        return at == directory.size() ? ZipError::None : ZipError::BadDirectory;
    }

    static ZipError ReadRecord(ByteSpan record, ByteSpan extra, ZipEntry& entry)
    {
        if (!IsSafeZipName(entry.name))
            return ZipError::UnsafeName;
        if (*ReadU16(record, kZipCentralFlags) & kZipFlagEncrypted)
            return ZipError::Encrypted;
        const uint16_t method = *ReadU16(record, kZipCentralMethod);
        if (method != static_cast<uint16_t>(ZipMethod::Stored) && method != static_cast<uint16_t>(ZipMethod::Deflated))
            return ZipError::UnsupportedMethod;
        entry.method = static_cast<ZipMethod>(method);
        entry.crc32 = *ReadU32(record, kZipCentralCrc);
        entry.compressedSize = *ReadU32(record, kZipCentralCompressedSize);
        entry.size = *ReadU32(record, kZipCentralSize32);
        entry.localHeaderOffset = *ReadU32(record, kZipCentralLocalOffset);
        uint64_t disk = *ReadU16(record, kZipCentralDisk);
        const bool wide = entry.size == kZipMarker32 || entry.compressedSize == kZipMarker32 ||
                          entry.localHeaderOffset == kZipMarker32 || disk == kZipMarker16;
        if (wide && !ReadZip64Extra(extra, entry.size, entry.compressedSize, entry.localHeaderOffset, disk))
            return ZipError::BadDirectory;
        const bool folder = entry.name.back() == '/';
        if (disk != 0 || (entry.method == ZipMethod::Stored && entry.compressedSize != entry.size) ||
            (folder && entry.size != 0))
            return ZipError::BadDirectory;
        return ZipError::None;
    }

    ZipError CheckNamesDiffer(const std::vector<ZipEntry>& entries)
    {
        std::vector<const std::string*> names;
        names.reserve(entries.size());
        for (const ZipEntry& entry : entries)
            names.push_back(&entry.name);
        std::sort(names.begin(), names.end(), [](auto a, auto b) { return *a < *b; });
        const auto same = std::adjacent_find(names.begin(), names.end(), [](auto a, auto b) { return *a == *b; });
        return same == names.end() ? ZipError::None : Refuse(ZipError::DuplicateName, **same);
    }

    // The local header must repeat what the directory says: another archiver
    // reading the entry front to back would otherwise see other bytes.
    ZipError ReadLocalHeader(ZipEntry& entry, uint64_t directoryOffset)
    {
        const uint64_t nameLength = entry.name.size();
        if (ZipError error = ReadBytes(entry.localHeaderOffset, kZipLocalSize + nameLength, m_header);
            error != ZipError::None)
            return Refuse(error, entry.name);
        const ByteSpan header(m_header);
        const auto agrees = [&](uint64_t field, uint64_t value) {
            const uint32_t local = *ReadU32(header, field);
            return local == kZipMarker32 || local == value;
        };
        // Archivers that stream leave CRC and sizes to a descriptor after the data.
        const bool described = *ReadU16(header, kZipLocalFlags) & kZipFlagDataDescriptor;
        if (*ReadU32(header, 0) != kZipLocalSignature || *ReadU16(header, kZipLocalNameLength) != nameLength ||
            std::string_view(reinterpret_cast<const char*>(header.data()) + kZipLocalSize, nameLength) != entry.name ||
            *ReadU16(header, kZipLocalMethod) != static_cast<uint16_t>(entry.method) ||
            (!described && (*ReadU32(header, kZipLocalCrc) != entry.crc32 ||
                            !agrees(kZipLocalCompressedSize, entry.compressedSize) ||
                            !agrees(kZipLocalSize32, entry.size))))
            return Refuse(ZipError::BadLocalHeader, entry.name);
        const uint16_t extraLength = *ReadU16(header, kZipLocalExtraLength);
        entry.dataOffset = entry.localHeaderOffset + kZipLocalSize + nameLength + extraLength;
        if (!Fits(m_size, entry.dataOffset, entry.compressedSize))
            return Refuse(ZipError::Truncated, entry.name);
        if (!Fits(directoryOffset, entry.dataOffset, entry.compressedSize))
            return Refuse(ZipError::Overlap, entry.name);
        return ZipError::None;
    }

    ZipError CheckNoOverlap(const std::vector<ZipEntry>& entries)
    {
        std::vector<const ZipEntry*> byOffset;
        byOffset.reserve(entries.size());
        for (const ZipEntry& entry : entries)
            byOffset.push_back(&entry);
        std::sort(byOffset.begin(), byOffset.end(),
                  [](auto a, auto b) { return a->localHeaderOffset < b->localHeaderOffset; });
        const auto shared = std::adjacent_find(byOffset.begin(), byOffset.end(), [](auto a, auto b) {
            return a->dataOffset + a->compressedSize > b->localHeaderOffset;
        });
        return shared == byOffset.end() ? ZipError::None : Refuse(ZipError::Overlap, (*(shared + 1))->name);
    }

    IZipSource& m_source;
    const uint64_t m_size;
    std::string* m_badName;
    std::vector<uint8_t> m_header;  // one local header at a time
};

// Raw deflate over an entry's compressed bytes, fetched a piece at a time.
class CInflater {
public:
    CInflater(IZipSource& source, const ZipEntry& entry)
        : m_source(source), m_offset(entry.dataOffset), m_remaining(entry.compressedSize),
          m_input(static_cast<size_t>(std::min<uint64_t>(entry.compressedSize, kInputPiece)))
    {
        // zlib fails to start only when it cannot allocate its state.
        if (inflateInit2(&m_stream, -MAX_WBITS) != Z_OK)
            throw std::bad_alloc();
    }
    ~CInflater() { inflateEnd(&m_stream); }
    CInflater(const CInflater&) = delete;
    CInflater& operator=(const CInflater&) = delete;

    bool Ended() const { return m_ended; }

    // Fills `out` until it is full or the stream has ended.
    ZipError Inflate(std::span<uint8_t> out, size_t& filled)
    {
        m_stream.next_out = out.data();
        m_stream.avail_out = static_cast<uInt>(out.size());
        while (m_stream.avail_out > 0 && !m_ended) {
            if (m_stream.avail_in == 0 && m_remaining > 0) {
                const size_t piece = static_cast<size_t>(std::min<uint64_t>(m_remaining, m_input.size()));
                if (!m_source.ReadAt(m_offset, std::span(m_input).first(piece)))
                    return ZipError::ReadFailed;
                m_offset += piece;
                m_remaining -= piece;
                m_stream.next_in = m_input.data();
                m_stream.avail_in = static_cast<uInt>(piece);
            }
            const int result = inflate(&m_stream, Z_NO_FLUSH);
            if (result == Z_MEM_ERROR)
                throw std::bad_alloc();
            if (result == Z_STREAM_END)
                m_ended = true;
            else if (result != Z_OK)  // broken data, or the input ran out (Z_BUF_ERROR)
                return ZipError::BadCompressedData;
        }
        filled = out.size() - m_stream.avail_out;
        return ZipError::None;
    }

private:
    IZipSource& m_source;
    uint64_t m_offset;
    uint64_t m_remaining;
    std::vector<uint8_t> m_input;
    z_stream m_stream{};
    bool m_ended = false;
};

} // namespace

bool IsSafeZipName(std::string_view name)
{
    if (name.empty() || name.size() > kZipMaxNameLength)
        return false;
    if (name.find_first_of(std::string_view("\0\\:", 3)) != name.npos)
        return false;
    // A trailing '/' ends a folder's name; every part before it must be a real one.
    const std::string_view parts = name.back() == '/' ? name.substr(0, name.size() - 1) : name;
    for (size_t start = 0;;) {
        const size_t slash = parts.find('/', start);
        const std::string_view part = parts.substr(start, slash - start);
        // "." and ".." end in a dot too.
        if (part.empty() || part.back() == '.' || part.back() == ' ' || IsDeviceName(part))
            return false;
        if (slash == parts.npos)
            return true;
        start = slash + 1;
    }
}

ZipError ReadZipDirectory(IZipSource& source, std::vector<ZipEntry>& entries, std::string* badName)
{
    entries.clear();
    if (badName)
        badName->clear();
    const ZipError error = CDirectoryReader(source, badName).Read(entries);
    if (error != ZipError::None)
        entries.clear();
    return error;
}

struct CZipEntryReader::State {
    State(IZipSource& source, const ZipEntry& entry)
        : source(source), entry(entry),
          inflater(entry.method == ZipMethod::Deflated ? std::make_unique<CInflater>(source, entry) : nullptr) {}

    // The next piece into `out`; on the last byte, the size and CRC checks.
    ZipError Next(std::span<uint8_t> out, size_t& produced)
    {
        const uint64_t left = entry.size - done;
        const auto piece = out.first(static_cast<size_t>(std::min<uint64_t>({out.size(), left, kMaxOutputPiece})));
        size_t filled = piece.size();
        if (inflater) {
            if (ZipError error = inflater->Inflate(piece, filled); error != ZipError::None)
                return error;
            if (filled < piece.size())
                return ZipError::BadCompressedData;  // the stream ended before the size
        } else if (!source.ReadAt(entry.dataOffset + done, piece)) {
            return ZipError::ReadFailed;
        }
        crc = static_cast<uint32_t>(crc32_z(crc, piece.data(), filled));
        done += filled;
        if (done == entry.size) {
            if (inflater && !inflater->Ended()) {
                // One byte more must not come: the stream has to end here.
                uint8_t beyond = 0;
                size_t extra = 0;
                if (ZipError error = inflater->Inflate({&beyond, 1}, extra); error != ZipError::None)
                    return error;
                if (extra != 0)
                    return ZipError::BadCompressedData;
            }
            if (crc != entry.crc32)
                return ZipError::BadCrc;
            over = true;
        }
        produced = filled;
        return ZipError::None;
    }

    IZipSource& source;
    const ZipEntry entry;
    std::unique_ptr<CInflater> inflater;  // deflated entries only
    uint64_t done = 0;
    uint32_t crc = 0;
    bool over = false;
    ZipError error = ZipError::None;
};

CZipEntryReader::CZipEntryReader(IZipSource& source, const ZipEntry& entry)
    : m_state(std::make_unique<State>(source, entry))
{
}

CZipEntryReader::~CZipEntryReader() = default;

ZipError CZipEntryReader::Read(std::span<uint8_t> out, size_t& produced)
{
    produced = 0;
    if (m_state->error == ZipError::None && !m_state->over)
        m_state->error = m_state->Next(out, produced);
    if (m_state->error != ZipError::None)
        produced = 0;
    return m_state->error;
}
