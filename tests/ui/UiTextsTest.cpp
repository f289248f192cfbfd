// The ui layer's texts whose escapes the resource script could get wrong,
// against the literals they replaced.
#include "res/strings/ui.h"
#include "support/FormerLiteralTest.h"

INSTANTIATE_TEST_SUITE_P(
    Ui, FormerLiteralTest,
    testing::Values(FormerLiteral{IDS_DROP_ALL_CAPTION, kJapaneseUi, L"ここにドロップ\r\n(全形式)\r\n▼"},
                    FormerLiteral{IDS_DROP_CHOOSE_CAPTION, kJapaneseUi, L"ここにドロップ\r\n(形式を指定)\r\n▼"},
                    FormerLiteral{IDS_SNAPSHOT_CANNOT_OPEN, kJapaneseUi, L"スナップショットを開けません。\r\n%s\r\n%s"},
                    FormerLiteral{IDS_CHANGE_LEFT_ALONE_TITLE, kJapaneseUi,
                               L"%s（%02u:%02u:%02u の変更はソースの指定により取得していません）"}));
