#pragma once
// A document of blank frames (with its history) and a tool context whose clock reads 7:05, so that
// "processing failed" is predictable.

#include "config/config.h"
#include "document/cell.h"
#include "document/history.h"
#include "document/project.h"
#include "support/message_texts.h"
#include "tools/cell_params.h"
#include "tools/tool_context.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tools_test {

inline strCell Cell(int x, int y = 0) {
    strCell c;
    c.x = static_cast<int16_t>(x);
    c.y = static_cast<int16_t>(y);
    return c;
}

// `count` check flags, those at the indices `on` set.
inline std::vector<uint8_t> Checks(int count, std::initializer_list<int> on) {
    std::vector<uint8_t> checks(static_cast<size_t>(count), 0);
    for (int i : on)
        checks[static_cast<size_t>(i)] = 1;
    return checks;
}

// The check flags of the parameter list with the parameters of `bits` set.
inline std::vector<uint8_t> ParamChecks(uint32_t bits) {
    std::vector<uint8_t> checks(kCellParamCount, 0);
    for (int i = 0; i < kCellParamCount; ++i)
        checks[static_cast<size_t>(i)] = (bits & CellParamBit(i)) ? 1 : 0;
    return checks;
}

struct Doc {
    explicit Doc(int frames = 12, int cells = 4) {
        doc.create(0, cells, 0, 0);
        for (int k = 0; k < frames; ++k)
            doc.frameOrCreate(k);
        ctx.doc = &doc;
        ctx.clock = [](int& m, int& s) {
            m = 7;
            s = 5;
        };
    }
    void put(int frame, int cell, const strCell& c) { ASSERT_TRUE(doc.setCell(frame, cell, &c)); }
    // Puts cells of number `cell` along the frames: "0 - 40" is x 0 on frame 0 and x 40 on frame 2.
    void column(int cell, const std::string& xs) {
        std::istringstream in(xs);
        std::string item;
        for (int f = 0; in >> item; ++f)
            if (item != "-") put(f, cell, Cell(std::stoi(item)));
    }
    // The x of the cells of number `cell` on every frame, "-" where there is none.
    std::string xs(int cell) const {
        std::string out;
        for (int f = 0; f < doc.frameCount(); ++f)
            out += (f ? " " : "") + (doc.cell(f, cell) ? std::to_string(doc.cell(f, cell)->x) : "-");
        return out;
    }
    const strCell* at(int frame, int cell) const { return doc.cell(frame, cell); }
    int x(int frame, int cell) const {
        const strCell* c = doc.cell(frame, cell);
        return c ? c->x : -9999;
    }

    cConfig config;
    cProject doc{&config};
    cHistory& history = doc.history();
    strToolContext ctx;
};

inline std::string Text(const strEditResult& r) {
    return FormatMessage(r.status);
}

inline const std::string kFailed = Msg(kMsgProcessingFailed, 7, 5);

} // namespace tools_test
