// The capture as a library: under the headless progress it makes no window,
// shows no message and handles no waiting message, and takes the same tree
// as under the window's progress dialog.
#include "FileGroupBytes.h"

#include "capture/CaptureDriver.h"
#include "framework/Format.h"
#include "framework/OleDataObject.h"
#include "support/NoLeakTest.h"
#include "support/TestApp.h"
#include "support/TestDataObject.h"
#include "viewers/DialogCaptureProgress.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// One line per node, indented by its depth: label, type, icon, medium, size,
// the bytes of its file and its lines; then its children.
void Describe(const CCBDataArray& nodes, const std::wstring& indent, std::wstring& out)
{
    for (const auto& node : nodes) {
        out += indent + node->GetLabel() + L" | " + node->m_strType +
               FormatString(L" | icon %d, tymed %lu, %llu bytes |", node->m_nIcon, node->m_tymedActual,
                            static_cast<unsigned long long>(node->m_nSize));
        if (!node->m_strTempFile.empty()) {
            for (unsigned char byte : ReadFileBytes(node->m_strTempFile))
                out += FormatString(L" %02X", byte);
        }
        for (const std::wstring& line : node->m_arrInfo)
            out += L" | " + line;
        out += L'\n';
        if (node->m_pChildren)
            Describe(*node->m_pChildren, indent + L"  ", out);
    }
}

// How many windows the thread creates while `run` runs.
int WindowsCreatedDuring(const std::function<void()>& run)
{
    static int created;
    created = 0;
    const HHOOK hook = ::SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (code == HCBT_CREATEWND)
                ++created;
            return ::CallNextHookEx(nullptr, code, wParam, lParam);
        },
        nullptr, ::GetCurrentThreadId());
    run();
    ::UnhookWindowsHookEx(hook);
    return created;
}

class HeadlessCaptureTest : public CNoLeakTest {
protected:
    void SetUp() override
    {
        CNoLeakTest::SetUp();
        m_app.ClaimWorkFolder();
    }

    // Every kind of medium, nested containers, virtual files and failures.
    CComPtr<CTestDataObject> EveryKindOfSource() const
    {
        const auto contents = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"FileContents"));
        const auto group = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"FileGroupDescriptorW"));
        const LCID japanese = 0x0411;
        auto source = CTestDataObject::Create();
        source->Offer({.cf = CF_UNICODETEXT}, CTestMedium::Global(BytesOf(L"テキスト")));
        source->Offer({.cf = CF_TEXT}, CTestMedium::Global(BytesOf("text")));
        source->Offer({.cf = CF_LOCALE}, CTestMedium::Global(CBytes(reinterpret_cast<const BYTE*>(&japanese),
                                                                    reinterpret_cast<const BYTE*>(&japanese + 1))));
        source->Offer({.cf = 0xC210, .tymed = TYMED_ISTREAM}, CTestMedium::Stream(PatternBytes(3000)));
        source->Offer({.cf = 0xC211, .tymed = TYMED_ISTREAM},
                      CTestMedium::Stream(PatternBytes(2'500'000), {.failReadAt = 1'200'000}));
        source->Offer({.cf = 0xC212, .tymed = TYMED_ISTORAGE},
                      CTestMedium::Storage(CTestStorage()
                                               .AddStream(L"Top", BytesOf("top"))
                                               .AddStorage(L"Inner", CTestStorage().AddStream(L"Deep", BytesOf("deep")))));
        source->Offer({.cf = CF_BITMAP, .tymed = TYMED_GDI}, CTestMedium::Bitmap(3, 2, RGB(1, 2, 3)));
        source->Offer({.cf = CF_DIB}, CTestAnswer::Fail(DV_E_FORMATETC));
        source->Offer({.cf = group}, CTestMedium::Global(FileGroupW({L"a.txt", L"b.txt", L"c.txt"}, 3)));
        source->Offer({.cf = contents, .tymed = TYMED_HGLOBAL | TYMED_ISTREAM})
            .At(0, CTestMedium::Global(BytesOf("first")))
            .At(1, CTestMedium::Stream(BytesOf("second")))
            .At(2, CTestAnswer::Fail(E_FAIL));
        return source;
    }

    std::wstring CaptureAndDescribe(IDataObject* source, ICaptureProgress& progress)
    {
        COleDataObject dataObject(source);
        CFormatEtcArray formats;
        EnumFormats(&dataObject, formats);
        CCBDataArray nodes;
        EXPECT_EQ(CaptureAll(nodes, &dataObject, formats, m_app, progress), CaptureOutcome::Complete);
        std::wstring tree;
        Describe(nodes, L"", tree);
        return tree;
    }

    CTestApp m_app;
};

}

TEST_F(HeadlessCaptureTest, MakesNoWindowAndHandlesNoMessageYetTakesTheTreeTheDialogTakes)
{
    auto source = EveryKindOfSource();
    // A pump would take it off the queue.
    ASSERT_TRUE(::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0));

    CHeadlessProgress headless;
    std::wstring tree;
    EXPECT_EQ(WindowsCreatedDuring([&] { tree = CaptureAndDescribe(source, headless); }), 0);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE)) << "nothing was pumped";
    EXPECT_TRUE(m_app.m_messages.empty());

    std::wstring underDialog;
    EXPECT_GT(WindowsCreatedDuring([&] {
                  CDialogCaptureProgress dialog(nullptr);
                  underDialog = CaptureAndDescribe(source, dialog);
              }),
              0);
    EXPECT_EQ(tree, underDialog);
    // The tree is a real one: containers, nested and virtual, with their failures.
    for (const wchar_t* part : {L"\n  Inner | IStorage", L"\n    Deep | IStream", L"\n  b.txt | IStream",
                                L"コードページ\t932", L"エラー\tストリームを一時ファイルにコピーできません。"})
        EXPECT_NE(tree.find(part), std::wstring::npos) << part;
}
