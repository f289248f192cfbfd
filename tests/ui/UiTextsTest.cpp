// The ui layer's texts whose escapes the resource script could get wrong,
// against the literals they replaced.
#include "framework/Resource.h"
#include "res/strings/ui.h"

#include <gtest/gtest.h>

namespace {

struct UiTextCase {
    UINT id;
    const wchar_t* japanese;
};

class UiTextTest : public testing::TestWithParam<UiTextCase> {};

}

TEST_P(UiTextTest, JapaneseTextIsTheFormerLiteral)
{
    EXPECT_EQ(LoadResStringIn(GetParam().id, kJapaneseUi), GetParam().japanese);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UiTextTest,
    testing::Values(UiTextCase{IDS_DROP_ALL_CAPTION, L"ここにドロップ\r\n(全形式)\r\n▼"},
                    UiTextCase{IDS_DROP_CHOOSE_CAPTION, L"ここにドロップ\r\n(形式を指定)\r\n▼"},
                    UiTextCase{IDS_SNAPSHOT_CANNOT_OPEN, L"スナップショットを開けません。\r\n%s\r\n%s"},
                    UiTextCase{IDS_CHANGE_LEFT_ALONE_TITLE,
                               L"%s（%02u:%02u:%02u の変更はソースの指定により取得していません）"}));
