#pragma once
// cBaseThread: a worker thread that calls its step operation while its run flag is set, on a
// std::thread. Each step of a derived worker runs inside the critical section;
// the window thread takes the same section to stop it. The done count is a single atomic word that
// a progress display reads without the lock.

#include <atomic>
#include <mutex>
#include <thread>

class cBaseThread {
  public:
    cBaseThread() = default;
    // Stops (as Stop does) and joins a thread that still runs.
    virtual ~cBaseThread();
    cBaseThread(const cBaseThread&) = delete;
    cBaseThread& operator=(const cBaseThread&) = delete;

    // Starts the worker: an old thread is stopped and joined first (releaseHook runs), then the run
    // flag is set, Prepare runs on the calling thread, and the thread starts calling stepOnce.
    // False when the thread cannot be created.
    bool start();
    // Clears the run flag, then calls onStop inside the critical section; then joins. The thread
    // ends after the step it is working on.
    void stop();
    // Joins the thread (returns at once when none runs).
    void wait();

    bool running() const { return run_.load(); }
    bool joinable() const { return thread_.joinable(); }
    int doneCount() const { return doneCount_.load(); }
    // The worker ended by itself (every image done, or a failure); false after Stop.
    bool done() const { return doneFlag_.load(); }
    std::mutex& criticalSection() { return cs_; }

  protected:
    // Called right after the thread is set up, before it runs.
    virtual void prepare() {}
    // Called when an old thread is torn down.
    virtual void releaseHook() {}
    // One step; the base step ends the thread.
    virtual void stepOnce() { run_ = false; }
    // Called by Stop inside the critical section.
    virtual void onStop() {}

    std::atomic<bool> run_{false};
    std::atomic<int> doneCount_{0};
    std::atomic<bool> doneFlag_{false};
    std::mutex cs_;

  private:
    void loop();
    std::thread thread_;
};
