// libFuzzer harness over every byte-layout reader, checking that whatever a
// reader accepts lies inside the input. Not part of the build; run with:
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
//       tests/fuzz/LayoutFuzz.cpp portable/*.cpp -o layout_fuzz && ./layout_fuzz
#include "portable/DibLayout.h"
#include "portable/DragImageLayout.h"
#include "portable/DropFilesLayout.h"
#include "portable/FileGroupLayout.h"
#include "portable/HexLayout.h"
#include "portable/ShellIdListLayout.h"

#include <cstdlib>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckDib(ByteSpan bytes)
{
    auto dib = ReadDibLayout(bytes);
    if (!dib)
        return;
    Require(dib->headerSize >= 40 && dib->width > 0 && dib->height != 0 && dib->height != INT32_MIN);
    Require(dib->bitsOffset == dib->headerSize + 4 * dib->colorCount);
    Require(dib->bitsSize > 0 && Fits(bytes, dib->bitsOffset, dib->bitsSize));
}

void CheckDragImage(ByteSpan bytes)
{
    auto image = ReadDragImageLayout(bytes);
    if (!image)
        return;
    const uint64_t rowSize = 4 * static_cast<uint64_t>(image->width);
    Require(image->width > 0 && image->height > 0 && image->stride == -static_cast<int64_t>(rowSize));
    Require(Fits(bytes, image->headerSize, rowSize * static_cast<uint64_t>(image->height)));
    Require(image->scan0Offset + rowSize == image->headerSize + rowSize * static_cast<uint64_t>(image->height));
}

void CheckIdList(ByteSpan bytes, const std::optional<IdListSpan>& list)
{
    if (!list)
        return;
    Require(list->size >= 2 && Fits(bytes, list->offset, list->size));
    Require(ReadU16(bytes, list->offset + list->size - 2) == 0);
}

void CheckShellIdList(ByteSpan bytes)
{
    auto layout = ReadShellIdListLayout(bytes);
    if (!layout)
        return;
    Require(Fits(bytes, 4, 4 * (layout->items.size() + 1)));
    CheckIdList(bytes, layout->parent);
    for (const auto& item : layout->items)
        CheckIdList(bytes, item);
}

void CheckDropFiles(ByteSpan bytes)
{
    auto list = ReadDropFiles(bytes);
    if (!list)
        return;
    uint64_t units = 0;
    std::visit([&](const auto& paths) {
        for (const auto& path : paths)
            units += (path.size() + 1) * sizeof(path[0]);
    }, list->paths);
    Require(units + 20 <= bytes.size());
}

template <class Char>
void CheckFileGroup(ByteSpan bytes, const FileGroup<Char>& group, uint64_t recordSize)
{
    Require(4 + group.files.size() * recordSize <= bytes.size() || group.files.empty());
    for (const auto& file : group.files)
        Require(file.name.size() <= 260);
}

// The input picks a size, a width and two positions; the selection must stay
// inside the data and each line's text must have the length the layout gives.
void CheckHexLayout(ByteSpan bytes)
{
    const auto size = ReadLE<uint64_t>(bytes, 0);
    if (!size || bytes.size() < 21)
        return;
    const int widths[] = {16, 32, 64};
    const CHexLayout layout(*size, widths[bytes[8] % 3]);
    const int64_t lines = layout.Lines();
    const auto pos = [&](uint64_t offset) {
        const int64_t line = lines ? static_cast<int64_t>(*ReadLE<uint32_t>(bytes, offset) % (lines + 1)) : 0;
        return HexPos{line, static_cast<int>(bytes[offset + 4] % (layout.LineLength(line) + 1))};
    };
    const HexPos a = pos(9);
    const HexPos b = pos(15);
    const HexByteRange range = layout.SelectedBytes(std::min(a, b), std::max(a, b));
    Require(range.start <= *size && range.end <= *size);
    std::wstring text;
    layout.FormatLine(a.line, bytes.subspan(0, std::min<size_t>(bytes.size(), layout.BytesOnLine(a.line))), text);
    Require(text.size() == static_cast<size_t>(layout.LineLength(a.line)));
    if (a.line == b.line && a < b)
        Require(layout.SelectionTextLength(a, b) == static_cast<uint64_t>(b.col - a.col));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ByteSpan bytes(data, size);
    CheckDib(bytes);
    CheckDragImage(bytes);
    CheckShellIdList(bytes);
    CheckDropFiles(bytes);
    CheckFileGroup(bytes, ReadFileGroupW(bytes), 592);
    CheckFileGroup(bytes, ReadFileGroupA(bytes), 332);
    CheckHexLayout(bytes);
    return 0;
}
