#pragma once
// strResult: what a command of the library hands back, whatever its layer: whether it did what was
// asked, why not (a message of the reason table) and what it could not keep, carry or draw (one
// message per kind). The results of the layers are this type with what is their own added (a count
// and a status message, a built sheet, the slot a game write filled), so that the editor and `pelko`
// report any of them the same way: the reason when it failed, then each loss.

#include "document/messages.h"

#include <vector>

struct strResult {
    bool ok = false;
    strMessage reason;              // why it failed; none when it did not (or when a status says it)
    std::vector<strMessage> losses; // what could not be kept, carried or drawn, one message per kind
};
