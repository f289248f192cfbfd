// The hex dump's commands: copy as text and as "BinaryData", export of the
// selected bytes to a file, select all, find, and when each is available.
#include "viewers/HexViewCtrl.h"

#include "framework/Clipboard.h"
#include "framework/FileDialogs.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "res/strings/viewers.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr UINT kBlockFlags = GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE;
constexpr uint32_t kExportChunk = 1 << 20;
// Text beyond this (512 MiB of UTF-16, some 7 million dump lines) is refused
// before anything is allocated: the dump of 4 GiB would be about 17 GiB.
constexpr uint64_t kMaxCopyChars = 256ull << 20;
// What the 32-bit count of "BinaryData" can say.
constexpr uint64_t kMaxBinaryBytes = 0xFFFFFFFF;

}

bool CHexViewCtrl::IsCommandEnabled(UINT command) const
{
    switch (command) {
    case ID_EDIT_COPY:
        return GetSelStart() != GetSelEnd();
    case ID_EXPORT_SELECTION:
        return !GetSelectedByteRange().Empty();
    case ID_EDIT_SELECT_ALL:
        return m_nLines != 0;
    case ID_HEX_FIND:
        return m_nDataSize != 0;
    case ID_HEX_FIND_NEXT:
    case ID_HEX_FIND_PREVIOUS:
        return m_nDataSize != 0 && !m_findPatterns.empty();
    }
    return false;
}

bool CHexViewCtrl::OnCmdMsg(UINT nID)
{
    switch (nID) {
    case ID_EDIT_COPY:
        Copy();
        return true;
    case ID_EXPORT_SELECTION:
        Export();
        return true;
    case ID_EDIT_SELECT_ALL:
        SelectAll();
        return true;
    case ID_HEX_FIND:
        OpenFind();
        return true;
    case ID_HEX_FIND_NEXT:
    case ID_HEX_FIND_PREVIOUS:
        FindAgain(nID == ID_HEX_FIND_NEXT);
        return true;
    }
    return CWnd::OnCmdMsg(nID);
}

void CHexViewCtrl::SelectAll()
{
    MoveCaret(0, 0, false);
    MoveCaret(m_nLines, 0, true);
}

void CHexViewCtrl::Copy()
{
    if (GetSelStart() == GetSelEnd())
        return;
    // Text too long to copy still leaves the bytes, unless there are more
    // of them than "BinaryData" can count either.
    const bool textFits = Layout().SelectionTextLength(GetSelStart(), GetSelEnd()) <= kMaxCopyChars;
    if (!textFits && GetSelectedByteRange().Length() > kMaxBinaryBytes) {
        AfxMessageBox(IDS_HEX_TOO_LARGE);
        return;
    }
    bool bytesFailed = false;
    bool shortRead = false;
    CGlobalHandle bytes = MakeByteBlock(bytesFailed, shortRead);
    CGlobalHandle text = textFits ? MakeTextBlock(shortRead) : CGlobalHandle();
    const bool textFailed = textFits && !text;
    bool bytesCopied = false;
    if (const CClipboard clipboard(m_hWnd); clipboard) {
        ::EmptyClipboard();
        static const UINT binaryData = ::RegisterClipboardFormatW(L"BinaryData");
        // A block the clipboard accepts is the clipboard's.
        if (bytes && ::SetClipboardData(binaryData, bytes)) {
            bytes.Detach();
            bytesCopied = true;
        }
        if (text && ::SetClipboardData(CF_UNICODETEXT, text))
            text.Detach();
    } else {
        AfxMessageBox(IDS_HEX_NO_CLIPBOARD);
    }
    if (!textFits && bytesCopied)
        AfxMessageBox(IDS_HEX_TEXT_TOO_LARGE);
    if (bytesFailed || textFailed)
        AfxMessageBox(IDS_VIEWER_NO_MEMORY);
    if (shortRead)
        AfxMessageBox(IDS_HEX_UNREADABLE);
}

CGlobalHandle CHexViewCtrl::MakeByteBlock(bool& failed, bool& shortRead)
{
    const HexByteRange range = GetSelectedByteRange();
    if (range.Empty())
        return {};
    if (range.Length() > kMaxBinaryBytes) {
        failed = true;
        return {};
    }
    const auto count = static_cast<uint32_t>(range.Length());
    CGlobalHandle block(::GlobalAlloc(kBlockFlags, SIZE_T{count} + 4));
    uint32_t got = 0;
    {
        const CGlobalLock lock(block);
        if (!lock) {
            failed = true;
            return {};
        }
        auto* p = static_cast<uint8_t*>(lock.Get());
        got = Read(range.start, count, p + 4);
        // The count is little-endian whatever the machine's order.
        for (int i = 0; i < 4; ++i)
            p[i] = static_cast<uint8_t>(got >> (8 * i));
    }
    if (got < count) {
        // Only what was read goes to the clipboard; nothing read, no block.
        shortRead = true;
        if (got == 0)
            return {};
        if (HGLOBAL smaller = ::GlobalReAlloc(block, SIZE_T{got} + 4, GMEM_MOVEABLE)) {
            block.Detach();
            block.Attach(smaller);
        }
    }
    return block;
}

CGlobalHandle CHexViewCtrl::MakeTextBlock(bool& shortRead)
{
    const HexPos start = GetSelStart();
    const HexPos end = GetSelEnd();
    const uint64_t chars = Layout().SelectionTextLength(start, end);
    CGlobalHandle block(::GlobalAlloc(kBlockFlags, (chars + 1) * sizeof(wchar_t)));
    const CGlobalLock lock(block);
    if (!lock)
        return {};
    wchar_t* const first = static_cast<wchar_t*>(lock.Get());
    wchar_t* const limit = first + chars;
    wchar_t* out = first;
    for (int64_t line = start.line; line <= end.line; ++line) {
        if (!FormatLine(line, m_strLine))
            shortRead = true;
        const int from = line == start.line ? start.col : 0;
        const int to = line == end.line ? end.col : static_cast<int>(m_strLine.size());
        const size_t count = std::min<size_t>(std::max(0, to - from), limit - out);
        std::memcpy(out, m_strLine.c_str() + from, count * sizeof(wchar_t));
        out += count;
        if (line != end.line && limit - out >= 2) {
            *out++ = L'\r';
            *out++ = L'\n';
        }
    }
    *out = L'\0';
    return block;
}

void CHexViewCtrl::Export()
{
    const HexByteRange range = GetSelectedByteRange();
    if (range.Empty())
        return;
    const std::wstring path = ChooseExportPath();
    if (path.empty())
        return;
    const CFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        AfxMessageBox(IDS_HEX_CANNOT_WRITE);
        return;
    }
    const auto buffer = std::make_unique<uint8_t[]>(kExportChunk);
    for (uint64_t offset = range.start; offset < range.end;) {
        const auto chunk = static_cast<uint32_t>(std::min<uint64_t>(range.end - offset, kExportChunk));
        const uint32_t got = Read(offset, chunk, buffer.get());
        DWORD written = 0;
        if (got && (!::WriteFile(file, buffer.get(), got, &written, nullptr) || written != got)) {
            AfxMessageBox(IDS_HEX_CANNOT_WRITE);
            return;
        }
        if (got < chunk) {
            // The file keeps what could be read, and nothing else.
            AfxMessageBox(IDS_HEX_UNREADABLE);
            return;
        }
        offset += chunk;
    }
}

std::wstring CHexViewCtrl::ChooseExportPath()
{
    return ShowFileSaveDialog(::GetAncestor(m_hWnd, GA_ROOT));
}
