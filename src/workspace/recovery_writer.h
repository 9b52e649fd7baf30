#pragma once
// Writes recovery copies on a thread of its own, so that saving a copy never holds up the editor.
// Jobs run one after another in the order they were given: a removal asked for after a write
// removes what that write made. A write that has not started yet is replaced by a newer write of
// the same slot, and dropped by a removal of it.

#include "workspace/recovery_store.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class cRecoveryWriter {
  public:
    // Called on the writer's thread after each write: the slot, whether it was written, and why not.
    using fDone = std::function<void(int slot, bool ok, const strMessage& error)>;

    // The store outlives the writer.
    explicit cRecoveryWriter(const cRecoveryStore& store, fDone done = {});
    // Finishes what was given, then ends the thread.
    ~cRecoveryWriter();
    cRecoveryWriter(const cRecoveryWriter&) = delete;
    cRecoveryWriter& operator=(const cRecoveryWriter&) = delete;

    void write(int slot, std::vector<uint8_t> project, strRecoveryInfo info);
    void remove(int slot);
    // Returns once every job given so far is done.
    void wait();

  private:
    struct strJob {
        int slot = 0;
        bool remove = false;
        std::vector<uint8_t> project;
        strRecoveryInfo info;
    };
    void run();

    const cRecoveryStore& store_;
    fDone done_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<strJob> jobs_;
    bool busy_ = false;
    bool stop_ = false;
    std::thread thread_;
};
