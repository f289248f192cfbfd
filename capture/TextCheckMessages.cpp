// The messages of the text formats' checks, by id and variant.
#include "capture/FindingText.h"
#include "res/strings/checks_text.h"

namespace {

constexpr CheckMessage kMessages[] = {
    {"html.header-field", "missing", IDS_CHECK_HTML_FIELD_MISSING},
    {"html.header-field", "not-number", IDS_CHECK_HTML_FIELD_NOT_NUMBER},
    {"html.header-field", "unpaired", IDS_CHECK_HTML_FIELD_UNPAIRED},
    {"html.offset-outside", "", IDS_CHECK_HTML_OFFSET_OUTSIDE},
    {"html.offset-order", "", IDS_CHECK_HTML_OFFSET_ORDER},
    {"html.offset-order", "header", IDS_CHECK_HTML_OFFSET_IN_HEADER},
    {"html.fragment-markers", "missing", IDS_CHECK_HTML_COMMENT_MISSING},
    {"html.fragment-markers", "offset", IDS_CHECK_HTML_COMMENT_OFFSET},
    {"html.fragment-markers", "line-breaks", IDS_CHECK_HTML_COMMENT_LINE_BREAKS},
    {"html.character-offsets", "", IDS_CHECK_HTML_CHARACTER_OFFSETS},
    {"html.not-utf8", "", IDS_CHECK_HTML_NOT_UTF8},
    {"html.data-after-end", "", IDS_CHECK_HTML_DATA_AFTER_END},

    {"text.odd-length", "", IDS_CHECK_TEXT_ODD_LENGTH},
    {"text.no-terminator", "", IDS_CHECK_TEXT_NO_TERMINATOR},
    {"text.data-after-terminator", "", IDS_CHECK_TEXT_DATA_AFTER_END},
    {"text.unpaired-surrogate", "", IDS_CHECK_TEXT_UNPAIRED_SURROGATE},
    {"text.lone-line-feed", "", IDS_CHECK_TEXT_LONE_LINE_FEED},

    {"rtf.not-rtf", "", IDS_CHECK_RTF_NOT_RTF},
    {"rtf.unbalanced", "unclosed", IDS_CHECK_RTF_UNCLOSED},
    {"rtf.unbalanced", "extra-close", IDS_CHECK_RTF_EXTRA_CLOSE},

    {"dword.size", "short", IDS_CHECK_DWORD_SHORT},
    {"dword.size", "long", IDS_CHECK_DWORD_LONG},
    {"dropeffect.value", "", IDS_CHECK_DROPEFFECT_VALUE},

    {"url.no-terminator", "", IDS_CHECK_URL_NO_TERMINATOR},
    {"url.syntax", "empty", IDS_CHECK_URL_EMPTY},
    {"url.syntax", "scheme", IDS_CHECK_URL_SCHEME},
    {"url.syntax", "blank", IDS_CHECK_URL_BLANK},

    {"webcustom.map", "syntax", IDS_CHECK_WEBCUSTOM_SYNTAX},
    {"webcustom.map", "not-object", IDS_CHECK_WEBCUSTOM_NOT_OBJECT},
    {"webcustom.map", "key", IDS_CHECK_WEBCUSTOM_KEY},
    {"webcustom.map", "value", IDS_CHECK_WEBCUSTOM_VALUE},
    {"webcustom.missing", "", IDS_CHECK_WEBCUSTOM_MISSING},
};

}  // namespace

const std::span<const CheckMessage> kTextCheckMessages = kMessages;
