#pragma once
// Resource and command identifiers, as the menu, tool bar, status bar and dialogs know them.

inline constexpr int IDR_MAINFRAME = 128; // menu, accelerators, tool bar, icon, title
inline constexpr int IDD_ABOUTBOX = 100;

// Commands.
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_HELP_FINDER = 57666;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;
inline constexpr int ID_RELOAD = 32781;
inline constexpr int ID_UNIT_YEN = 32771;
inline constexpr int ID_UNIT_TIME = 32772;
inline constexpr int ID_UNIT_COUNT = 32782;
inline constexpr int ID_PERIOD_DAY = 32773;
inline constexpr int ID_PERIOD_MONTH = 32774;
inline constexpr int ID_DETAIL = 32775;
inline constexpr int ID_TOPMOST = 32780;
inline constexpr int ID_CLOSING_DAY = 32779;
inline constexpr int ID_COLOR_SELECT = 32777;
inline constexpr int ID_HELP_QUICK = 32783;

// Child windows of the frame.
inline constexpr int AFX_IDW_TOOLBAR = 59392;
inline constexpr int AFX_IDW_STATUS_BAR = 59393;

// Status-bar indicators, left to right after the message pane.
inline constexpr int ID_INDICATOR_UNIT = 61204;
inline constexpr int ID_INDICATOR_PERIOD = 61205;
inline constexpr int ID_INDICATOR_CLOSING = 61207;
inline constexpr int ID_INDICATOR_DATE = 61206;

// Help request codes and the quick usage topic.
inline constexpr int HELP_CONTEXT = 1;
inline constexpr int HELP_QUIT = 2;
inline constexpr int HELP_FINDER = 11;
inline constexpr int kQuickUsageTopic = 27;

inline constexpr const char* kAppTitle = "Pelora";
inline constexpr const char* kInstanceName = "Pelora95Instance";
inline constexpr const char* kHelpFailedMessage = "ﾍﾙﾌﾟの起動に失敗しました。";
inline constexpr const char* kAllFilesFilter = "すべてのﾌｧｲﾙ (*.*)";

// Buttons of the colour-selection dialog; the dialog ends with the id of the one pressed.
inline constexpr int IDC_GRAPH_CLR = 1022;
inline constexpr int IDC_GRAPH_CLR2 = 1023;
inline constexpr int IDC_AVE_CLR = 1013;
inline constexpr int IDC_DTOTAL_CLR_GRAPH = 1020;
inline constexpr int IDC_MTOTAL_CLR_GRAPH = 1021;
inline constexpr int IDC_MTINFO_CLR_GRAPH = 1024;
inline constexpr int IDC_DTOTAL_CLR = 1017;
inline constexpr int IDC_MTOTAL_CLR = 1018;
inline constexpr int IDC_MTINFO_CLR = 1019;
