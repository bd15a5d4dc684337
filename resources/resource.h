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

// ---- ENVDIALOG ----
#define IDC_SETTINGS_HELP                   3
#define IDC_SETTINGS_POPUP                  1004
#define IDC_SETTINGS_DATA_FILE_BROWSE       1005
#define IDC_SETTINGS_SOUND_BROWSE           1006
#define IDC_SETTINGS_DATA_FILE              1007
#define IDC_SETTINGS_INTERVAL               1008
#define IDC_SETTINGS_SOUND                  1009
#define IDC_SETTINGS_CORRECT_SOUND          1010
#define IDC_SETTINGS_SOUND_TEST             1011
#define IDC_SETTINGS_CORRECT_SOUND_BROWSE   1012
#define IDC_SETTINGS_CORRECT_SOUND_TEST     1013
#define IDC_SETTINGS_WRONG_SOUND            1014
#define IDC_SETTINGS_WRONG_SOUND_BROWSE     1015
#define IDC_SETTINGS_WRONG_SOUND_TEST       1016
#define IDC_SETTINGS_CORRECT_DIALOG         1017
#define IDC_SETTINGS_TREND_NEW              1018
#define IDC_SETTINGS_TREND_WRONG            1019
#define IDC_SETTINGS_TREND_RANDOM           1020
#define IDC_SETTINGS_LISTING_APP            1021
#define IDC_SETTINGS_LISTING_APP_BROWSE     1022
#define IDC_SETTINGS_CONTINUE               1023
#define IDC_SETTINGS_PATTERN_SOME           1024
#define IDC_SETTINGS_PATTERN_FIRST          1025
#define IDC_SETTINGS_PATTERN_NONE           1026
#define IDC_SETTINGS_PATTERN_GROUP          1027
#define IDC_SETTINGS_TREND_GROUP            1028
#define IDS_CONTINUE_FORMAT                 33
#define IDS_INTERVAL_TOO_LONG               61

// ---- PRODIALOG ----
// Symbol buttons are named after their glyph icons (P_A: IDC_PRONUNCE_A) and numbered
// 10000 + code row; the accent buttons 20000 + accent row.
#define IDC_PRONUNCE_CODE       1000
#define IDC_PRONUNCE_DISPLAY    1029
#define IDC_PRONUNCE_CLEAR      1030
#define IDC_PRONUNCE_A          10000
#define IDC_PRONUNCE_A1         10001
#define IDC_PRONUNCE_B          10002
#define IDC_PRONUNCE_C1         10003
#define IDC_PRONUNCE_CLN        10004
#define IDC_PRONUNCE_D          10005
#define IDC_PRONUNCE_E          10006
#define IDC_PRONUNCE_E1         10007
#define IDC_PRONUNCE_EP         10008
#define IDC_PRONUNCE_F          10009
#define IDC_PRONUNCE_G          10010
#define IDC_PRONUNCE_G1         10011
#define IDC_PRONUNCE_H          10012
#define IDC_PRONUNCE_I          10013
#define IDC_PRONUNCE_I1         10014
#define IDC_PRONUNCE_J          10015
#define IDC_PRONUNCE_J1         10016
#define IDC_PRONUNCE_K          10017
#define IDC_PRONUNCE_L          10018
#define IDC_PRONUNCE_M          10019
#define IDC_PRONUNCE_N          10020
#define IDC_PRONUNCE_O          10021
#define IDC_PRONUNCE_O1         10022
#define IDC_PRONUNCE_P          10023
#define IDC_PRONUNCE_Q1         10024
#define IDC_PRONUNCE_R          10025
#define IDC_PRONUNCE_R1         10026
#define IDC_PRONUNCE_S          10027
#define IDC_PRONUNCE_S1         10028
#define IDC_PRONUNCE_T          10029
#define IDC_PRONUNCE_U          10030
#define IDC_PRONUNCE_V          10031
#define IDC_PRONUNCE_W          10032
#define IDC_PRONUNCE_X          10033
#define IDC_PRONUNCE_Z          10034
#define IDC_PRONUNCE_Z1         10035
#define IDC_PRONUNCE_SL         10036
#define IDC_PRONUNCE_MS         10037
#define IDC_PRONUNCE_QL         10038
#define IDC_PRONUNCE_QR         10039
#define IDC_PRONUNCE_ACC        20000
#define IDC_PRONUNCE_TILDE      20001

// ---- LISTDIALOG ----
#define IDC_SEARCH_WORD_PATTERN     1000
#define IDC_SEARCH_MEANING_PATTERN  1001
#define IDC_SEARCH_EXPLAIN2         1004
#define IDC_SEARCH_EXPLAIN1         1005
#define IDC_SEARCH_WORD             1006
#define IDC_SEARCH_CHECKONLY        1024
#define IDC_SEARCH_DELETE           1025
#define IDC_SEARCH_MODIFY           1026
#define IDC_SEARCH_GLYPHS           1029
#define IDC_SEARCH_CLEAR            1030
#define IDC_SEARCH_PRONUNCE         1033
#define IDC_SEARCH_LIST             1034
#define IDC_SEARCH_RUN              1035
#define IDC_SEARCH_STATUS           1038
#define IDC_SEARCH_REMARK           1040
#define IDS_DELETE_CAPTION          34
#define IDS_DELETE_FORMAT           35
#define IDS_WRONG_LIST_TITLE        39
#define IDS_STATUS_FORMAT           40
#define IDS_NO_WRONG_WORDS          41
#define IDS_CLEAR_CAPTION           42
#define IDS_CLEAR_FORMAT            43
#define IDS_NO_MATCH                44
#define IDS_MODIFY_FORMAT           45

// ---- Manifests ----
// The second manifest: the current common controls, made into an activation context when
// the first dialog opens. Not 1 (the program's own, read by the loader at start-up) nor 2
// (the number loaders take for a module's own context when they load it).
#define IDR_CONTROLS_MANIFEST       101
