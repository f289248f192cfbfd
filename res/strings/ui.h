// Identifiers of the texts of the ui layer, from 22000 to 22999.
// Plain defines, so that the resource script includes them too.
#pragma once

// The main frame
#define IDS_DROP_ALL_CAPTION            22000
#define IDS_DROP_CHOOSE_CAPTION         22001
#define IDS_CHANGE_LEFT_ALONE_TITLE     22002   // %s: the title, %02u: the hour, minute, second

// The document
#define IDS_DROP_TITLE                  22010   // %02d: the hour, minute, second
#define IDS_CAPTURE_STOPPED             22011
#define IDS_TAKE_IT_QUESTION            22012   // follows the source's request to be left alone
#define IDS_SNAPSHOT_FILE_TYPE          22013
#define IDS_LOADING                     22014
#define IDS_SAVING                      22015
#define IDS_SNAPSHOT_CANNOT_OPEN        22016   // %s: the path, %s: why
#define IDS_SNAPSHOT_CANNOT_SAVE        22017   // %s: the path, %s: why
#define IDS_CANNOT_PUT_BACK             22018   // %08lX: the HRESULT

// The tree's context menu
#define IDS_NO_DATA_TO_SAVE             22030
#define IDS_SAVE_NODE_CANNOT_WRITE      22031

// The replay log: its column headings, in order, then its texts
#define IDS_REPLAY_COLUMN_TIME          22040
#define IDS_REPLAY_COLUMN_METHOD        22041
#define IDS_REPLAY_COLUMN_FORMAT        22042
#define IDS_REPLAY_COLUMN_RESULT        22043
#define IDS_REPLAY_COLUMN_BYTES         22044
#define IDS_REPLAY_COLUMN_VALUE         22045
#define IDS_REPLAY_LEFT_OUT             22046   // %s: the formats' names
#define IDS_REPLAY_CANNOT_OPEN_CLIPBOARD 22047
