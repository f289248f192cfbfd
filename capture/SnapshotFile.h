// Snapshot files (.plexa): a whole snapshot written as a ZIP archive with
// its manifest, or unpacked into a dump folder, and read back into nodes
// whose bytes get files of their own.
#pragma once

#include "capture/CBData.h"
#include "capture/CaptureHost.h"
#include "capture/ClipboardOwner.h"
#include "portable/SnapshotManifest.h"

#include <optional>
#include <string>

// What a snapshot is beyond its nodes.
struct CSnapshotInfo {
    std::wstring title;
    std::wstring taken;  // when the capture started: UTC, ISO 8601
    std::wstring finished;  // when it ended; empty when not known
    std::wstring computer;  // the machine it was taken on; paths in it name that machine's files
    std::optional<CClipboardOwner> owner;  // a paste's only
    CStringArray formatNames;  // every format the source offered
    // Taken although the source asked clipboard monitors to leave it alone.
    bool takenDespitePrivacyRequest = false;
    std::optional<DWORD> sequenceNumber;  // a paste's: the clipboard's sequence number
    std::optional<DWORD> dropEffects;  // a drop's: the effects the source offered
    std::optional<AsyncTransfer> asyncTransfer;  // a drop's
};

// The present moment as CSnapshotInfo::taken keeps it.
std::wstring CurrentTimestamp();
// This machine's name, as CSnapshotInfo::computer keeps it.
std::wstring ThisComputer();

enum class SnapshotResult { Done, Stopped, Failed };
// Hears how many of the bytes to copy are done; returning true stops the work.
using SnapshotProgress = CCBData::SaveProgress;

// Writes the snapshot to `path`, replacing a file there only once the new one
// is whole; `error` says why it failed. Nothing is left behind when it fails
// or is stopped.
SnapshotResult SaveSnapshotFile(const std::wstring& path, const CSnapshotInfo& info, const CCBDataArray& nodes,
                                const SnapshotProgress& progress, std::wstring& error);

// Writes the snapshot unpacked into folder `path`: manifest.json and one file
// per entry, as the archive would hold them. `path` must be missing, empty or
// an earlier dump, which is replaced only once the new one is whole.
SnapshotResult SaveSnapshotFolder(const std::wstring& path, const CSnapshotInfo& info, const CCBDataArray& nodes,
                                  const SnapshotProgress& progress, std::wstring& error);

// Reads the snapshot file or dump folder at `path` into `info` and `nodes`, the nodes' bytes going
// to new files of `host`. Registered formats are registered again by name.
// When it fails or is stopped, `info` and `nodes` are untouched and no file
// is left; `error` names the problem.
SnapshotResult OpenSnapshotFile(const std::wstring& path, const ICaptureHost& host, const SnapshotProgress& progress,
                                CSnapshotInfo& info, CCBDataArray& nodes, std::wstring& error);
