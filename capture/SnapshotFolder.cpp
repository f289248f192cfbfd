// Dump folders: a snapshot unpacked, written beside the target and moved in
// place once whole, so that a reader never sees half of one. An earlier dump
// is set aside until the new one is in place, and then only the files its
// manifest names are deleted.
#include "capture/SnapshotEntrySink.h"
#include "capture/SnapshotFile.h"
#include "capture/SnapshotSource.h"

#include "framework/Format.h"
#include "framework/Handles.h"
#include "framework/Resource.h"
#include "framework/Utf8.h"
#include "res/strings/capture.h"

#include <algorithm>
#include <set>

namespace {

constexpr wchar_t kNodesFolder[] = L"nodes";
constexpr wchar_t kManifestFile[] = L"manifest.json";

// Calls `visit(name, isFolder)` for each entry of `folder` but "." and "..",
// until it returns false.
template <class Visit>
void ForEachEntry(const std::wstring& folder, Visit visit)
{
    WIN32_FIND_DATAW found;
    const CFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!find)
        return;
    do {
        if (::lstrcmpW(found.cFileName, L".") != 0 && ::lstrcmpW(found.cFileName, L"..") != 0 &&
            !visit(std::wstring(found.cFileName), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0))
            return;
    } while (::FindNextFileW(find, &found));
}

bool IsEmptyFolder(const std::wstring& folder)
{
    bool empty = true;
    ForEachEntry(folder, [&](const std::wstring&, bool) { return empty = false; });
    return empty;
}

// What stands at the target.
struct CTarget {
    enum class State { Missing, Empty, Dump, Occupied, NotAFolder } state = State::Missing;
    std::set<std::string> entries;  // a dump's, as its manifest names them
};

// A folder is replaced only when it is empty or holds a readable dump and
// nothing its manifest does not name, so that nothing else can be lost.
CTarget InspectTarget(const std::wstring& folder)
{
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {};
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {CTarget::State::NotAFolder};
    if (IsEmptyFolder(folder))
        return {CTarget::State::Empty};
    std::wstring unused;
    const std::unique_ptr<CSnapshotSource> dump = OpenSnapshotSource(folder, unused);
    if (!dump)
        return {CTarget::State::Occupied};
    CTarget target{CTarget::State::Dump, dump->EntryNames()};
    const auto named = [&](const std::string& name) { return target.entries.count(name) != 0; };
    bool foreign = false;
    ForEachEntry(folder, [&](const std::wstring& name, bool isFolder) {
        foreign = ::lstrcmpiW(name.c_str(), isFolder ? kNodesFolder : kManifestFile) != 0;
        return !foreign;
    });
    if (!foreign) {
        ForEachEntry(folder + L"\\" + kNodesFolder, [&](const std::wstring& name, bool isFolder) {
            foreign = isFolder || !named(ToUtf8(kNodesFolder) + "/" + ToUtf8(name));
            return !foreign;
        });
    }
    return foreign ? CTarget{CTarget::State::Occupied} : target;
}

// Deletes the files `entries` name, the manifest and what they leave empty;
// a folder still holding anything else stays.
void RemoveDump(const std::wstring& folder, const std::set<std::string>& entries)
{
    for (const std::string& entry : entries) {
        std::wstring path = folder + L"\\" + FromUtf8(entry);
        std::replace(path.begin(), path.end(), L'/', L'\\');
        ::DeleteFileW(path.c_str());
    }
    ::DeleteFileW((folder + L"\\" + kManifestFile).c_str());
    ::RemoveDirectoryW((folder + L"\\" + kNodesFolder).c_str());
    ::RemoveDirectoryW(folder.c_str());
}

// Removes the partial folder, which this save made and alone wrote into.
void RemovePartial(const std::wstring& folder)
{
    const std::wstring nodes = folder + L"\\" + kNodesFolder;
    ForEachEntry(nodes, [&](const std::wstring& name, bool) {
        ::DeleteFileW((nodes + L"\\" + name).c_str());
        return true;
    });
    RemoveDump(folder, {});
}

// Moves the finished `partial` to `path` in place of what `target` found
// there; on any failure whatever stood there stays as it was.
bool MoveIntoPlace(const std::wstring& partial, const std::wstring& path, const CTarget& target)
{
    if (target.state == CTarget::State::Empty && !::RemoveDirectoryW(path.c_str()))
        return false;
    const std::wstring aside = path + FormatString(L".%lu.old", ::GetCurrentProcessId());
    if (target.state == CTarget::State::Dump && !::MoveFileW(path.c_str(), aside.c_str()))
        return false;
    if (!::MoveFileW(partial.c_str(), path.c_str())) {
        const DWORD error = ::GetLastError();
        if (target.state == CTarget::State::Dump)
            ::MoveFileW(aside.c_str(), path.c_str());
        else if (target.state == CTarget::State::Empty)
            ::CreateDirectoryW(path.c_str(), nullptr);
        ::SetLastError(error);
        return false;
    }
    if (target.state == CTarget::State::Dump)
        RemoveDump(aside, target.entries);
    return true;
}

}

SnapshotResult SaveSnapshotFolder(const std::wstring& path, const CSnapshotInfo& info, const CCBDataArray& nodes,
                                  const SnapshotProgress& progress, std::wstring& error)
{
    const CTarget target = InspectTarget(path);
    if (target.state == CTarget::State::NotAFolder || target.state == CTarget::State::Occupied) {
        error = LoadResString(target.state == CTarget::State::NotAFolder ? IDS_NOT_A_FOLDER : IDS_FOLDER_NOT_A_DUMP);
        return SnapshotResult::Failed;
    }
    const std::wstring partial = path + FormatString(L".%lu.partial", ::GetCurrentProcessId());
    if (!::CreateDirectoryW(partial.c_str(), nullptr)) {
        error = FormatResString(IDS_CANNOT_CREATE_FOLDER, ::GetLastError());
        return SnapshotResult::Failed;
    }
    SnapshotResult result;
    {
        // Closed before anything is moved or removed: a failed entry is still open.
        CFolderEntrySink sink(partial);
        result = WriteSnapshot(sink, info, nodes, progress, error);
    }
    if (result == SnapshotResult::Done && !MoveIntoPlace(partial, path, target)) {
        error = FormatResString(IDS_CANNOT_REPLACE_FOLDER, ::GetLastError());
        result = SnapshotResult::Failed;
    }
    if (result != SnapshotResult::Done)
        RemovePartial(partial);
    return result;
}
