#include "platform/core/Worker.h"

#include "platform/core/EndRequest.h"

CWorker::CWorker(QObject* parent) : QObject(parent) {}

CWorker::~CWorker()
{
    for (Job& job : m_jobs)
        job.stop->store(true);
    for (Job& job : m_jobs)
        job.thread.join();
}

void CWorker::Run(std::function<void(const std::function<bool()>&)> work, std::function<void()> done)
{
    JoinFinished();
    for (Job& job : m_jobs)
        job.stop->store(true);
    const std::uint64_t number = ++m_latest;
    m_busy = true;
    Job job{{}, std::make_shared<std::atomic<bool>>(false), std::make_shared<std::atomic<bool>>(false)};
    job.thread = std::thread([this, number, work = std::move(work), done = std::move(done), stop = job.stop,
                              finished = job.finished] {
        work([&stop] { return stop->load() || EndRequested(); });
        finished->store(true);
        // Queued to this object's thread; dropped with the object if it is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, number, done] {
                if (number != m_latest)
                    return;
                m_busy = false;
                JoinFinished();
                done();
            },
            Qt::QueuedConnection);
    });
    m_jobs.push_back(std::move(job));
}

void CWorker::JoinFinished()
{
    for (auto it = m_jobs.begin(); it != m_jobs.end();) {
        if (it->finished->load()) {
            it->thread.join();
            it = m_jobs.erase(it);
        } else {
            ++it;
        }
    }
}
