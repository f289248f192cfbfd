// Identifiers of the texts of the capture layer, from 20000 to 20999.
// Plain defines, so that the resource script includes them too.
#pragma once

// Property rows. The keys of rows that code recognises end with their tab.
#define IDS_ERROR_ROW_KEY                   20000
#define IDS_FETCH_TIME_ROW_KEY              20001
#define IDS_CODE_PAGE_ROW                   20002   // code page number
#define IDS_FILE_NAME_ROW                   20003   // index, name
#define IDS_PARENT_FOLDER_ROW               20004   // parent folder's label

// Node types and names
#define IDS_TYPE_DISK_FILE                  20020
#define IDS_TYPE_DIRECTORY                  20021
#define IDS_TYPE_UNKNOWN                    20022
#define IDS_NAME_UNAVAILABLE                20023

// The clipboard
#define IDS_CLIPBOARD_SNAPSHOT_TITLE        20040   // sequence number
#define IDS_CANNOT_OPEN_CLIPBOARD           20041
#define IDS_CLIPBOARD_HELD                  20042   // window, class, caption, process ID
#define IDS_CLIPBOARD_HELD_BY_PROGRAM       20043   // window, class, caption, process ID, program path
#define IDS_PRIVACY_REQUEST                 20044   // said before data so marked is taken on purpose

// Error rows of nodes
#define IDS_NO_DATA                         20100
#define IDS_NO_DATA_GETDATA                 20101
#define IDS_NO_DATA_HGLOBAL_NULL            20102
#define IDS_NO_DATA_GLOBALLOCK              20103
#define IDS_NO_DATA_ISTREAM_NULL            20104
#define IDS_NO_DATA_ISTORAGE_NULL           20105
#define IDS_NO_DATA_ISHELLFOLDER_NULL       20106
#define IDS_UNSUPPORTED_TYMED               20107
#define IDS_UNSUPPORTED_TYPE                20108
#define IDS_UNKNOWN_TYPE                    20109
#define IDS_CANNOT_WRITE_TEMP_FILE          20110
#define IDS_COULD_NOT_WRITE_TEMP_FILE       20111
#define IDS_CANNOT_TAKE_FILE                20112
#define IDS_NO_STREAM_SIZE                  20113
#define IDS_CANNOT_COPY_STREAM              20114
#define IDS_FILE_MISSING                    20115
#define IDS_DROP_LIST_BROKEN                20116
#define IDS_DROP_LIST_TRUNCATED             20117
#define IDS_DESCRIPTORS_TRUNCATED           20118
#define IDS_ID_LIST_BROKEN                  20119
#define IDS_ID_LIST_ARRAY_BROKEN            20120
#define IDS_PARENT_ID_LIST_BROKEN           20121
#define IDS_STOPPED                         20122
#define IDS_STOPPED_OVER_BUDGET             20123
#define IDS_STOPPED_TOO_DEEP                20124

// A node's temporary file holds fewer bytes than the node, or cannot be read.
#define IDS_CANNOT_READ_TEMP_FILE           20140
#define IDS_CANNOT_READ_TEMP_FILE_OF        20141   // node label, error

// Snapshot files and dump folders. %s names an entry, %lu is GetLastError.
#define IDS_NOT_A_FOLDER                    20200
#define IDS_FOLDER_NOT_A_DUMP               20201
#define IDS_CANNOT_CREATE_FOLDER            20202   // error
#define IDS_CANNOT_REPLACE_FOLDER           20203   // error
#define IDS_CANNOT_CREATE_FILE              20204   // error
#define IDS_CANNOT_WRITE_FILE               20205   // error
#define IDS_CANNOT_REPLACE_FILE             20206   // error
#define IDS_CANNOT_OPEN_FILE                20207   // error
#define IDS_CANNOT_READ_FILE                20208
#define IDS_CANNOT_REGISTER_FORMAT          20209   // format name
#define IDS_CANNOT_CREATE_WORK_FILE         20210
#define IDS_CANNOT_WRITE_WORK_FILE          20211   // error
#define IDS_PICTURE_TOO_LARGE               20212
#define IDS_CANNOT_READ_PICTURE             20213
#define IDS_NOT_A_SNAPSHOT                  20214
#define IDS_FILE_TRUNCATED                  20215
#define IDS_ZIP_DIRECTORY_BROKEN            20216
#define IDS_TOO_MANY_ENTRIES                20217
#define IDS_ENTRY_HEADER_MISMATCH           20218
#define IDS_ENTRY_OVERLAPS                  20219
#define IDS_ENTRY_DUPLICATED                20220
#define IDS_ENTRY_NAME_UNSAFE               20221
#define IDS_ENTRY_ENCRYPTED                 20222
#define IDS_ENTRY_METHOD_UNSUPPORTED        20223
#define IDS_ENTRY_DATA_BROKEN               20224
#define IDS_ENTRY_CRC_MISMATCH              20225
#define IDS_ENTRY_SIZE_MISMATCH             20226
#define IDS_ENTRY_MISSING                   20227
#define IDS_ENTRY_NAMED_TWICE               20228
#define IDS_CANNOT_OPEN_ENTRY               20229   // entry, error
#define IDS_CANNOT_READ_ENTRY               20230   // error
#define IDS_MANIFEST_MISSING                20231
#define IDS_CANNOT_READ_MANIFEST            20232   // error
#define IDS_MANIFEST_NOT_JSON               20233
#define IDS_MANIFEST_TOO_LARGE              20234
#define IDS_MANIFEST_TOO_DEEP               20235
#define IDS_MANIFEST_NOT_A_SNAPSHOT         20236
#define IDS_SNAPSHOT_VERSION_UNSUPPORTED    20237   // version
#define IDS_MANIFEST_BAD_FIELD              20238   // field
#define IDS_MANIFEST_TOO_MANY_FORMAT_NAMES  20239   // the most registered names a file may give
#define IDS_NO_ROOM_FOR_SNAPSHOT            20240   // MB the nodes' bytes take
#define IDS_CANNOT_READ_FREE_SPACE          20241   // error
#define IDS_DUMP_ENTRY_NAME_UNEXPECTED      20242   // entry
#define IDS_SNAPSHOT_TOO_LARGE_TO_SAVE      20243   // MiB the manifest takes, MiB a manifest may take

// The replay log
#define IDS_PATHS_OF_COMPUTER               20300   // computer name

// Findings: the capture's own, and the names of the severities
#define IDS_CHECK_CAPTURE_ERROR             20320   // %1: the error line's message
#define IDS_CHECK_MISSING_FILE              20321   // %1: the path
#define IDS_SEVERITY_ERROR                  20330
#define IDS_SEVERITY_WARNING                20331
#define IDS_SEVERITY_NOTE                   20332
