#pragma once
// Keeps a document's figures current, for the window and for --watch alike: follows its charge
// file (told at once of a change, and looking each minute for the rest and for a new day) and
// loads away from the GUI thread, one load at a time. The figures shown stay until the new ones
// are complete; a change told during a load is looked at once it is done.

#include "document/PeloraDoc.h"
#include "platform/core/FileWatch.h"
#include "platform/core/Worker.h"

#include <QObject>
#include <ctime>
#include <functional>

class CChargeFollower : public QObject {
    Q_OBJECT
public:
    CChargeFollower(CPeloraDoc& doc, std::function<std::time_t()> now, QObject* parent = nullptr);

    // The minute's look (notified false) or a change the system told of.
    void Look(bool notified);
    // A load the user asked for: it takes the place of any under way.
    void Load(CPeloraDoc::LoadKind kind);
    // Follows the file the document reads now.
    void Follow();
    bool IsLoading() const { return m_loader.IsBusy(); }

signals:
    void looked(std::time_t now);
    // A load's outcome is in the document.
    void loaded(bool wasFailed);

private:
    CPeloraDoc& m_doc;
    std::function<std::time_t()> m_now;
    CFileWatch m_watch;
    CWorker m_loader;
    bool m_lookPending = false;
};
