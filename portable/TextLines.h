// The line breaks of decoded text: counted by kind, made uniform for the
// edit control, and classified for the text page's report line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct LineBreakCounts {
    size_t crlf = 0;  // CR followed by LF, the pair once
    size_t cr = 0;    // CR not followed by LF
    size_t lf = 0;    // LF not preceded by CR
};
LineBreakCounts CountLineBreaks(std::wstring_view text);

// Every lone CR and lone LF turned into CR LF; pairs stay as they are.
std::wstring ToCrLf(std::wstring_view text);

// What the report line says of the line breaks: none, one kind only, or a
// mix of kinds.
enum class LineBreakKind { None, CrLf, LfOnly, CrOnly, Mixed };
LineBreakKind ClassifyLineBreaks(const LineBreakCounts& counts);
