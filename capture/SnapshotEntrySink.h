// Where a snapshot's entries are written: a .plexa archive, or the files of
// a dump folder.
#pragma once

#include "capture/SnapshotFile.h"
#include "capture/ZipFiles.h"

#include <span>
#include <string>

class ISnapshotEntrySink {
public:
    // Each false return means the entry could not be written; the snapshot is then unusable.
    virtual bool BeginEntry(const std::string& name, uint64_t size) = 0;
    virtual bool WriteData(std::span<const uint8_t> bytes) = 0;
    virtual bool EndEntry() = 0;
    // Adds the entry as another name of the finished file `path` where the
    // destination can, sparing the copy; false to have it written instead.
    virtual bool LinkFile(const std::string& name, const std::wstring& path) = 0;
    virtual bool Finish() = 0;

protected:
    ~ISnapshotEntrySink() = default;
};

class CZipEntrySink final : public ISnapshotEntrySink {
public:
    // `dosDate` and `dosTime` stamp every entry.
    CZipEntrySink(HANDLE file, uint16_t dosDate, uint16_t dosTime) : m_file(file), m_writer(m_file, dosDate, dosTime) {}

    bool BeginEntry(const std::string& name, uint64_t size) override { return m_writer.BeginEntry(name, size); }
    bool WriteData(std::span<const uint8_t> bytes) override { return m_writer.WriteData(bytes); }
    bool EndEntry() override { return m_writer.EndEntry(); }
    bool LinkFile(const std::string&, const std::wstring&) override { return false; }
    bool Finish() override { return m_writer.Finish() && m_file.Flush(); }

private:
    CZipFileSink m_file;
    CZipWriter m_writer;
};

// Entries as files under a folder, '/' in their names making subfolders.
class CFolderEntrySink final : public ISnapshotEntrySink {
public:
    explicit CFolderEntrySink(std::wstring folder) : m_folder(std::move(folder)) {}

    bool BeginEntry(const std::string& name, uint64_t size) override;
    bool WriteData(std::span<const uint8_t> bytes) override;
    bool EndEntry() override;
    bool LinkFile(const std::string& name, const std::wstring& path) override;
    bool Finish() override { return !m_file; }

private:
    // The entry's path, its folders made; empty for a name no archive could hold.
    std::wstring PreparePath(const std::string& name) const;

    std::wstring m_folder;
    CFileHandle m_file;
    uint64_t m_nLeft = 0;
};

// Writes the snapshot's manifest and entries into `sink`, `error` saying why
// when it fails.
SnapshotResult WriteSnapshot(ISnapshotEntrySink& sink, const CSnapshotInfo& info, const CCBDataArray& nodes,
                             const SnapshotProgress& progress, std::wstring& error);
