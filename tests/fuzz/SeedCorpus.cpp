// Writes the fuzz targets' seed corpora: the layouts the Windows sources and
// the tests hand over, built field by field. Run from the build after a change:
//   build/fuzz/tests/fuzz/SeedCorpus tests/fuzz/corpus
#include "../portable/LayoutTestBytes.h"
#include "../portable/ZipTestArchive.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class CCorpus {
public:
    CCorpus(const fs::path& root, const char* target) : m_dir(root / target) { fs::create_directories(m_dir); }

    void Add(const char* name, const LeBytes& bytes) const { Add(name, bytes.Vector()); }
    void Add(const char* name, const std::vector<uint8_t>& bytes) const
    {
        std::ofstream file(m_dir / name, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

private:
    fs::path m_dir;
};

// Shift_JIS bytes of 日本語テキスト, as the Japanese ANSI code page stores them.
constexpr char kShiftJisText[] = "\x93\xfa\x96\x7b\x8c\xea\x83\x65\x83\x4c\x83\x58\x83\x67";

// A BITMAPINFOHEADER (or the start of a larger one) for `bitCount` pixels.
LeBytes DibHeader(uint32_t headerSize, int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
                  uint32_t sizeImage = 0, uint32_t colorsUsed = 0)
{
    LeBytes bytes;
    bytes.U32(headerSize).I32(width).I32(height).U16(1).U16(bitCount).U32(compression).U32(sizeImage);
    bytes.I32(3780).I32(3780).U32(colorsUsed).U32(0);
    return bytes;
}

// The rest of a V4 or V5 header after the first 40 bytes, with byte masks.
LeBytes ColorSpaceFields(LeBytes bytes, uint32_t headerSize, uint32_t alphaMask)
{
    bytes.U32(0x00FF0000).U32(0x0000FF00).U32(0x000000FF).U32(alphaMask).U32(0x73524742);  // 'sRGB'
    bytes.Zeros(36 + 12);
    if (headerSize == 124)
        bytes.U32(4).U32(0).U32(0).U32(0);  // LCS_GM_IMAGES, no profile
    return bytes;
}

LeBytes Palette(LeBytes bytes, int count)
{
    for (int i = 0; i < count; ++i)
        bytes.U8(static_cast<uint8_t>(i * 37)).U8(static_cast<uint8_t>(i * 11)).U8(static_cast<uint8_t>(255 - i)).U8(0);
    return bytes;
}

LeBytes Pixels(LeBytes bytes, size_t count, uint8_t step)
{
    for (size_t i = 0; i < count; ++i)
        bytes.U8(static_cast<uint8_t>(i * step));
    return bytes;
}

void WriteDibs(const fs::path& root)
{
    const CCorpus corpus(root, "DibLayoutFuzz");
    LeBytes mono = DibHeader(40, 9, 2, 1, 0);
    corpus.Add("1bpp.bin", Pixels(Palette(mono, 2), 8, 0x55));
    LeBytes sixteen = DibHeader(40, 3, 2, 4, 0);
    corpus.Add("4bpp.bin", Pixels(Palette(sixteen, 16), 8, 0x13));
    LeBytes few = DibHeader(40, 4, 2, 4, 0, 0, 3);
    corpus.Add("4bpp-3-colours.bin", Pixels(Palette(few, 3), 8, 0x12));
    LeBytes full = DibHeader(40, 4, -3, 8, 0);
    corpus.Add("8bpp-top-down.bin", Pixels(Palette(full, 256), 12, 7));
    LeBytes used = DibHeader(40, 5, 2, 8, 0, 0, 10);
    corpus.Add("8bpp-10-colours.bin", Pixels(Palette(used, 10), 16, 3));
    corpus.Add("16bpp.bin", Pixels(DibHeader(40, 3, 2, 16, 0), 16, 29));
    LeBytes rgb565 = DibHeader(40, 2, 2, 16, 3);
    rgb565.U32(0xF800).U32(0x07E0).U32(0x001F);
    corpus.Add("16bpp-565-masks.bin", Pixels(rgb565, 8, 41));
    corpus.Add("24bpp.bin", Pixels(DibHeader(40, 3, 3, 24, 0), 36, 17));
    corpus.Add("32bpp.bin", Pixels(DibHeader(40, 2, 2, 32, 0), 16, 9));
    LeBytes masks = DibHeader(40, 2, 2, 32, 3);
    masks.U32(0x00FF0000).U32(0x0000FF00).U32(0x000000FF);
    corpus.Add("32bpp-masks.bin", Pixels(masks, 16, 15));
    LeBytes alphaMasks = DibHeader(40, 2, 1, 32, 6);
    alphaMasks.U32(0x00FF0000).U32(0x0000FF00).U32(0x000000FF).U32(0xFF000000);
    corpus.Add("32bpp-alpha-masks.bin", Pixels(alphaMasks, 8, 0x40));
    // BI_BITFIELDS repeats the masks after a V4 or V5 header, as Windows writes it.
    LeBytes v4 = ColorSpaceFields(DibHeader(108, 2, 2, 32, 3), 108, 0);
    corpus.Add("v4-32bpp.bin", Pixels(v4.U32(0x00FF0000).U32(0x0000FF00).U32(0x000000FF), 16, 21));
    LeBytes v5 = ColorSpaceFields(DibHeader(124, 3, 2, 32, 3), 124, 0xFF000000);
    corpus.Add("v5-32bpp-alpha.bin", Pixels(v5.U32(0x00FF0000).U32(0x0000FF00).U32(0x000000FF), 24, 0x21));
    LeBytes v5Paletted = DibHeader(124, 4, 1, 8, 0, 0, 4);
    corpus.Add("v5-8bpp.bin", Pixels(Palette(ColorSpaceFields(v5Paletted, 124, 0), 4), 4, 1));
    LeBytes rle = DibHeader(40, 4, 2, 8, 1, 8, 2);
    rle.U32(0).U32(0x00FFFFFF);
    corpus.Add("8bpp-rle.bin", rle.U8(4).U8(1).U8(0).U8(0).U8(4).U8(0).U8(0).U8(1));
    LeBytes png = DibHeader(40, 1, 1, 0, 5, 8);
    corpus.Add("png-compression.bin", png.U8(0x89).Ansi("PNG\r\n").U8(0x1A).U8('\n'));
}

// SHDRAGIMAGE: sizeDragImage, ptOffset, hbmpDragImage, crColorKey, then the pixels.
void WriteDragImages(const fs::path& root)
{
    const CCorpus corpus(root, "DragImageLayoutFuzz");
    LeBytes wide = LeBytes{}.I32(3).I32(2).I32(1).I32(1).U64(0x1234).U32(0xFFFFFFFF).U32(0);
    corpus.Add("64-bit-header.bin", Pixels(wide, 24, 0x0B));
    LeBytes narrow = LeBytes{}.I32(2).I32(2).I32(0).I32(0).U32(0x5678).U32(0xFFFFFFFF);
    corpus.Add("32-bit-header.bin", Pixels(narrow, 16, 0x10));
    LeBytes single = LeBytes{}.I32(1).I32(1).I32(0).I32(0).U64(0).U32(0).U32(0);
    corpus.Add("one-pixel.bin", single.U32(0x80402010));
}

// FILEGROUPDESCRIPTOR: the count, then records of flags, clsid, sizel, pointl,
// attributes, three FILETIMEs, the size and cFileName.
template <class Char>
LeBytes& FileRecord(LeBytes& bytes, std::basic_string_view<Char> name, uint32_t attributes, uint32_t sizeLow)
{
    bytes.U32(0x4000 | 0x40 | 0x20 | 0x4).Zeros(16 + 8 + 8).U32(attributes);
    bytes.U64(0x01DA0B7C12345678).U64(0x01DA0B7C12345678).U64(0x01DA0B7C9ABCDEF0).U32(0).U32(sizeLow);
    const size_t units = std::min<size_t>(name.size(), 260);
    for (size_t i = 0; i < units; ++i) {
        if constexpr (sizeof(Char) == 2)
            bytes.U16(name[i]);
        else
            bytes.U8(static_cast<uint8_t>(name[i]));
    }
    return bytes.Zeros((260 - units) * sizeof(Char));
}

void WriteFileGroups(const fs::path& root)
{
    const CCorpus corpus(root, "FileGroupLayoutFuzz");
    LeBytes wide = LeBytes{}.U32(2);
    FileRecord<char16_t>(wide, u"one.txt", 0x20, 10);
    corpus.Add("wide-two-files.bin", FileRecord<char16_t>(wide, u"二つ目.txt", 0x20, 11));
    LeBytes folder = LeBytes{}.U32(2);
    FileRecord<char16_t>(folder, u"資料", 0x10, 0);
    corpus.Add("wide-folder.bin", FileRecord<char16_t>(folder, u"資料\\報告.txt", 0x20, 4096));
    LeBytes longName = LeBytes{}.U32(1);
    corpus.Add("wide-260-units.bin", FileRecord<char16_t>(longName, std::u16string(300, u'x'), 0x80, 1));
    LeBytes ansi = LeBytes{}.U32(2);
    FileRecord<char>(ansi, "readme.txt", 0x20, 5);
    corpus.Add("ansi-two-files.bin", FileRecord<char>(ansi, kShiftJisText, 0x20, 14));
    LeBytes shortOfCount = LeBytes{}.U32(3);
    corpus.Add("ansi-count-past-records.bin", FileRecord<char>(shortOfCount, "a.bin", 0, 1));
    corpus.Add("no-files.bin", LeBytes{}.U32(0));
}

// One SHITEMID: its length, the type byte, then the rest of the item.
LeBytes& ItemId(LeBytes& list, uint8_t type, const LeBytes& rest)
{
    list.U16(static_cast<uint16_t>(3 + rest.Size())).U8(type);
    for (uint8_t b : rest.Vector())
        list.U8(b);
    return list;
}

// A file item as a file system folder gives it: size, DOS date and time,
// attributes, the short name.
LeBytes FileItem(uint32_t size, std::string_view shortName)
{
    return LeBytes{}.U8(0).U32(size).U16(0x5A21).U16(0x6000).U16(0x20).Ansi(shortName).U8(0);
}

// CIDA: the count, count + 1 offsets, `padding` bytes, then the lists (each
// ended by its zero terminator), the parent's first.
LeBytes Cida(const std::vector<LeBytes>& lists, size_t padding)
{
    LeBytes cida;
    cida.U32(static_cast<uint32_t>(lists.size() - 1)).Zeros(4 * lists.size() + padding);
    for (size_t i = 0; i < lists.size(); ++i) {
        cida.SetU32(4 + 4 * i, static_cast<uint32_t>(cida.Size()));
        for (uint8_t b : lists[i].Vector())
            cida.U8(b);
        cida.U16(0);
    }
    return cida;
}

void WriteShellIdLists(const fs::path& root)
{
    const CCorpus corpus(root, "ShellIdListLayoutFuzz");
    LeBytes computer;  // the root item of My Computer: its CLSID
    ItemId(computer, 0x1F, LeBytes{}.U8(0x50).U32(0x20D04FE0).U16(0x3AEA).U16(0x1069).U32(0x0008D8A2).U32(0x9D30302B));
    LeBytes fileA, fileB, drive;
    ItemId(fileA, 0x32, FileItem(1234, "A.TXT"));
    ItemId(fileB, 0x32, FileItem(99, "BB.DOC"));
    ItemId(drive, 0x2F, LeBytes{}.Ansi("C:\\").Zeros(19));
    corpus.Add("desktop-two-files.bin", Cida({LeBytes{}, fileA, fileB}, 0));
    LeBytes driveFile = drive;
    ItemId(driveFile, 0x32, FileItem(7, "C.BIN"));
    corpus.Add("computer-unaligned.bin", Cida({computer, drive, driveFile}, 1));
    corpus.Add("no-items.bin", Cida({LeBytes{}}, 0));
    corpus.Add("offset-outside.bin", LeBytes{}.U32(1).U32(12).U32(400).U16(0));
}

// DROPFILES: pFiles, pt, fNC, fWide, then the paths and an empty one.
void WriteDropLists(const fs::path& root)
{
    const CCorpus corpus(root, "DropFilesLayoutFuzz");
    LeBytes wide = LeBytes{}.U32(20).I32(10).I32(20).U32(0).U32(1);
    corpus.Add("wide.bin", wide.Utf16(u"C:\\Users\\テスト\\a.txt").U16(0).Utf16(u"C:\\b").U16(0).U16(0));
    LeBytes ansi = LeBytes{}.U32(20).I32(0).I32(0).U32(1).U32(0);
    corpus.Add("ansi.bin", ansi.Ansi("C:\\").Ansi(kShiftJisText).U8(0).Ansi("D:\\x.doc").U8(0).U8(0));
    LeBytes gap = LeBytes{}.U32(24).I32(0).I32(0).U32(0).U32(1).U32(0xDEADBEEF);
    corpus.Add("wide-after-gap.bin", gap.Utf16(u"\\\\server\\share\\f").U16(0).U16(0));
    LeBytes cut = LeBytes{}.U32(20).I32(0).I32(0).U32(0).U32(1);
    corpus.Add("wide-unterminated.bin", cut.Utf16(u"C:\\a").U16(0).Utf16(u"C:\\cut"));
}

void WriteLocales(const fs::path& root)
{
    const CCorpus corpus(root, "LocaleLayoutFuzz");
    corpus.Add("ja-JP.bin", LeBytes{}.U32(0x0411));
    corpus.Add("en-US.bin", LeBytes{}.U32(0x0409));
    corpus.Add("zh-CN-rounded-block.bin", LeBytes{}.U32(0x0804).U32(0));
    corpus.Add("short.bin", LeBytes{}.U16(0x0411).U8(0));
}

// The data size, a bytes-per-line choice, two caret positions (line choice
// and column), then the bytes of the line shown.
void WriteHexLayouts(const fs::path& root)
{
    const CCorpus corpus(root, "HexLayoutFuzz");
    const auto dump = [](uint64_t size, uint8_t width, uint32_t lineA, uint8_t colA, uint32_t lineB, uint8_t colB) {
        LeBytes bytes;
        bytes.U64(size).U8(width).U32(lineA).U8(colA).U32(lineB).U8(colB);
        return bytes.Ansi("Plexa hex\r\n").U8(0).U8(0x7F).U8(0x80).U8(0xFF).Ansi(kShiftJisText);
    };
    corpus.Add("empty.bin", dump(0, 0, 0, 0, 0, 0));
    corpus.Add("one-byte.bin", dump(1, 0, 0, 6, 0, 9));
    corpus.Add("one-line.bin", dump(16, 0, 0, 7, 0, 60));
    corpus.Add("short-last-line.bin", dump(17, 0, 0, 5, 1, 60));
    corpus.Add("32-per-line.bin", dump(100, 1, 2, 30, 7, 3));
    corpus.Add("64-per-line.bin", dump(1000, 2, 4, 90, 9, 200));
    corpus.Add("four-digit-limit.bin", dump(0xFFFF, 0, 1, 12, 2, 40));
    corpus.Add("eight-digit-offsets.bin", dump(0x10000, 0, 3, 20, 5, 70));
    corpus.Add("eight-digit-limit.bin", dump(0xFFFFFFFF, 1, 1, 12, 6, 40));
    corpus.Add("sixteen-digit-offsets.bin", dump(0x100000000, 2, 11, 40, 0, 100));
    corpus.Add("largest.bin", dump(~uint64_t{0}, 0, 1, 70, 4, 20));
}

// Stored texts as the text page meets them.
void WriteTexts(const fs::path& root, const char* target)
{
    const CCorpus corpus(root, target);
    corpus.Add("utf8-bom.bin", LeBytes{}.U8(0xEF).U8(0xBB).U8(0xBF).Ansi("日本語テキスト\r\nline 2\n").U8(0));
    corpus.Add("utf8.bin", LeBytes{}.Ansi("Plexa — クリップボード\r\n").U8(0));
    corpus.Add("shift-jis.bin", LeBytes{}.Ansi(kShiftJisText).Ansi("\r\n\xb1\xb2").U8(0));
    corpus.Add("shift-jis-cut-lead.bin", LeBytes{}.Ansi(kShiftJisText).U8(0x93));
    corpus.Add("windows-1252.bin", LeBytes{}.Ansi("caf\xe9 na\xefve\n").U8(0));
    corpus.Add("utf16le-bom.bin", LeBytes{}.U16(0xFEFF).Utf16(u"テキスト\r\nline\n").U16(0));
    corpus.Add("utf16le.bin", LeBytes{}.Utf16(u"dragged text\r").U16(0));
    LeBytes bigEndian = LeBytes{}.U8(0xFE).U8(0xFF);
    for (char16_t unit : std::u16string_view(u"日本\n"))
        bigEndian.U8(static_cast<uint8_t>(unit >> 8)).U8(static_cast<uint8_t>(unit));
    corpus.Add("utf16be-bom.bin", bigEndian.U16(0));
    corpus.Add("ascii-mixed-breaks.bin", LeBytes{}.Ansi("a\r\nb\nc\rd\r\r\n").U8(0).Ansi("after"));
}

// Decoded texts (UTF-16LE) for the line-ending report.
void WriteDecodedTexts(const fs::path& root)
{
    const CCorpus corpus(root, "TextLinesFuzz");
    corpus.Add("crlf.bin", LeBytes{}.Utf16(u"一行目\r\n二行目\r\n"));
    corpus.Add("lf.bin", LeBytes{}.Utf16(u"one\ntwo\n"));
    corpus.Add("cr.bin", LeBytes{}.Utf16(u"one\rtwo"));
    corpus.Add("mixed.bin", LeBytes{}.Utf16(u"\na\r\r\nb\r\n\rc\n"));
    corpus.Add("none.bin", LeBytes{}.Utf16(u"no break"));
}

// The CodePages setting as stored, and code pages typed into the add dialog.
void WriteSettingTexts(const fs::path& root)
{
    const CCorpus codePages(root, "CodePageListFuzz");
    codePages.Add("default.bin", LeBytes{}.Utf16(u"ISO-2022-JP=50220;EUC-JP=51932;Windows-1252=1252;"));
    codePages.Add("built-in-replaced.bin", LeBytes{}.Utf16(u" Shift_JIS = 932 ;;CP_UTF8=65001;UTF-7=65000"));
    codePages.Add("numbers-only.bin", LeBytes{}.Utf16(u"932;-1;+437;"));
    codePages.Add("odd-pieces.bin", LeBytes{}.Utf16(u"=5;name=;x=99999999999;\t;a=b=c;"));
    codePages.Add("line-breaks.bin", LeBytes{}.Utf16(u"a\r;\nb=1;c\r\nd=2;"));
    const CCorpus integers(root, "IntegerTextFuzz");
    integers.Add("plain.bin", LeBytes{}.Utf16(u"932"));
    integers.Add("blanks-and-sign.bin", LeBytes{}.Utf16(u" \t-2147483648 "));
    integers.Add("plus.bin", LeBytes{}.Utf16(u"+65001"));
    integers.Add("too-large.bin", LeBytes{}.Utf16(u"2147483648"));
    integers.Add("hex.bin", LeBytes{}.Utf16(u"0x1B5"));
    integers.Add("fullwidth.bin", LeBytes{}.Utf16(u"９３２"));
}

// "HTML Format" blocks as browsers write them, after the byte that says how
// much larger than its head the block is.
void WriteHtmlFormats(const fs::path& root)
{
    const CCorpus corpus(root, "HtmlFormatHeaderFuzz");
    const std::string body = "<html><body>\r\n<!--StartFragment--><b>\xe6\x97\xa5</b><!--EndFragment-->\r\n</body></html>";
    const auto block = [&](const char* header) { return LeBytes{}.U8(0).Ansi(header).Ansi(body.c_str()); };
    corpus.Add("whole.bin", block("Version:0.9\r\nStartHTML:0000000105\r\nEndHTML:0000000186\r\n"
                                  "StartFragment:0000000141\r\nEndFragment:0000000153\r\n"));
    corpus.Add("source-url.bin", block("Version:1.0\r\nStartHTML:-1\r\nEndHTML:-1\r\nStartFragment:000139\r\n"
                                       "EndFragment:000151\r\nSourceURL:https://example.jp/\r\n"));
    corpus.Add("out-of-order.bin", block("Version:0.9\r\nStartFragment:90\r\nEndFragment:20\r\n"));
    corpus.Add("past-the-end.bin", block("Version:0.9\r\nStartHTML:5\r\nEndHTML:99999\r\nStartFragment:x\r\n"));
    corpus.Add("head-of-larger.bin", LeBytes{}.U8(200).Ansi("Version:0.9\r\nStartFragment:0050000000\r\n"));
}

// Chunk size, start, direction, pattern length, the pattern, then the data.
void WriteByteSearches(const fs::path& root)
{
    const CCorpus corpus(root, "ByteSearchFuzz");
    corpus.Add("mz-forward.bin", LeBytes{}.U8(3).U8(0).U8(1).U8(2).Ansi("MZ\x90").Ansi("xxMZ\x90yyMZ\x90"));
    corpus.Add("utf16-backward.bin", LeBytes{}.U8(4).U8(40).U8(0).U8(3).Utf16(u"日本").Utf16(u"a日本b日本c"));
    corpus.Add("across-chunks.bin", LeBytes{}.U8(1).U8(0).U8(1).U8(4).Ansi("ABCD").Ansi("zzABCzABCDzz"));
    corpus.Add("hex-text.bin", LeBytes{}.Utf16(u"4D 5A 90 00"));
}

// A node's name, a NUL, then its format's name.
void WriteSaveNames(const fs::path& root)
{
    const CCorpus corpus(root, "SaveFileNameFuzz");
    corpus.Add("png.bin", LeBytes{}.U16(0).Utf16(u"\"PNG\""));
    corpus.Add("html.bin", LeBytes{}.U16(0).Utf16(u"\"HTML Format\""));
    corpus.Add("path.bin", LeBytes{}.Utf16(u"C:\\Users\\テスト\\写真.jpg").U16(0).Utf16(u"CF_HDROP"));
    corpus.Add("odd-characters.bin", LeBytes{}.Utf16(u"a:b*c?. ").U16(0).Utf16(u"CF_DIB"));
}

// Snapshot files: as the writer makes them, and as other archivers re-pack
// them (deflated, ZIP64 records, folders, sizes after the data).
void WriteZipArchives(const fs::path& root)
{
    const CCorpus corpus(root, "ZipArchiveFuzz");
    CMemorySink written;
    WriteEntries(written, {{"manifest.json", "{\"nodes\":2}"}, {"nodes/000001.bin", "text"}, {"nodes/000002.bin", ""}});
    corpus.Add("written.zip", written.Bytes());
    CMemorySink empty;
    WriteEntries(empty, {});
    corpus.Add("no-entries.zip", empty.Bytes());
    const std::vector<HandEntry> entries = {StoredEntry("manifest.json", "{}"), StoredEntry("nodes/", ""),
                                            DeflatedEntry("nodes/000001.bin", std::string(300, 'a') + "クリップボード"),
                                            DeflatedEntry("nodes/000002.bin", "")};
    corpus.Add("deflated-and-folder.zip", BuildArchive(entries).bytes);
    corpus.Add("zip64.zip", BuildArchive(entries, true).bytes);
    HandArchive streamed = BuildArchive(entries);
    streamed.Set16(streamed.local[2] + kZipLocalFlags, kZipFlagUtf8 | kZipFlagDataDescriptor);
    streamed.Set32(streamed.local[2] + kZipLocalCrc, 0);
    corpus.Add("streamed.zip", streamed.bytes);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    WriteDibs(root);
    WriteDragImages(root);
    WriteFileGroups(root);
    WriteShellIdLists(root);
    WriteDropLists(root);
    WriteLocales(root);
    WriteHexLayouts(root);
    WriteTexts(root, "TextDetectFuzz");
    WriteTexts(root, "TextBytesFuzz");
    WriteDecodedTexts(root);
    WriteSettingTexts(root);
    WriteHtmlFormats(root);
    WriteByteSearches(root);
    WriteSaveNames(root);
    WriteZipArchives(root);
    return 0;
}
