// Writing side of the ZIP container: stored entries streamed through the
// sink, each CRC filled into its local header once the bytes have passed.
#include "portable/ZipArchive.h"
#include "portable/ByteReaderLayout.h"
#include "portable/ZipRecords.h"

#include <zlib.h>

#include <limits>

namespace {

// Unix, APPNOTE 3.0: Info-ZIP's unzip turns names made on MS-DOS from the
// OEM code page even when the UTF-8 flag is set. With external attributes 0
// it extracts the files readable by their owner only.
constexpr uint16_t kMadeBy = 0x031E;

// Little-endian fields appended one after another.
class CRecordBytes {
public:
    CRecordBytes& U16(uint16_t value) { return Put(value, 2); }
    CRecordBytes& U32(uint32_t value) { return Put(value, 4); }
    CRecordBytes& U64(uint64_t value) { return Put(value, 8); }
    CRecordBytes& Text(const std::string& text)
    {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        return *this;
    }
    std::span<const uint8_t> Bytes() const { return m_bytes; }

private:
    CRecordBytes& Put(uint64_t value, size_t width)
    {
        for (size_t i = 0; i < width; ++i)
            m_bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
        return *this;
    }

    std::vector<uint8_t> m_bytes;
};

bool Overflows(uint64_t value)
{
    return value >= kZipMarker32;
}

uint32_t Field32(uint64_t value)
{
    return Overflows(value) ? kZipMarker32 : static_cast<uint32_t>(value);
}

uint16_t VersionNeeded(const ZipEntry& entry)
{
    return Overflows(entry.size) || Overflows(entry.localHeaderOffset) ? kZipVersionZip64 : kZipVersionDefault;
}

CRecordBytes LocalHeader(const ZipEntry& entry, uint16_t dosDate, uint16_t dosTime)
{
    const bool wide = Overflows(entry.size);
    CRecordBytes header;
    header.U32(kZipLocalSignature).U16(VersionNeeded(entry)).U16(kZipFlagUtf8).U16(0).U16(dosTime).U16(dosDate);
    header.U32(0).U32(Field32(entry.size)).U32(Field32(entry.size));  // the CRC comes at EndEntry
    header.U16(static_cast<uint16_t>(entry.name.size())).U16(wide ? 20 : 0).Text(entry.name);
    if (wide)
        header.U16(kZip64ExtraId).U16(16).U64(entry.size).U64(entry.size);
    return header;
}

CRecordBytes CentralRecord(const ZipEntry& entry, uint16_t dosDate, uint16_t dosTime)
{
    const bool wideSizes = Overflows(entry.size);
    const bool wideOffset = Overflows(entry.localHeaderOffset);
    const uint16_t extraLength = (wideSizes ? 16 : 0) + (wideOffset ? 8 : 0);
    CRecordBytes record;
    record.U32(kZipCentralSignature).U16(kMadeBy).U16(VersionNeeded(entry)).U16(kZipFlagUtf8).U16(0);
    record.U16(dosTime).U16(dosDate).U32(entry.crc32).U32(Field32(entry.size)).U32(Field32(entry.size));
    record.U16(static_cast<uint16_t>(entry.name.size())).U16(extraLength ? extraLength + 4 : 0).U16(0);
    record.U16(0).U16(0).U32(0).U32(Field32(entry.localHeaderOffset)).Text(entry.name);
    if (extraLength)
        record.U16(kZip64ExtraId).U16(extraLength);
    if (wideSizes)
        record.U64(entry.size).U64(entry.size);
    if (wideOffset)
        record.U64(entry.localHeaderOffset);
    return record;
}

} // namespace

CZipWriter::CZipWriter(IZipSink& sink, uint16_t dosDate, uint16_t dosTime)
    : m_sink(sink), m_dosDate(dosDate), m_dosTime(dosTime)
{
}

bool CZipWriter::Fail()
{
    m_failed = true;
    return false;
}

bool CZipWriter::BeginEntry(const std::string& name, uint64_t size)
{
    if (m_failed || m_finished || m_open || !IsSafeZipName(name) || !m_names.insert(name).second)
        return Fail();
    ZipEntry entry{name, ZipMethod::Stored, 0, size, size, m_offset, 0};
    const CRecordBytes header = LocalHeader(entry, m_dosDate, m_dosTime);
    entry.dataOffset = m_offset + header.Bytes().size();
    if (!Fits(std::numeric_limits<uint64_t>::max(), entry.dataOffset, size) || !m_sink.Write(header.Bytes()))
        return Fail();
    m_offset = entry.dataOffset;
    m_entries.push_back(std::move(entry));
    m_open = true;
    m_written = 0;
    m_crc = 0;
    return true;
}

bool CZipWriter::WriteData(std::span<const uint8_t> bytes)
{
    if (m_failed || !m_open || bytes.size() > m_entries.back().size - m_written)
        return Fail();
    m_crc = static_cast<uint32_t>(crc32_z(m_crc, bytes.data(), bytes.size()));
    if (!m_sink.Write(bytes))
        return Fail();
    m_written += bytes.size();
    m_offset += bytes.size();
    return true;
}

bool CZipWriter::EndEntry()
{
    if (m_failed || !m_open || m_written != m_entries.back().size)
        return Fail();
    ZipEntry& entry = m_entries.back();
    entry.crc32 = m_crc;
    if (!m_sink.WriteAt(entry.localHeaderOffset + kZipLocalCrc, CRecordBytes{}.U32(m_crc).Bytes()))
        return Fail();
    m_open = false;
    return true;
}

bool CZipWriter::Finish()
{
    if (m_failed || m_finished || m_open)
        return Fail();
    const uint64_t directoryOffset = m_offset;
    for (const ZipEntry& entry : m_entries) {
        const CRecordBytes record = CentralRecord(entry, m_dosDate, m_dosTime);
        if (!m_sink.Write(record.Bytes()))
            return Fail();
        m_offset += record.Bytes().size();
    }
    const uint64_t directorySize = m_offset - directoryOffset;
    const uint64_t count = m_entries.size();
    // 0xFFFF itself is the marker, so 65,535 entries already need ZIP64.
    const bool wide = count >= kZipMarker16 || Overflows(directoryOffset) || Overflows(directorySize);
    CRecordBytes end;
    if (wide) {
        end.U32(kZip64EndSignature).U64(kZip64EndSize - kZip64EndRecordSize - 8);
        end.U16(kMadeBy).U16(kZipVersionZip64).U32(0).U32(0);
        end.U64(count).U64(count).U64(directorySize).U64(directoryOffset);
        end.U32(kZip64LocatorSignature).U32(0).U64(m_offset).U32(1);
    }
    const uint16_t count16 = count >= kZipMarker16 ? kZipMarker16 : static_cast<uint16_t>(count);
    end.U32(kZipEndSignature).U16(0).U16(0).U16(count16).U16(count16);
    end.U32(Field32(directorySize)).U32(Field32(directoryOffset)).U16(0);
    if (!m_sink.Write(end.Bytes()))
        return Fail();
    m_offset += end.Bytes().size();
    m_finished = true;
    return true;
}
