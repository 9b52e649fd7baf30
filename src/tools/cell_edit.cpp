#include "tools/cell_edit.h"

#include "document/project.h"
#include "document/transaction.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

bool cCellEdit::open(const cProject& doc, int frame, int cell) {
    frame_ = frame;
    cell_ = cell;
    changed_ = false;
    const strCell* c = doc.cell(frame, cell);
    editable_ = c != nullptr;
    work_ = c ? *c : strCell::neutral();
    inversed = isInversed(work_);
    return editable_;
}

void cCellEdit::close() {
    frame_ = -1;
    cell_ = -1;
    editable_ = false;
    changed_ = false;
}

std::string cCellEdit::title() const {
    char buf[48];
    std::snprintf(buf, sizeof buf, "Cell [%d,%d]", frame_, cell_);
    return buf;
}

strCell& cCellEdit::edit() {
    changed_ = true;
    return work_;
}

bool cCellEdit::canCopyFrom(const cProject& doc, int offset) const {
    return isOpen() && doc.cell(frame_ + offset, cell_) != nullptr;
}

bool cCellEdit::copyFrom(const cProject& doc, int offset) {
    if (!canCopyFrom(doc, offset)) return false;
    work_ = *doc.cell(frame_ + offset, cell_);
    inversed = isInversed(work_);
    changed_ = true;
    return true;
}

bool cCellEdit::isInversed(const strCell& c) {
    return static_cast<int>(c.mx) * static_cast<int>(c.my) < 1;
}

void cCellEdit::rebuild(const cProject& doc) {
    if (doc.getSetting(kKeyEditFormat) == 2) {
        const int sy = work_.my;
        work_.mx = static_cast<int16_t>(inversed ? -sy : sy);
    }
    doc.normaliseCell(work_, cell_);
}

const strCell* cCellEdit::previewCell(int frame, int cell) const {
    return isOpen() && frame == frame_ && cell == cell_ ? &work_ : nullptr;
}

strEditResult cCellEdit::apply(const strToolContext& ctx) {
    strEditResult r;
    if (ctx.doc && isOpen()) {
        cProject& doc = *ctx.doc;
        rebuild(doc);
        const strCell* current = doc.cell(frame_, cell_);
        if (editable_ && current && !(*current == work_)) {
            cTransaction t(doc, strMessage(kStepChangeCell, cell_, frame_));
            const bool ok = doc.setCell(frame_, cell_, &work_) && t.commit();
            r.count = ok ? 1 : 0;
            r.ok = ok;
        }
    }
    close();
    return r;
}

std::string cCellEdit::colourText(const strCell& c) {
    const uint32_t v = (static_cast<uint32_t>(c.saturation) << 24) | (static_cast<uint32_t>(c.red) << 16) |
                       (static_cast<uint32_t>(c.green) << 8) | c.blue;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08x", v);
    return buf;
}

bool cCellEdit::parseColourText(const std::string& text, strCell& c) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 2])))
        i += 2;
    uint32_t v = 0;
    int digits = 0;
    for (; i < text.size() && digits < 8 && std::isxdigit(static_cast<unsigned char>(text[i]));
         ++i, ++digits) {
        const char ch = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
        v = (v << 4) | static_cast<uint32_t>(ch <= '9' ? ch - '0' : ch - 'a' + 10);
    }
    if (digits == 0) return false;
    auto limit = [](uint32_t b) { return static_cast<uint8_t>(std::min<uint32_t>(b & 0xFF, 200)); };
    c.saturation = limit(v >> 24);
    c.red = limit(v >> 16);
    c.green = limit(v >> 8);
    c.blue = limit(v);
    return true;
}

void cCellEdit::clearColour(strCell& c) {
    c.red = 100;
    c.green = 100;
    c.blue = 100;
    c.saturation = 100;
}

strCellControls cCellEdit::controls(int editFormat, bool lockOn) {
    using S = eControlState;
    strCellControls k;
    switch (editFormat) {
    case 1:
        k.angle = S::kDisabled, k.sx = S::kDisabled, k.sy = S::kDisabled;
        break;
    case 2:
        k.sx = S::kHidden, k.flip = S::kEditable;
        break;
    case 3:
        k.sy = S::kDisabled;
        break;
    case 4:
        k.angle = S::kDisabled;
        break;
    default:
        break;
    }
    k.image = !lockOn;
    return k;
}

int cCellEdit::maxImage(const cProject& doc) {
    return std::max(doc.pictureCount() - 1, 0);
}
