// What the hex dump's copy and export tell the user when they cannot do all
// that was asked.
#pragma once

inline constexpr wchar_t kHexNoClipboard[] = L"クリップボードにコピーできません。";
inline constexpr wchar_t kHexNoMemory[] = L"メモリ不足です。";
inline constexpr wchar_t kHexTooLarge[] =
    L"選択範囲が大きすぎるため、テキストとしてコピーできません。ファイルへ出力してください。";
inline constexpr wchar_t kHexTextTooLarge[] =
    L"選択範囲が大きすぎるため、テキストとしてはコピーできません。バイナリデータのみコピーしました。";
inline constexpr wchar_t kHexCannotWrite[] = L"ファイルに書き込めません";
inline constexpr wchar_t kHexUnreadable[] = L"データの一部を読み込めなかったため、読み込めた部分までを使いました。";
