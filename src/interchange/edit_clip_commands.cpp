#include "interchange/edit_clip_commands.h"

#include "document/project.h"
#include "document/transaction.h"

#include <algorithm>

// ---- building blocks ---------------------------------------------------------------------------

int CollectCanvasCells(const cProject& doc, int frame, const std::vector<int>& selection, cClip_Mass& out) {
    out.clearLists();
    const strFrame* f = doc.frame(frame);
    if (!f || selection.empty()) return 0;
    const int first = selection.front();
    for (int s : selection) {
        if (s >= f->cells.capacity()) break;
        if (const strCell* c = f->cells.get(s)) out.addCell(0, s - first, *c);
    }
    return static_cast<int>(out.cells.size());
}

uint32_t ClipKindOf(eRangeKind kind) {
    switch (kind) {
    case kRangeFrames:
        return kClipFrames;
    case kRangeRows:
        return kClipRows;
    default:
        return kClipCells;
    }
}

int CollectTimeline(const cProject& doc, const cTimelineRange& range, cClip_Mass& out) {
    out = cClip_Mass(ClipKindOf(range.kind()));
    const cTimelineRange block = range.blockOn(doc.frameCount(), doc.cellNumber());
    if (block.empty()) return 0;
    const int f0 = block.firstFrame(), f1 = block.lastFrame();
    if (range.kind() == kRangeFrames) {
        int collected = 0;
        for (int f = f0; f <= f1; ++f) {
            const strFrame* frame = doc.frame(f);
            if (!frame) continue;
            for (int c = frame->cells.capacity() - 1; c >= 0; --c) {
                if (const strCell* x = frame->cells.get(c))
                    out.addCell(f - f0, c, *x);
                else
                    out.addEmpty(f - f0, c);
            }
            out.addFrame(f - f0, frame->interval);
            ++collected;
        }
        return collected;
    }
    const bool lockRecords = range.kind() == kRangeRows && doc.getSetting(kKeyLock) != 0;
    const int c0 = block.firstCell();
    for (int c = c0; c <= block.lastCell(); ++c) {
        for (int f = f0; f <= f1; ++f) {
            if (!doc.frame(f)) continue;
            if (const strCell* x = doc.cell(f, c))
                out.addCell(f - f0, c - c0, *x);
            else
                out.addEmpty(f - f0, c - c0);
        }
        if (lockRecords) out.addLock(c - c0, doc.lockedPicture(c));
    }
    return static_cast<int>(out.cells.size());
}

int RemoveTimeline(cProject& doc, const cTimelineRange& range) {
    const cTimelineRange block = range.blockOn(doc.frameCount(), doc.cellNumber());
    cTransaction t(doc, strMessage(kStepDeleteRange, block.firstFrame(), block.lastFrame()));
    if (block.empty()) return 0;
    if (range.kind() == kRangeFrames) {
        const int deleted = DeleteFrames(doc, block.firstFrame(), static_cast<int>(block.frameCount()));
        t.commit();
        return deleted;
    }
    const bool unlock = range.kind() == kRangeRows && doc.getSetting(kKeyLock);
    int removed = 0;
    for (int c = block.firstCell(); c <= block.lastCell(); ++c) {
        for (int f = block.firstFrame(); f <= block.lastFrame(); ++f)
            if (doc.cell(f, c) && doc.setCell(f, c, nullptr)) ++removed;
        if (unlock) doc.setLockedPicture(c, 0);
    }
    t.commit();
    return removed;
}

int PasteTimeline(cProject& doc, const cClip_Mass& mass, int frame, int cell, cTimelineRange* pasted) {
    const uint32_t kind = mass.kind();
    if (kind == kClipRows) frame = 0;
    if (kind == kClipFrames) cell = 0;
    const int newFrames = kind == kClipFrames ? static_cast<int>(mass.frames.size()) : 0;
    if (newFrames > 0 && !FramesFit(doc, newFrames)) return -1;
    cTransaction t(doc, newFrames > 0 ? strMessage(kStepPasteFrames, newFrames, frame)
                                      : strMessage(kStepPasteRange, frame, cell));
    int changes = 0;

    if (kind == kClipRows && doc.getSetting(kKeyLock))
        for (const auto& l : mass.locks)
            if (doc.setLockedPicture(cell + l.cell, static_cast<uint8_t>(l.picture))) ++changes;
    if (newFrames > 0 && InsertBlankFrames(doc, frame, newFrames) != newFrames) return 0;
    for (const auto& r : mass.cells)
        if (doc.setCell(frame + r.frame, cell + r.cell, &r.value)) ++changes;
    for (const auto& r : mass.empties)
        if (doc.cell(frame + r.frame, cell + r.cell) && doc.setCell(frame + r.frame, cell + r.cell, nullptr))
            ++changes;
    for (const auto& r : mass.frames)
        if (doc.setFrameInterval(frame + r.frame, r.interval)) ++changes;

    if (pasted) {
        int maxFrame = 0, maxCell = 0;
        auto extend = [&](int f, int c) {
            maxFrame = std::max(maxFrame, f);
            maxCell = std::max(maxCell, c);
        };
        for (const auto& r : mass.cells)
            extend(r.frame, r.cell);
        for (const auto& r : mass.empties)
            extend(r.frame, r.cell);
        for (const auto& r : mass.frames)
            extend(r.frame, 0);
        for (const auto& r : mass.locks)
            extend(0, r.cell);
        if (kind == kClipFrames)
            *pasted = cTimelineRange::ofFrames(frame, frame + maxFrame);
        else if (kind == kClipRows)
            *pasted = cTimelineRange::ofRows(cell, cell + maxCell);
        else
            *pasted = cTimelineRange::ofCells(frame, cell, frame + maxFrame, cell + maxCell);
    }
    t.commit();
    return changes;
}

// ---- list window: effects ----------------------------------------------------------------------

namespace {

strEditResult Report(bool ok, const strMessage& success, const strMessage& failure) {
    strEditResult r;
    r.ok = ok;
    r.count = ok ? 1 : 0;
    r.status = ok ? success : failure;
    return r;
}

// "Add sound effect at frame 12", "Add flash at frame 3" or "Add effect at frame 0".
strMessage AddEffectLabel(const strEffect& e) {
    const eMessageId id = (e.flags & strEffect::kSound)   ? kStepAddSound
                          : (e.flags & strEffect::kFlash) ? kStepAddFlash
                                                          : kStepAddEffect;
    return strMessage(id, e.startFrame);
}

} // namespace

strEditResult cEditClipCommands::copyEffect(int i) {
    cProject& doc = commands_.document();
    strEffect copy = doc.effect(i) ? *doc.effect(i) : strEffect{};
    cClip_Effect payload(&copy);
    const bool ok = doc.effect(i) && clipboard_.put(payload);
    return Report(ok, strMessage(kMsgCountCopy, i),
                  doc.effect(i) ? commands_.processingFailed() : strMessage(kMsgNoEffectSelected));
}

strEditResult cEditClipCommands::cutEffect(int i) {
    cProject& doc = commands_.document();
    const strEffect* e = doc.effect(i);
    strEffect copy = e ? *e : strEffect{};
    cClip_Effect payload(&copy);
    cTransaction t(doc, strMessage(kStepCutEffect, copy.startFrame));
    const bool ok = e && clipboard_.put(payload) && doc.removeEffect(i) && t.commit();
    return Report(ok, strMessage(kMsgCountCut, i),
                  e ? commands_.processingFailed() : strMessage(kMsgNoEffectSelected));
}

strEditResult cEditClipCommands::pasteEffect(int* selected) {
    cProject& doc = commands_.document();
    strEffect e;
    cClip_Effect payload(&e);
    int slot = -1;
    const bool got = clipboard_.get(payload);
    bool ok = got;
    if (ok) {
        cTransaction t(doc, strMessage(kStepPasteEffect, e.startFrame));
        ok = doc.addEffect(e, &slot) && t.commit();
    }
    if (ok && selected) *selected = slot;
    const bool full = doc.effectCount() >= doc.effectCapacity();
    return Report(ok, strMessage(kMsgCountPaste, slot),
                  !got   ? strMessage(kMsgNoEffectOnClipboard)
                  : full ? strMessage(kMsgEffectsFull, doc.effectCapacity())
                         : commands_.processingFailed());
}

strEditResult cEditClipCommands::deleteEffect(int i) {
    cProject& doc = commands_.document();
    const strEffect* e = doc.effect(i);
    cTransaction t(doc, strMessage(kStepDeleteEffect, e ? e->startFrame : 0));
    const bool ok = e && doc.removeEffect(i) && t.commit();
    return Report(ok, strMessage(kMsgCountDelete, i),
                  e ? commands_.processingFailed() : strMessage(kMsgNoEffectSelected));
}

strEditResult cEditClipCommands::storeEffect(int i, const strEffect& edited, int* at) {
    cProject& doc = commands_.document();
    int slot = -1;
    const bool change = doc.effect(i) != nullptr;
    cTransaction t(doc, change ? strMessage(kStepChangeEffect, edited.startFrame) : AddEffectLabel(edited));
    if (change)
        slot = doc.changeEffect(i, edited);
    else
        doc.addEffect(edited, &slot);
    if (slot >= 0) t.commit();
    if (at) *at = slot;
    strEditResult r;
    r.ok = slot >= 0;
    r.count = r.ok ? 1 : 0;
    if (!r.ok) r.status = commands_.processingFailed();
    return r;
}

// ---- list window: pictures ---------------------------------------------------------------------

strEditResult cEditClipCommands::copyPicture(int i) {
    cProject& doc = commands_.document();
    strPicture copy = doc.picture(i) ? *doc.picture(i) : strPicture{};
    cClip_Picture payload(&copy);
    const bool ok = doc.picture(i) && clipboard_.put(payload);
    return Report(ok, strMessage(kMsgCountCopy, i),
                  doc.picture(i) ? commands_.processingFailed() : strMessage(kMsgPictureSlotEmpty, i));
}

strEditResult cEditClipCommands::cutPicture(int i) {
    cProject& doc = commands_.document();
    strPicture copy = doc.picture(i) ? *doc.picture(i) : strPicture{};
    cClip_Picture payload(&copy);
    cTransaction t(doc, strMessage(kStepCutPicture, i));
    const bool had = doc.picture(i) != nullptr;
    const bool ok = had && clipboard_.put(payload) && doc.setPicture(i, nullptr) && t.commit();
    return Report(ok, strMessage(kMsgCountCut, i),
                  had ? commands_.processingFailed() : strMessage(kMsgPictureSlotEmpty, i));
}

strEditResult cEditClipCommands::pastePicture(int i) {
    cProject& doc = commands_.document();
    strPicture p;
    cClip_Picture payload(&p);
    cTransaction t(doc, strMessage(kStepPastePicture, i));
    const bool inRange = i >= 0 && i < doc.pictureCapacity();
    const bool got = inRange && clipboard_.get(payload);
    const bool ok = got && doc.setPicture(i, &p);
    // Pasting the picture that is already there is done, though it changes nothing.
    t.commit();
    return Report(ok, strMessage(kMsgCountPaste, i),
                  inRange && !got ? strMessage(kMsgNoPictureOnClipboard) : commands_.processingFailed());
}

strEditResult cEditClipCommands::deletePicture(int i) {
    cProject& doc = commands_.document();
    cTransaction t(doc, strMessage(kStepDeletePicture, i));
    const bool had = doc.picture(i) != nullptr;
    const bool ok = had && doc.setPicture(i, nullptr) && t.commit();
    return Report(ok, strMessage(kMsgCountDelete, i),
                  had ? commands_.processingFailed() : strMessage(kMsgPictureSlotEmpty, i));
}

// ---- canvas and cell commands ------------------------------------------------------------------

strEditResult cEditClipCommands::copyCells() {
    strEditResult r;
    cClip_Mass mass(kClipCells);
    const int n =
        CollectCanvasCells(commands_.document(), commands_.currentFrame(), commands_.selection(), mass);
    r.ok = n > 0 && clipboard_.put(mass);
    r.count = r.ok ? n : 0;
    if (r.ok) r.status = strMessage(kMsgCountCopy, n);
    return r;
}

strEditResult cEditClipCommands::cutCells() {
    cEditCommands::cHold hold(commands_);
    strEditResult r;
    cProject& doc = commands_.document();
    commands_.checkCurrentFrame(r);
    cClip_Mass mass(kClipCells);
    const int frame = commands_.currentFrame();
    const std::vector<int> selection = commands_.selection();
    const int n = CollectCanvasCells(doc, frame, selection, mass);
    if (n == 0 || !clipboard_.put(mass)) return r;
    cTransaction t(doc, Counted(kStepCutCells, n));
    for (int c : selection)
        if (doc.cell(frame, c) && doc.setCell(frame, c, nullptr)) commands_.select(c, false);
    t.commit();
    r.ok = true;
    r.count = n;
    r.status = strMessage(kMsgCountCut, n);
    return r;
}

strEditResult cEditClipCommands::pasteCells(int slot, const strCanvasPoint* at) {
    cEditCommands::cHold hold(commands_);
    strEditResult r;
    cProject& doc = commands_.document();
    commands_.checkCurrentFrame(r);
    const int frame = commands_.currentFrame();
    const strFrame* f = doc.frame(frame);
    if (!f) return r;
    const int rows = f->cells.capacity();
    int base = slot;
    if (base < 0)
        for (int c = 0; c < rows && base < 0; ++c)
            if (f->cells.get(c) && commands_.isSelected(c)) base = c;
    if (base < 0)
        for (int c = 0; c < rows && base < 0; ++c)
            if (!f->cells.get(c)) base = c;
    if (base < 0) return r;

    cClip_Mass mass(kClipCells);
    if (!clipboard_.get(mass) || mass.cells.empty()) return r;

    cTransaction t(doc, strMessage(kStepPasteCells));
    commands_.clearSelection();
    for (const auto& rec : mass.cells) {
        const int target = base + rec.cell;
        strCell c = rec.value;
        if (mass.cells.size() == 1) {
            if (at) {
                c.x = static_cast<int16_t>(std::clamp(at->x, -32768, 32767));
                c.y = static_cast<int16_t>(std::clamp(at->y, -32768, 32767));
            } else if (const strCell* old = doc.cell(frame, target)) {
                c.x = old->x;
                c.y = old->y;
            }
        }
        if (!doc.setCell(frame, target, &c)) continue;
        commands_.select(target, true);
        ++r.count;
    }
    t.setLabel(Counted(kStepPasteCells, r.count));
    t.commit();
    r.ok = r.count > 0;
    if (r.ok) r.status = strMessage(kMsgCountPaste, r.count);
    return r;
}

strEditResult cEditClipCommands::pasteAtCurrentCell(const strCanvasPoint* at) {
    if (commands_.currentCell() < 0) return {};
    return pasteCells(commands_.currentCell(), at);
}

// ---- timeline ----------------------------------------------------------------------------------

strEditResult cEditClipCommands::timelineCopy(const cTimelineRange& range) {
    strEditResult r;
    cClip_Mass mass;
    const int n = CollectTimeline(commands_.document(), range, mass);
    r.ok = !mass.empty() && clipboard_.put(mass);
    r.count = r.ok ? n : 0;
    if (r.ok) r.status = strMessage(kMsgCountCopy, n);
    return r;
}

strEditResult cEditClipCommands::timelineCut(const cTimelineRange& range) {
    cEditCommands::cHold hold(commands_);
    strEditResult r;
    cProject& doc = commands_.document();
    cClip_Mass mass;
    const int n = CollectTimeline(doc, range, mass);
    if (mass.empty() || !clipboard_.put(mass)) return r;
    const cTimelineRange block = range.blockOn(doc.frameCount(), doc.cellNumber());
    cTransaction t(doc, strMessage(kStepCutRange, block.firstFrame(), block.lastFrame()));
    RemoveTimeline(doc, range);
    t.commit();
    commands_.clampCurrentFrame();
    r.ok = true;
    r.count = n;
    r.status = strMessage(kMsgCountCut, n);
    return r;
}

strEditResult cEditClipCommands::timelineDelete(const cTimelineRange& range) {
    cEditCommands::cHold hold(commands_);
    strEditResult r;
    r.count = RemoveTimeline(commands_.document(), range);
    commands_.clampCurrentFrame();
    r.ok = r.count > 0;
    if (r.ok) r.status = strMessage(kMsgCountDelete, r.count);
    return r;
}

strEditResult cEditClipCommands::timelinePaste(uint32_t kind, int frame, int cell, cTimelineRange* pasted) {
    cEditCommands::cHold hold(commands_);
    strEditResult r;
    cClip_Mass mass(kind);
    if (!clipboard_.get(mass)) return r;
    const int n = PasteTimeline(commands_.document(), mass, frame, cell, pasted);
    if (n < 0) {
        r.status = FramesFull(commands_.document());
        return r;
    }
    commands_.clampCurrentFrame();
    r.ok = n > 0;
    r.count = n;
    if (r.ok) r.status = strMessage(kMsgCountPaste, n);
    return r;
}
