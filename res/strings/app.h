// Identifiers of the texts of the app layer, from 23000 to 23999.
// Plain defines, so that the resource script includes them too.
#pragma once

// The command line: its help and what is wrong with the arguments
#define IDS_CMDLINE_HELP                23000
#define IDS_CMDLINE_SEE_HELP            23001
#define IDS_CMDLINE_HOLD_SECONDS        23002   // %d: the longest hold
#define IDS_CMDLINE_ONE_COMMAND         23003
#define IDS_CMDLINE_UNKNOWN_OPTION      23004   // %s: the option as given
#define IDS_CMDLINE_NO_COMMAND          23005
#define IDS_CMDLINE_PATH_COUNT          23006   // %s: the command, %u: its number of paths
#define IDS_CMDLINE_HOLD_ONLY_LOAD      23007
#define IDS_CMDLINE_JSON_ONLY           23008
#define IDS_CMDLINE_FORCE_ONLY          23009
#define IDS_CMDLINE_LANG_VALUE          23010
#define IDS_CMDLINE_PATH_AT_MOST        23011   // %s: the command, %u: the most paths it takes
#define IDS_CMDLINE_STRICT_ONLY         23012

// Start-up, the settings and the version dialog
#define IDS_WORK_FILE_CANNOT_OPEN       23020   // %s: the marker file; a message box
#define IDS_WORK_FILE_CANNOT_OPEN_LINE  23021   // the same as a line of standard error
#define IDS_OLE_CANNOT_START            23022
#define IDS_DELETE_SETTINGS_QUESTION    23023
#define IDS_VERSION_LINE                23024   // %s: the version, %u: the pointer width in bits

// The headless commands' lines
#define IDS_SUMMARY                     23040   // %s: the file or folder, %u formats, %u error lines
#define IDS_ONLY_IN_A                   23041   // %s: a format's label
#define IDS_ONLY_IN_B                   23042
// %s: the format and node; %llu: the two sizes, the first differing offset
#define IDS_DIFFERENT_SIZE              23043
#define IDS_DIFFERENT_BYTES             23044
#define IDS_DIFFERENT_CHILDREN          23045
#define IDS_DIFFERENT_MEDIUM            23046
#define IDS_SNAPSHOTS_EQUAL             23047
#define IDS_SNAPSHOTS_DIFFER            23048
#define IDS_CLIPBOARD_EMPTY             23049
#define IDS_FORCE_TAKES_IT              23050   // follows the source's request to be left alone
#define IDS_CAPTURE_STOPPED_LINE        23051
// %s: the path, %s: why
#define IDS_DUMP_CANNOT_WRITE           23052
#define IDS_DUMP_CANNOT_READ_BACK       23053
#define IDS_SNAPSHOT_CANNOT_SAVE_LINE   23054
#define IDS_SNAPSHOT_CANNOT_OPEN_LINE   23055
#define IDS_SNAPSHOT_CANNOT_READ_LINE   23056

// /load
#define IDS_LOAD_LEFT_OUT               23060   // %s: a format's name
#define IDS_LOAD_NOTHING_TO_SET         23061
#define IDS_LOAD_CANNOT_SET             23062   // %08lX: the HRESULT
#define IDS_LOAD_SET                    23063   // %s: the file, %u: the formats served
#define IDS_LOAD_REPLACED               23064
#define IDS_LOAD_CANNOT_FLUSH           23065   // %08lX: the HRESULT
