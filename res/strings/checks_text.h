// Identifiers of the messages of the text formats' checks, from 24000 to 24299.
// Plain defines, so that the resource script includes them too.
#pragma once

// "HTML Format"
#define IDS_CHECK_HTML_FIELD_MISSING        24000   // field
#define IDS_CHECK_HTML_FIELD_NOT_NUMBER     24001   // field
#define IDS_CHECK_HTML_FIELD_UNPAIRED       24002   // field given, field missing
#define IDS_CHECK_HTML_OFFSET_OUTSIDE       24003   // field, its value, the block's size
#define IDS_CHECK_HTML_OFFSET_ORDER         24004   // field, its value, the field it lies after, that one's value
#define IDS_CHECK_HTML_OFFSET_IN_HEADER     24005   // field, its value, where the header ends
#define IDS_CHECK_HTML_COMMENT_MISSING      24006   // the comment
#define IDS_CHECK_HTML_COMMENT_OFFSET       24007   // field, its value, the comment's offset
#define IDS_CHECK_HTML_COMMENT_LINE_BREAKS  24008   // field, its value, the comment's offset, line breaks before it
#define IDS_CHECK_HTML_CHARACTER_OFFSETS    24009   // field, the right byte offset, its value
#define IDS_CHECK_HTML_NOT_UTF8             24010
#define IDS_CHECK_HTML_DATA_AFTER_END       24011   // EndHTML's value

// CF_TEXT, CF_OEMTEXT and CF_UNICODETEXT
#define IDS_CHECK_TEXT_ODD_LENGTH           24040   // size
#define IDS_CHECK_TEXT_NO_TERMINATOR        24041
#define IDS_CHECK_TEXT_DATA_AFTER_END       24042   // bytes after the terminator
#define IDS_CHECK_TEXT_UNPAIRED_SURROGATE   24043   // count
#define IDS_CHECK_TEXT_LONE_LINE_FEED       24044   // count

// "Rich Text Format"
#define IDS_CHECK_RTF_NOT_RTF               24060
#define IDS_CHECK_RTF_UNCLOSED              24061   // groups left open
#define IDS_CHECK_RTF_EXTRA_CLOSE           24062   // where the outermost group closed

// The four-byte formats
#define IDS_CHECK_DWORD_SHORT               24080   // size
#define IDS_CHECK_DWORD_LONG                24081   // size
#define IDS_CHECK_DROPEFFECT_VALUE          24082   // value, its undefined bits

// "UniformResourceLocator" and "UniformResourceLocatorW"
#define IDS_CHECK_URL_NO_TERMINATOR         24100
#define IDS_CHECK_URL_EMPTY                 24101
#define IDS_CHECK_URL_SCHEME                24102
#define IDS_CHECK_URL_BLANK                 24103

// "Web Custom Format Map"
#define IDS_CHECK_WEBCUSTOM_SYNTAX          24120
#define IDS_CHECK_WEBCUSTOM_NOT_OBJECT      24121
#define IDS_CHECK_WEBCUSTOM_KEY             24122   // key
#define IDS_CHECK_WEBCUSTOM_VALUE           24123   // key
#define IDS_CHECK_WEBCUSTOM_MISSING         24124   // key, format name
