#pragma once
// The menu, accelerators, prompts and tool bar of the main frame, as data.

#include <span>

struct CommandEntry {
    int id;
    int popup;             // index into kPopupTitles
    const char* menuText;  // a tab separates the key's name
    const char* key;       // QKeySequence text, or nullptr
    int toolBarPlace;      // 1..7, or 0 for none
    const char* prompt;    // status-bar prompt, then after '\n' the tool tip
    bool separatorAfter;
};

inline constexpr const char* kPopupTitles[] = {"&File", "&View", "&Option", "&Help"};

std::span<const CommandEntry> CommandTable();
// Tool-bar places followed by a separator.
bool SeparatorAfterToolBarPlace(int place);

// Status-pane placeholders: they set each pane's width and are shown until overwritten.
inline constexpr const char* kPanePlaceholders[] = {"_状態_", "_星_", "_〆26_", "_00/00/00_"};
// The message pane when no prompt is shown, and before a charge file was ever chosen.
inline constexpr const char* kReadyMessage = "Ready";
inline constexpr const char* kChooseFileMessage = "Ctrl+O で開く";
inline constexpr const char* kNoChargeFileTip = "料金ファイルが選ばれていません。ファイル → 開く (Ctrl+O) で選びます。";
