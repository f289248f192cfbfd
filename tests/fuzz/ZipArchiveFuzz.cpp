// ZIP archives (snapshot files): an accepted directory lists entries under
// safe, distinct names whose local headers and bytes lie inside the file and
// apart; reading an entry never gives more than its size, gives the stored
// bytes themselves, and an error stays.
#include "../portable/ZipTestArchive.h"
#include "FuzzSupport.h"
#include "portable/ZipArchive.h"

#include <algorithm>
#include <string_view>

namespace {

// Larger entries would only repeat the same paths at a slower pace.
constexpr uint64_t kMaxReadSize = 1 << 20;

bool SafeName(std::string_view name)
{
    if (name.empty() || name.size() > 4096 || name.find_first_of(std::string_view("\0\\:", 3)) != name.npos)
        return false;
    if (name.back() == '/')
        name.remove_suffix(1);
    for (size_t start = 0, end; start <= name.size(); start = end + 1) {
        end = std::min(name.find('/', start), name.size());
        const std::string_view part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
    }
    return true;
}

void CheckEntry(ByteSpan bytes, const ZipEntry& entry)
{
    Require(SafeName(entry.name));
    Require(entry.method == ZipMethod::Stored || entry.method == ZipMethod::Deflated);
    Require(entry.method == ZipMethod::Deflated || entry.compressedSize == entry.size);
    Require(entry.name.back() != '/' || entry.size == 0);
    const uint64_t name = entry.localHeaderOffset + kZipLocalSize;
    Require(*ReadU32(bytes, entry.localHeaderOffset) == kZipLocalSignature && Fits(bytes, name, entry.name.size()));
    Require(std::equal(entry.name.begin(), entry.name.end(), bytes.begin() + static_cast<ptrdiff_t>(name),
                       [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; }));
    Require(entry.dataOffset >= name + entry.name.size());
    Require(Fits(bytes, entry.dataOffset, entry.compressedSize));
}

void CheckReading(CMemorySource& source, ByteSpan bytes, const ZipEntry& entry)
{
    CZipEntryReader reader(source, entry);
    std::vector<uint8_t> buffer(1 + entry.crc32 % 4096);
    uint64_t total = 0;
    for (;;) {
        size_t produced = 0;
        const ZipError error = reader.Read(buffer, produced);
        if (error != ZipError::None) {
            // A stored entry lies inside the file, so only its CRC can be wrong.
            Require(produced == 0 && (entry.method == ZipMethod::Deflated || error == ZipError::BadCrc));
            Require(reader.Read(buffer, produced) == error && produced == 0);
            return;
        }
        if (produced == 0)
            break;
        Require(produced <= buffer.size() && produced <= entry.size - total);
        if (entry.method == ZipMethod::Stored)
            Require(std::equal(buffer.begin(), buffer.begin() + static_cast<ptrdiff_t>(produced),
                               bytes.begin() + static_cast<ptrdiff_t>(entry.dataOffset + total)));
        total += produced;
    }
    Require(total == entry.size);
    size_t produced = 1;
    Require(reader.Read(buffer, produced) == ZipError::None && produced == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ByteSpan bytes(data, size);
    CMemorySource source(bytes);
    std::vector<ZipEntry> entries;
    if (ReadZipDirectory(source, entries) != ZipError::None) {
        Require(entries.empty());
        return 0;
    }
    std::vector<const ZipEntry*> byOffset;
    for (const ZipEntry& entry : entries) {
        CheckEntry(bytes, entry);
        byOffset.push_back(&entry);
    }
    std::sort(byOffset.begin(), byOffset.end(),
              [](auto a, auto b) { return a->localHeaderOffset < b->localHeaderOffset; });
    for (size_t i = 1; i < byOffset.size(); ++i)
        Require(byOffset[i - 1]->dataOffset + byOffset[i - 1]->compressedSize <= byOffset[i]->localHeaderOffset);
    std::sort(byOffset.begin(), byOffset.end(), [](auto a, auto b) { return a->name < b->name; });
    for (size_t i = 1; i < byOffset.size(); ++i)
        Require(byOffset[i - 1]->name != byOffset[i]->name);
    for (const ZipEntry& entry : entries) {
        if (entry.size <= kMaxReadSize)
            CheckReading(source, bytes, entry);
    }
    return 0;
}
