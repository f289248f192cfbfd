// A saved snapshot opened for reading: a .plexa file or a dump folder, its
// manifest checked together with every entry it names before a byte of
// them is read.
#pragma once

#include "portable/SnapshotCompare.h"
#include "portable/SnapshotManifest.h"

#include <memory>
#include <set>
#include <string>

class CSnapshotSource : public ISnapshotEntries {
public:
    virtual ~CSnapshotSource() = default;

    const SnapshotManifest& Manifest() const { return m_manifest; }
    // The bytes of every entry the manifest names.
    uint64_t TotalBytes() const { return m_nTotal; }
    // The names of those entries.
    const std::set<std::string>& EntryNames() const { return m_named; }
    // Why reading the snapshot, or the last Open or Read of an entry, failed.
    const std::wstring& LastError() const { return m_lastError; }

    // Reads the manifest and checks it with the entries it names; false when
    // they are refused.
    virtual bool Load() = 0;

protected:
    CSnapshotSource() = default;

    // Whether the manifest may name entry `name` at all; false with the
    // reason kept when it may not.
    virtual bool MayName(const std::string& name) { return true; }
    // The size of entry `name` as stored, or false when there is no such entry.
    virtual bool FindEntry(const std::string& name, uint64_t& size) const = 0;
    // Reads and checks the manifest text, then the entries it names.
    bool ReadManifest(const std::vector<uint8_t>& text);
    // Keeps `message` as the last error; false.
    bool Fail(std::wstring message);

    std::wstring m_lastError;

private:
    bool CheckEntries(const std::vector<ManifestNode>& nodes);
    bool CheckEntry(const std::string& name, uint64_t size);

    SnapshotManifest m_manifest;
    std::set<std::string> m_named;
    uint64_t m_nTotal = 0;
};

// The file or folder at `path`; null with `error` naming the problem when it
// cannot be read or its manifest or entries are refused.
std::unique_ptr<CSnapshotSource> OpenSnapshotSource(const std::wstring& path, std::wstring& error);
