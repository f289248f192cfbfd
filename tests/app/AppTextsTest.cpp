// The app layer's texts whose escapes the resource script could get wrong,
// against the literals they replaced.
#include "res/strings/app.h"
#include "support/FormerLiteralTest.h"

INSTANTIATE_TEST_SUITE_P(
    App, FormerLiteralTest,
    testing::Values(
        FormerLiteral{IDS_DUMP_CANNOT_WRITE, kJapaneseUi, L"ダンプを書き出せません。%s\r\n%s"},
        FormerLiteral{IDS_LOAD_CANNOT_SET, kJapaneseUi, L"クリップボードに置けません（0x%08lX）。"},
        FormerLiteral{IDS_VERSION_LINE, kJapaneseUi, L"Version %s (%ubit版)"}));
