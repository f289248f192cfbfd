// Broken data of every kind Plexa checks, pasted or dropped into a running
// Plexa.exe: the tree marks the node, its checks page lists the finding, and
// a double click on the row selects the bytes it concerns on the HEX page.
#include "MouseDrag.h"
#include "PlexaSession.h"
#include "SampleSources.h"
#include "TreeExpectations.h"
#include "UserInput.h"
#include "capture/FormatNames.h"
#include "framework/Utf8.h"
#include "portable/FormatCheck.h"
#include "res/resource.h"
#include "support/ClipboardRead.h"
#include "support/DropListBytes.h"
#include "support/FileGroupBytes.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr POINT kDragStart{1200, 980};

CLIPFORMAT Registered(const wchar_t* name)
{
    return static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(name));
}

std::string Utf16(std::wstring_view text)
{
    return {reinterpret_cast<const char*>(text.data()), text.size() * 2};
}

std::string PngWithWrongCrc()
{
    return std::string("\x89PNG\r\n\x1A\n", 8) + std::string("\0\0\0\x0DIHDR", 8) +
           std::string("\0\0\0\x01\0\0\0\x01\x08\x06\0\0\0", 13) + std::string("\xDE\xAD\xBE\xEF", 4) +
           std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
}

std::string ShortDibV5()
{
    std::string dib(124 + 20, '\0');
    const auto put32 = [&](size_t at, uint32_t value) { std::memcpy(dib.data() + at, &value, 4); };
    put32(0, 124);
    put32(4, 4);   // 4 x 4 pixels of 32 bits need 64 bytes; 20 are there
    put32(8, 4);
    put32(12, 1 | (32 << 16));
    return dib;
}

struct BrokenData {
    const char* name;
    CLIPFORMAT format;
    std::string bytes;
    const char* id;  // the finding it must show
    bool dropped = false;
};

std::vector<BrokenData> BrokenDataOfEveryKind()
{
    const std::string html = HtmlFormatBlock("<b>\xE6\x97\xA5\xE6\x9C\xAC</b>", true);
    const CBytes unclosed = DropList({BytesOf(L"C:\\one.txt")}, true, false);
    const CBytes group = FileGroupW({L"..\\outside.txt"}, 1);
    return {
        {"HTML counted in characters", Registered(L"HTML Format"), html, "html.character-offsets"},
        {"HTML dropped", Registered(L"HTML Format"), html, "html.character-offsets", true},
        // The Win32 clipboard may round a block up with zeros: a missing terminator shows in a drop.
        {"text without terminator", CF_UNICODETEXT, Utf16(L"no end"), "text.no-terminator", true},
        {"rich text left open", Registered(L"Rich Text Format"), "{\\rtf1 {\\b bold}", "rtf.unbalanced"},
        {"short bitmap", CF_DIBV5, ShortDibV5(), "dib.short"},
        {"PNG with a wrong CRC", Registered(L"PNG"), PngWithWrongCrc(), "png.crc"},
        {"drop list left open", CF_HDROP, std::string(unclosed.begin(), unclosed.end()), "hdrop.no-terminator"},
        {"file name leaving its folder", Registered(L"FileGroupDescriptorW"), std::string(group.begin(), group.end()),
         "filegroup.unsafe-name", true},
        {"shell ID list outside", Registered(L"Shell IDList Array"), std::string("\x01\0\0\0\x40\0\0\0\x50\0\0\0", 12),
         "shellidlist.offset"},
        {"effect of unknown bits", Registered(L"Preferred DropEffect"), std::string("\x10\0\0\0", 4),
         "dropeffect.value"},
        {"address without a scheme", Registered(L"UniformResourceLocatorW"), Utf16(std::wstring(L"not an address", 15)),
         "url.syntax"},
        {"custom format not offered", Registered(L"Web Custom Format Map"),
         std::string("{\"application/x-plexa\":\"Web Custom Format3\"}"), "webcustom.missing"},
    };
}

CComPtr<CTestDataObject> SourceOf(const BrokenData& data)
{
    auto source = CTestDataObject::Create();
    source->Offer({.cf = data.format}, CTestMedium::Global(CBytes(data.bytes.begin(), data.bytes.end())));
    if (data.format == Registered(L"FileGroupDescriptorW"))
        source->Offer({.cf = Registered(L"FileContents")}).At(0, CTestMedium::Global(BytesOf("outside")));
    return source;
}

const CRemoteTreeItem* FindItem(const std::vector<CRemoteTreeItem>& tree, const std::wstring& label)
{
    if (tree.size() != 1)
        return nullptr;
    const auto& nodes = tree[0].children;
    const auto found = std::find_if(nodes.begin(), nodes.end(), [&](const auto& item) { return item.text == label; });
    return found == nodes.end() ? nullptr : &*found;
}

UINT OverlayOf(FindingSeverity worst)
{
    return worst == FindingSeverity::Error ? 1 : worst == FindingSeverity::Warning ? 2 : 0;
}

// Double-clicks row `row` of the list of another process as a person does.
void DoubleClickRow(HWND list, int row)
{
    CRemoteMemory memory(list, sizeof(RECT));
    RECT rect{LVIR_BOUNDS};
    ASSERT_TRUE(memory.Write(0, &rect, sizeof(rect)));
    ::SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(memory.Address()));
    ASSERT_TRUE(memory.Read(0, &rect, sizeof(rect)));
    POINT point{rect.left + 8, (rect.top + rect.bottom) / 2};
    ::ClientToScreen(list, &point);
    MoveMouseTo(point);
    for (int click = 0; click < 2; ++click) {
        PressLeftButton();
        ReleaseLeftButton();
    }
    // So that the next click is not taken for a third one.
    PumpMessagesFor(::GetDoubleClickTime() + 100);
}

}  // namespace

TEST_F(PlexaSession, BrokenDataIsMarkedListedAndItsBytesShownForEveryKindOfCheck)
{
    const CPlexaWindow plexa = Start();
    for (const BrokenData& data : BrokenDataOfEveryKind()) {
        SCOPED_TRACE(data.name);
        const CBytes bytes(data.bytes.begin(), data.bytes.end());
        CheckContext context;
        context.fileContentsSizes = std::vector<std::optional<uint64_t>>{7};
        context.offeredFormats = std::vector<std::wstring>{L"Web Custom Format Map"};
        const FindingList expected = CheckBytes(CheckKindOfFormat(data.format, RegisteredFormatName(data.format)),
                                                bytes, context);
        const auto finding = std::find_if(expected.begin(), expected.end(), [&](const Finding& f) { return f.id == data.id; });
        ASSERT_NE(finding, expected.end()) << "the payload triggers " << data.id;
        const auto worst = std::min_element(expected.begin(), expected.end(), [](const Finding& a, const Finding& b) {
                               return a.severity < b.severity;
                           })->severity;

        const auto source = SourceOf(data);
        std::optional<CClipboardSource> clipboard;
        if (data.dropped) {
            DragWithMouse(source, DROPEFFECT_COPY, kDragStart, CPlexaWindow::CentreOf(plexa.DropWindow(IDC_DROP_ALL)));
        } else {
            clipboard.emplace(source);
            ASSERT_TRUE(plexa.RunCommand(ID_EDIT_PASTE));
        }
        const std::wstring label = GetFormatName(data.format);
        const CRemoteTreeItem* item = nullptr;
        std::vector<CRemoteTreeItem> tree;
        for (int tries = 0; tries < 100 && !(item = FindItem(tree = ReadRemoteTree(plexa.Tree()), label)); ++tries)
            PumpMessagesFor(50);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->overlay, OverlayOf(worst));
        EXPECT_NE(tree[0].overlay, 0u) << "the root carries the snapshot's worst";

        TreeView_SelectItem(plexa.Tree(), item->handle);
        const std::vector<std::wstring> tabs = ReadRemoteTabTexts(plexa.PageTabs());
        ASSERT_EQ(tabs.back(), L"チェック");
        ASSERT_TRUE(plexa.ClickPageTab(static_cast<int>(tabs.size()) - 1));
        HWND list = nullptr;
        for (int tries = 0; tries < 100 && !(list = plexa.ContentControl(IDC_CHECKS_LIST)); ++tries)
            PumpMessagesFor(20);
        ASSERT_NE(list, nullptr);
        const auto rows = ReadRemoteListRows(list, 4);
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r[1] == FromUtf8(data.id); });
        ASSERT_NE(row, rows.end());
        if (!finding->offset)
            continue;

        DoubleClickRow(list, static_cast<int>(row - rows.begin()));
        HWND dump = nullptr;
        for (int tries = 0; tries < 100 && !(dump = plexa.HexDump()); ++tries)
            PumpMessagesFor(50);
        ASSERT_NE(dump, nullptr) << "the HEX page opens";
        ::SendMessageW(dump, WM_COMMAND, ID_EDIT_COPY, 0);
        const size_t start = std::min<size_t>(*finding->offset, bytes.size() - 1);
        const size_t length = std::min<size_t>(std::max<uint64_t>(finding->length, 1), bytes.size() - start);
        EXPECT_EQ(ClipboardBinaryData(), data.bytes.substr(start, length));
    }
    EXPECT_EQ(Close(), 0);
}
