// Resource ids of the program: dialogs, controls, menu commands, strings and icons.
// Numeric values are the ones the templates and the tray menu use.
#pragma once

// ---- Tray menu (RPOPMENU) commands ----
#define IDM_ADD_WORD            0
#define IDM_SETTINGS            1
#define IDM_PAUSE               2
#define IDM_SHOW_ONLY           3
#define IDM_ABOUT               10
#define IDM_EXIT                99
#define IDM_REPORT_BOOK         40004
#define IDM_LIST_WORDS          40005
#define IDM_REPORT_TODAY        40006
#define IDM_HELP                40008
#define IDM_WRONG_WORDS         40009
#define IDM_SEARCH              40010

// ---- QUESTIONDIALOG ----
#define IDC_QUESTION_WORD       1000
#define IDC_QUESTION_EXPLAIN1   1001
#define IDC_QUESTION_EXPLAIN2   1002
#define IDC_QUESTION_REMARK     1003
#define IDC_QUESTION_REMARKS    1004
#define IDC_QUESTION_CONTINUE   1019
#define IDC_QUESTION_CHECKONLY  1024
#define IDC_QUESTION_PRONUNCE   1033

// ---- CORRECTDIALOG ----
#define IDC_CORRECT_FRAME0      1013
#define IDC_CORRECT_FRAME1      1014

// ---- VERSIONDIALOG ----
#define IDC_VERSION_ICON        1100

// ---- Strings ----
#define IDS_TITLE               1
#define IDS_QUESTION_CAPTION    2
#define IDS_CHECK_CAPTION       3
#define IDS_WRONG_FORMAT        4
#define IDS_ADD_CAPTION         5
#define IDS_EXPAND_FORMAT       6
#define IDS_OVERWRITE           7
#define IDS_TOO_LONG            11
#define IDS_CANNOT_LOAD         12
#define IDS_BAD_INTERVAL        13
#define IDS_FEWER_WORDS         14
#define IDS_NO_WORDS            15
#define IDS_WORD_REQUIRED       16
#define IDS_ERROR               20
#define IDS_WRONG_CAPTION       25
#define IDS_EXPAND_CAPTION      26
#define IDS_OVERWRITE_CAPTION   27
#define IDS_REPORT_CAPTION      28
#define IDS_REPORT_BOOK         29
#define IDS_CANNOT_START        30
#define IDS_USE_BACKUP          31
#define IDS_CONTENT_LOST        32
#define IDS_REPORT_TODAY        36
#define IDS_TODAY_CAPTION       37
#define IDS_NEAR_MISS_FORMAT    38
