// Fuzz target for the description beside a recovery copy (JSON). Invariants checked: a description
// that reads is written again and reads back as the same record, and nothing a crafted file holds
// makes the reader fail other than by returning false.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "workspace/recovery_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    strRecoveryInfo info;
    if (!DecodeRecoveryInfo({data, size}, info)) return 0;
    const std::string again = EncodeRecoveryInfo(info);
    strRecoveryInfo back;
    if (!DecodeRecoveryInfo({reinterpret_cast<const uint8_t*>(again.data()), again.size()}, back)) std::abort();
    // A label this build knows comes back by its name; one it does not, as the text.
    if (!(back == info) && !(back.lastChange.none() && back.lastChangeText == info.lastChangeText)) std::abort();
    return 0;
}
