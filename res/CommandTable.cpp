#include "res/CommandTable.h"

#include "res/Resource.h"

namespace {
enum Popup { File, View, Option, Help };

constexpr CommandEntry kCommands[] = {
    {ID_FILE_OPEN, File, "料金ファイルを開く(&O)...\tCtrl+O", "Ctrl+O", 1, "料金ファイルを開く\n料金ファイルを開く", false},
    {ID_RELOAD, File, "再読み込み(&R)\tCtrl+R", "Ctrl+R", 0, "再読み込み\n再読み込み", true},
    {ID_APP_EXIT, File, "終了(&X)", nullptr, 0, "終了\n終了", false},
    {ID_UNIT_YEN, View, "料金(&C)\tCtrl+C", "Ctrl+C", 2, "料金\n料金", false},
    {ID_UNIT_TIME, View, "時間(&T)\tCtrl+T", "Ctrl+T", 3, "時間\n時間", false},
    {ID_UNIT_COUNT, View, "回数(&N)\tCtrl+N", "Ctrl+N", 4, "回数\n回数", true},
    {ID_PERIOD_DAY, View, "一日単位(&D)\tCtrl+D", "Ctrl+D", 5, "一日単位\n一日単位", false},
    {ID_PERIOD_MONTH, View, "一月単位(&M)\tCtrl+M", "Ctrl+M", 6, "一月単位\n一月単位", true},
    {ID_DETAIL, View, "詳細(&S)...\tCtrl+S", "Ctrl+S", 7, "詳細表示\n詳細", true},
    {ID_TOPMOST, View, "常に手前に表示(&F)", nullptr, 0, "常に手前", true},
    {ID_VIEW_TOOLBAR, View, "&ToolBar", nullptr, 0, "ToolBar表示", false},
    {ID_VIEW_STATUS_BAR, View, "&StatusBar", nullptr, 0, "StatusBar表示", false},
    {ID_CLOSING_DAY, Option, "集計〆切日設定(&S)...\tCtrl+X", "Ctrl+X", 0, "〆切設定\n〆切設定", false},
    {ID_COLOR_SELECT, Option, "カラー選択(&C)...", nullptr, 0, "色選択", false},
    {ID_HELP_FINDER, Help, "トピックの検索(&C)", "F1", 0, "ヘルプ目次\nヘルプ", false},
    {ID_HELP_QUICK, Help, "すぐに使い方を表示(&Q)", nullptr, 0, "すぐに使い方を表示\nすぐに使い方を表示", true},
    {ID_APP_ABOUT, Help, "Pelora について(&A)...", nullptr, 0, "Ver情報等", false},
};
} // namespace

std::span<const CommandEntry> CommandTable()
{
    return kCommands;
}

bool SeparatorAfterToolBarPlace(int place)
{
    return place == 1 || place == 4 || place == 6;
}
