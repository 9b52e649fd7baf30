#include "export/export_worker.h"

#include <new>

cExportWorker::~cExportWorker() {
    stop();
}

void cExportWorker::prepare() {
    doneCount_ = 0;
    doneFlag_ = false;
    std::lock_guard<std::mutex> lock(cs_);
    outcome_ = {};
}

strExportOutcome cExportWorker::outcome() {
    std::lock_guard<std::mutex> lock(cs_);
    return outcome_;
}

void cExportWorker::stepOnce() {
    bool ended = false;
    strExportOutcome report;
    {
        std::lock_guard<std::mutex> lock(cs_);
        if (!run_) return; // stopped while waiting for the section
        eCaptureStep r = kStepFailed;
        bool finished = false;
        try {
            r = capture_.step();
            if (r == kStepDone) finished = capture_.finish();
        } catch (const std::bad_alloc&) {
            r = kStepFailed;
        }
        if (r == kStepImage) {
            ++doneCount_;
        } else {
            ended = true;
            run_ = false;
            doneFlag_ = true;
            outcome_.images = doneCount_;
            if (r == kStepDone && finished) {
                outcome_.result = eExportResult::kCompleted;
            } else {
                outcome_.result = eExportResult::kFailed;
                outcome_.failedPath = capture_.failedPath();
                outcome_.reasonMessage =
                    capture_.lastReason().none() ? strMessage(kWhyOutOfMemory) : capture_.lastReason();
                outcome_.reason = FormatMessage(outcome_.reasonMessage);
            }
            report = outcome_;
        }
    }
    if (ended && completion_) completion_(report);
}

void cExportWorker::onStop() {
    if (outcome_.result == eExportResult::kRunning) {
        outcome_.result = eExportResult::kCancelled;
        outcome_.images = doneCount_;
        capture_.cancel();
    }
}
