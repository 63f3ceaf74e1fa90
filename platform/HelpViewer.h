#pragma once
// The program's help: an HTML file named after the program, shown in a window of its own.
// Requests follow the old help viewer: the topics window, one topic by context number, quit.

#include <QPointer>
#include <QString>

class QTextBrowser;

class CHelpViewer {
public:
    explicit CHelpViewer(QString helpFile) : m_helpFile(std::move(helpFile)) {}
    ~CHelpViewer();
    CHelpViewer(const CHelpViewer&) = delete;
    CHelpViewer& operator=(const CHelpViewer&) = delete;

    void SetHelpFile(const QString& helpFile) { m_helpFile = helpFile; }

    // False when the help cannot be shown (the file is missing or unreadable).
    bool WinHelp(int context, int command);
    bool IsOpen() const;
    QString CurrentAnchor() const { return m_anchor; }

    // pelora.html beside the program, else in the installed data folders.
    static QString DefaultHelpFile();

private:
    QString m_helpFile;
    QString m_anchor;
    QPointer<QTextBrowser> m_window;
};
