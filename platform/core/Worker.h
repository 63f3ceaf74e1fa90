#pragma once
// Runs long work away from the GUI thread, on one thread of its own that takes the jobs in turn,
// and hands each end back to the thread that made the worker. A new job tells those before it to
// stop (one not begun yet is told before it begins), and only the newest job's end is handed back.
// Ending the worker stops its jobs and waits for them.

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class CWorker : public QObject {
    Q_OBJECT
public:
    using Work = std::function<void(const std::function<bool()>& stopRequested)>;

    explicit CWorker(QObject* parent = nullptr);
    ~CWorker() override;

    // work runs on the worker's thread and is told by stopRequested() when to give up; done runs
    // here afterwards, unless another job came first.
    void Run(Work work, std::function<void()> done);
    bool IsBusy() const { return m_busy; }

private:
    struct Job {
        std::uint64_t number = 0;
        Work work;
        std::function<void()> done;
    };
    void Serve();

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<Job> m_jobs; // waiting, guarded by m_lock
    std::atomic<bool> m_ending = false; // set under m_lock
    std::atomic<std::uint64_t> m_latest = 0;
    bool m_busy = false;
    std::thread m_thread; // made with the first job
};
