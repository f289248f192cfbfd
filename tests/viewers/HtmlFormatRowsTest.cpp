#include "support/NodeTestBase.h"
#include "viewers/PropertyRows.h"

#include <algorithm>

namespace {

class HtmlFormatRowsTest : public CNodeTestBase {
protected:
    // The rows that GetNodeRows adds after the node's own, for a node of `format`.
    CStringArray HeaderRows(const std::string& bytes, const wchar_t* format = L"HTML Format")
    {
        auto node = NodeWith(bytes);
        node->m_fmt = {static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(format)), nullptr, DVASPECT_CONTENT, -1,
                       TYMED_HGLOBAL};
        node->m_tymedActual = TYMED_HGLOBAL;
        CStringArray rows;
        GetNodeRows(*node, rows);
        // フォーマット, サイズ, Aspect, Tymed come first.
        rows.erase(rows.begin(), rows.begin() + std::min<size_t>(4, rows.size()));
        return rows;
    }
};

}

TEST_F(HtmlFormatRowsTest, ListsTheHeaderAndItsErrors)
{
    struct Case {
        const char* name;
        std::string bytes;
        CStringArray rows;
    };
    const Case cases[] = {
        {"as browsers write it",
         "Version:0.9\r\nStartHTML:0000000139\r\nEndHTML:0000000149\r\nStartFragment:0000000142\r\n"
         "EndFragment:0000000145\r\nSourceURL:https://example.jp/\xE6\x97\xA5\r\n<p>abc</p>",
         {L"Version\t0.9", L"StartHTML\t0000000139", L"EndHTML\t0000000149", L"StartFragment\t0000000142",
          L"EndFragment\t0000000145", L"SourceURL\thttps://example.jp/日"}},
        {"offsets outside and out of order",
         "Version:1.0\nStartHTML:70\nEndHTML:900\nStartFragment:80\nEndFragment:75\n" + std::string(30, 'h'),
         {L"Version\t1.0", L"StartHTML\t70", L"EndHTML\t900", L"StartFragment\t80", L"EndFragment\t75",
          L"エラー\tEndHTML (900) がデータの外を指しています",
          L"エラー\tStartFragment (80) が EndFragment (75) より後ろを指しています"}},
        {"no header", "<html>",
         {L"エラー\tVersion がありません", L"エラー\tStartHTML がありません", L"エラー\tEndHTML がありません",
          L"エラー\tStartFragment がありません", L"エラー\tEndFragment がありません"}},
        {"not a number and into the header",
         "Version:0.9\nStartHTML:abc\nEndHTML:-1\nStartFragment:5\nEndFragment:70\n" + std::string(20, 'h'),
         {L"Version\t0.9", L"StartHTML\tabc", L"EndHTML\t-1", L"StartFragment\t5", L"EndFragment\t70",
          L"エラー\tStartHTML (abc) が数値ではありません", L"エラー\tStartFragment (5) がヘッダーの中を指しています"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HeaderRows(c.bytes), c.rows) << c.name;
}

TEST_F(HtmlFormatRowsTest, OtherFormatsGetNoHeaderRows)
{
    EXPECT_TRUE(HeaderRows("Version:0.9\nStartHTML:1\n", L"Plexa Test Html").empty());
}
