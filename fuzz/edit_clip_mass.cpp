// Feeds arbitrary bytes to the edit clipboard's cell-block reader. The first byte
// picks the kind (cell block, frames, cell rows) and the paste position; the rest is the body,
// wrapped in a correct envelope so that the reader is reached. A payload that reads is pasted into
// a small project through the timeline paste. The raw bytes are also tried as a whole payload, on
// a clipboard too, where Paste must be offered (hasKind) exactly when Get reads the payload.
#include "document/project.h"
#include "interchange/edit_clip.h"
#include "interchange/edit_clip_commands.h"
#include "platform/clipboard.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cClip_Mass raw(kClipCells);
    raw.parse({data, size});
    {
        platform::cMemoryClipboard clip;
        cEditClipboard board(clip);
        clip.write(board.format(), std::vector<uint8_t>(data, data + size));
        strPicture p;
        strEffect e;
        cClip_Picture picture(&p);
        cClip_Effect effect(&e);
        cClip_Mass cells(kClipCells), frames(kClipFrames), rows(kClipRows);
        bool any = false;
        for (cEditClip* c : std::initializer_list<cEditClip*>{&picture, &effect, &cells, &frames, &rows}) {
            const bool got = board.get(*c);
            if (board.hasKind(c->kind()) != got) std::abort();
            any = any || got;
        }
        if (board.hasKind(kClipAnyKind) != any) std::abort();
    }
    if (size < 1) return 0;

    static const uint32_t kinds[3] = {kClipCells, kClipFrames, kClipRows};
    const uint32_t kind = kinds[data[0] % 3];
    const uint32_t length = static_cast<uint32_t>(size); // body (size - 1) + the zero byte
    std::vector<uint8_t> payload = {uint8_t(kind),         uint8_t(kind >> 8),   uint8_t(kind >> 16),
                                    uint8_t(kind >> 24),   uint8_t(length),      uint8_t(length >> 8),
                                    uint8_t(length >> 16), uint8_t(length >> 24)};
    payload.insert(payload.end(), data + 1, data + size);
    payload.push_back(0);
    cClip_Mass mass(kind);
    if (!mass.parse(payload)) return 0;

    cProject doc;
    doc.create(0, 8, 0, 0);
    doc.setSetting(kKeyLock, data[0] & 0x80 ? 1 : 0);
    for (int f = 0; f < 4; ++f)
        doc.frameOrCreate(f);
    PasteTimeline(doc, mass, (data[0] >> 2) % 6, (data[0] >> 4) % 10);
    return 0;
}
