#pragma once
// The program's help: an HTML file named after the program, shown in a window of its own.
// Three requests: the topics window, one topic by its context number, and quit.

#include <QPointer>
#include <QString>

class QTextBrowser;

// Help request codes; the numbers are the ones callers pass around.
inline constexpr int HELP_CONTEXT = 1;
inline constexpr int HELP_QUIT = 2;
inline constexpr int HELP_FINDER = 11;

class CHelpViewer {
public:
    CHelpViewer(QString helpFile, QString title)
        : m_helpFile(std::move(helpFile)), m_title(std::move(title)) {}
    ~CHelpViewer();
    CHelpViewer(const CHelpViewer&) = delete;
    CHelpViewer& operator=(const CHelpViewer&) = delete;

    void SetHelpFile(const QString& helpFile) { m_helpFile = helpFile; }

    // False when the help cannot be shown (the file is missing or unreadable).
    bool WinHelp(int context, int command);
    bool IsOpen() const;
    QString CurrentAnchor() const { return m_anchor; }

    // pelora.html beside the program, else in the installed documents folders.
    static QString DefaultHelpFile();
    static QString HelpFileFor(const QString& programPath);

private:
    QString m_helpFile;
    QString m_title;
    QString m_anchor;
    QPointer<QTextBrowser> m_window;
};
