#pragma once
// A document of blank frames (with its history) and a tool context whose clock reads 7:05, so that
// "processing failed" is predictable.

#include "config/config.h"
#include "document/cell.h"
#include "document/history.h"
#include "document/project.h"
#include "support/document_builder.h"
#include "support/message_texts.h"
#include "tools/cell_params.h"
#include "tools/tool_context.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tools_test {

using testing_support::CellAt;
using testing_support::FillXs;
using testing_support::kColumn;
using testing_support::MakeFrames;
using testing_support::XsOf;

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
        EXPECT_TRUE(MakeFrames(doc, frames, cells));
        ctx.doc = &doc;
        ctx.clock = [](int& m, int& s) {
            m = 7;
            s = 5;
        };
    }
    void put(int frame, int cell, const strCell& c) { ASSERT_TRUE(doc.setCell(frame, cell, &c)); }
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

} // namespace tools_test
