// What each format a source marks its data with for clipboard monitors asks,
// as the property page reads it from the captured bytes.
#include "capture/ClipboardPrivacy.h"
#include "support/NodeTestBase.h"
#include "viewers/PrivacyFormatRows.h"

namespace {

using PrivacyFormatRowsTest = CNodeTestBase;

}

TEST_F(PrivacyFormatRowsTest, SaysWhatEachFormatAsks)
{
    const struct {
        const wchar_t* format;
        std::string bytes;
        const wchar_t* row;  // null: none
    } cases[] = {
        {kExcludeFromMonitorsFormat, "", L"意味\tクリップボード監視と履歴に取得しないよう求めています"},
        {kClipboardHistoryFormat, std::string("\0\0\0\0", 4), L"意味\t0: クリップボード履歴に残さないよう求めています"},
        {kClipboardHistoryFormat, std::string("\1\0\0\0", 4), L"意味\t1: クリップボード履歴に残してかまいません"},
        {kCloudClipboardFormat, std::string("\0\0\0\0", 4), L"意味\t0: クラウドクリップボードに送らないよう求めています"},
        {kCloudClipboardFormat, std::string("\7\0\0\0\0", 5), L"意味\t7（0 でも 1 でもない値）"},
        {kCloudClipboardFormat, std::string("\1\0", 2), L"意味\tDWORD がありません（4 バイト未満）"},
        {L"Plexa Other Format", std::string("\0\0\0\0", 4), nullptr},
    };
    for (const auto& c : cases) {
        auto node = NodeWith(c.bytes);
        node->m_fmt.cfFormat = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(c.format));
        CStringArray rows;
        AddPrivacyFormatRows(*node, rows);
        EXPECT_EQ(rows, c.row ? CStringArray{c.row} : CStringArray{}) << c.format << " " << c.bytes.size();
    }
}
