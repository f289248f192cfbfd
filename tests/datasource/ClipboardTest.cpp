// The test data object placed on the real clipboard and read back through
// both the clipboard and OLE, as a reader of the clipboard meets it.
#include "support/NoLeakTest.h"
#include "framework/Clipboard.h"
#include "framework/StgMedium.h"
#include "support/TestDataObject.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ClipboardTest : public CNoLeakTest {
protected:
    void SetUp() override
    {
        CNoLeakTest::SetUp();
        m_format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Plexa Test Bytes"));
        ASSERT_NE(m_format, 0);
        m_source = CTestDataObject::Create();
        ASSERT_TRUE(m_source);
        m_source->Offer({.cf = m_format}, CTestMedium::Global(BytesOf("clipboard bytes")));
        ASSERT_EQ(::OleSetClipboard(m_source), S_OK);
    }
    void TearDown() override
    {
        // Emptying the clipboard must drop the platform's references first.
        EXPECT_EQ(::OleSetClipboard(nullptr), S_OK);
        m_source.Reset();
        CNoLeakTest::TearDown();
    }

    CLIPFORMAT m_format = 0;
    CComPtr<CTestDataObject> m_source;
};

TEST_F(ClipboardTest, GetClipboardDataRendersFromTheObject)
{
    EXPECT_EQ(::OleIsCurrentClipboard(m_source), S_OK);
    {
        CClipboard clipboard(nullptr);
        ASSERT_TRUE(clipboard);
        EXPECT_TRUE(::IsClipboardFormatAvailable(m_format));
        EXPECT_EQ(GlobalBytes(::GetClipboardData(m_format)), BytesOf("clipboard bytes"));
    }
    const auto& requests = m_source->Requests();
    EXPECT_TRUE(std::any_of(requests.begin(), requests.end(), [&](const CTestFormat& request) {
        return request.cf == m_format && (request.tymed & TYMED_HGLOBAL);
    })) << "the clipboard asks the object when the format is first read";
}

TEST_F(ClipboardTest, OleGetClipboardOffersAndDeliversTheFormat)
{
    CComPtr<IDataObject> clipboard;
    ASSERT_EQ(::OleGetClipboard(&clipboard), S_OK);

    CComPtr<IEnumFORMATETC> formatEnum;
    ASSERT_EQ(clipboard->EnumFormatEtc(DATADIR_GET, &formatEnum), S_OK);
    bool offered = false;
    FORMATETC format;
    while (formatEnum->Next(1, &format, nullptr) == S_OK) {
        offered = offered || format.cfFormat == m_format;
        ::CoTaskMemFree(format.ptd);
    }
    EXPECT_TRUE(offered);

    CStgMedium medium;
    FORMATETC request = CTestFormat{.cf = m_format}.ToFormatEtc();
    ASSERT_EQ(clipboard->GetData(&request, &medium), S_OK);
    ASSERT_EQ(medium.tymed, DWORD{TYMED_HGLOBAL});
    EXPECT_EQ(GlobalBytes(medium.hGlobal), BytesOf("clipboard bytes"));
}

}
