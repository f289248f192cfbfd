// Real OLE drag and drop from this process onto the drop windows of a
// running Plexa.exe, with the mouse moved as a person moves it.
#include "MouseDrag.h"
#include "PlexaSession.h"
#include "SampleSources.h"
#include "TreeExpectations.h"
#include "UserInput.h"
#include "app/WorkFolder.h"
#include "framework/Handles.h"
#include "framework/Resource.h"
#include "res/resource.h"
#include "res/strings/viewers.h"
#include "support/AsyncDataObject.h"
#include "support/LiveObjects.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>

namespace {

using Texts = std::vector<std::wstring>;

// Far from Plexa's window, where nothing takes drops.
constexpr POINT kDragStart{1200, 980};

class PlexaDrop : public PlexaSession {
protected:
    void SetUp() override
    {
        PlexaSession::SetUp();
        for (const wchar_t* name : {L"first.txt", L"second.txt"}) {
            m_files.push_back(m_dropped / name);
            WriteFileBytes(m_files.back(), "dropped file");
        }
    }

    // Drags the sample onto drop window `id`; `onMenu` handles the format menu
    // when that window asks for one.
    CDragResult DropSample(const CPlexaWindow& plexa, UINT id, DWORD allowedEffects,
                           const std::function<void(HWND menu)>& onMenu = {})
    {
        auto source = MakeDragSample(m_files);
        const DWORD processId = plexa.ProcessId();
        std::function<void()> afterRelease;
        if (onMenu)
            afterRelease = [processId, onMenu] {
                for (int i = 0; i < 250; ++i) {
                    if (HWND menu = FindPopupMenu(processId)) {
                        onMenu(menu);
                        return;
                    }
                    ::Sleep(20);
                }
            };
        return DragWithMouse(source, allowedEffects, kDragStart, CPlexaWindow::CentreOf(plexa.DropWindow(id)),
                             afterRelease);
    }

    CTempDir m_dropped;
    std::vector<std::wstring> m_files;
};

// The drag sample offered for asynchronous transfer, with a format whose
// stream arrives a megabyte at a time, each after `msPerMegabyte`. The
// sample keeps the record of the calls the source hears.
class CAsyncSample {
public:
    CAsyncSample(const std::vector<std::wstring>& files, bool asyncMode, int megabytes, DWORD msPerMegabyte)
    {
        auto inner = MakeDragSample(files);
        inner->Offer({.cf = slow, .tymed = TYMED_ISTREAM},
                     CTestMedium::Stream(PatternBytes(megabytes * 1048576), {.readDelayMs = msPerMegabyte}));
        m_source = CComPtr<CAsyncDataObject>::Adopt(new CAsyncDataObject(inner, asyncMode));
        m_source->m_onCall = [this](const CAsyncDataObject::Call& call) {
            calls.push_back(call);
            if (call.name == "GetData" && call.cf == slow)
                ::SetEvent(slowAsked);
            if (call.name == "EndOperation") {
                endedAt = ::GetTickCount64();
                ::SetEvent(ended);
            }
        };
    }

    CDragResult DropOn(const CPlexaWindow& plexa, DWORD allowedEffects)
    {
        return DragWithMouse(m_source, allowedEffects, kDragStart,
                             CPlexaWindow::CentreOf(plexa.DropWindow(IDC_DROP_ALL)));
    }
    bool HasEnded() const { return ::WaitForSingleObject(ended, 0) == WAIT_OBJECT_0; }
    // Where the first call starting with `name` stands among the calls; -1 when none came.
    ptrdiff_t IndexOf(const std::string& name) const
    {
        const auto found = std::find_if(calls.begin(), calls.end(), [&](const auto& call) {
            return (call.name + " " + std::to_string(call.cf)).rfind(name, 0) == 0;
        });
        return found == calls.end() ? -1 : found - calls.begin();
    }
    // Gives up the test's reference and handles this thread's messages until
    // Plexa has let go of every object of the source as well, so that none of
    // its last calls into this thread waits for one that no longer answers.
    bool ReleaseAndWaitForPlexa()
    {
        m_source.Reset();
        for (const ULONGLONG end = ::GetTickCount64() + 10000; ::GetTickCount64() < end;) {
            PumpMessagesFor(50);
            if (LiveTestObjects() == m_nLiveBefore)
                return true;
        }
        return false;
    }

    const CLIPFORMAT slow = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Plexa Slow Stream"));
    std::vector<CAsyncDataObject::Call> calls;
    CHandle slowAsked{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    CHandle ended{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    ULONGLONG endedAt = 0;

private:
    const long m_nLiveBefore = LiveTestObjects();
    CComPtr<CAsyncDataObject> m_source;
};

// The root's value of property `name`, read from Plexa's page.
std::wstring RootProperty(const CPlexaWindow& plexa, const std::wstring& name)
{
    TreeView_SelectItem(plexa.Tree(), SingleRoot(ReadRemoteTree(plexa.Tree())).handle);
    for (const auto& row : ReadRemoteListRows(plexa.PropertyList(), 2)) {
        if (row[0] == name)
            return row[1];
    }
    return L"(none)";
}

// Times a message sent to `window` from another thread, once `start` is signalled.
struct CRoundTrip {
    HWND window;
    HANDLE start;
    std::atomic<ULONGLONG> milliseconds{0}, answeredAt{0};

    static DWORD WINAPI Run(void* param)
    {
        auto* trip = static_cast<CRoundTrip*>(param);
        if (::WaitForSingleObject(trip->start, 30000) != WAIT_OBJECT_0)
            return 1;
        const ULONGLONG sent = ::GetTickCount64();
        DWORD_PTR result = 0;
        if (::SendMessageTimeoutW(trip->window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result)) {
            trip->answeredAt = ::GetTickCount64();
            trip->milliseconds = trip->answeredAt - sent;
        }
        return 0;
    }
};

bool IsDropTitle(const std::wstring& title)
{
    // "ドロップデータ hh:mm:ss"
    return title.size() == 16 && title.rfind(L"ドロップデータ ", 0) == 0 && title[10] == L':' && title[13] == L':';
}

}  // namespace

TEST_F(PlexaDrop, DropOnTheAllFormatsWindowCapturesEveryOfferedDescriptionOnce)
{
    CPlexaWindow plexa = Start();
    const CDragResult drop = DropSample(plexa, IDC_DROP_ALL, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);

    EXPECT_EQ(drop.hr, DRAGDROP_S_DROP);
    EXPECT_EQ(drop.effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(::GetForegroundWindow(), plexa.Frame()) << "the drop brings Plexa to the front";
    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    EXPECT_TRUE(IsDropTitle(root.text));
    EXPECT_EQ(plexa.Title(), root.text + L" - Plexa");
    ASSERT_EQ(TextsOf(root.children), (Texts{L"CF_UNICODETEXT", L"\"Plexa&Sample\"", L"CF_HDROP"}));
    EXPECT_EQ(TextsOf(root.children[2].children), m_files);
    EXPECT_EQ(TreeView_GetSelection(plexa.Tree()), nullptr);
}

TEST_F(PlexaDrop, ASourceThatOnlyMovesIsToldNothingWasTakenAndItsDataIsShown)
{
    CPlexaWindow plexa = Start();
    const CDragResult drop = DropSample(plexa, IDC_DROP_ALL, DROPEFFECT_MOVE);

    EXPECT_EQ(drop.hr, DRAGDROP_S_DROP);
    EXPECT_EQ(drop.effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "so that the source deletes nothing";
    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    EXPECT_EQ(root.children.size(), 3u);
    TreeView_SelectItem(plexa.Tree(), root.handle);
    const auto rows = ReadRemoteListRows(plexa.PropertyList(), 2);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], (std::vector<std::wstring>{L"ソースのドロップ効果", L"MOVE"})) << "the root tells what the source offered";
    const std::vector<std::wstring> told{LoadResString(IDS_ROW_TOLD_SOURCE), LoadResString(IDS_MOVE_ONLY_TOLD_NONE)};
    EXPECT_NE(std::find(rows.begin(), rows.end(), told), rows.end()) << "and what it was told";
}

TEST_F(PlexaDrop, DropOnTheChooseWindowTakesTheFormatChosenFromItsMenu)
{
    CPlexaWindow plexa = Start();
    const CDragResult drop = DropSample(plexa, IDC_DROP_CHOOSE, DROPEFFECT_COPY,
                                        [](HWND menu) { ChoosePopupMenuItem(menu, 1); });

    EXPECT_EQ(drop.hr, DRAGDROP_S_DROP);
    EXPECT_EQ(drop.effect, static_cast<DWORD>(DROPEFFECT_COPY));
    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    EXPECT_TRUE(IsDropTitle(root.text));
    ASSERT_EQ(TextsOf(root.children), Texts{L"\"Plexa&Sample\""});
    EXPECT_EQ(TreeView_GetSelection(plexa.Tree()), root.children[0].handle);
}

TEST_F(PlexaDrop, ADismissedFormatMenuReportsNoDropAndKeepsTheSnapshot)
{
    CPlexaWindow plexa = Start();
    const CDragResult drop =
        DropSample(plexa, IDC_DROP_CHOOSE, DROPEFFECT_COPY, [](HWND menu) { DismissPopupMenu(menu); });

    EXPECT_EQ(drop.effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(plexa.Title(), L"無題 - Plexa");
    EXPECT_TRUE(ReadRemoteTree(plexa.Tree()).empty());
}

TEST_F(PlexaDrop, AnAsynchronousSourceIsFreeWhileItsSlowFormatIsCopiedAndHearsTheOutcomeAfterTheLastRead)
{
    CPlexaWindow plexa = Start();
    CAsyncSample sample(m_files, true, 12, 150);
    const HWND sourceWindow =
        ::CreateWindowExW(0, L"STATIC", L"source", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CRoundTrip trip{sourceWindow, sample.slowAsked};
    const CHandle sender(::CreateThread(nullptr, 0, CRoundTrip::Run, &trip, 0, nullptr));

    const CDragResult drop = sample.DropOn(plexa, DROPEFFECT_COPY);
    const bool endedDuringDrag = sample.HasEnded();
    EXPECT_TRUE(PumpUntilSignaled(sample.ended, 60000));
    PumpUntilSignaled(sender, 15000);
    EXPECT_TRUE(sample.ReleaseAndWaitForPlexa()) << "Plexa keeps no reference to the source";
    ::DestroyWindow(sourceWindow);

    EXPECT_EQ(drop.hr, DRAGDROP_S_DROP);
    EXPECT_EQ(drop.effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_FALSE(endedDuringDrag) << "the drag loop ends before the copy";
    const ptrdiff_t start = sample.IndexOf("StartOperation");
    EXPECT_GE(start, 0);
    EXPECT_LT(start, sample.IndexOf("GetData")) << "StartOperation comes before the first GetData";
    ASSERT_FALSE(sample.calls.empty());
    const auto& last = sample.calls.back();
    EXPECT_EQ(last.name, "EndOperation") << "after the last GetData";
    EXPECT_EQ(last.hr, S_OK);
    EXPECT_EQ(last.effect, static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_NE(trip.answeredAt, 0u);
    EXPECT_LT(trip.milliseconds, 1000u) << "the source's window answers during the copy";
    EXPECT_LT(trip.answeredAt, sample.endedAt);

    const CRemoteTreeItem root = SingleRoot(ReadRemoteTree(plexa.Tree()));
    EXPECT_EQ(TextsOf(root.children).back(), L"\"Plexa Slow Stream\"");
    EXPECT_EQ(RootProperty(plexa, L"非同期転送"), L"使用");
}

TEST_F(PlexaDrop, AnAsynchronousSourceWithItsModeOffIsTakenDuringTheDrop)
{
    CPlexaWindow plexa = Start();
    CAsyncSample sample(m_files, false, 1, 0);
    const CDragResult drop = sample.DropOn(plexa, DROPEFFECT_COPY);

    EXPECT_EQ(drop.effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_GE(sample.IndexOf("GetData " + std::to_string(sample.slow)), 0) << "taken before the drag loop ended";
    EXPECT_EQ(sample.IndexOf("StartOperation"), -1);
    EXPECT_EQ(sample.IndexOf("EndOperation"), -1);
    EXPECT_TRUE(sample.ReleaseAndWaitForPlexa());
    EXPECT_EQ(RootProperty(plexa, L"非同期転送"), L"不使用（ソースの非同期モードがオフです）");
}

TEST_F(PlexaDrop, StoppingAnAsynchronousCaptureTellsTheSourceNothingWasDropped)
{
    CPlexaWindow plexa = Start();
    CAsyncSample sample(m_files, true, 60, 150);
    const CDragResult drop = sample.DropOn(plexa, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    EXPECT_EQ(drop.effect, static_cast<DWORD>(DROPEFFECT_COPY));

    const DWORD processId = plexa.ProcessId();
    bool stopped = false;
    // The progress dialog's "中止" once the slow format is asked for, then
    // the message that says it stopped.
    EXPECT_TRUE(PumpUntilSignaled(sample.ended, 60000, [&] {
        if (::WaitForSingleObject(sample.slowAsked, 0) != WAIT_OBJECT_0)
            return;
        for (HWND box = nullptr; (box = ::FindWindowExW(nullptr, box, L"#32770", L"Plexa")) != nullptr;) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(box, &owner);
            if (owner != processId)
                continue;
            const bool progress = ::GetDlgItem(box, IDC_COPYING_STATE) != nullptr;
            if (progress && !stopped)
                stopped = ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            else if (!progress)
                ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    }));
    EXPECT_TRUE(sample.ReleaseAndWaitForPlexa());

    EXPECT_TRUE(stopped);
    ASSERT_FALSE(sample.calls.empty());
    const auto& last = sample.calls.back();
    EXPECT_EQ(last.name, "EndOperation");
    EXPECT_EQ(last.hr, E_ABORT);
    EXPECT_EQ(last.effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(Close(), 0);
    EXPECT_FALSE(DirectoryExists(m_temp / kWorkFolderName)) << "nothing is left in the working folder";
}
