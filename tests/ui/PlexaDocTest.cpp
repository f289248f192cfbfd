#include "capture/ClipboardPrivacy.h"
#include "capture/FormatNames.h"
#include "capture/RegisteredFormats.h"
#include "framework/CmdUI.h"
#include "framework/Handles.h"
#include "framework/OleDataObject.h"
#include "framework/Resource.h"
#include "framework/View.h"
#include "res/resource.h"
#include "res/strings/ui.h"
#include "support/DocumentDrop.h"
#include "support/HostWindow.h"
#include "support/TempDir.h"
#include "support/TreeDescription.h"
#include "support/TestApp.h"
#include "support/TestDataObject.h"
#include "support/WrappedDataObject.h"
#include "ui/PlexaDoc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <regex>

namespace {

// Records every update with what the document held at that moment.
class CRecordingView : public CView {
public:
    struct Update {
        LPARAM hint;
        bool hadSnapshot;
        size_t nodes;
    };
    void OnUpdate(CView*, LPARAM hint, void*) override
    {
        auto* doc = static_cast<CPlexaDoc*>(GetDocument());
        m_updates.push_back({hint, doc->Snapshot() != nullptr, doc->Snapshot() ? doc->Snapshot()->size() : 0});
    }
    std::vector<Update> m_updates;
};

// Chooses menu entries the way a test says instead of showing the menu.
class CTestDoc : public CPlexaDoc {
public:
    using CPlexaDoc::CPlexaDoc;
    std::optional<size_t> m_choice;
    size_t m_menuShown = 0;

protected:
    void SelectFormatsFromMenu(const CFormatEtcArray& all, CFormatEtcArray& chosen) override
    {
        ++m_menuShown;
        chosen.clear();
        if (m_choice)
            FormatsForChoice(all, *m_choice, chosen);
    }
};

class PlexaDocTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app.ClaimWorkFolder();
        m_parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_view.Create(m_parent, 1, &m_doc, RECT{0, 0, 50, 50}));
    }
    void TearDown() override
    {
        m_view.DestroyWindow();
        ::DestroyWindow(m_parent);
    }

    void FillClipboard(const std::vector<std::pair<UINT, std::string>>& formats)
    {
        ASSERT_TRUE(::OpenClipboard(m_parent));
        ::EmptyClipboard();
        for (const auto& [format, bytes] : formats) {
            CGlobalHandle block(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
            std::memcpy(CGlobalLock(block).Get(), bytes.data(), bytes.size());
            if (::SetClipboardData(format, block))
                block.Detach();
        }
        ::CloseClipboard();
    }

    CTestApp m_app;
    CTestDoc m_doc{m_app};
    CRecordingView m_view;
    HWND m_parent = nullptr;
};

}

TEST_F(PlexaDocTest, PasteTellsTheViewsBeforeTheOldSnapshotGoesAndAfterTheNewOneIsThere)
{
    FillClipboard({{CF_UNICODETEXT, std::string("a\0\0\0", 4)}});
    m_doc.OnCmdMsg(ID_EDIT_PASTE);
    ASSERT_TRUE(m_doc.Snapshot());
    const size_t first = m_doc.Snapshot()->size();
    EXPECT_GT(first, 0u);
    m_view.m_updates.clear();

    m_doc.OnCmdMsg(ID_EDIT_PASTE);
    ASSERT_EQ(m_view.m_updates.size(), 2u);
    EXPECT_EQ(m_view.m_updates[0].hint, HINT_SNAPSHOT_CHANGED);
    EXPECT_FALSE(m_view.m_updates[0].hadSnapshot) << "the views see no snapshot while the old one goes";
    EXPECT_EQ(m_view.m_updates[1].hint, HINT_SNAPSHOT_CHANGED);
    EXPECT_EQ(m_view.m_updates[1].nodes, first);
    EXPECT_EQ(m_doc.Info().formatNames.size(), first);
}

TEST_F(PlexaDocTest, PastingTwiceWithoutAChangeKeepsTheSequenceNumber)
{
    FillClipboard({});
    m_doc.OnCmdMsg(ID_EDIT_PASTE);
    const std::wstring title = m_doc.GetTitle();
    EXPECT_TRUE(std::regex_match(title, std::wregex(L"クリップボード#[0-9]+"))) << title.c_str();
    ASSERT_TRUE(m_doc.Snapshot());
    EXPECT_TRUE(m_doc.Snapshot()->empty()) << "an empty clipboard gives an empty snapshot";
    m_doc.OnCmdMsg(ID_EDIT_PASTE);
    EXPECT_EQ(m_doc.GetTitle(), title);
}

TEST_F(PlexaDocTest, PasteWithFormatTakesTheChoiceAndSelectsIt)
{
    FillClipboard({{CF_UNICODETEXT, std::string("a\0\0\0", 4)}});
    m_doc.m_choice = 0;
    m_doc.OnCmdMsg(ID_EDIT_PASTE_WITH_FORMAT);
    ASSERT_TRUE(m_doc.Snapshot());
    EXPECT_EQ(m_doc.Snapshot()->size(), 1u);
    EXPECT_GT(m_doc.Info().formatNames.size(), 1u) << "the names of every offered format";
    ASSERT_GE(m_view.m_updates.size(), 2u);
    EXPECT_EQ(m_view.m_updates.back().hint, HINT_SELECT_FIRST);

    const std::wstring title = m_doc.GetTitle();
    m_doc.m_choice.reset();
    m_view.m_updates.clear();
    m_doc.OnCmdMsg(ID_EDIT_PASTE_WITH_FORMAT);
    EXPECT_EQ(m_doc.GetTitle(), title) << "a dismissed menu changes nothing";
    EXPECT_EQ(m_doc.Snapshot()->size(), 1u);
    EXPECT_TRUE(m_view.m_updates.empty());
}

TEST_F(PlexaDocTest, TheUsersLeaveToTakeDataThatAsksToBeLeftAloneCoversOnlyTheClipboardAskedAbout)
{
    const UINT leaveAlone = ::RegisterClipboardFormatW(kExcludeFromMonitorsFormat);
    const std::pair<UINT, std::string> text{CF_UNICODETEXT, std::string("a\0\0\0", 4)};
    struct Case {
        const char* name;
        bool chooseFormat;
        std::optional<std::vector<std::pair<UINT, std::string>>> replacedDuringQuestion;
        size_t questions;
        bool takenDespiteRequest;
    };
    for (const Case& c : {Case{"unchanged", false, std::nullopt, 1, true},
                          Case{"with format", true, std::nullopt, 1, true},
                          Case{"replaced by data that does not ask", false, {{text}}, 1, false},
                          Case{"replaced by data that asks too", false, {{{leaveAlone, "x"}, text}}, 2, true}}) {
        SCOPED_TRACE(c.name);
        FillClipboard({{leaveAlone, "x"}, text});
        m_app.m_messages.clear();
        m_app.m_nMessageAnswer = IDYES;
        m_app.m_onMessageBox = [&](const std::wstring&) {
            if (c.replacedDuringQuestion && m_app.m_messages.size() == 1)
                FillClipboard(*c.replacedDuringQuestion);
        };
        m_doc.m_choice = 0;
        m_doc.OnCmdMsg(c.chooseFormat ? ID_EDIT_PASTE_WITH_FORMAT : ID_EDIT_PASTE);
        EXPECT_EQ(m_app.m_messages.size(), c.questions);
        ASSERT_TRUE(m_doc.Snapshot());
        EXPECT_EQ(m_doc.Info().takenDespitePrivacyRequest, c.takenDespiteRequest);
        EXPECT_EQ(m_doc.Info().sequenceNumber, ::GetClipboardSequenceNumber()) << "what is taken is what was checked";
    }
    m_app.m_onMessageBox = nullptr;
}

TEST_F(PlexaDocTest, ADropTakesEveryFormatOrTheChosenOne)
{
    auto source = CTestDataObject::Create();
    source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(L"x")));
    source->Offer({.cf = CF_TEXT}, CTestMedium::Global(BytesOf("x")));
    COleDataObject dataObject(source);

    EXPECT_TRUE(DropInto(m_doc, dataObject, false));
    EXPECT_EQ(m_doc.m_menuShown, 0u);
    EXPECT_EQ(m_doc.Snapshot()->size(), 2u);
    EXPECT_TRUE(std::regex_match(m_doc.GetTitle(), std::wregex(L"ドロップデータ [0-9]{2}:[0-9]{2}:[0-9]{2}")));
    EXPECT_NE(m_view.m_updates.back().hint, HINT_SELECT_FIRST);

    m_doc.m_choice = 1;
    EXPECT_TRUE(DropInto(m_doc, dataObject, true));
    EXPECT_EQ(m_doc.Snapshot()->size(), 1u);
    EXPECT_EQ((*m_doc.Snapshot())[0]->m_fmt.cfFormat, CF_TEXT);
    EXPECT_EQ(m_view.m_updates.back().hint, HINT_SELECT_FIRST);

    m_doc.m_choice.reset();
    EXPECT_FALSE(DropInto(m_doc, dataObject, true)) << "a dismissed menu is no drop";
    EXPECT_EQ(m_doc.Snapshot()->size(), 1u);
}

namespace {

// Presses Esc in the progress dialog while the source hands out one format,
// and takes long enough for the run to look at its messages next.
class CAbortingDataObject final : public CWrappedDataObject {
public:
    CAbortingDataObject(IDataObject* inner, CLIPFORMAT abortOn) : CWrappedDataObject(inner), m_abortOn(abortOn) {}

    IFACEMETHODIMP GetData(FORMATETC* request, STGMEDIUM* medium) override
    {
        if (request->cfFormat == m_abortOn) {
            ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
            ::Sleep(100);
        }
        return CWrappedDataObject::GetData(request, medium);
    }

private:
    CLIPFORMAT m_abortOn;
};

}

TEST_F(PlexaDocTest, AnAbortedCaptureKeepsWhatWasTakenAndSaysSoOnceTheWindowIsBack)
{
    CWnd main;
    ASSERT_TRUE(CreateHostWindow(main, RECT{0, 0, 300, 200}));
    m_app.m_pMainWnd = &main;
    auto inner = CTestDataObject::Create();
    for (CLIPFORMAT format = 0xC100; format < 0xC105; ++format)
        inner->Offer({.cf = format}, CTestMedium::Global(PatternBytes(3 * 1048576)));
    auto source = CComPtr<IDataObject>::Adopt(new CAbortingDataObject(inner, 0xC102));
    COleDataObject dataObject(source);
    bool dialogGoneAtMessage = false;
    bool mainEnabledAtMessage = false;
    m_app.m_onMessageBox = [&](const std::wstring&) {
        dialogGoneAtMessage = !::FindWindowW(L"#32770", L"Plexa");
        mainEnabledAtMessage = ::IsWindowEnabled(main);
    };

    EXPECT_FALSE(DropInto(m_doc, dataObject, false)) << "its source must not hear that the data moved";
    m_app.m_pMainWnd = nullptr;

    ASSERT_TRUE(m_doc.Snapshot());
    EXPECT_EQ(m_doc.Snapshot()->size(), 3u);
    EXPECT_EQ(m_app.m_messages, std::vector<std::wstring>{LoadResString(IDS_CAPTURE_STOPPED)});
    EXPECT_EQ(m_app.m_messageTypes, std::vector<UINT>{MB_OK});
    EXPECT_TRUE(dialogGoneAtMessage);
    EXPECT_TRUE(mainEnabledAtMessage);
    EXPECT_TRUE(m_doc.CanStartSnapshot());
}

TEST(FormatMenu, ColumnsOfTwentyAndLiteralAmpersands)
{
    CTestApp app;
    const UINT ampersand = ::RegisterClipboardFormatW(L"Tom & Jerry");
    CFormatEtcArray all;
    for (int i = 0; i < 45; ++i)
        all.push_back({static_cast<CLIPFORMAT>(i == 3 ? ampersand : CF_TEXT), nullptr, 1, -1, 1});
    const CMenuHandle menu = CreateFormatMenu(all);
    ASSERT_EQ(::GetMenuItemCount(menu), 45);
    for (int i : {0, 19, 20, 21, 40}) {
        MENUITEMINFOW info{sizeof(info), MIIM_FTYPE | MIIM_ID};
        ::GetMenuItemInfoW(menu, i, TRUE, &info);
        EXPECT_EQ(info.wID, 10000u + i);
        EXPECT_EQ((info.fType & MFT_MENUBARBREAK) != 0, i == 20 || i == 40) << i;
    }
    wchar_t label[64] = {};
    ::GetMenuStringW(menu, 3, label, 64, MF_BYPOSITION);
    EXPECT_STREQ(label, L"\"Tom && Jerry\"");
}

TEST(FormatMenu, FileContentsComesWithItsDescriptor)
{
    CTestApp app;
    const CLIPFORMAT contents = static_cast<CLIPFORMAT>(g_cfFileContents);
    const CLIPFORMAT wide = static_cast<CLIPFORMAT>(g_cfFileGroupDescriptorW);
    const CLIPFORMAT ansi = static_cast<CLIPFORMAT>(g_cfFileGroupDescriptor);
    auto entry = [](CLIPFORMAT cf, DWORD aspect = 1) { return FORMATETC{cf, nullptr, aspect, -1, 1}; };
    CFormatEtcArray chosen;

    FormatsForChoice({entry(ansi), entry(wide), entry(contents)}, 2, chosen);
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0].cfFormat, wide);
    EXPECT_EQ(chosen[1].cfFormat, contents);

    FormatsForChoice({entry(ansi), entry(contents)}, 1, chosen);
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0].cfFormat, ansi);

    FormatsForChoice({entry(wide, 4), entry(contents)}, 1, chosen);
    ASSERT_EQ(chosen.size(), 1u) << "a descriptor of another aspect does not describe it";

    FormatsForChoice({entry(contents)}, 5, chosen);
    EXPECT_TRUE(chosen.empty());
}

TEST_F(PlexaDocTest, SavingIsGreyedUntilThereIsASnapshot)
{
    const CMenuHandle menu(::CreatePopupMenu());
    ::AppendMenuW(menu, MF_STRING, ID_FILE_SAVE_SNAPSHOT, L"save");
    const auto enabled = [&] {
        CCmdUI cmdUI(menu, 0);
        EXPECT_TRUE(m_doc.OnUpdateCmdUI(cmdUI));
        return !(::GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED);
    };
    EXPECT_FALSE(enabled());
    FillClipboard({});
    m_doc.OnCmdMsg(ID_EDIT_PASTE);
    EXPECT_TRUE(enabled()) << "an empty clipboard is a snapshot too";
}

TEST_F(PlexaDocTest, ASavedPasteOpensUnderItsFileNameWithItsOwnerAndFormats)
{
    FillClipboard({{CF_UNICODETEXT, std::string("a\0\0\0", 4)}});
    m_doc.OnCmdMsg(ID_EDIT_PASTE);
    const CSnapshotInfo taken = m_doc.Info();
    ASSERT_TRUE(taken.owner);
    const CTempDir folder;
    const std::wstring path = folder / L"paste.plexa";
    ASSERT_TRUE(m_doc.SaveSnapshot(path));
    EXPECT_EQ(m_doc.GetTitle(), L"paste.plexa");

    FillClipboard({});
    m_doc.OnCmdMsg(ID_EDIT_PASTE);
    m_view.m_updates.clear();
    ASSERT_TRUE(m_doc.OpenSnapshot(path));
    EXPECT_EQ(m_doc.GetTitle(), L"paste.plexa");
    EXPECT_EQ(m_doc.Info().title, taken.title) << "the snapshot keeps the title it was taken under";
    EXPECT_EQ(m_doc.Info().formatNames, taken.formatNames);
    ASSERT_TRUE(m_doc.Info().owner);
    EXPECT_EQ(m_doc.Info().owner->className, taken.owner->className);
    ASSERT_EQ(m_view.m_updates.size(), 2u);
    EXPECT_FALSE(m_view.m_updates[0].hadSnapshot) << "the views let go of the old snapshot first";
    EXPECT_EQ(m_view.m_updates[1].nodes, taken.formatNames.size());
}

TEST_F(PlexaDocTest, AFileThatCannotBeOpenedIsNamedAndTheSnapshotStays)
{
    FillClipboard({});
    m_doc.OnCmdMsg(ID_EDIT_PASTE);
    const CCBDataArray* current = m_doc.Snapshot().get();
    const std::wstring title = m_doc.GetTitle();
    const CTempDir folder;
    WriteFileBytes(folder / L"bad.plexa", "not an archive");
    EXPECT_FALSE(m_doc.OpenSnapshot(folder / L"bad.plexa"));
    EXPECT_EQ(m_doc.Snapshot().get(), current);
    EXPECT_EQ(m_doc.GetTitle(), title);
    ASSERT_EQ(m_app.m_messages.size(), 1u);
    EXPECT_NE(m_app.m_messages[0].find(L"bad.plexa"), std::wstring::npos) << m_app.m_messages[0];
    EXPECT_NE(m_app.m_messages[0].find(L"ZIP"), std::wstring::npos) << m_app.m_messages[0];
}

TEST_F(PlexaDocTest, AReplayIsPastedAsItWasTakenAndStaysWhenTheDocumentGoes)
{
    const auto registered = ::RegisterClipboardFormatW(L"Plexa Replay Format");
    FillClipboard({{CF_TEXT, std::string("replayed\0", 9)}, {registered, "bytes"}});
    // OLE's own formats for the data object on the clipboard are not the snapshot's.
    const auto withoutOles = [](const CCBDataArray& nodes) {
        std::wstring text = L"\n" + DescribeTree(nodes);
        for (const wchar_t* own :
             {L"\"DataObject\"", L"\"Wine Marshalled DataObject\"", L"\"Ole Private Data\""}) {
            for (size_t at; (at = text.find(L"\n" + std::wstring(own) + L" ")) != std::wstring::npos;)
                text.erase(at, text.find(L'\n', at + 1) - at);
        }
        return text;
    };
    std::wstring taken;
    {
        CTestDoc replaying(m_app);
        replaying.OnCmdMsg(ID_EDIT_PASTE);
        ASSERT_TRUE(replaying.Snapshot());
        taken = withoutOles(*replaying.Snapshot());
        std::vector<const CCBData*> all;
        for (const auto& node : *replaying.Snapshot())
            all.push_back(node.get());
        replaying.ReplayToClipboard(all);
        EXPECT_TRUE(m_app.m_messages.empty()) << testing::PrintToString(m_app.m_messages);

        m_doc.OnCmdMsg(ID_EDIT_PASTE);
        EXPECT_EQ(withoutOles(*m_doc.Snapshot()), taken);
    }
    m_doc.OnCmdMsg(ID_EDIT_PASTE);
    EXPECT_EQ(withoutOles(*m_doc.Snapshot()), taken) << "flushed when the document went";
}
