// Reads the standard controls of another process the way UI-automation tools
// do: the control writes into memory allocated inside its own process.
#pragma once

#include "framework/Handles.h"

#include <commctrl.h>

#include <string>
#include <vector>

// A block of memory inside the process that owns a window.
class CRemoteMemory {
public:
    CRemoteMemory(HWND owner, size_t size);
    ~CRemoteMemory();
    CRemoteMemory(const CRemoteMemory&) = delete;
    CRemoteMemory& operator=(const CRemoteMemory&) = delete;

    bool IsValid() const { return m_address != nullptr; }
    // The block's address as the other process sees it.
    BYTE* Address() const { return m_address; }
    bool Write(size_t offset, const void* data, size_t size);
    bool Read(size_t offset, void* data, size_t size) const;

private:
    CHandle m_process;
    BYTE* m_address = nullptr;
};

struct CRemoteTreeItem {
    HTREEITEM handle = nullptr;
    std::wstring text;
    int image = -1;
    bool expanded = false;
    UINT overlay = 0;  // the index of the overlay image, 0 for none
    std::vector<CRemoteTreeItem> children;
};

// Every item of the tree control `tree`, nested as shown.
std::vector<CRemoteTreeItem> ReadRemoteTree(HWND tree);

// The texts of every row of the report-view list control `list`, `columns` per row.
std::vector<std::vector<std::wstring>> ReadRemoteListRows(HWND list, int columns);
// The texts of the tabs of tab control `tabs`, in order.
std::vector<std::wstring> ReadRemoteTabTexts(HWND tabs);
