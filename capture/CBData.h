// One captured piece of data: the format description it was taken under,
// the medium that arrived, labels, property lines, the temporary file with
// its bytes, and its own subtree.
#pragma once

#include "common/Strings.h"
#include "framework/ComPtr.h"
#include "portable/CodePageValues.h"
#include "portable/FormatCheck.h"

#include <objidl.h>
#include <shobjidl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Gdiplus {
class Image;
}

class CCBData;
class CCBDataCreateContext;

// Owns its nodes; a snapshot is one of these, and so is every list of children.
using CCBDataArray = std::vector<std::unique_ptr<CCBData>>;
using CImagePtr = std::unique_ptr<Gdiplus::Image>;

// Tree image indexes.
enum : int { kIconFolder = 0, kIconData = 1, kIconPicture = 2, kIconUnknown = 3 };
// Viewer pages.
enum : int { kTabHex = 0, kTabText = 1, kTabImage = 2, kTabProperty = 3 };

class CCBData {
public:
    CCBData();
    virtual ~CCBData();
    CCBData(const CCBData&) = delete;
    CCBData& operator=(const CCBData&) = delete;

    // Moves the base members of `source` into this node (keeping this node's
    // display name, icon, default page and code page), then deletes it.
    virtual void TakeOver(std::unique_ptr<CCBData> source);

    // A picture of the node and its size; null and zeros when there is none.
    // Deleting the returned object is all the release it needs.
    virtual CImagePtr CreateImage(int& width, int& height, int& bitsPerPixel);

    // The node's bytes in a new buffer of m_nSize bytes; null when there are
    // none, when the file cannot be opened or holds fewer, or when memory runs
    // short. `result`, when given, says which; telling the user is the caller's.
    enum class LoadResult { Loaded, NoData, CannotOpen, CannotRead, NoMemory };
    std::unique_ptr<BYTE[]> LoadData(LoadResult* result = nullptr) const;
    // Up to `maxBytes` of the node's first bytes; empty when none can be read.
    std::vector<BYTE> LoadHead(size_t maxBytes) const;
    // Writes the node's bytes to a new file at `path`, replacing any file
    // there; a file that could not be written whole is removed again.
    // `stop` hears of the progress after each piece and ends the save by
    // returning true.
    // Hands the node's bytes to `consume` a piece at a time, with the count
    // done so far; `consume` returns false to end the reading early.
    // CannotRead when the file cannot be opened or holds fewer bytes.
    enum class PiecesResult { Read, Ended, CannotRead, NoMemory };
    using PieceConsumer = std::function<bool(std::span<const BYTE> piece, uint64_t done)>;
    PiecesResult ReadPieces(const PieceConsumer& consume) const;
    enum class SaveResult { Saved, NoData, CannotRead, CannotWrite, Stopped };
    using SaveProgress = std::function<bool(uint64_t done, uint64_t total)>;
    SaveResult SaveBytesTo(const std::wstring& path, const SaveProgress& stop = {}) const;

    // Naming and per-format defaults
    // The tree text: display name, else name, else the format description.
    std::wstring GetLabel() const;
    // The name's extension when it has one, else the format's name.
    std::wstring GetFormatKey() const;
    // The page to open first by the built-in rules for the key, else the node's own.
    int GetBuiltInViewTab() const;
    int GetCodePage() const;

    // Adds ErrorRow(message).
    void AddErrorLine(std::wstring_view message);

    // Subtrees read from the node's own bytes (shell item list, drop list).
    void ExpandShellIDList(CCBDataCreateContext& context);
    void ExpandDropFiles(CCBDataCreateContext& context);

    FORMATETC m_fmt;
    DWORD m_tymedActual = 0;
    std::wstring m_strType;
    std::wstring m_strName;
    std::wstring m_strDisplayName;
    int m_nIcon = kIconData;
    CStringArray m_arrInfo;
    uint64_t m_nSize = 0;
    std::wstring m_strTempFile;
    std::unique_ptr<CCBDataArray> m_pChildren;
    int m_bPending = 0;
    CComPtr<IShellFolder> m_pPendingFolder;
    CComPtr<IStorage> m_pPendingStorage;
    int m_nDefaultTab = kTabHex;
    int m_nCodePage = kCodePageNone;
    // What the checks found, made once the snapshot is whole.
    FindingList m_findings;
    // The check the bytes went through as they were copied, until it is finished.
    std::unique_ptr<CFormatCheck> m_pCheck;
};

// Rows are written in the interface's language but recognised in either,
// since a snapshot file keeps the rows of the language it was taken in.
// An error row: its key, then the message.
std::wstring ErrorRow(std::wstring_view message);
bool IsErrorRow(std::wstring_view row);
// A top-level format's row saying how long fetching and copying it took.
bool IsFetchTimeRow(std::wstring_view row);
