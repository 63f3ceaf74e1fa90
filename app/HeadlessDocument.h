#pragma once
// The document for the commands that run without a window (report, render): built on settings
// of its own in memory, so it never touches the user's, on a fixed date, with failures collected
// for standard error instead of shown in a box.

#include "app/ExitStatus.h"
#include "document/PeloraDoc.h"
#include "platform/core/Clock.h"
#include "platform/core/MessageSink.h"
#include "platform/core/ProfileStore.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <memory>

class CHeadlessDocument : public IMessageSink {
public:
    CHeadlessDocument(const QString& file, const CivilDate& today, int closingDay);

    // Settings for what is built on the document (the view's modes and colours) go here first.
    CSettings& Settings() { return m_settings; }
    const IClock& Clock() const { return m_clock; }
    IMessageSink& Messages() { return *this; }
    // Reads the file; false, with the messages and the system's reason on err, when it fails.
    bool Load(QTextStream& err);
    CPeloraDoc& Document() { return *m_doc; }

    // Only the first line: the file and the reason follow on their own line, and nothing is retried.
    void ShowMessage(const std::string& text) override
    {
        m_messages << QString::fromStdString(text).section(QLatin1Char('\n'), 0, 0);
    }

private:
    QString m_file;
    CivilDate m_today;
    CMemoryProfileStore m_profile;
    CSettings m_settings{m_profile};
    CFixedClock m_clock;
    QStringList m_messages;
    std::unique_ptr<CPeloraDoc> m_doc;
};
