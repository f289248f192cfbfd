// Resource, command and control identifiers. The numbers are fixed: other
// programs and stored settings never see them, but tests drive Plexa by them.
#pragma once

#include "framework/FrameworkIds.h"

// Main frame: menu, toolbar and its bitmap, accelerators, icon and document string.
#define IDR_MAINFRAME                   128

// The toolbar's images drawn at 150 % and 200 % (IDR_MAINFRAME is 100 %).
#define IDB_TOOLBAR_150                 129
#define IDB_TOOLBAR_200                 130

// Context menus; each holds its items in its first popup.
#define IDR_HEX_CONTEXT                 313
#define IDR_PROPERTY_CONTEXT            321
#define IDR_TREE_CONTEXT                329

// Tree icons, 16 x 16 at 96 DPI, in the order of the tree's image list.
#define IDI_TREE_FOLDER                 324
#define IDI_TREE_DATA                   325
#define IDI_TREE_IMAGE                  326
#define IDI_TREE_UNKNOWN                327
// Overlays of the tree items of nodes whose checks found an error or a warning.
#define IDI_TREE_ERROR_OVERLAY          332
#define IDI_TREE_WARNING_OVERLAY        333

// Strings
#define IDS_OLE_INIT_FAILED             100

// Commands
#define ID_EDIT_PASTE_WITH_FORMAT       32775
#define ID_SETTINGS                     32778
#define ID_SET_DEFAULT_VIEW_TAB         32779
#define ID_COPY_NAMES                   32785
#define ID_COPY_VALUES                  32786
#define ID_DELETE_SETTINGS_AND_EXIT     32791
#define ID_EXPORT_SELECTION             32793
#define ID_SAVE_NODE                    32800
#define ID_HEX_FIND                     32801
#define ID_HEX_FIND_NEXT                32802
#define ID_HEX_FIND_PREVIOUS            32803
#define ID_EDIT_WATCH_CLIPBOARD         32804
#define ID_FILE_OPEN_SNAPSHOT           32805
#define ID_FILE_SAVE_SNAPSHOT           32806
#define ID_REPLAY_TO_CLIPBOARD          32807
// Paste-with-format popup: entry i of the offered formats is this plus i.
#define ID_FORMAT_FIRST                 10000

// Dialogs
#define IDD_ABOUTBOX                    100
#define IDD_TEXT_VIEW                   310
#define IDD_PROPERTY_VIEW               311
#define IDD_HEX_VIEW                    312
#define IDD_IMAGE_VIEW                  314
#define IDD_ADD_CODE_PAGE               320
#define IDD_SETTINGS                    323
#define IDD_COPYING                     328
#define IDD_HEX_FIND                    330
#define IDD_REPLAY_LOG                  331
#define IDD_CHECKS_VIEW                 334

// Controls. Numbers repeat across dialogs; each name belongs to one dialog.
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif
// version dialog
#define IDC_VERSION                     1008
// settings dialog
#define IDC_SIZE_LIMIT                  1010
#define IDC_SHELLIDLIST_AS_FOLDER       1013
#define IDC_SHELLIDLIST_AS_STORAGE      1014
// progress dialog
#define IDC_COPYING_ITEM                1014
#define IDC_COPYING_STATE               1015
// text page
#define IDC_CODE_PAGE                   1000
#define IDC_TEXT                        1001
#define IDC_TEXT_INFO                   1004
#define IDC_ADD_CODE_PAGE               1008
#define IDC_HTML_FRAGMENT_ONLY          1011
// code-page editor
#define IDC_CODE_PAGE_LIST              1007
// property page
#define IDC_PROPERTY_LIST               1005
// hex page
#define IDC_BYTES_PER_LINE              1005
#define IDC_HEX_PLACEHOLDER             1006
// find box of the hex page
#define IDC_FIND_WHAT                   1020
#define IDC_FIND_AS_HEX                 1021
#define IDC_FIND_AS_TEXT                1022
#define IDC_FIND_PREVIOUS               1023
// log of what a replay's target asked for
#define IDC_REPLAY_LOG_LIST             1030
#define IDC_REPLAY_LOG_COPY             1031
#define IDC_REPLAY_LOG_LEFT_OUT         1032
// checks page
#define IDC_CHECKS_LIST                 1040
// image page
#define IDC_IMAGE_PLACEHOLDER           1007
#define IDC_IMAGE_INFO                  1009

// Child windows made in code rather than from a template.
#define IDC_DROP_ALL                    10000
#define IDC_DROP_CHOOSE                 10001
#define IDC_IMAGE_WINDOW                100
