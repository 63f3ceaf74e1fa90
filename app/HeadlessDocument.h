#pragma once
// The document for the commands that run without a window (report, render, watch): built on
// settings of its own in memory, so it never touches the user's, on a fixed date, with a failed
// load told on standard error instead of in a box.

#include "app/ExitStatus.h"
#include "document/PeloraDoc.h"
#include "platform/core/Clock.h"
#include "platform/core/ProfileStore.h"

#include <QString>
#include <QTextStream>

class CHeadlessDocument {
public:
    CHeadlessDocument(const QString& file, const CivilDate& today, int closingDay);

    // Settings for what is built on the document (the view's modes and colours) go here first.
    CSettings& Settings() { return m_settings; }
    const IClock& Clock() const { return m_clock; }
    // Reads the file here and now; false, with the failure told on err, when it fails.
    bool Load(QTextStream& err);
    // The failure of the last load: its fixed first line, then the file and the system's reason.
    void TellFailure(QTextStream& err) const;
    CPeloraDoc& Document() { return m_doc; }

private:
    QString m_file;
    CMemoryProfileStore m_profile;
    CSettings m_settings{m_profile};
    CFixedClock m_clock;
    CPeloraDoc m_doc;
};
