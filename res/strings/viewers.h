// Identifiers of the texts of the viewers layer, from 21000 to 21999.
// Plain defines, so that the resource script includes them too.
#pragma once

// Names of the property page's rows
#define IDS_ROW_FORMAT                  21000
#define IDS_ROW_INDEX                   21001
#define IDS_ROW_SIZE                    21002
#define IDS_ROW_ASPECT                  21003
#define IDS_ROW_TYMED                   21004
#define IDS_ROW_ACTUAL_TYMED            21005
#define IDS_ROW_TYPE                    21006
#define IDS_ROW_NAME                    21007
#define IDS_ROW_DISPLAY_NAME            21008
#define IDS_ROW_OWNER_WINDOW            21009
#define IDS_ROW_WINDOW_CLASS            21010
#define IDS_ROW_WINDOW_NAME             21011
#define IDS_ROW_PROCESS_ID              21012
#define IDS_ROW_EXECUTABLE              21013
#define IDS_ROW_SEQUENCE_NUMBER         21014
#define IDS_ROW_SOURCE_DROP_EFFECTS     21015
#define IDS_ROW_ASYNC_TRANSFER          21016
#define IDS_ROW_TAKEN                   21017
#define IDS_ROW_FINISHED                21018
#define IDS_ROW_PRIVACY_REQUEST         21019
#define IDS_ROW_MEANING                 21020
#define IDS_ROW_TOLD_SOURCE             21021

// Values of the property page's rows
#define IDS_OWNER_NONE                  21100
#define IDS_OWNER_PROCESS_UNREADABLE    21101  // %lu: the error number
#define IDS_ASYNC_NOT_OFFERED           21102
#define IDS_ASYNC_OFF                   21103
#define IDS_ASYNC_START_FAILED          21104
#define IDS_ASYNC_USED                  21105
#define IDS_PRIVACY_REQUEST_OVERRIDDEN  21106
#define IDS_MOVE_ONLY_TOLD_NONE         21107
#define IDS_PRIVACY_EXCLUDE_MONITORS    21107
#define IDS_PRIVACY_HISTORY_NO          21108
#define IDS_PRIVACY_HISTORY_YES         21109
#define IDS_PRIVACY_CLOUD_NO            21110
#define IDS_PRIVACY_CLOUD_YES           21111
#define IDS_PRIVACY_NO_DWORD            21112
#define IDS_PRIVACY_OTHER_VALUE         21113  // %lu: the value
// %s: the field as written, e.g. "EndHTML (0000000999)"
#define IDS_HTML_FIELD_MISSING          21114
#define IDS_HTML_FIELD_NOT_A_NUMBER     21115
#define IDS_HTML_FIELD_OUTSIDE_DATA     21116
#define IDS_HTML_FIELD_INSIDE_HEADER    21117
#define IDS_HTML_FIELD_OUT_OF_ORDER     21118  // %s points past the second %s

// The property page
#define IDS_PROPERTY_COLUMN_NAME        21200
#define IDS_PROPERTY_COLUMN_VALUE       21201
#define IDS_PROPERTY_NO_CLIPBOARD       21202
#define IDS_VIEWER_NO_MEMORY            21203  // copying from the property or HEX page

// The HEX page
#define IDS_HEX_NO_CLIPBOARD            21300
#define IDS_HEX_TOO_LARGE               21301
#define IDS_HEX_TEXT_TOO_LARGE          21302
#define IDS_HEX_CANNOT_WRITE            21303
#define IDS_HEX_UNREADABLE              21304
#define IDS_HEX_FIND_HEX_DIGITS         21305
#define IDS_HEX_FIND_EMPTY              21306
#define IDS_HEX_NOT_FOUND               21307
#define IDS_HEX_SEARCHING               21308

// The progress dialog
#define IDS_PROGRESS_STOPPING           21400
#define IDS_PROGRESS_BYTES              21401  // %llu percent, %llu MB done, %llu MB in all

// The text page and its code-page list
#define IDS_TEXT_TOO_LARGE              21500  // %llu: the largest byte count shown
#define IDS_TEXT_UNREADABLE             21501
#define IDS_TEXT_CANNOT_CONVERT         21502  // %d: the code page
#define IDS_TEXT_NO_MEMORY              21503
#define IDS_TEXT_REPORT                 21504  // %s: IDS_TEXT_NUL_*, %s: IDS_LINE_BREAKS_*
#define IDS_TEXT_NUL_FOUND              21505
#define IDS_TEXT_NUL_NONE               21506
#define IDS_LINE_BREAKS_NONE            21507
#define IDS_LINE_BREAKS_CRLF            21508
#define IDS_LINE_BREAKS_LF_ONLY         21509
#define IDS_LINE_BREAKS_CR_ONLY         21510
#define IDS_LINE_BREAKS_MIXED           21511
#define IDS_CODE_PAGE_NO_SEMICOLON      21512

// The image page
#define IDS_IMAGE_SIZE                  21600  // %u×%u pixels
#define IDS_IMAGE_SIZE_DEPTH            21601  // %u×%u pixels, %u bits per pixel

// The checks page
#define IDS_ROW_CHECKS                  21700
#define IDS_CHECKS_COUNTS               21701  // %u errors, %u warnings, %u notes
#define IDS_CHECKS_COLUMN_SEVERITY      21702
#define IDS_CHECKS_COLUMN_ID            21703
#define IDS_CHECKS_COLUMN_WHERE         21704
#define IDS_CHECKS_COLUMN_MESSAGE       21705
#define IDS_CHECKS_AT                   21706  // %llX: the offset
#define IDS_CHECKS_AT_LENGTH            21707  // %llX: the offset, %llu: the length
