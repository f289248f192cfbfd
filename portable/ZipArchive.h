// The ZIP container of snapshot files: the records every archiver reads,
// ZIP64 where an entry or the archive outgrows the 32-bit fields, entries
// stored or deflated. Archives come from anyone, so the reader checks every
// size, offset and name before anything is read through them.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// Random access to an archive's bytes: a file on Windows, memory in the tests.
class IZipSource {
public:
    virtual uint64_t Size() const = 0;
    // Fills `out` from `offset`; false when those bytes cannot all be read.
    virtual bool ReadAt(uint64_t offset, std::span<uint8_t> out) = 0;

protected:
    ~IZipSource() = default;
};

// Where a new archive goes: appended in order, with a look back to fill in
// what is known only once an entry's bytes have passed.
class IZipSink {
public:
    virtual bool Write(std::span<const uint8_t> bytes) = 0;
    virtual bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) = 0;

protected:
    ~IZipSink() = default;
};

enum class ZipMethod : uint16_t { Stored = 0, Deflated = 8 };

struct ZipEntry {
    std::string name;  // UTF-8, '/' between folders
    ZipMethod method = ZipMethod::Stored;
    uint32_t crc32 = 0;
    uint64_t compressedSize = 0;
    uint64_t size = 0;
    uint64_t localHeaderOffset = 0;
    uint64_t dataOffset = 0;  // just past the local header, checked against it
};

// Why an archive or one of its entries was refused.
enum class ZipError {
    None,
    NotAnArchive,       // no end-of-central-directory record
    Truncated,          // a record or an entry's bytes pass the end of the file
    BadDirectory,       // central directory records that contradict themselves or the end record
    TooLarge,           // more entries or a larger directory than a snapshot can have
    BadLocalHeader,     // a local header missing or not matching its directory record
    Overlap,            // two entries share bytes, or an entry runs into the directory
    DuplicateName,
    UnsafeName,         // empty, absolute, with a drive letter, a backslash, NUL or a ".." part
    Encrypted,
    UnsupportedMethod,  // neither stored nor deflated
    BadCompressedData,  // inflate failed, or gave more or fewer bytes than the size says
    BadCrc,
    ReadFailed,         // the source could not give bytes it has
};

// Whether an entry may carry `name`: parts between '/' that are neither
// empty, "." nor "..", so that two spellings cannot name one path (a
// trailing '/' marks a folder); no leading '/', NUL, backslash or ':' (no
// drive letter); at most 4096 bytes. No part is a name Windows gives a device
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, in any case, with or
// without an extension) or ends in a dot or a space, which Windows drops:
// the name must mean the same file wherever it is unpacked.
bool IsSafeZipName(std::string_view name);

// The checked list of entries, in the order of the central directory; any
// refusal leaves `entries` empty. `badName` receives the entry name a
// refusal is about, when it is about one.
ZipError ReadZipDirectory(IZipSource& source, std::vector<ZipEntry>& entries, std::string* badName = nullptr);

// Reads one entry's bytes piece by piece, inflating when deflated; the size
// and CRC are checked as the last byte passes.
class CZipEntryReader {
public:
    CZipEntryReader(IZipSource& source, const ZipEntry& entry);
    ~CZipEntryReader();
    CZipEntryReader(const CZipEntryReader&) = delete;
    CZipEntryReader& operator=(const CZipEntryReader&) = delete;

    // Fills up to out.size() bytes (`out` not empty) and says how many in
    // `produced`; zero produced with ZipError::None means the entry is over
    // and checked. An error produces nothing and stays.
    ZipError Read(std::span<uint8_t> out, size_t& produced);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Writes an archive of stored entries whose sizes are known before their bytes.
class CZipWriter {
public:
    // `dosDate` and `dosTime` stamp every entry, as MS-DOS packs them.
    CZipWriter(IZipSink& sink, uint16_t dosDate, uint16_t dosTime);

    // Each false return means the sink failed or the caller broke the order
    // (bytes other than `size`, an entry left open, a name the reader would
    // refuse); the archive is then unusable.
    bool BeginEntry(const std::string& name, uint64_t size);
    bool WriteData(std::span<const uint8_t> bytes);
    bool EndEntry();
    // The central directory and the end records.
    bool Finish();

private:
    bool Fail();

    IZipSink& m_sink;
    uint16_t m_dosDate;
    uint16_t m_dosTime;
    uint64_t m_offset = 0;
    std::vector<ZipEntry> m_entries;
    std::unordered_set<std::string> m_names;
    bool m_open = false;
    bool m_failed = false;
    bool m_finished = false;
    uint64_t m_written = 0;
    uint32_t m_crc = 0;
};
