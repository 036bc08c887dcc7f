// Identifiers of the window's resources: dialog templates, controls, menu commands, icon, strings.
#pragma once

// Dialog templates.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_KESTRUNE_DIALOG = 102;
inline constexpr int IDD_INPUT_CUSTOMER_KEY = 130;

// Icon, menu, strings.
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDR_MENU_MAIN = 131;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDM_ABOUTBOX = 16;
inline constexpr int ID_ABOUT_ONDREL = 32771;

// Standard dialog commands.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Controls of the main window.
inline constexpr int IDC_SELECT_SEEDS_FILE = 1000;
inline constexpr int IDC_SEEDS_FILE_PATH = 1001;
inline constexpr int IDC_SERIAL = 1006;
inline constexpr int IDC_TIME = 1007;
inline constexpr int IDC_TOTAL = 1008;
inline constexpr int IDC_SUCCESS = 1009;
inline constexpr int IDC_FAIL = 1010;
inline constexpr int IDC_LOG_LIST = 1011;
inline constexpr int IDC_BURN_SEED = 1015;
inline constexpr int IDC_STATUS = 1016;
inline constexpr int IDC_CLEAR_LOG = 1017;
inline constexpr int IDC_READERS = 1018;
inline constexpr int IDC_CONNECT = 1019;
inline constexpr int IDC_SEAL = 1020;
inline constexpr int IDC_UTC_TIME = 1029;
inline constexpr int IDC_CURRENT_TIME = 1030;
inline constexpr int IDC_SET_TIME = 1031;
inline constexpr int IDC_LOG_CAPTION = 1034;
inline constexpr int IDC_CLOCK_CAPTION = 1035;
inline constexpr int IDC_SEED = 1036;
inline constexpr int IDC_CLEAR_SEED = 1037;
inline constexpr int IDC_RANDOM_SEED = 1039;
inline constexpr int IDC_TEST_SEED = 1040;
inline constexpr int IDC_CSV_NAME = 1041;
inline constexpr int IDC_SAVE_CSV = 1042;
inline constexpr int IDC_RANDOM_AFTER_BURN = 1043;
inline constexpr int IDC_ONLINE_DOCS = 1044;

// Controls of the customer key dialog.
inline constexpr int IDC_KEY_EDIT = 1012;
inline constexpr int IDC_KEY_ENTER = 1013;
inline constexpr int IDC_KEY_CANCEL = 1014;

// The refresh message that background threads post (WM_USER + 2001).
inline constexpr int WM_UPDATE_VIEW = 3025;
