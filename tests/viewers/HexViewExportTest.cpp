#include "tests/viewers/HexViewFixture.h"

#include "framework/Resource.h"
#include "res/resource.h"
#include "res/strings/viewers.h"
#include "support/TempDir.h"

#include <vector>

namespace {

struct ExportCase {
    const char* name;
    uint64_t size;
    int64_t available;
    bool selectAll;           // otherwise bytes 3 to 5 of line 0
    std::string expected;     // the file's bytes
    UINT message;             // the text shown; 0 for none
};

class HexViewExport : public HexViewTest, public ::testing::WithParamInterface<ExportCase> {
protected:
    CTempDir m_dir;
};

}

// The save dialog's answer comes through the seam; the writing is the real one.
TEST_P(HexViewExport, WritesExactlyTheSelectedBytesThatCouldBeRead)
{
    Show(GetParam().size, GetParam().available);
    if (GetParam().selectAll)
        Key('A', kCtrl);
    else
        Select({0, 15}, {0, 22});
    m_view.m_strExportPath = m_dir / L"出力.bin";
    ::SendMessageW(m_view, WM_COMMAND, ID_EXPORT_SELECTION, 0);
    EXPECT_EQ(ReadFileBytes(m_view.m_strExportPath), GetParam().expected);
    EXPECT_EQ(m_app.m_messages, GetParam().message ? std::vector{LoadResString(GetParam().message)}
                                                   : std::vector<std::wstring>{});
}

// 3 MiB and 5 bytes cross two 1 MiB chunk boundaries and end in a short chunk.
INSTANTIATE_TEST_SUITE_P(
    Selections, HexViewExport,
    ::testing::Values(ExportCase{"ThreeBytes", 64, INT64_MAX, false, SynthBytes(3, 3), 0},
                      ExportCase{"SeveralChunks", (3 << 20) + 5, INT64_MAX, true, SynthBytes(0, (3 << 20) + 5), 0},
                      ExportCase{"ShortSource", (2 << 20) + 9, (1 << 20) + 7, true, SynthBytes(0, (1 << 20) + 7),
                                 IDS_HEX_UNREADABLE}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HexViewTest, ExportToAFolderThatDoesNotExistSaysSo)
{
    Show(64);
    Key('A', kCtrl);
    const CTempDir dir;
    m_view.m_strExportPath = dir / L"無い\\出力.bin";
    ::SendMessageW(m_view, WM_COMMAND, ID_EXPORT_SELECTION, 0);
    EXPECT_EQ(m_app.m_messages, std::vector{LoadResString(IDS_HEX_CANNOT_WRITE)});
}

TEST_F(HexViewTest, CancelledOrEmptyExportWritesNothing)
{
    Show(64);
    Key('A', kCtrl);
    ::SendMessageW(m_view, WM_COMMAND, ID_EXPORT_SELECTION, 0);  // the dialog cancelled
    const CTempDir dir;
    m_view.m_strExportPath = dir / L"出力.bin";
    Select({0, 0}, {0, 4});  // offset column: no bytes
    ::SendMessageW(m_view, WM_COMMAND, ID_EXPORT_SELECTION, 0);
    EXPECT_FALSE(FileExists(m_view.m_strExportPath));
    EXPECT_TRUE(m_app.m_messages.empty());
}
