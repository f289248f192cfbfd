// Archives in files: the ZIP container's source and sink over a file handle.
#pragma once

#include "framework/Handles.h"
#include "portable/ZipArchive.h"

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

class CZipFileSink : public IZipSink {
public:
    explicit CZipFileSink(HANDLE file) : m_hFile(file) {}
    bool Write(std::span<const uint8_t> bytes) override;
    bool WriteAt(uint64_t offset, std::span<const uint8_t> bytes) override;

private:
    HANDLE m_hFile;
};
