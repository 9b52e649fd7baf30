#pragma once
// cExportWorker: the export worker. It owns the cCaptureImage; the
// caller prepares it with capture().begin(...) and then start()s the worker. Each step renders and
// stores one image inside the critical section. When every image is done the worker calls Finish
// (writes the sheet or the GIF) and reports completion; an image or file that cannot be written ends
// the export as failed with the file name; stop() cancels it.
//
// The completion callback stands in for the window message 0x8400: it runs on the worker thread,
// after the critical section is left, exactly once per started export that ends by itself (not after
// Stop). A window posts it on to its own thread (a queued Qt signal).

#include "document/messages.h"
#include "export/base_thread.h"
#include "export/capture_image.h"

#include <functional>
#include <string>

enum class eExportResult { kRunning, kCompleted, kFailed, kCancelled };

struct strExportOutcome {
    eExportResult result = eExportResult::kRunning;
    int images = 0;           // images rendered and stored
    std::string failedPath;   // kFailed: the file that could not be written
    std::string reason;       // kFailed: why (English)
    strMessage reasonMessage; // ... as a message of the reason table, for the user's language
};

class cExportWorker : public cBaseThread {
  public:
    cExportWorker() = default;
    ~cExportWorker() override;

    cCaptureImage& capture() { return capture_; }
    int totalImages() const { return capture_.totalImages(); }

    void setCompletion(std::function<void(const strExportOutcome&)> callback) {
        completion_ = std::move(callback);
    }
    // The result so far (kRunning while the worker runs; kCancelled after Stop).
    strExportOutcome outcome();

  protected:
    void prepare() override;
    void stepOnce() override;
    void onStop() override;

  private:
    cCaptureImage capture_;
    std::function<void(const strExportOutcome&)> completion_;
    strExportOutcome outcome_;
};
