// Identifiers shared by the resource script and the code, one number per meaning.
#pragma once

// Strings
#define IDS_WINDOW_TITLE         103
#define IDS_WINDOW_CLASS         109

// Menus and accelerators
#define IDR_MAIN_MENU            109
#define IDR_ACCELERATORS         109
#define IDR_TRAY_MENU            10201

// Icons and bitmaps
#define IDI_LARGE_ICON           107
#define IDI_SMALL_ICON           108
#define IDI_TRAY_ICON            2210
#define IDB_TOOLBAR              37682

// Dialogs and their controls
#define IDD_ABOUT                1033
#define IDC_ABOUT_VERSION        1437
#define IDC_ABOUT_DICTIONARIES   35485
#define IDC_ABOUT_DETAILS        35486
#define IDC_ABOUT_SYSTEM_INFO    554
#define IDD_OPTIONS              37818
#define IDC_OPTIONS_LANGUAGE     420
#define IDC_OPTIONS_LOAD_ON_START 421
#define IDC_OPTIONS_ALWAYS_ON_TOP 422
#define IDC_OPTIONS_SAVE         423

// Commands: accelerators and menu items
#define IDM_ABOUT_KEY            104
#define IDM_EXIT                 105
#define IDM_NEW                  155
#define IDM_OPEN                 156
#define IDM_PRINT                157
#define IDM_PRINT_PREVIEW        158
#define IDM_CUT                  159
#define IDM_COPY                 160
#define IDM_PASTE                161
#define IDM_ENGLISH_ITALIAN      162
#define IDM_ITALIAN_ENGLISH      163
#define IDM_ALWAYS_ON_TOP        164
#define IDM_OPTIONS              165
#define IDM_HELP_SEARCH          166
#define IDM_HELP_CONTENTS        167
#define IDM_CHECK_FOR_UPDATES    169
#define IDM_TECHNICAL_SUPPORT    170
#define IDM_ABOUT                171
#define IDM_TRAY_SHOW            224
#define IDM_TRAY_EXIT            225

// Commands: toolbar buttons
#define IDM_TOOLBAR_NEW          10501
#define IDM_TOOLBAR_OPEN         10502
#define IDM_TOOLBAR_SAVE         10503
#define IDM_TOOLBAR_PRINT        10504
#define IDM_TOOLBAR_CUT          10505
#define IDM_TOOLBAR_COPY         10506
#define IDM_TOOLBAR_PASTE        10507
#define IDM_TOOLBAR_HELP         10508
#define IDM_TOOLBAR_FIRST_GAP    14

// Child windows of the main window (word boxes, lists, views and Pronounce
// buttons: the first of two, one per direction)
#define IDC_TAB_CONTROL          23
#define IDC_TOOLBAR              1020555
#define IDC_HEADWORD_LIST        1030
#define IDC_PRONOUNCE_BUTTON     1040
#define IDC_ARTICLE_VIEW         1050
#define IDC_WORD_BOX             1221

// Messages and notification-area identifiers
#define TRAY_CALLBACK_MESSAGE    3345
#define TRAY_ICON_ID             123
#define CAPTURE_HOTKEY_ID        1
