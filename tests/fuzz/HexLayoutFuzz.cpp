// The hex dump: the input picks the data size, the bytes per line and two
// caret positions as the control clamps them; the rest is the line's bytes.
// Lines cover the size exactly, a line's text has the length the layout
// gives, selections stay inside the data, and word moves stay on the line.
#include "FuzzSupport.h"
#include "portable/HexLayout.h"

#include <algorithm>

namespace {

constexpr size_t kHeaderSize = 8 + 1 + 2 * 5;

HexPos PickPos(const CHexLayout& layout, ByteSpan bytes, uint64_t offset)
{
    const int64_t lines = layout.Lines();
    const uint64_t choice = *ReadU32(bytes, offset);
    // Mostly near the start or the end, where short lines and large offsets are.
    const int64_t line = lines == 0 ? 0 : (choice & 1) ? lines - 1 - static_cast<int64_t>((choice >> 1) % lines)
                                                      : static_cast<int64_t>((choice >> 1) % lines);
    return {line, bytes[offset + 4] % (layout.LineLength(line) + 1)};
}

// The selection's text counted line by line, for spans short enough to walk.
uint64_t WalkedTextLength(const CHexLayout& layout, HexPos start, HexPos end)
{
    uint64_t total = 0;
    for (int64_t line = start.line; line <= end.line; ++line) {
        const int from = line == start.line ? start.col : 0;
        const int to = line == end.line ? end.col : layout.LineLength(line);
        total += to - from + (line < end.line ? 2 : 0);
    }
    return total;
}

void CheckWordMoves(const std::wstring& text, int col)
{
    const int length = static_cast<int>(text.size());
    const int left = HexWordLeft(text, col);
    const int right = HexWordRight(text, col);
    const int start = HexWordStart(text, col);
    Require(left >= 0 && (col == 0 ? left == 0 : left < col));
    Require(right >= col && right <= length && (col == length || right > col));
    Require(start >= 0 && start <= col);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ByteSpan bytes(data, size);
    if (size < kHeaderSize)
        return 0;
    const int widths[] = {16, 32, 64};
    const uint64_t dataSize = *ReadU64(bytes, 0);
    const int bytesPerLine = widths[bytes[8] % 3];
    const CHexLayout layout(dataSize, bytesPerLine);
    const ByteSpan lineBytes = bytes.subspan(kHeaderSize);

    const int64_t lines = layout.Lines();
    const unsigned __int128 covered = static_cast<unsigned __int128>(lines) * bytesPerLine;
    Require(lines >= 0 && covered >= dataSize && covered - dataSize < bytesPerLine);
    Require(layout.WidestLine() <= layout.CharColumn() + bytesPerLine);

    const HexPos a = PickPos(layout, bytes, 9);
    const HexPos b = PickPos(layout, bytes, 14);
    const HexPos start = std::min(a, b);
    const HexPos end = std::max(a, b);
    const HexByteRange range = layout.SelectedBytes(start, end);
    Require(range.start <= range.end && range.end <= dataSize);
    const uint64_t textLength = layout.SelectionTextLength(start, end);
    if (end.line - start.line < 4)
        Require(textLength == WalkedTextLength(layout, start, end));
    else
        Require(textLength >= 2 * static_cast<uint64_t>(end.line - start.line));

    std::wstring text;
    layout.FormatLine(a.line, lineBytes, text);
    Require(text.size() == static_cast<size_t>(layout.LineLength(a.line)));
    Require(static_cast<int>(text.size()) <= layout.WidestLine());
    if (!text.empty()) {
        const int digits = layout.OffsetDigits();
        const uint64_t shown = std::stoull(std::wstring(text, 0, digits), nullptr, 16);
        Require(digits == 16 || shown == layout.LineOffset(a.line) % (uint64_t{1} << (4 * digits)));
        Require(digits < 16 || shown == layout.LineOffset(a.line));
    }
    CheckWordMoves(text, a.col);
    return 0;
}
