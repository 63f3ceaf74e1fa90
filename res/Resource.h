#pragma once
// Resource and command identifiers, as the menu, tool bar, status bar and dialogs know them.

// Commands.
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

// The help topic of the quick usage guide.
inline constexpr int kQuickUsageTopic = 27;

inline constexpr const char* kAppTitle = "Pelora";
inline constexpr const char* kHelpTitle = "Pelora ヘルプ";
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
