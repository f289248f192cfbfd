#include "RemoteControls.h"

#include <algorithm>

namespace {
constexpr int kTextChars = 1024;

void CutAtNul(std::wstring& text)
{
    text.resize(std::min(text.find(L'\0'), text.size()));
}
}  // namespace

CRemoteMemory::CRemoteMemory(HWND owner, size_t size)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(owner, &processId);
    m_process.Attach(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (m_process)
        m_address = static_cast<BYTE*>(
            ::VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
}

CRemoteMemory::~CRemoteMemory()
{
    if (m_address)
        ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
}

bool CRemoteMemory::Write(size_t offset, const void* data, size_t size)
{
    SIZE_T done = 0;
    return ::WriteProcessMemory(m_process, m_address + offset, data, size, &done) && done == size;
}

bool CRemoteMemory::Read(size_t offset, void* data, size_t size) const
{
    SIZE_T done = 0;
    return ::ReadProcessMemory(m_process, m_address + offset, data, size, &done) && done == size;
}

namespace {

// The item record first, its text buffer right after it.
bool ReadTreeItem(HWND tree, CRemoteMemory& memory, HTREEITEM handle, CRemoteTreeItem& item)
{
    TVITEMW request{};
    request.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_STATE;
    request.hItem = handle;
    request.stateMask = TVIS_EXPANDED | TVIS_OVERLAYMASK;
    request.pszText = reinterpret_cast<wchar_t*>(memory.Address() + sizeof(TVITEMW));
    request.cchTextMax = kTextChars;
    if (!memory.Write(0, &request, sizeof(request)) ||
        !::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory.Address())))
        return false;
    TVITEMW answer{};
    std::wstring text(kTextChars, L'\0');
    if (!memory.Read(0, &answer, sizeof(answer)) ||
        !memory.Read(sizeof(TVITEMW), text.data(), kTextChars * sizeof(wchar_t)))
        return false;
    CutAtNul(text);
    item.handle = handle;
    item.text = text;
    item.image = answer.iImage;
    item.expanded = (answer.state & TVIS_EXPANDED) != 0;
    item.overlay = (answer.state & TVIS_OVERLAYMASK) >> 8;
    return true;
}

std::vector<CRemoteTreeItem> ReadSiblings(HWND tree, CRemoteMemory& memory, HTREEITEM first)
{
    std::vector<CRemoteTreeItem> items;
    for (HTREEITEM handle = first; handle; handle = TreeView_GetNextSibling(tree, handle)) {
        CRemoteTreeItem item;
        if (!ReadTreeItem(tree, memory, handle, item))
            break;
        // Subtrees are filled when first expanded: open and close it again,
        // as a reader of the screen does.
        if (!item.expanded) {
            TreeView_Expand(tree, handle, TVE_EXPAND);
            TreeView_Expand(tree, handle, TVE_COLLAPSE);
        }
        item.children = ReadSiblings(tree, memory, TreeView_GetChild(tree, handle));
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace

std::vector<CRemoteTreeItem> ReadRemoteTree(HWND tree)
{
    CRemoteMemory memory(tree, sizeof(TVITEMW) + kTextChars * sizeof(wchar_t));
    if (!memory.IsValid())
        return {};
    return ReadSiblings(tree, memory, TreeView_GetRoot(tree));
}

std::vector<std::vector<std::wstring>> ReadRemoteListRows(HWND list, int columns)
{
    CRemoteMemory memory(list, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    std::vector<std::vector<std::wstring>> rows;
    if (!memory.IsValid())
        return rows;
    const int count = ListView_GetItemCount(list);
    for (int row = 0; row < count; ++row) {
        std::vector<std::wstring> texts;
        for (int column = 0; column < columns; ++column) {
            LVITEMW request{};
            request.iSubItem = column;
            request.pszText = reinterpret_cast<wchar_t*>(memory.Address() + sizeof(LVITEMW));
            request.cchTextMax = kTextChars;
            std::wstring text(kTextChars, L'\0');
            if (!memory.Write(0, &request, sizeof(request)))
                return rows;
            ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory.Address()));
            if (!memory.Read(sizeof(LVITEMW), text.data(), kTextChars * sizeof(wchar_t)))
                return rows;
            CutAtNul(text);
            texts.push_back(text);
        }
        rows.push_back(std::move(texts));
    }
    return rows;
}

std::vector<std::wstring> ReadRemoteTabTexts(HWND tabs)
{
    CRemoteMemory memory(tabs, sizeof(TCITEMW) + kTextChars * sizeof(wchar_t));
    std::vector<std::wstring> texts;
    if (!memory.IsValid())
        return texts;
    const int count = TabCtrl_GetItemCount(tabs);
    for (int tab = 0; tab < count; ++tab) {
        TCITEMW request{};
        request.mask = TCIF_TEXT;
        request.pszText = reinterpret_cast<wchar_t*>(memory.Address() + sizeof(TCITEMW));
        request.cchTextMax = kTextChars;
        std::wstring text(kTextChars, L'\0');
        if (!memory.Write(0, &request, sizeof(request)) ||
            !::SendMessageW(tabs, TCM_GETITEMW, tab, reinterpret_cast<LPARAM>(memory.Address())) ||
            !memory.Read(sizeof(TCITEMW), text.data(), kTextChars * sizeof(wchar_t)))
            return texts;
        CutAtNul(text);
        texts.push_back(text);
    }
    return texts;
}
