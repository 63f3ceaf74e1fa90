#pragma once
// Keeps a document's figures current, for the window and for --watch alike, and is the one way
// the document is loaded there: follows its charge file (told at once of a change, and looking
// each minute for the rest and for a new day) and runs every load away from the GUI thread, one
// at a time (but a read-on of a few appended bytes, done on the spot); a load asked for stops the
// one under way at once. The figures shown stay until the new ones
// are complete; a change told during a load is looked at once it is done. The outcome of each
// load goes out as a signal once the document holds it.

#include "document/PeloraDoc.h"
#include "platform/core/FileWatch.h"
#include "platform/core/Worker.h"

#include <QObject>
#include <QString>
#include <ctime>
#include <functional>
#include <optional>

class CChargeFollower : public QObject {
    Q_OBJECT
public:
    CChargeFollower(CPeloraDoc& doc, std::function<std::time_t()> now, QObject* parent = nullptr);

    // The minute's look (notified false) or a change the system told of; unsettled, at the first
    // write of a burst, when a line may still be half written.
    void Look(bool notified, bool settled = true);
    // A load asked for (a start, an open, Ctrl+R, a new closing day): it takes the place of any
    // under way.
    void Load(CPeloraDoc::LoadKind kind) { Load(kind, true); }
    // Follows the file the document reads now.
    void Follow();
    bool IsLoading() const { return m_loader.IsBusy(); }

signals:
    void looked(std::time_t now);
    // A load asked for has begun (the document may show nothing until it ends).
    void loading();
    // New figures are in the document.
    void loaded();
    // The load failed; again when the one before had failed too.
    void failed(const QString& path, const QString& reason, bool again);

private:
    void Load(CPeloraDoc::LoadKind kind, bool settled);

    static constexpr std::int64_t kReadHereBytes = 64 * 1024; // a read-on this short stays on this thread

    CPeloraDoc& m_doc;
    std::function<std::time_t()> m_now;
    CFileWatch m_watch;
    CWorker m_loader;
    // A look that came during a load: told by the system only, unless the minute's came too.
    std::optional<bool> m_pendingLook;
};
