#include "platform/core/Worker.h"

#include "platform/core/EndRequest.h"

CWorker::CWorker(QObject* parent) : QObject(parent) {}

CWorker::~CWorker()
{
    {
        const std::lock_guard lock(m_lock);
        m_ending = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void CWorker::Run(Work work, std::function<void()> done)
{
    const std::uint64_t number = ++m_latest;
    m_busy = true;
    {
        const std::lock_guard lock(m_lock);
        m_jobs.push_back({number, std::move(work), std::move(done)});
    }
    m_wake.notify_one();
    if (!m_thread.joinable())
        m_thread = std::thread(&CWorker::Serve, this);
}

// Every job is run, in turn: one that a newer job has replaced is stopped at once, and its end is
// dropped here, so a job given is always over once its worker has ended.
void CWorker::Serve()
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_lock);
            m_wake.wait(lock, [this] { return !m_jobs.empty() || m_ending; });
            if (m_jobs.empty())
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        const std::uint64_t number = job.number;
        job.work([this, number] { return m_ending || number != m_latest || EndRequested(); });
        // Queued to this object's thread; dropped with the object if it is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, number, done = std::move(job.done)] {
                if (number != m_latest)
                    return;
                m_busy = false;
                done();
            },
            Qt::QueuedConnection);
    }
}
