// The rows of the property page, each a name, a tab and a value.
#pragma once

#include "capture/CBData.h"
#include "capture/ClipboardOwner.h"
#include "capture/SnapshotFile.h"

#include <string>
#include <string_view>

// A row as the list shows it: the text before the first tab, and the rest.
struct COLDATA {
    std::wstring strName;
    std::wstring strValue;
};

// A row without a tab is all name.
COLDATA SplitRow(const std::wstring& row);

// The row of text `name`, in the interface's language, and `value`.
std::wstring MakeRow(UINT name, std::wstring_view value);

// The node's format description, size, labels, then its information lines.
void GetNodeRows(const CCBData& node, CStringArray& rows);

// The offered formats: the first row named as the format rows are, the
// others unnamed.
void GetFormatListRows(const CStringArray& names, CStringArray& rows);

// The window that owns the clipboard and its process, or one row saying
// there is none.
void GetClipboardOwnerRows(const CClipboardOwner& owner, CStringArray& rows);

// The root's rows: who put a paste's data on the clipboard, where and when
// the snapshot came from, whether it was taken against its source's wish,
// how many findings of each severity its `nodes` have, and the formats offered.
void GetSnapshotRows(const CSnapshotInfo& info, CStringArray& rows, const CCBDataArray* nodes = nullptr);
