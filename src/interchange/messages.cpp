#include "interchange/messages.h"

namespace interchange {

namespace {
constexpr strMessageEntry kEntries[] = {PELKO_INTERCHANGE_STATUS(PELKO_MESSAGE_ENTRY)
                                            PELKO_INTERCHANGE_LABELS(PELKO_MESSAGE_ENTRY)};
} // namespace

const cMessageTable& MessageTable() {
    static const cMessageTable table("InterchangeMessages", kEntries);
    return table;
}

} // namespace interchange
