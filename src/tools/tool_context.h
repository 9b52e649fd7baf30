#pragma once
// What every tool run works on, and how it reports. A run that changes the document is one
// transaction (cTransaction) labelled with what it did; it returns a strEditResult whose status
// is a message of the document's table (src/document/messages.h).

#include "document/edit_commands.h"
#include "document/messages.h"

#include <functional>

class cProject;

struct strToolContext {
    // The document; null means "no document": every run does nothing.
    cProject* doc = nullptr;
    // Source of the local minute and second for "processing failed"; empty uses the local clock.
    std::function<void(int& minute, int& second)> clock;

    // "< ! > [%d:%d] : processing failed" with the clock's minute and second.
    strMessage processingFailed() const {
        int minute = 0, second = 0;
        if (clock)
            clock(minute, second);
        else
            LocalMinuteSecond(minute, second);
        return ProcessingFailed(minute, second);
    }
};
