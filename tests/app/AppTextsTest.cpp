// The app layer's texts whose escapes the resource script could get wrong,
// against the literals they replaced.
#include "res/strings/app.h"
#include "support/FormerLiteralTest.h"

INSTANTIATE_TEST_SUITE_P(
    App, FormerLiteralTest,
    testing::Values(
        FormerLiteral{IDS_CMDLINE_HELP, kJapaneseUi,
                    L"Plexa.exe [ファイル.plexa]\r\n"
                    L"    ウィンドウを開きます。ファイルを指定するとそのスナップショットを開きます。\r\n"
                    L"Plexa.exe /dump フォルダー [/json] [/force]\r\n"
                    L"    クリップボードを取得し、manifest.json とノードごとのファイルとしてフォルダーに書き出します。\r\n"
                    L"Plexa.exe /save ファイル.plexa [/force]\r\n"
                    L"    クリップボードを取得し、スナップショットファイルに保存します。\r\n"
                    L"    クリップボード監視から除外するよう指定されたデータは /force を付けたときだけ取得します。\r\n"
                    L"Plexa.exe /load ファイル.plexa [/hold 秒]\r\n"
                    L"    スナップショットをクリップボードに置き、他のプログラムが置き換えるまで、または指定の秒数（既定 30）\r\n"
                    L"    の間提供したあと、描画できる形式を残して終了します。/hold 0 ですぐに残して終了します。\r\n"
                    L"Plexa.exe /compare A B [/json]\r\n"
                    L"    二つのスナップショット（ファイルまたはダンプフォルダー）を形式ごとに比較します。\r\n"
                    L"Plexa.exe ... /lang ja|en\r\n"
                    L"    ウィンドウとメッセージを日本語 (ja) または英語 (en) にします。どの使い方にも付けられます。\r\n"
                    L"    付けないときは Windows の表示言語に従います。\r\n"
                    L"\r\n"
                    L"終了コード: 0 完了、1 相違がある・クリップボードが空、2 引数の誤り・ファイルを読めない・取得の失敗、\r\n"
                    L"3 監視から除外するよう指定されたデータ（/force なし）\r\n"},
        FormerLiteral{IDS_DUMP_CANNOT_WRITE, kJapaneseUi, L"ダンプを書き出せません。%s\r\n%s"},
        FormerLiteral{IDS_LOAD_CANNOT_SET, kJapaneseUi, L"クリップボードに置けません（0x%08lX）。"},
        FormerLiteral{IDS_VERSION_LINE, kJapaneseUi, L"Version %s (%ubit版)"}));
