// Dump folders: a snapshot unpacked, written beside the target and moved in
// place once whole, so that a reader never sees half of one.
#include "capture/SnapshotEntrySink.h"
#include "capture/SnapshotFile.h"

#include "framework/Format.h"
#include "framework/Resource.h"
#include "res/strings/capture.h"

namespace {

enum class FolderState { Missing, Usable, Occupied, NotAFolder };

bool IsDumpPart(const wchar_t* name)
{
    return ::lstrcmpiW(name, L"manifest.json") == 0 || ::lstrcmpiW(name, L"nodes") == 0;
}

// A folder is reused only when it holds nothing a dump did not put there.
FolderState StateOf(const std::wstring& folder)
{
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FolderState::Missing;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return FolderState::NotAFolder;
    WIN32_FIND_DATAW found;
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return FolderState::Usable;
    FolderState state = FolderState::Usable;
    do {
        if (::lstrcmpW(found.cFileName, L".") != 0 && ::lstrcmpW(found.cFileName, L"..") != 0 &&
            !IsDumpPart(found.cFileName))
            state = FolderState::Occupied;
    } while (state == FolderState::Usable && ::FindNextFileW(find, &found));
    ::FindClose(find);
    return state;
}

// Removes a dump's files and the folder; only what a dump writes, so that
// nothing else can be lost.
void RemoveDump(const std::wstring& folder)
{
    const std::wstring nodes = folder + L"\\nodes";
    WIN32_FIND_DATAW found;
    const HANDLE find = ::FindFirstFileW((nodes + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ::DeleteFileW((nodes + L"\\" + found.cFileName).c_str());
        } while (::FindNextFileW(find, &found));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(nodes.c_str());
    ::DeleteFileW((folder + L"\\manifest.json").c_str());
    ::RemoveDirectoryW(folder.c_str());
}

}

SnapshotResult SaveSnapshotFolder(const std::wstring& path, const CSnapshotInfo& info, const CCBDataArray& nodes,
                                  const SnapshotProgress& progress, std::wstring& error)
{
    const FolderState state = StateOf(path);
    if (state == FolderState::NotAFolder || state == FolderState::Occupied) {
        error = LoadResString(state == FolderState::NotAFolder ? IDS_NOT_A_FOLDER : IDS_FOLDER_NOT_A_DUMP);
        return SnapshotResult::Failed;
    }
    const std::wstring partial = path + FormatString(L".%lu.partial", ::GetCurrentProcessId());
    if (!::CreateDirectoryW(partial.c_str(), nullptr)) {
        error = FormatResString(IDS_CANNOT_CREATE_FOLDER, ::GetLastError());
        return SnapshotResult::Failed;
    }
    CFolderEntrySink sink(partial);
    SnapshotResult result = WriteSnapshot(sink, info, nodes, progress, error);
    if (result == SnapshotResult::Done) {
        if (state == FolderState::Usable)
            RemoveDump(path);
        if (!::MoveFileW(partial.c_str(), path.c_str())) {
            error = FormatResString(IDS_CANNOT_REPLACE_FOLDER, ::GetLastError());
            result = SnapshotResult::Failed;
        }
    }
    if (result != SnapshotResult::Done)
        RemoveDump(partial);
    return result;
}
