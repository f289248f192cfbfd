// Archives for the ZIP container's tests, fuzz target and seeds: memory and
// sparse sources and sinks, and archives laid out by hand so that a test can
// bend any field the writer would get right.
#pragma once

#include "portable/ZipArchive.h"
#include "portable/ZipRecords.h"
#include "LayoutTestBytes.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Reads from bytes the caller keeps; past the end, or once failing, reads fail.
class CMemorySource : public IZipSource {
public:
    explicit CMemorySource(ByteSpan bytes) : m_bytes(bytes) {}

    uint64_t Size() const override { return m_bytes.size(); }
    bool ReadAt(uint64_t offset, std::span<uint8_t> out) override
    {
        if (m_failing || !Fits(m_bytes, offset, out.size()))
            return false;
        std::copy_n(m_bytes.begin() + static_cast<ptrdiff_t>(offset), out.size(), out.begin());
        return true;
    }
    void FailReads() { m_failing = true; }

private:
    ByteSpan m_bytes;
    bool m_failing = false;
};

// Keeps what is written; the call numbered `failingCall` (from 0) fails.
class CMemorySink : public IZipSink {
public:
    explicit CMemorySink(int failingCall = -1) : m_failingCall(failingCall) {}

    bool Write(std::span<const uint8_t> bytes) override
    {
        if (m_calls++ == m_failingCall)
            return false;
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return true;
    }
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) override
    {
        if (m_calls++ == m_failingCall || !Fits(m_bytes.size(), offset, bytes.size()))
            return false;
        std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + static_cast<ptrdiff_t>(offset));
        return true;
    }
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
    int m_calls = 0;
    int m_failingCall;
};

// An archive larger than memory: writes of a MiB or more leave zeros, smaller
// ones (records, CRCs, marked pieces of data) are kept and read back.
class CSparseArchive : public IZipSink, public IZipSource {
public:
    static constexpr size_t kDropped = 1 << 20;

    bool Write(std::span<const uint8_t> bytes) override
    {
        if (bytes.size() < kDropped)
            m_pieces.emplace_back(m_size, std::vector<uint8_t>(bytes.begin(), bytes.end()));
        m_size += bytes.size();
        return true;
    }
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) override
    {
        m_pieces.emplace_back(offset, std::vector<uint8_t>(bytes.begin(), bytes.end()));
        return Fits(m_size, offset, bytes.size());
    }
    uint64_t Size() const override { return m_size; }
    bool ReadAt(uint64_t offset, std::span<uint8_t> out) override
    {
        if (!Fits(m_size, offset, out.size()))
            return false;
        std::fill(out.begin(), out.end(), uint8_t{0});
        for (const auto& [at, bytes] : m_pieces) {
            const uint64_t from = std::max(at, offset);
            const uint64_t to = std::min(at + bytes.size(), offset + out.size());
            for (uint64_t i = from; i < to; ++i)
                out[i - offset] = bytes[i - at];
        }
        return true;
    }
    const std::vector<std::pair<uint64_t, std::vector<uint8_t>>>& Pieces() const { return m_pieces; }

private:
    std::vector<std::pair<uint64_t, std::vector<uint8_t>>> m_pieces;
    uint64_t m_size = 0;
};

inline std::vector<uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

inline uint32_t Crc(std::string_view text)
{
    return static_cast<uint32_t>(crc32_z(0, reinterpret_cast<const Bytef*>(text.data()), text.size()));
}

// Bytes of every value, repeating every 251 so that they deflate well.
inline std::string Pattern(size_t size)
{
    std::string text(size, '\0');
    for (size_t i = 0; i < size; ++i)
        text[i] = static_cast<char>(i * 7 % 251);
    return text;
}

// The entry name a snapshot gives its node number `index`.
inline std::string NodeName(size_t index)
{
    char name[32];
    std::snprintf(name, sizeof name, "nodes/%06zu.bin", index);
    return name;
}

// Entry names with their bytes.
using EntryTexts = std::vector<std::pair<std::string, std::string>>;

// Writes `entries` handing the bytes over `piece` at a time.
inline bool WriteEntries(IZipSink& sink, const EntryTexts& entries, size_t piece = 1000)
{
    CZipWriter writer(sink, 0x5A21, 0x6000);  // 2025-01-01 12:00:00
    for (const auto& [name, text] : entries) {
        if (!writer.BeginEntry(name, text.size()))
            return false;
        for (size_t at = 0; at < text.size(); at += piece) {
            if (!writer.WriteData(Bytes(std::string_view(text).substr(at, piece))))
                return false;
        }
        if (!writer.EndEntry())
            return false;
    }
    return writer.Finish();
}

// Every byte of `entry`, read `piece` bytes at a time, or the error that stopped it.
inline ZipError ReadEntry(IZipSource& source, const ZipEntry& entry, std::string& text, size_t piece = 4096)
{
    CZipEntryReader reader(source, entry);
    std::vector<uint8_t> buffer(piece);
    text.clear();
    for (;;) {
        size_t produced = 0;
        const ZipError error = reader.Read(buffer, produced);
        if (error != ZipError::None || produced == 0)
            return error;
        text.append(buffer.begin(), buffer.begin() + static_cast<ptrdiff_t>(produced));
    }
}

// The names and bytes of every entry, or the first refusal.
inline ZipError ReadArchive(ByteSpan bytes, EntryTexts& read, std::string* badName = nullptr)
{
    CMemorySource source(bytes);
    std::vector<ZipEntry> entries;
    read.clear();
    ZipError error = ReadZipDirectory(source, entries, badName);
    for (const ZipEntry& entry : entries) {
        std::string text;
        if (error == ZipError::None)
            error = ReadEntry(source, entry, text, 1000);
        read.emplace_back(entry.name, text);
    }
    return error;
}

// Two entries past 4 GiB between small ones: the first needs ZIP64 sizes,
// the second ZIP64 sizes and offset, the last a ZIP64 offset. Their bytes are
// zeros but for a marked first and last KiB.
constexpr uint64_t kLargeEntrySize = (uint64_t{4} << 30) + 3;
inline const std::string kLargeEntryHead(1024, 'h');
inline const std::string kLargeEntryTail(1024, 't');

inline bool WriteLargeEntry(CZipWriter& writer, const std::string& name)
{
    const std::vector<uint8_t> zeros(CSparseArchive::kDropped);
    bool written = writer.BeginEntry(name, kLargeEntrySize) && writer.WriteData(Bytes(kLargeEntryHead));
    for (uint64_t left = kLargeEntrySize - 2048; written && left > 0; left -= std::min<uint64_t>(left, zeros.size()))
        written = writer.WriteData(std::span(zeros).first(std::min<uint64_t>(left, zeros.size())));
    return written && writer.WriteData(Bytes(kLargeEntryTail)) && writer.EndEntry();
}

// Written once for all the tests that read it: its CRCs take a second.
struct LargeArchive {
    CSparseArchive archive;
    bool written = false;
};

inline LargeArchive& SharedLargeArchive()
{
    static LargeArchive large = [] {
        LargeArchive made;
        CZipWriter writer(made.archive, 0x5A21, 0x6000);
        made.written = writer.BeginEntry("manifest.json", 2) && writer.WriteData(Bytes("{}")) && writer.EndEntry() &&
                       WriteLargeEntry(writer, "nodes/000001.bin") && WriteLargeEntry(writer, "nodes/000002.bin") &&
                       writer.BeginEntry("nodes/000003.bin", 5) && writer.WriteData(Bytes("after")) &&
                       writer.EndEntry() && writer.Finish();
        return made;
    }();
    return large;
}

// One entry of a hand-made archive, its bytes as the archive holds them.
struct HandEntry {
    std::string name;
    std::vector<uint8_t> stored;
    ZipMethod method = ZipMethod::Stored;
    uint32_t crc = 0;
    uint64_t size = 0;
};

inline HandEntry StoredEntry(std::string name, std::string_view text)
{
    return {std::move(name), Bytes(text), ZipMethod::Stored, Crc(text), text.size()};
}

// Raw deflate, as ZIP keeps it.
inline HandEntry DeflatedEntry(std::string name, std::string_view text)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> stored(deflateBound(&stream, text.size()));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = stored.data();
    stream.avail_out = static_cast<uInt>(stored.size());
    deflate(&stream, Z_FINISH);
    stored.resize(stream.total_out);
    deflateEnd(&stream);
    return {std::move(name), std::move(stored), ZipMethod::Deflated, Crc(text), text.size()};
}

// A hand-made archive and where each of its records starts.
struct HandArchive {
    std::vector<uint8_t> bytes;
    std::vector<size_t> local;
    std::vector<size_t> central;
    size_t zip64End = 0;
    size_t end = 0;

    void Set16(size_t at, uint16_t value) { Set(at, value, 2); }
    void Set32(size_t at, uint32_t value) { Set(at, value, 4); }
    void Set64(size_t at, uint64_t value) { Set(at, value, 8); }

private:
    void Set(size_t at, uint64_t value, size_t width)
    {
        for (size_t i = 0; i < width; ++i)
            bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
    }
};

// The records as archivers write them; with `zip64`, every size and offset
// goes through ZIP64 extra fields and end records, their classic fields
// holding the markers.
inline HandArchive BuildArchive(const std::vector<HandEntry>& entries, bool zip64 = false)
{
    const uint16_t version = zip64 ? kZipVersionZip64 : kZipVersionDefault;
    const auto field32 = [&](uint64_t value) { return zip64 ? kZipMarker32 : static_cast<uint32_t>(value); };
    HandArchive archive;
    LeBytes bytes;
    for (const HandEntry& entry : entries) {
        archive.local.push_back(bytes.Size());
        bytes.U32(kZipLocalSignature).U16(version).U16(kZipFlagUtf8).U16(static_cast<uint16_t>(entry.method));
        bytes.U16(0x6000).U16(0x5A21).U32(entry.crc).U32(field32(entry.stored.size())).U32(field32(entry.size));
        bytes.U16(static_cast<uint16_t>(entry.name.size())).U16(zip64 ? 20 : 0).Ansi(entry.name);
        if (zip64)
            bytes.U16(kZip64ExtraId).U16(16).U64(entry.size).U64(entry.stored.size());
        for (uint8_t b : entry.stored)
            bytes.U8(b);
    }
    const size_t directory = bytes.Size();
    for (size_t i = 0; i < entries.size(); ++i) {
        const HandEntry& entry = entries[i];
        archive.central.push_back(bytes.Size());
        bytes.U32(kZipCentralSignature).U16(0x0314).U16(version).U16(kZipFlagUtf8);
        bytes.U16(static_cast<uint16_t>(entry.method)).U16(0x6000).U16(0x5A21).U32(entry.crc);
        bytes.U32(field32(entry.stored.size())).U32(field32(entry.size)).U16(static_cast<uint16_t>(entry.name.size()));
        bytes.U16(zip64 ? 28 : 0).U16(0).U16(0).U16(0).U32(0).U32(field32(archive.local[i])).Ansi(entry.name);
        if (zip64)
            bytes.U16(kZip64ExtraId).U16(24).U64(entry.size).U64(entry.stored.size()).U64(archive.local[i]);
    }
    const size_t directorySize = bytes.Size() - directory;
    if (zip64) {
        archive.zip64End = bytes.Size();
        bytes.U32(kZip64EndSignature).U64(44).U16(0x0314).U16(version).U32(0).U32(0).U64(entries.size());
        bytes.U64(entries.size()).U64(directorySize).U64(directory);
        bytes.U32(kZip64LocatorSignature).U32(0).U64(archive.zip64End).U32(1);
    }
    archive.end = bytes.Size();
    const uint16_t count = zip64 ? kZipMarker16 : static_cast<uint16_t>(entries.size());
    bytes.U32(kZipEndSignature).U16(0).U16(0).U16(count).U16(count).U32(field32(directorySize)).U32(field32(directory));
    archive.bytes = bytes.U16(0).Vector();
    return archive;
}
