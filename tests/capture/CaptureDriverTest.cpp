#include "support/FileGroupBytes.h"
#include "TestProgress.h"

#include "capture/CBDataFileDescriptor.h"
#include "capture/CBDataGdi.h"
#include "capture/CBDataImageBytes.h"
#include "capture/CaptureDriver.h"
#include "framework/Clipboard.h"
#include "framework/Handles.h"
#include "framework/OleDataObject.h"
#include "support/TestApp.h"
#include "support/TestDataObject.h"
#include "support/WrappedDataObject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace {

// A window of our own that opens the clipboard, as a person's program would.
class COwnedClipboard {
public:
    COwnedClipboard() : m_owner(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr))
    {
        m_open = ::OpenClipboard(m_owner);
    }
    ~COwnedClipboard()
    {
        if (m_open)
            ::CloseClipboard();
        ::DestroyWindow(m_owner);
    }
    bool IsOpen() const { return m_open; }

    void Set(UINT format, const void* bytes, size_t size)
    {
        CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE, size));
        std::memcpy(CGlobalLock(block).Get(), bytes, size);
        if (::SetClipboardData(format, block))
            block.Detach();
    }

private:
    HWND m_owner;
    BOOL m_open = FALSE;
};

CBytes FileGroupA(const std::vector<std::string>& names)
{
    CBytes bytes(4 + names.size() * 332);
    const uint32_t count = static_cast<uint32_t>(names.size());
    std::memcpy(bytes.data(), &count, 4);
    for (size_t i = 0; i < names.size(); ++i)
        std::memcpy(bytes.data() + 4 + i * 332 + 72, names[i].c_str(), names[i].size());
    return bytes;
}

class CaptureDriverTest : public ::testing::Test {
protected:
    void SetUp() override { m_app.ClaimWorkFolder(); }

    // Lists and captures everything the data object offers.
    CCBDataArray CaptureSource(IDataObject* source, CFormatEtcArray* listed = nullptr)
    {
        COleDataObject dataObject(source);
        CFormatEtcArray formats;
        EnumFormats(&dataObject, formats);
        CCBDataArray result;
        m_outcome = CaptureAll(result, &dataObject, formats, m_app, m_progress);
        if (listed)
            *listed = formats;
        return WithoutFetchTimes(std::move(result));
    }

    // Every top-level node says how long it took, in milliseconds: kept
    // apart in m_fetchMilliseconds so that the other lines can be compared.
    CCBDataArray WithoutFetchTimes(CCBDataArray nodes)
    {
        m_fetchMilliseconds.clear();
        for (const auto& node : nodes) {
            CStringArray& rows = node->m_arrInfo;
            const auto line = std::find_if(rows.begin(), rows.end(), IsFetchTimeRow);
            EXPECT_NE(line, rows.end()) << node->GetLabel();
            if (line == rows.end())
                continue;
            m_fetchMilliseconds.push_back(std::stoull(line->substr(line->find(L'\t') + 1)));
            rows.erase(line);
        }
        return nodes;
    }

    CCBDataArray CaptureClipboard()
    {
        COwnedClipboard clipboard;
        EXPECT_TRUE(clipboard.IsOpen());
        CFormatEtcArray formats;
        EnumFormats(nullptr, formats);
        CCBDataArray result;
        m_outcome = CaptureAll(result, nullptr, formats, m_app, m_progress);
        return WithoutFetchTimes(std::move(result));
    }

    // As a paste does: the clipboard opened without an owner and handed to the run.
    CCBDataArray PasteClipboard()
    {
        ::CClipboard clipboard(nullptr);
        EXPECT_TRUE(clipboard);
        CFormatEtcArray formats;
        EnumFormats(nullptr, formats);
        CCBDataArray result;
        m_outcome = CaptureAll(result, nullptr, formats, m_app, m_progress, &clipboard);
        return WithoutFetchTimes(std::move(result));
    }

    // a.txt ("first", in memory) and b.txt ("second", as a stream), described wide.
    CComPtr<CTestDataObject> TwoVirtualFiles() const
    {
        auto source = CTestDataObject::Create();
        source->Offer({.cf = m_cfGroupW}, CTestMedium::Global(FileGroupW({L"a.txt", L"b.txt"}, 2)));
        source->Offer({.cf = m_cfContents, .tymed = TYMED_HGLOBAL | TYMED_ISTREAM})
            .At(0, CTestMedium::Global(BytesOf("first")))
            .At(1, CTestMedium::Stream(BytesOf("second")));
        return source;
    }

    static std::vector<std::string> ChildFiles(const CCBData& node)
    {
        std::vector<std::string> files;
        if (node.m_pChildren) {
            for (const auto& child : *node.m_pChildren)
                files.push_back(FileOf(*child));
        }
        return files;
    }

    static const CCBData* Find(const CCBDataArray& nodes, UINT format)
    {
        auto found = std::find_if(nodes.begin(), nodes.end(),
                                  [format](const auto& node) { return node->m_fmt.cfFormat == format; });
        return found == nodes.end() ? nullptr : found->get();
    }

    // What the capture asked of the source, the palette aside, which every run asks for.
    static std::vector<CTestFormat> FormatRequests(const CTestDataObject& source)
    {
        std::vector<CTestFormat> requests;
        for (const auto& request : source.Requests())
            if (request.cf != CF_PALETTE)
                requests.push_back(request);
        return requests;
    }

    static std::string FileOf(const CCBData& node) { return ReadFileBytes(node.m_strTempFile); }

    CTestApp m_app;
    CTestProgress m_progress;
    std::optional<CaptureOutcome> m_outcome;
    std::vector<unsigned long long> m_fetchMilliseconds;
    const CLIPFORMAT m_cfContents = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"FileContents"));
    const CLIPFORMAT m_cfGroupW = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"FileGroupDescriptorW"));
    const CLIPFORMAT m_cfGroupA = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"FileGroupDescriptor"));
};

}

TEST_F(CaptureDriverTest, TextTakesTheCodePageOfTheClipboardLocale)
{
    {
        COwnedClipboard clipboard;
        ASSERT_TRUE(clipboard.IsOpen());
        ::EmptyClipboard();
        clipboard.Set(CF_TEXT, "abc", 4);
        const LCID japanese = 0x0411;
        clipboard.Set(CF_LOCALE, &japanese, sizeof(japanese));
        clipboard.Set(CF_UNICODETEXT, L"abc", 8);
    }
    const CCBDataArray nodes = CaptureClipboard();
    const CCBData* text = Find(nodes, CF_TEXT);
    const CCBData* unicode = Find(nodes, CF_UNICODETEXT);
    ASSERT_NE(text, nullptr);
    ASSERT_NE(unicode, nullptr);
    EXPECT_EQ(text->m_nCodePage, 932);
    EXPECT_EQ(text->m_arrInfo, CStringArray{L"コードページ\t932"});
    EXPECT_EQ(text->m_nDefaultTab, kTabText);
    EXPECT_EQ(FileOf(*text), std::string("abc", 4));
    EXPECT_EQ(text->m_tymedActual, 0u) << "the clipboard is read directly";
    EXPECT_EQ(unicode->m_nCodePage, kCodePageUtf16LE);
    EXPECT_TRUE(unicode->m_arrInfo.empty());
    EXPECT_TRUE(m_app.m_messages.empty());
}

TEST_F(CaptureDriverTest, FormatsTheClipboardSynthesisesAreCapturedToo)
{
    {
        COwnedClipboard clipboard;
        ::EmptyClipboard();
        clipboard.Set(CF_UNICODETEXT, L"日本語", 8);
    }
    const CCBDataArray nodes = CaptureClipboard();
    for (UINT format : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT, CF_LOCALE}) {
        const CCBData* node = Find(nodes, format);
        ASSERT_NE(node, nullptr) << format;
        EXPECT_FALSE(node->m_strTempFile.empty()) << format;
        EXPECT_GT(node->m_nSize, 0u) << format;
    }
    EXPECT_EQ(FileOf(*Find(nodes, CF_TEXT)), "\x93\xfa\x96\x7b\x8c\xea" + std::string(1, '\0'))
        << "synthesised in code page 932";
    EXPECT_EQ(Find(nodes, CF_TEXT)->m_nCodePage, 932) << "Wine gives a locale that names 932";
}

TEST_F(CaptureDriverTest, TheSameDescriptionOfferedTwiceIsTakenOnce)
{
    auto source = CTestDataObject::Create();
    source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(L"one")));
    source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(L"two")));
    source->Offer({.cf = CF_UNICODETEXT, .tymed = TYMED_ISTREAM}, CTestMedium::Stream(BytesOf(L"three")));
    CFormatEtcArray listed;
    const CCBDataArray nodes = CaptureSource(source, &listed);
    ASSERT_EQ(listed.size(), 2u) << "a different medium type is another description";
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(FormatRequests(*source).size(), 2u);
}

TEST_F(CaptureDriverTest, ARefusedDescriptionIsAskedAgainForAnyMedium)
{
    auto source = CTestDataObject::Create();
    source->Offer({.cf = CF_UNICODETEXT, .tymed = TYMED_ISTREAM},
                  CTestAnswer::RefuseUnlessEveryTymed(CTestMedium::Global(BytesOf(L"hi"))));
    const CCBDataArray nodes = CaptureSource(source);
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_TRUE(nodes[0]->m_arrInfo.empty());
    EXPECT_EQ(nodes[0]->m_tymedActual, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_EQ(nodes[0]->m_fmt.tymed, static_cast<DWORD>(TYMED_ISTREAM)) << "the description as offered";
    ASSERT_EQ(FormatRequests(*source).size(), 2u);
    EXPECT_EQ(FormatRequests(*source)[1].tymed, kEveryTymed);
    EXPECT_EQ(FileOf(*nodes[0]), std::string("h\0i\0", 4));
}

TEST_F(CaptureDriverTest, AMediumWithSeveralTymedBitsIsTakenByItsLowestKnownBit)
{
    auto source = CTestDataObject::Create();
    source->Offer({.cf = CF_TEXT}, CTestMedium::Global(BytesOf("abc")).WithExtraTymed(TYMED_ISTREAM | 0x100));
    const CCBDataArray nodes = CaptureSource(source);
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0]->m_tymedActual, static_cast<DWORD>(TYMED_HGLOBAL | TYMED_ISTREAM | 0x100));
    EXPECT_EQ(FileOf(*nodes[0]), "abc");
}

TEST_F(CaptureDriverTest, ARefusedFormatStillGetsItsNodeWithTheLine)
{
    auto source = CTestDataObject::Create();
    source->Offer({.cf = CF_DIB}, CTestAnswer::Fail(DV_E_FORMATETC));
    const CCBDataArray nodes = CaptureSource(source);
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0]->m_arrInfo, CStringArray{L"エラー\tデータを取得できません（COleDataObject::GetData()）"});
    EXPECT_EQ(nodes[0]->m_nDefaultTab, kTabImage) << "pages are set on error nodes too";
    EXPECT_NE(dynamic_cast<const CCBData_DIB*>(nodes[0].get()), nullptr);
}

TEST_F(CaptureDriverTest, VirtualFilesAreNamedAndAskedByIndex)
{
    auto source = TwoVirtualFiles();
    const CCBDataArray nodes = CaptureSource(source);
    ASSERT_EQ(nodes.size(), 2u);
    auto* descriptor = dynamic_cast<const CCBData_FileDescriptor*>(nodes[0].get());
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(descriptor->m_arrInfo, (CStringArray{L"名前[0]\ta.txt", L"名前[1]\tb.txt"}));
    EXPECT_EQ(descriptor->m_nDefaultTab, kTabProperty);

    const CCBData& contents = *nodes[1];
    EXPECT_EQ(contents.m_nIcon, kIconFolder);
    EXPECT_TRUE(contents.m_strTempFile.empty());
    ASSERT_TRUE(contents.m_pChildren);
    ASSERT_EQ(contents.m_pChildren->size(), 2u);
    EXPECT_EQ((*contents.m_pChildren)[0]->m_strName, L"a.txt");
    EXPECT_EQ((*contents.m_pChildren)[1]->m_strName, L"b.txt");
    EXPECT_EQ(FileOf(*(*contents.m_pChildren)[0]), "first");
    EXPECT_EQ(FileOf(*(*contents.m_pChildren)[1]), "second");
    EXPECT_EQ((*contents.m_pChildren)[1]->m_fmt.lindex, 1);

    std::vector<LONG> asked;
    for (const auto& request : source->Requests())
        if (request.cf == m_cfContents)
            asked.push_back(request.lindex);
    EXPECT_EQ(asked, (std::vector<LONG>{0, 1}));
}

TEST_F(CaptureDriverTest, APasteAsksTheOleClipboardForEachVirtualFile)
{
    auto source = TwoVirtualFiles();
    ASSERT_EQ(::OleSetClipboard(source), S_OK);
    const CCBDataArray nodes = PasteClipboard();
    ::OleSetClipboard(nullptr);

    const CCBData* contents = Find(nodes, m_cfContents);
    ASSERT_NE(contents, nullptr);
    EXPECT_EQ(ChildFiles(*contents), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ((*contents->m_pChildren)[1]->m_fmt.lindex, 1);
    EXPECT_EQ((*contents->m_pChildren)[1]->m_strName, L"b.txt");
}

TEST_F(CaptureDriverTest, APastedVirtualFileWithoutAnOleSourceHoldsTheClipboardsSingleBlock)
{
    {
        COwnedClipboard clipboard;
        ASSERT_TRUE(clipboard.IsOpen());
        ::EmptyClipboard();
        const CBytes group = FileGroupW({L"a.txt", L"b.txt"}, 2);
        clipboard.Set(m_cfGroupW, group.data(), group.size());
        clipboard.Set(m_cfContents, "whole", 5);
    }
    const CCBDataArray nodes = PasteClipboard();
    const CCBData* contents = Find(nodes, m_cfContents);
    ASSERT_NE(contents, nullptr);
    EXPECT_EQ(ChildFiles(*contents), (std::vector<std::string>{"whole", "whole"}));
    EXPECT_EQ((*contents->m_pChildren)[1]->m_fmt.lindex, 1);
}

TEST_F(CaptureDriverTest, TheWideDescriptorWinsAndOtherAspectsDoNotCount)
{
    auto source = CTestDataObject::Create();
    source->Offer({.cf = m_cfGroupA}, CTestMedium::Global(FileGroupA({"ansi.txt"})));
    source->Offer({.cf = m_cfGroupW}, CTestMedium::Global(FileGroupW({L"wide.txt"}, 1)));
    source->Offer({.cf = m_cfContents}).At(0, CTestMedium::Global(BytesOf("x")));
    source->Offer({.cf = m_cfContents, .aspect = DVASPECT_ICON}).At(0, CTestMedium::Global(BytesOf("y")));
    const CCBDataArray nodes = CaptureSource(source);
    ASSERT_EQ(nodes.size(), 4u);
    ASSERT_TRUE(nodes[2]->m_pChildren);
    ASSERT_EQ(nodes[2]->m_pChildren->size(), 1u);
    EXPECT_EQ((*nodes[2]->m_pChildren)[0]->m_strName, L"wide.txt");
    EXPECT_FALSE(nodes[3]->m_pChildren) << "no descriptor with the icon aspect";
    EXPECT_TRUE(nodes[3]->m_arrInfo.empty());
}

TEST_F(CaptureDriverTest, DescriptorCountsOfZeroOrBeyondTheBytes)
{
    auto empty = CTestDataObject::Create();
    empty->Offer({.cf = m_cfGroupW}, CTestMedium::Global(FileGroupW({}, 0)));
    empty->Offer({.cf = m_cfContents}).At(0, CTestMedium::Global(BytesOf("x")));
    CCBDataArray nodes = CaptureSource(empty);
    EXPECT_TRUE(nodes[0]->m_arrInfo.empty());
    ASSERT_TRUE(nodes[1]->m_pChildren);
    EXPECT_TRUE(nodes[1]->m_pChildren->empty());

    auto lying = CTestDataObject::Create();
    lying->Offer({.cf = m_cfGroupW}, CTestMedium::Global(FileGroupW({L"only.txt"}, 1000000)));
    nodes = CaptureSource(lying);
    ASSERT_EQ(nodes[0]->m_arrInfo.size(), 2u);
    EXPECT_EQ(nodes[0]->m_arrInfo[0], L"名前[0]\tonly.txt");
    EXPECT_EQ(nodes[0]->m_arrInfo[1].rfind(L"エラー\t", 0), 0u);
}

TEST_F(CaptureDriverTest, FileContentsWithoutADescriptorHasNoChildren)
{
    auto source = CTestDataObject::Create();
    source->Offer({.cf = m_cfContents}).At(0, CTestMedium::Global(BytesOf("x")));
    const CCBDataArray nodes = CaptureSource(source);
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_FALSE(nodes[0]->m_pChildren);
    EXPECT_TRUE(nodes[0]->m_arrInfo.empty());
    EXPECT_TRUE(FormatRequests(*source).empty()) << "FileContents itself is never fetched";
}

TEST_F(CaptureDriverTest, AFileContentsItemDeliveredAsAStorageGetsItsSubtree)
{
    auto source = CTestDataObject::Create();
    source->Offer({.cf = m_cfGroupW}, CTestMedium::Global(FileGroupW({L"doc.msg"}, 1)));
    source->Offer({.cf = m_cfContents, .tymed = TYMED_ISTORAGE})
        .At(0, CTestMedium::Storage(CTestStorage().AddStream(L"Body", BytesOf("text"))));
    const CCBDataArray nodes = CaptureSource(source);
    ASSERT_TRUE(nodes[1]->m_pChildren);
    const CCBData& item = *(*nodes[1]->m_pChildren)[0];
    EXPECT_EQ(item.m_strName, L"doc.msg");
    EXPECT_EQ(item.m_strType, L"IStorage");
    ASSERT_TRUE(item.m_pChildren);
    ASSERT_EQ(item.m_pChildren->size(), 1u);
    EXPECT_EQ((*item.m_pChildren)[0]->m_strName, L"Body");
    EXPECT_EQ(FileOf(*(*item.m_pChildren)[0]), "text");
}

TEST_F(CaptureDriverTest, NoFormatsGiveAnEmptySnapshotAndACompleteRun)
{
    auto source = CTestDataObject::Create();
    EXPECT_TRUE(CaptureSource(source).empty());
    EXPECT_EQ(m_outcome, CaptureOutcome::Complete);
    EXPECT_TRUE(m_progress.m_progress.empty());
    EXPECT_TRUE(m_app.m_messages.empty());
}

TEST_F(CaptureDriverTest, GdiObjectRangeFormatsAreListedButNotFetched)
{
    auto source = CTestDataObject::Create();
    source->Offer({.cf = 0x305, .tymed = TYMED_GDI}, CTestMedium::Bitmap(2, 2, 0));
    const CCBDataArray nodes = CaptureSource(source);
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0]->GetLabel(), L"CF_GDIOBJFIRST+5");
    EXPECT_TRUE(nodes[0]->m_strTempFile.empty());
    EXPECT_TRUE(FormatRequests(*source).empty());
}

TEST_F(CaptureDriverTest, TheSourcesPaletteIsGivenToItsBitmaps)
{
    auto source = CTestDataObject::Create();
    source->Offer({.cf = CF_BITMAP, .tymed = TYMED_GDI}, CTestMedium::Bitmap(3, 2, RGB(1, 2, 3)));
    source->Offer({.cf = CF_PALETTE, .tymed = TYMED_GDI}, CTestMedium::Palette(RGB(255, 0, 0), RGB(0, 0, 255)));
    const CCBDataArray nodes = CaptureSource(source);
    auto* bitmap = dynamic_cast<const CCBData_HBITMAP*>(nodes[0].get());
    ASSERT_NE(bitmap, nullptr);
    ASSERT_TRUE(bitmap->m_hPalette.IsValid());
    PALETTEENTRY entries[2] = {};
    ASSERT_EQ(::GetPaletteEntries(bitmap->m_hPalette, 0, 2, entries), 2u);
    EXPECT_EQ(entries[0].peRed, 255);
    EXPECT_EQ(entries[1].peBlue, 255);
    EXPECT_EQ(bitmap->m_nWidth, 3);
    EXPECT_TRUE(nodes[1]->m_strTempFile.empty()) << "CF_PALETTE itself is not fetched as a format";
}

namespace {

// Stops the run while the source hands out one format, as a press of "中止" does.
class CStoppingDataObject final : public CWrappedDataObject {
public:
    CStoppingDataObject(IDataObject* inner, CLIPFORMAT stopOn, CTestProgress& progress)
        : CWrappedDataObject(inner), m_stopOn(stopOn), m_progress(progress)
    {
    }

    IFACEMETHODIMP GetData(FORMATETC* request, STGMEDIUM* medium) override
    {
        if (request->cfFormat == m_stopOn)
            m_progress.Stop();
        return CWrappedDataObject::GetData(request, medium);
    }

private:
    CLIPFORMAT m_stopOn;
    CTestProgress& m_progress;
};

}

TEST_F(CaptureDriverTest, AStopDuringTheThirdOfFiveFormatsKeepsWhatWasTaken)
{
    auto inner = CTestDataObject::Create();
    for (CLIPFORMAT format = 0xC100; format < 0xC105; ++format)
        inner->Offer({.cf = format}, CTestMedium::Global(PatternBytes(3 * 1048576)));
    auto source = CComPtr<IDataObject>::Adopt(new CStoppingDataObject(inner, 0xC102, m_progress));

    const CCBDataArray nodes = CaptureSource(source);
    EXPECT_EQ(m_outcome, CaptureOutcome::Stopped);
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_TRUE(nodes[0]->m_arrInfo.empty());
    EXPECT_EQ(nodes[2]->m_arrInfo, CStringArray{L"エラー\t一時ファイルに書き込めません。"});
    EXPECT_TRUE(nodes[2]->m_strTempFile.empty());
    EXPECT_EQ(m_progress.m_progress, (std::vector<std::pair<uint64_t, uint64_t>>{{1, 5}, {2, 5}, {3, 5}}))
        << "formats done of formats offered";
    EXPECT_EQ(FormatRequests(*inner).size(), 3u) << "nothing is asked after the stop";
}

TEST_F(CaptureDriverTest, AStopWhileTheLastFormatFailsStillStopsTheRun)
{
    auto inner = CTestDataObject::Create();
    inner->Offer({.cf = 0xC100}, CTestMedium::Global(BytesOf("a")));
    inner->Offer({.cf = 0xC101}, CTestAnswer::Fail(RPC_E_CALL_CANCELED));
    auto source = CComPtr<IDataObject>::Adopt(new CStoppingDataObject(inner, 0xC101, m_progress));

    EXPECT_EQ(CaptureSource(source).size(), 2u);
    EXPECT_EQ(m_outcome, CaptureOutcome::Stopped) << "the call the stop cancelled is no complete run";
}

// A delayed rendering that takes its time shows it on its own node only.
class CSlowTextSource : public CWrappedDataObject {
public:
    using CWrappedDataObject::CWrappedDataObject;
    IFACEMETHODIMP GetData(FORMATETC* request, STGMEDIUM* medium) override
    {
        if (request->cfFormat == CF_TEXT)
            ::Sleep(300);
        return CWrappedDataObject::GetData(request, medium);
    }
};

TEST_F(CaptureDriverTest, EachFormatSaysHowLongItsFetchTook)
{
    auto inner = CTestDataObject::Create();
    inner->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(L"quick")));
    inner->Offer({.cf = CF_TEXT}, CTestMedium::Global(BytesOf("slow")));
    const CCBDataArray nodes = CaptureSource(CComPtr<IDataObject>::Adopt(new CSlowTextSource(inner)));
    ASSERT_EQ(m_fetchMilliseconds.size(), 2u);
    EXPECT_LT(m_fetchMilliseconds[0], 300u);
    EXPECT_GE(m_fetchMilliseconds[1], 300u);
}
