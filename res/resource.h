// Resource, command and control identifiers. The numbers are fixed: other
// programs and stored settings never see them, but tests drive Plexa by them.
#pragma once

// Main frame: menu, toolbar, accelerators, icon and document string.
#define IDR_MAINFRAME                   128

// Strings
#define IDS_OLE_INIT_FAILED             100
#define IDS_APP_TITLE                   57344
#define IDS_UNTITLED                    61443
#define IDS_INTEGER_REQUIRED            61712

// Commands
#define ID_FILE_NEW                     57600
#define ID_FILE_OPEN                    57601
#define ID_EDIT_PASTE                   57637
#define ID_APP_ABOUT                    57664
#define ID_APP_EXIT                     57665
#define ID_NEXT_PANE                    57680
#define ID_PREV_PANE                    57681
#define ID_EDIT_PASTE_WITH_FORMAT       32775
#define ID_SETTINGS                     32778
#define ID_SET_DEFAULT_VIEW_TAB         32779
#define ID_DELETE_SETTINGS_AND_EXIT     32791

// Dialogs
#define IDD_COPYING                     328
