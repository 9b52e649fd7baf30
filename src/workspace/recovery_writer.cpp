#include "workspace/recovery_writer.h"

#include <algorithm>

cRecoveryWriter::cRecoveryWriter(const cRecoveryStore& store, fDone done)
    : store_(store), done_(std::move(done)), thread_([this] { run(); }) {}

cRecoveryWriter::~cRecoveryWriter() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void cRecoveryWriter::write(int slot, std::vector<uint8_t> project, strRecoveryInfo info) {
    {
        std::lock_guard lock(mutex_);
        if (!jobs_.empty() && jobs_.back().slot == slot && !jobs_.back().remove) jobs_.pop_back();
        jobs_.push_back(strJob{slot, false, std::move(project), std::move(info)});
    }
    wake_.notify_all();
}

void cRecoveryWriter::remove(int slot) {
    {
        std::lock_guard lock(mutex_);
        std::erase_if(jobs_, [slot](const strJob& j) { return j.slot == slot && !j.remove; });
        jobs_.push_back(strJob{slot, true, {}, {}});
    }
    wake_.notify_all();
}

void cRecoveryWriter::wait() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

void cRecoveryWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !jobs_.empty(); });
        if (jobs_.empty()) break; // stopping, and nothing is left to do
        strJob job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        strMessage error;
        if (job.remove) {
            store_.removeCopy(job.slot);
        } else {
            const bool ok = store_.writeCopy(job.slot, job.project, job.info, &error);
            if (done_) done_(job.slot, ok, error);
        }
        lock.lock();
        busy_ = false;
        if (jobs_.empty()) idle_.notify_all();
    }
    idle_.notify_all();
}
