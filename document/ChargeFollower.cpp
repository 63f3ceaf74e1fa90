#include "document/ChargeFollower.h"

#include "platform/core/PathText.h"

#include <memory>
#include <utility>

CChargeFollower::CChargeFollower(CPeloraDoc& doc, std::function<std::time_t()> now, QObject* parent)
    : QObject(parent), m_doc(doc), m_now(std::move(now))
{
    connect(&m_watch, &CFileWatch::due, this, &CChargeFollower::Look);
    Follow();
}

void CChargeFollower::Look(bool notified, bool settled)
{
    const std::time_t now = m_now();
    emit looked(now);
    if (IsLoading()) {
        // The minute's look owes a whole read where the file changed; it is not put off as a read-on.
        m_pendingLook = m_pendingLook.value_or(true) && notified;
        return;
    }
    if (const std::optional<CPeloraDoc::LoadKind> kind = m_doc.DueLoad(now, notified))
        Load(*kind, settled); // which follows the file as it starts
    else
        Follow();
}

void CChargeFollower::Load(CPeloraDoc::LoadKind kind, bool settled)
{
    const bool wasFailed = m_doc.IsLoadFailed() && !m_doc.IsFirstLoadPending();
    auto load = std::make_shared<ChargeLoad>(m_doc.PrepareLoad(kind));
    Follow();
    // A few bytes appended are read here and now: the trip to the worker thread and back would
    // cost an append more than reading them.
    const std::int64_t due = m_doc.BytesDue();
    const bool readHere = kind == CPeloraDoc::LoadKind::ReadOn && !IsLoading() && due >= 0 && due < kReadHereBytes;
    if (readHere) {
        load->readOnOnly = true;
        load->Run();
    }
    // At the first write of a burst only a few lines appended whole are shown at once: a line half
    // written, a rewrite or a long append may still be under way, and wait for the burst to settle.
    if (!settled && !(readHere && load->ok && load->next.offset == load->stamp.size)) {
        m_watch.Settle();
        return;
    }
    emit loading();
    const auto taken = [this, load, wasFailed] {
        const CPeloraDoc::Outcome outcome = m_doc.ApplyLoad(*load);
        if (outcome == CPeloraDoc::Outcome::Loaded)
            emit loaded();
        else if (outcome == CPeloraDoc::Outcome::Failed)
            emit failed(DecodePath(load->path), QString::fromStdString(load->error), wasFailed);
        // A look put off by the load follows the file itself; else it is followed here.
        if (const std::optional<bool> pending = std::exchange(m_pendingLook, std::nullopt))
            Look(*pending);
        else
            Follow();
    };
    if (readHere && !load->declined) {
        taken();
        return;
    }
    load->readOnOnly = false; // read whole on the worker where the file was rewritten, not grown
    m_loader.Run([load](const std::function<bool()>& stopRequested) { load->Run(stopRequested); }, taken);
}

void CChargeFollower::Follow()
{
    if (m_doc.HasChargeFile())
        m_watch.Follow(DecodePath(m_doc.GetLogPath()));
}
