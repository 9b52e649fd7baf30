#include "export/base_thread.h"

#include <system_error>

cBaseThread::~cBaseThread() {
    // A derived worker must stop its thread in its own destructor (its stepOnce is gone here).
    if (thread_.joinable()) {
        run_ = false;
        thread_.join();
    }
}

bool cBaseThread::start() {
    if (thread_.joinable()) {
        stop();
        releaseHook();
    }
    run_ = true;
    prepare();
    try {
        thread_ = std::thread(&cBaseThread::loop, this);
    } catch (const std::system_error&) {
        run_ = false;
        return false;
    }
    return true;
}

void cBaseThread::stop() {
    // Cleared before the lock is taken: a worker stepping in a tight loop could otherwise win the
    // lock again and again and run to its end, so that Stop waited for the whole work to finish.
    run_ = false;
    {
        std::lock_guard<std::mutex> lock(cs_);
        onStop();
    }
    wait();
}

void cBaseThread::wait() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void cBaseThread::loop() {
    while (run_.load()) {
        stepOnce();
        std::this_thread::yield();
    }
}
