// Archives in files: the ZIP container's source and sink over a file handle.
#pragma once

#include "framework/Handles.h"
#include "portable/ZipArchive.h"

#include <vector>

class CZipFileSource : public IZipSource {
public:
    // An invalid handle gives a source of no bytes.
    explicit CZipFileSource(HANDLE file);
    uint64_t Size() const override { return m_nSize; }
    bool ReadAt(uint64_t offset, std::span<uint8_t> out) override;

private:
    HANDLE m_hFile;
    uint64_t m_nSize = 0;
};

// Gathers small writes, headers above all, into large ones, and fills in a
// header that is still gathered without touching the file: an archive of
// thousands of small entries then costs a few writes, not a few per entry.
class CZipFileSink : public IZipSink {
public:
    explicit CZipFileSink(HANDLE file);
    bool Write(std::span<const uint8_t> bytes) override;
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) override;
    // Writes what is gathered; the archive is only in the file after this.
    bool Flush();

private:
    HANDLE m_hFile;
    std::vector<uint8_t> m_gathered;
    uint64_t m_nGatheredAt = 0;  // the file offset of m_gathered's first byte
};
