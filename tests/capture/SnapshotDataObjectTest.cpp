// The data object that offers a snapshot again: capturing it gives the
// snapshot back, every medium and node kind alike, and it answers targets as
// the platform's own data objects do.
#include "support/EveryKindOfSource.h"
#include "support/TreeDescription.h"

#include "capture/SnapshotDataObject.h"
#include "framework/Resource.h"
#include "framework/StgMedium.h"
#include "res/strings/capture.h"
#include "support/CaptureEverything.h"
#include "support/NoLeakTest.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class SnapshotDataObjectTest : public CNoLeakTest {
protected:
    void SetUp() override
    {
        CNoLeakTest::SetUp();
        m_app.ClaimWorkFolder();
        m_snapshot = std::make_shared<CCBDataArray>(CaptureEverything(EveryKindOfSource(m_dropped.Path()), m_app));
    }

    std::vector<const CCBData*> Everything() const
    {
        std::vector<const CCBData*> nodes;
        for (const auto& node : *m_snapshot)
            nodes.push_back(node.get());
        return nodes;
    }

    CTestApp m_app;
    CTempDir m_dropped;
    std::shared_ptr<CCBDataArray> m_snapshot;
};

}

TEST_F(SnapshotDataObjectTest, CapturingTheReplayGivesTheSnapshotBackLessTheFormatsThatFailed)
{
    CStringArray leftOut;
    const CCBDataArray replayed = CaptureEverything(CSnapshotDataObject::Create(m_snapshot, Everything(), &leftOut), m_app);
    EXPECT_EQ(leftOut, (CStringArray{L"49681", L"CF_DIB"})) << "the stream that broke off and the refused bitmap";

    std::erase_if(*m_snapshot, [&](const auto& node) {
        return std::find(leftOut.begin(), leftOut.end(), node->GetLabel()) != leftOut.end();
    });
    EXPECT_EQ(DescribeTree(replayed), DescribeTree(*m_snapshot));
    EXPECT_NE(DescribeTree(replayed).find(L"inner.txt"), std::wstring::npos) << "the drop list's folder was walked";
}

TEST_F(SnapshotDataObjectTest, AnswersTargetsAsThePlatformsDataObjectsDo)
{
    const CComPtr<CSnapshotDataObject> object = CSnapshotDataObject::Create(m_snapshot, Everything());
    FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(object->QueryGetData(&text), S_OK);
    FORMATETC asStream = text;
    asStream.tymed = TYMED_ISTREAM;
    CStgMedium none;
    EXPECT_EQ(object->GetData(&asStream, &none), DV_E_FORMATETC) << "offered on memory only";
    FORMATETC refused{CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(object->QueryGetData(&refused), DV_E_FORMATETC) << "a format that failed is not offered";

    // What a target sets is kept and given back, as "Performed DropEffect" is.
    const auto performed = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Performed DropEffect"));
    FORMATETC effect{performed, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM set{TYMED_HGLOBAL};
    set.hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD));
    *static_cast<DWORD*>(CGlobalLock(set.hGlobal).Get()) = DROPEFFECT_COPY;
    EXPECT_EQ(object->SetData(&effect, &set, TRUE), S_OK);
    CStgMedium got;
    ASSERT_EQ(object->GetData(&effect, &got), S_OK);
    EXPECT_EQ(*static_cast<DWORD*>(CGlobalLock(got.hGlobal).Get()), DWORD{DROPEFFECT_COPY});

    // GetDataHere fills the caller's block, and says so when it is too small.
    STGMEDIUM here{TYMED_HGLOBAL};
    here.hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, 16);
    EXPECT_EQ(object->GetDataHere(&text, &here), S_OK);
    EXPECT_EQ(std::string(static_cast<const char*>(CGlobalLock(here.hGlobal).Get()), 4), "text");
    ::GlobalFree(here.hGlobal);
    here.hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, 2);
    EXPECT_EQ(object->GetDataHere(&text, &here), STG_E_MEDIUMFULL);
    ::GlobalFree(here.hGlobal);
}

TEST_F(SnapshotDataObjectTest, GetDataHereWritesOnlyIntoTheMediumTheNodeIsServedOn)
{
    const CComPtr<CSnapshotDataObject> object = CSnapshotDataObject::Create(m_snapshot, Everything());
    const auto contents = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"FileContents"));
    const struct {
        CLIPFORMAT format;
        LONG index;
        DWORD served;
    } nodes[] = {{CF_TEXT, -1, TYMED_HGLOBAL}, {0xC210, -1, TYMED_ISTREAM},  {0xC212, -1, TYMED_ISTORAGE},
                 {contents, 0, TYMED_HGLOBAL}, {contents, 1, TYMED_ISTREAM}};
    for (const auto& node : nodes) {
        for (const DWORD handed : {TYMED_HGLOBAL, TYMED_ISTREAM, TYMED_ISTORAGE}) {
            const DWORD any = TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_ISTORAGE;
            FORMATETC format{node.format, nullptr, DVASPECT_CONTENT, node.index, any};
            CStgMedium medium;
            medium.tymed = handed;
            medium.hGlobal = handed == TYMED_HGLOBAL ? ::GlobalAlloc(GMEM_MOVEABLE, 4096) : nullptr;
            if (handed == TYMED_ISTREAM)
                ::CreateStreamOnHGlobal(nullptr, TRUE, &medium.pstm);
            if (handed == TYMED_ISTORAGE)
                ::StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE,
                                   0, &medium.pstg);
            EXPECT_EQ(HResultName(object->GetDataHere(&format, &medium)),
                      HResultName(handed == node.served ? S_OK : DV_E_TYMED))
                << node.format << " " << node.index << " into TYMED " << handed;
        }
    }
}

TEST_F(SnapshotDataObjectTest, TheLogShowsEachCallATargetMakesWithItsResult)
{
    const CComPtr<CSnapshotDataObject> object = CSnapshotDataObject::Create(m_snapshot, Everything());
    std::vector<std::wstring> log;
    object->SetLog([&](const CReplayCall& call) {
        log.push_back(call.method + L" | " + call.format + L" | " + HResultName(call.result) + L" | " +
                      std::to_wstring(call.bytes) + L" | " + call.value);
    });
    CComPtr<IEnumFORMATETC> formats;
    object->EnumFormatEtc(DATADIR_GET, &formats);
    FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    object->QueryGetData(&text);
    CStgMedium memory;
    object->GetData(&text, &memory);
    FORMATETC stream{0xC210, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
    CStgMedium streamed;
    object->GetData(&stream, &streamed);
    FORMATETC refused{CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    object->QueryGetData(&refused);
    FORMATETC effect{static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Performed DropEffect")), nullptr,
                     DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM set{TYMED_HGLOBAL};
    set.hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD));
    *static_cast<DWORD*>(CGlobalLock(set.hGlobal).Get()) = DROPEFFECT_COPY;
    object->SetData(&effect, &set, TRUE);

    EXPECT_EQ(log, (std::vector<std::wstring>{
                       L"EnumFormatEtc |  | S_OK | 0 | ",
                       L"QueryGetData | CF_TEXT CONTENT -1 HGLOBAL | S_OK | 0 | ",
                       L"GetData | CF_TEXT CONTENT -1 HGLOBAL | S_OK | 4 | ",
                       L"GetData | 49680 CONTENT -1 ISTREAM | S_OK | 3000 | ",
                       L"QueryGetData | CF_DIB CONTENT -1 HGLOBAL | DV_E_FORMATETC | 0 | ",
                       L"SetData | CFSTR_PERFORMEDDROPEFFECT CONTENT -1 HGLOBAL | S_OK | 4 | 1 (COPY)",
                   }));
}

TEST_F(SnapshotDataObjectTest, TheLogSaysWhenADropListNamesPathsOfAnotherMachine)
{
    auto snapshot = std::make_shared<CCBDataArray>();
    auto drop = std::make_unique<CCBData>();
    drop->m_fmt = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    drop->m_tymedActual = TYMED_HGLOBAL;
    const CFileHandle file = m_app.CreateTempFile(drop->m_strTempFile);
    const CCBData* dropList = snapshot->emplace_back(std::move(drop)).get();
    const CComPtr<CSnapshotDataObject> object = CSnapshotDataObject::Create(snapshot, {dropList});
    std::vector<std::wstring> values;
    object->SetLog([&](const CReplayCall& call) { values.push_back(call.value); });
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    CStgMedium here;
    ASSERT_EQ(object->GetData(&format, &here), S_OK);
    object->SetTakenElsewhere(L"開発機");
    CStgMedium elsewhere;
    ASSERT_EQ(object->GetData(&format, &elsewhere), S_OK);
    EXPECT_EQ(values, (std::vector<std::wstring>{L"", FormatResString(IDS_PATHS_OF_COMPUTER, L"開発機")}));
}

TEST_F(SnapshotDataObjectTest, AFormatThatFailedIsNotOfferedWhateverTheLanguageOfItsErrorRow)
{
    auto snapshot = std::make_shared<CCBDataArray>();
    std::vector<const CCBData*> chosen;
    for (const auto& [format, language] : {std::pair{CF_TEXT, kJapaneseUi}, std::pair{CF_OEMTEXT, kEnglishUi}}) {
        auto node = std::make_unique<CCBData>();
        node->m_fmt = {static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        node->m_tymedActual = TYMED_HGLOBAL;
        const CFileHandle file = m_app.CreateTempFile(node->m_strTempFile);
        node->m_arrInfo = {LoadResStringIn(IDS_ERROR_ROW_KEY, language) + L"cut short"};
        chosen.push_back(snapshot->emplace_back(std::move(node)).get());
    }
    CStringArray leftOut;
    CSnapshotDataObject::Create(snapshot, chosen, &leftOut);
    EXPECT_EQ(leftOut, (CStringArray{L"CF_TEXT", L"CF_OEMTEXT"}));
}
