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

void CChargeFollower::Look(bool notified)
{
    const std::time_t now = m_now();
    emit looked(now);
    if (IsLoading()) {
        m_lookPending = true;
        return;
    }
    if (const std::optional<CPeloraDoc::LoadKind> kind = m_doc.DueLoad(now, notified))
        Load(*kind);
    Follow();
}

void CChargeFollower::Load(CPeloraDoc::LoadKind kind)
{
    const bool wasFailed = m_doc.IsLoadFailed();
    auto load = std::make_shared<ChargeLoad>(m_doc.PrepareLoad(kind));
    m_loader.Run([load](const std::function<bool()>& stopRequested) { load->Run(stopRequested); },
                 [this, load, wasFailed] {
                     m_doc.ApplyLoad(*load);
                     emit loaded(wasFailed);
                     Follow();
                     if (std::exchange(m_lookPending, false))
                         Look(true);
                 });
}

void CChargeFollower::Follow()
{
    if (m_doc.HasChargeFile())
        m_watch.Follow(DecodePath(m_doc.GetLogPath()));
}
