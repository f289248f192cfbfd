// Sources that misbehave at scale: floods of formats, elements, virtual files
// and paths, containers that contain themselves, streams that fail at every
// chunk boundary, and a source that hangs in GetData. The run must survive
// each, hear every abort, and leave no temporary file once its nodes are gone.
#include "FakeShellFolder.h"
#include "FakeStorage.h"
#include "TraversalFixture.h"

#include "capture/CaptureDriver.h"
#include "capture/TwoPassWalk.h"
#include "framework/Handles.h"
#include "framework/OleDataObject.h"
#include "framework/Resource.h"
#include "res/resource.h"
#include "res/strings/viewers.h"
#include "support/TestDataObject.h"
#include "support/WrappedDataObject.h"
#include "viewers/DialogCaptureProgress.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <thread>

namespace {

constexpr wchar_t kDepthStop[] = L"エラー\t階層が深すぎるため取得を中止しました。";

// Offers `count` descriptions made up on the fly, `distinct` of them
// different (format, aspect and medium vary), and refuses every request;
// asked for `stopOn`, it stops the run as a press of "中止" does.
class CFloodDataObject final : public CTestComObject<IDataObject> {
public:
    CFloodDataObject(ULONG count, ULONG distinct, CLIPFORMAT stopOn, CTestProgress& progress)
        : m_count(count), m_distinct(distinct), m_stopOn(stopOn), m_progress(progress) {}

    FORMATETC Description(ULONG index) const
    {
        const ULONG n = index % m_distinct;
        return {static_cast<CLIPFORMAT>(0xC000 + n % 0x4000), nullptr, DWORD{1} << (n / 0x4000 % 4), -1,
                n / 0x10000 ? DWORD{TYMED_ISTREAM} : DWORD{TYMED_HGLOBAL}};
    }

    IFACEMETHODIMP GetData(FORMATETC* request, STGMEDIUM*) override
    {
        if (request->cfFormat == m_stopOn)
            m_progress.Stop();
        return DV_E_FORMATETC;
    }
    IFACEMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    IFACEMETHODIMP QueryGetData(FORMATETC*) override { return DV_E_FORMATETC; }
    IFACEMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    IFACEMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    IFACEMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    IFACEMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    IFACEMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
    IFACEMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

    const ULONG m_count;

private:
    const ULONG m_distinct;
    const CLIPFORMAT m_stopOn;
    CTestProgress& m_progress;
};

class CFloodEnum final : public CTestComObject<IEnumFORMATETC> {
public:
    explicit CFloodEnum(CComPtr<CFloodDataObject> source) : m_source(std::move(source)) {}

    IFACEMETHODIMP Next(ULONG wanted, FORMATETC* out, ULONG* fetched) override
    {
        ULONG given = 0;
        for (; given < wanted && m_next < m_source->m_count; ++given)
            out[given] = m_source->Description(m_next++);
        if (fetched)
            *fetched = given;
        return given == wanted ? S_OK : S_FALSE;
    }
    IFACEMETHODIMP Skip(ULONG count) override
    {
        m_next += count;
        return m_next <= m_source->m_count ? S_OK : S_FALSE;
    }
    IFACEMETHODIMP Reset() override
    {
        m_next = 0;
        return S_OK;
    }
    IFACEMETHODIMP Clone(IEnumFORMATETC**) override { return E_NOTIMPL; }

private:
    CComPtr<CFloodDataObject> m_source;
    ULONG m_next = 0;
};

IFACEMETHODIMP CFloodDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out)
{
    *out = direction == DATADIR_GET ? new (std::nothrow) CFloodEnum(CComPtr<CFloodDataObject>(this)) : nullptr;
    return *out ? S_OK : E_NOTIMPL;
}

CBytes DropListOf(size_t count)
{
    CBytes bytes(sizeof(DROPFILES), 0);
    DROPFILES header{};
    header.pFiles = sizeof(header);
    header.fWide = TRUE;
    std::memcpy(bytes.data(), &header, sizeof(header));
    for (size_t i = 0; i < count; ++i) {
        const CBytes path = BytesOf(L"C:\\plexa-missing\\" + std::to_wstring(i) + L".txt");
        bytes.insert(bytes.end(), path.begin(), path.end());
        bytes.insert(bytes.end(), 2, 0);
    }
    bytes.insert(bytes.end(), 2, 0);
    return bytes;
}

CBytes FileGroupOf(size_t count)
{
    CBytes bytes(sizeof(UINT) + count * sizeof(FILEDESCRIPTORW), 0);
    const UINT items = static_cast<UINT>(count);
    std::memcpy(bytes.data(), &items, sizeof(items));
    for (size_t i = 0; i < count; ++i) {
        FILEDESCRIPTORW descriptor{};
        (std::to_wstring(i) + L".eml").copy(descriptor.cFileName, MAX_PATH - 1);
        std::memcpy(bytes.data() + sizeof(UINT) + i * sizeof(descriptor), &descriptor, sizeof(descriptor));
    }
    return bytes;
}

class HostileSourceTest : public CTraversalTest {
protected:
    CCBDataArray Capture(IDataObject* source, ICaptureProgress& progress, CFormatEtcArray* listed = nullptr)
    {
        COleDataObject dataObject(source);
        CFormatEtcArray formats;
        EnumFormats(&dataObject, formats);
        if (listed)
            *listed = formats;
        CCBDataArray nodes;
        m_outcome = CaptureAll(nodes, &dataObject, formats, m_app, progress);
        return nodes;
    }

    size_t TempFiles() const { return ListFolder(m_app.m_workFolder.m_strWorkDir, L"*.cvtmp").size(); }

    std::optional<CaptureOutcome> m_outcome;
};

// How deep the first child of each level goes before the walk stopped.
int OpenedDepth(const CCBData& root, const CCBData** deepest)
{
    int depth = 0;
    const CCBData* level = &root;
    while (level->m_pChildren && !level->m_pChildren->empty() && !(*level->m_pChildren)[0]->m_bPending) {
        level = (*level->m_pChildren)[0].get();
        ++depth;
    }
    *deepest = level;
    return depth;
}

}  // namespace

TEST_F(HostileSourceTest, FloodsOfFormatsAreListedOnceEachAndAbortable)
{
    struct Case {
        const char* name;
        ULONG offered, distinct;
        CLIPFORMAT stopOn;
        size_t listed, taken;
    } const cases[] = {
        {"100,000 distinct", 100'000, 100'000, 0, 100'000, 100'000},
        {"100,000 times one", 100'000, 1, 0, 1, 1},
        {"aborted at the 5,001st", 100'000, 100'000, 0xC000 + 5'000, 100'000, 5'001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTestProgress progress;
        auto source =
            CComPtr<CFloodDataObject>::Adopt(new CFloodDataObject(c.offered, c.distinct, c.stopOn, progress));
        CFormatEtcArray listed;
        const CCBDataArray nodes = Capture(source, progress, &listed);
        EXPECT_EQ(listed.size(), c.listed);
        ASSERT_EQ(nodes.size(), c.taken);
        EXPECT_EQ(nodes.back()->m_fmt.cfFormat, source->Description(static_cast<ULONG>(c.taken - 1)).cfFormat);
        EXPECT_EQ(m_outcome, c.stopOn ? CaptureOutcome::Stopped : CaptureOutcome::Complete);
        EXPECT_EQ(TempFiles(), 0u);
    }
}

TEST_F(HostileSourceTest, TenThousandSubStoragesAreAllOpened)
{
    CFakeStorage root;
    for (int i = 0; i < 10'000; ++i)
        root.AddStorage(std::to_wstring(i), {});
    CComPtr<IStorage> storage;
    ASSERT_EQ(root.Build(&storage), S_OK);

    auto node = m_context.CaptureStorage(storage);

    ASSERT_EQ(node->m_pChildren->size(), 10'000u);
    for (const auto& child : *node->m_pChildren)
        ASSERT_TRUE(!child->m_bPending && child->m_arrInfo.empty()) << child->m_strName;
}

TEST_F(HostileSourceTest, ContainersThatContainThemselvesStopAtTheDepthLimit)
{
    CFakeStorage storageLoop;
    storageLoop.AddItself(L"self").AddStream(L"data", BytesOf("d"));
    CFakeShellFolder folderLoop;
    folderLoop.Add({.parsingName = L"self", .displayName = L"self", .bindsToItsFolder = true});
    const std::function<std::unique_ptr<CCBData>()> walks[] = {
        [&] {
            CComPtr<IStorage> storage;
            EXPECT_EQ(storageLoop.Build(&storage), S_OK);
            return m_context.CaptureStorage(storage);
        },
        [&] {
            CComPtr<IShellFolder> folder;
            EXPECT_EQ(folderLoop.Build(&folder), S_OK);
            return m_context.CaptureShellFolder(folder);
        },
    };
    for (const auto& capture : walks) {
        std::unique_ptr<CCBData> node = capture();
        const CCBData* deepest = nullptr;
        EXPECT_EQ(OpenedDepth(*node, &deepest), walk::kMaxDepth);
        ASSERT_TRUE(deepest->m_pChildren);
        EXPECT_EQ((*deepest->m_pChildren)[0]->m_arrInfo, CStringArray{kDepthStop});
        node.reset();
        EXPECT_EQ(TempFiles(), 0u);
    }
}

TEST_F(HostileSourceTest, TenThousandVirtualFilesAndAHundredThousandDroppedPathsAreAllListed)
{
    const CLIPFORMAT group = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(CFSTR_FILEDESCRIPTORW));
    const CLIPFORMAT contents = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(CFSTR_FILECONTENTS));
    auto source = CTestDataObject::Create();
    source->Offer({.cf = group}, CTestMedium::Global(FileGroupOf(10'000)));
    CTestOffer& files = source->Offer({.cf = contents});
    for (LONG i = 0; i < 10'000; ++i)  // most fail, so that the disk is spared
        files.At(i, i % 1'000 ? CTestAnswer::Fail(E_FAIL) : CTestAnswer(CTestMedium::Global(BytesOf("mail"))));
    source->Offer({.cf = CF_HDROP}, CTestMedium::Global(DropListOf(100'000)));
    {
        const CCBDataArray nodes = Capture(source, m_progress);
        ASSERT_EQ(nodes.size(), 3u);
        ASSERT_TRUE(nodes[1]->m_pChildren && nodes[2]->m_pChildren);
        EXPECT_EQ(nodes[1]->m_pChildren->size(), 10'000u);
        EXPECT_EQ(nodes[2]->m_pChildren->size(), 100'000u);
        EXPECT_EQ(TempFiles(), 2u + 10u);  // the descriptor, the drop list, the files that came
    }
    EXPECT_EQ(TempFiles(), 0u);
}

TEST_F(HostileSourceTest, StreamsFailingAtEveryChunkBoundaryLeaveNoFile)
{
    constexpr ULONGLONG kChunk = 1'048'576;
    const CBytes bytes = PatternBytes(3 * kChunk + 100);
    for (ULONGLONG boundary = kChunk; boundary <= 3 * kChunk; boundary += kChunk) {
        for (ULONGLONG failAt : {boundary - 1, boundary, boundary + 1}) {
            SCOPED_TRACE(failAt);
            CComPtr<IStream> stream;
            ASSERT_EQ(CreateTestStream(bytes, {.failReadAt = failAt}, &stream), S_OK);
            auto node = m_context.CaptureStream(stream);
            EXPECT_TRUE(node->m_strTempFile.empty());
            EXPECT_EQ(node->m_arrInfo.size(), 1u);
            EXPECT_EQ(TempFiles(), 0u);
        }
    }
    // A size that lies upwards, by far: nothing is reserved for it.
    CComPtr<IStream> liar;
    ASSERT_EQ(CreateTestStream(BytesOf("tiny"), {.statSize = 1ull << 50}, &liar), S_OK);
    auto node = m_context.CaptureStream(liar);
    EXPECT_EQ(node->m_nSize, 1ull << 50);
    EXPECT_TRUE(node->m_strTempFile.empty());
    EXPECT_EQ(TempFiles(), 0u);
}

namespace {

// A source in an apartment of its own, as another program's data object is:
// GetData of format `blockOn` waits until the test lets it go, then delivers.
class CHangingSource {
public:
    explicit CHangingSource(CLIPFORMAT blockOn) : m_blockOn(blockOn)
    {
        m_thread.Attach(::CreateThread(nullptr, 0, Run, this, 0, nullptr));
        ::WaitForSingleObject(m_ready, INFINITE);
    }
    ~CHangingSource()
    {
        ::SetEvent(m_release);
        ::SetEvent(m_done);
        ::WaitForSingleObject(m_thread, INFINITE);
    }

    // The proxy this thread's apartment calls through.
    CComPtr<IDataObject> Unmarshal()
    {
        CComPtr<IDataObject> proxy;
        ::CoGetInterfaceAndReleaseStream(m_marshalled, IID_IDataObject, reinterpret_cast<void**>(&proxy));
        return proxy;
    }

    CHandle m_entered{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    CHandle m_release{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::vector<CTestFormat> m_requests;

private:
    class CBlockingObject final : public CWrappedDataObject {
    public:
        CBlockingObject(CHangingSource& owner, IDataObject* inner) : CWrappedDataObject(inner), m_owner(owner) {}
        IFACEMETHODIMP GetData(FORMATETC* request, STGMEDIUM* medium) override
        {
            m_owner.m_requests.push_back(CTestFormat::From(*request));
            if (request->cfFormat == m_owner.m_blockOn) {
                ::SetEvent(m_owner.m_entered);
                ::WaitForSingleObject(m_owner.m_release, 10'000);
            }
            return CWrappedDataObject::GetData(request, medium);
        }

    private:
        CHangingSource& m_owner;
    };

    static DWORD WINAPI Run(void* param)
    {
        auto* self = static_cast<CHangingSource*>(param);
        ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        {
            auto inner = CTestDataObject::Create();
            for (CLIPFORMAT cf = 0xC300; cf < 0xC303; ++cf)
                inner->Offer({.cf = cf}, CTestMedium::Global(BytesOf("bytes")));
            auto object = CComPtr<IDataObject>::Adopt(new CBlockingObject(*self, inner));
            ::CoMarshalInterThreadInterfaceInStream(IID_IDataObject, object.Get(), &self->m_marshalled);
            ::SetEvent(self->m_ready);
            ::WaitForSingleObject(self->m_done, INFINITE);
        }
        ::CoUninitialize();
        return 0;
    }

    const CLIPFORMAT m_blockOn;
    IStream* m_marshalled = nullptr;
    CHandle m_ready{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    CHandle m_done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    CHandle m_thread;
};

}  // namespace

TEST_F(HostileSourceTest, TheAbortButtonAnswersWhileASourceHangsAndEndsTheRun)
{
    CHangingSource hanging(0xC301);
    CComPtr<IDataObject> source = hanging.Unmarshal();
    ASSERT_TRUE(source);
    // Presses "中止" while the call waits, as a person does; the source
    // answers once the dialog shows that the run is being aborted, or after
    // ten seconds of a dialog that does not react.
    bool answeredWhileHanging = false;
    std::thread user([&] {
        ASSERT_EQ(::WaitForSingleObject(hanging.m_entered, 10'000), WAIT_OBJECT_0);
        const HWND dialog = ::FindWindowW(L"#32770", L"Plexa");
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        wchar_t state[32] = {};
        for (int i = 0; i < 1'000 && !answeredWhileHanging; ++i) {
            ::Sleep(10);
            ::GetDlgItemTextW(dialog, IDC_COPYING_STATE, state, 32);
            answeredWhileHanging = state == LoadResString(IDS_PROGRESS_STOPPING);
        }
        ::SetEvent(hanging.m_release);
    });
    CCBDataArray nodes;
    {
        CDialogCaptureProgress progress(nullptr);
        nodes = Capture(source, progress);
    }
    user.join();

    EXPECT_TRUE(answeredWhileHanging);
    // Windows fails the cancelled call at once; Wine waits for its answer and
    // the copy then stops at the abort. Either way nothing of it is kept.
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_TRUE(std::none_of(hanging.m_requests.begin(), hanging.m_requests.end(),
                             [](const CTestFormat& request) { return request.cf == 0xC302; }))
        << "nothing is asked after the abort";
    EXPECT_FALSE(nodes[0]->m_strTempFile.empty());
    EXPECT_TRUE(nodes[1]->m_strTempFile.empty());
    EXPECT_EQ(m_outcome, CaptureOutcome::Stopped);
    nodes.clear();
    EXPECT_EQ(TempFiles(), 0u);
}
