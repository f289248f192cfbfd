// The hex dump as text: each line's offset, hex bytes and characters, the
// mapping of a text selection to the bytes it covers, and the word moves of
// the dump's caret. Plain arithmetic over sizes and byte spans.
#pragma once

#include <compare>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// A caret or selection end: a line of the dump and a column of its text.
struct HexPos {
    int64_t line = 0;
    int col = 0;
    auto operator<=>(const HexPos&) const = default;
};

// Half-open range of byte offsets; empty unless end > start.
struct HexByteRange {
    uint64_t start = 0;
    uint64_t end = 0;
    bool Empty() const { return end <= start; }
    uint64_t Length() const { return Empty() ? 0 : end - start; }
};

class CHexLayout {
public:
    CHexLayout(uint64_t size, int bytesPerLine) : m_nSize(size), m_nBytesPerLine(bytesPerLine) {}

    // ceil(size / bytes per line), without overflowing near 2^64.
    int64_t Lines() const;
    // 4 up to 0xFFFF bytes, 8 up to 0xFFFFFFFF, otherwise 16: from the size, not the last offset.
    int OffsetDigits() const;
    // The first column of the hex bytes and of the characters.
    int HexColumn() const { return OffsetDigits() + 2; }
    int CharColumn() const { return OffsetDigits() + 3 * m_nBytesPerLine + 3; }
    uint64_t LineOffset(int64_t line) const { return static_cast<uint64_t>(line) * m_nBytesPerLine; }
    // Bytes shown on the line; 0 outside the data.
    int BytesOnLine(int64_t line) const;
    // Characters of the line's text; 0 outside the data.
    int LineLength(int64_t line) const;
    // The widest line, which sets the horizontal range.
    int WidestLine() const;

    // The text of `line` into `out`; `bytes` are those read for it, and the
    // line's bytes past them are shown as absent ("--" and a blank).
    void FormatLine(int64_t line, std::span<const uint8_t> bytes, std::wstring& out) const;

    // The bytes whose hex digits the text selection [start, end) touches.
    HexByteRange SelectedBytes(HexPos start, HexPos end) const;
    // Characters of the selection's text with CR LF after each line it
    // leaves; saturates at UINT64_MAX rather than overflow.
    uint64_t SelectionTextLength(HexPos start, HexPos end) const;

private:
    int ByteIndex(int col, bool isEnd) const;

    uint64_t m_nSize;
    int m_nBytesPerLine;
};

// Word moves over a line's text; the blank and "." separate words.
int HexWordLeft(std::wstring_view text, int col);
int HexWordRight(std::wstring_view text, int col);
// Where the word under `col` starts: `col` itself when a word begins there,
// otherwise the word-left position.
int HexWordStart(std::wstring_view text, int col);
