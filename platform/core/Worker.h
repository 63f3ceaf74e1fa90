#pragma once
// Runs long work away from the GUI thread, one job at a time, and hands its end back to the thread
// that made the worker. A new job tells the one still running to stop, and only the newest job's
// end is handed back. Ending the worker stops its job and waits for it.

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class CWorker : public QObject {
    Q_OBJECT
public:
    explicit CWorker(QObject* parent = nullptr);
    ~CWorker() override;

    // work runs on a thread of its own and is told by stopRequested() when to give up; done runs
    // here afterwards, unless another job came first.
    void Run(std::function<void(const std::function<bool()>& stopRequested)> work, std::function<void()> done);
    bool IsBusy() const { return m_busy; }

private:
    struct Job {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> stop;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    void JoinFinished();

    std::vector<Job> m_jobs;
    std::uint64_t m_latest = 0;
    bool m_busy = false;
};
