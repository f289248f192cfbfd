// Identifiers the framework itself relies on, as afxres.h is to its
// framework: child-window IDs by which a frame finds its parts, standard
// commands and strings, and the resource types windows.h lacks. Plain
// defines, so that the resource script includes them too.
#pragma once

// Child windows
#define AFX_IDW_TOOLBAR                 0xE800  // the bar laid out at the frame's top
#define AFX_IDW_PANE_FIRST              0xE900  // the frame's client; a splitter's first pane

// Strings
#define IDS_APP_TITLE                   57344   // the application's name, the message-box title
#define IDS_UNTITLED                    61443   // the title of a document that has none
#define IDS_INTEGER_REQUIRED            61712   // an integer field holds something else
#define IDS_UNEXPECTED_ERROR            61713   // an operation ended by an exception
#define IDS_OUT_OF_MEMORY               61714   // an operation ended for want of memory

// Standard commands
#define ID_FILE_NEW                     57600
#define ID_FILE_OPEN                    57601
#define ID_EDIT_COPY                    57634
#define ID_EDIT_PASTE                   57637
#define ID_EDIT_SELECT_ALL              57642
#define ID_APP_ABOUT                    57664
#define ID_APP_EXIT                     57665
#define ID_NEXT_PANE                    57680
#define ID_PREV_PANE                    57681

// Resource types. The toolbar is the classic layout (WORD version 1, width,
// height, count, then one WORD command per item, 0 for a separator); the
// dialog-init data is a list of (WORD control, WORD message, DWORD byte
// count, UTF-16 text with its NUL) closed by a WORD 0, each text meant for
// SendDlgItemMessageW.
#define RT_DLGINIT                      240
#define RT_TOOLBAR                      241
