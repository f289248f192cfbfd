// The description header at the start of an "HTML Format" block: lines of
// "Name:value" (Version, StartHTML, EndHTML, StartFragment, EndFragment,
// StartSelection, EndSelection, SourceURL and others) whose offsets count
// bytes from the block's start.
#pragma once

#include "portable/ByteReaderLayout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The fields shown, in the order shown.
enum class HtmlField {
    Version, StartHtml, EndHtml, StartFragment, EndFragment, StartSelection, EndSelection, SourceUrl
};
inline constexpr int kHtmlFieldCount = 8;

// The field's name as the header spells it.
const char* HtmlFieldName(HtmlField field);

struct HtmlHeaderProblem {
    enum Kind {
        Missing,       // a required field is absent, or one of the selection's two without the other
        NotANumber,    // an offset field's value is no decimal number
        OutsideData,   // the offset is negative or past the end of the block
        InsideHeader,  // the offset points into the header lines
        OutOfOrder,    // `field` lies after `other`, which must not come before it
    };
    Kind kind;
    HtmlField field;
    HtmlField other = HtmlField::Version;
};

struct HtmlFormatHeader {
    // The raw value text (blanks trimmed) of each field found, in HtmlField order.
    std::vector<std::pair<HtmlField, std::string>> fields;
    // -1 is the "not given" value StartHTML and EndHTML may have; nullopt
    // when the field is absent or not a number.
    std::optional<int64_t> startHtml, endHtml, startFragment, endFragment;
    // Optional, but both or neither; inside the fragment.
    std::optional<int64_t> startSelection, endSelection;
    // Where the header lines end: the first byte of the first line that is no "Name:value".
    uint64_t headerEnd = 0;
    std::vector<HtmlHeaderProblem> problems;
    // [StartFragment, EndFragment) when both are there, inside the block and in order.
    std::optional<std::pair<uint64_t, uint64_t>> fragment;
};

// The value of an offset field as read; nullopt for the others, and when
// the field is absent or no number.
std::optional<int64_t> HtmlOffsetValue(const HtmlFormatHeader& header, HtmlField field);

// Reads the header from `head`, the first bytes of a block of `totalSize`
// bytes (the whole block or only its beginning), and checks every offset
// against the block's size and the others.
HtmlFormatHeader ReadHtmlFormatHeader(ByteSpan head, uint64_t totalSize);
