#pragma once
// Field-by-field comparison of two documents for the tests. ProjectFingerprint writes every field
// that a document holds (settings, texts, lock table, the slot capacities, every occupied picture,
// effect, frame and cell slot), one item per line; two documents are equal when their fingerprints
// are. The modified and untitled flags are left out: undo does not restore them.
//
// Header-only: the test programs compile only tests/support/test_support.cpp.

#include "document/project.h"

#include <charconv>
#include <cstdint>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>

namespace testing_support {

// Appends texts and numbers without iostreams (the property tests take many fingerprints).
template <class... T> void Append(std::string& out, const T&... items) {
    auto one = [&out](const auto& v) {
        if constexpr (std::is_arithmetic_v<std::decay_t<decltype(v)>>) {
            char buf[24];
            out.append(buf, std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v)).ptr);
        } else {
            out += v;
        }
    };
    (one(items), ...);
}

inline std::string DescribeCell(const strCell& c) {
    std::string o;
    Append(o, "pic ", c.picture, " pat ", c.pattern, " blend ", c.blend, " x ", c.x, " y ", c.y, " mx ", c.mx,
           " my ", c.my, " ang ", c.angle, " op ", c.opacity, " rgbs ", c.red, "/", c.green, "/", c.blue, "/",
           c.saturation);
    return o;
}

inline std::string ProjectFingerprint(const cProject& d) {
    std::string o;
    Append(o, "cellNumber ", d.cellNumber(), "\n");
    for (int k = kKeyEditFormat; k <= kKeyLock; ++k)
        Append(o, "setting ", k, " = ", d.getSetting(k), "\n");
    for (int k = kTextBaseFolder; k <= kTextUserData; ++k)
        Append(o, "text ", k, " = [", d.text(k), "]\n");
    o += "lock";
    for (uint8_t v : d.lockTable())
        Append(o, " ", v);
    Append(o, "\ncapacities frames ", d.frameCapacity(), " pictures ", d.pictureCapacity(), " effects ",
           d.effectCapacity(), " blank row ", d.blankFrame().cells.capacity(), "\n");
    for (int i = 0; i < d.pictureCapacity(); ++i)
        if (const strPicture* p = d.picture(i))
            Append(o, "picture ", i, " div ", p->divX, "x", p->divY, " hue ", p->hue, " [", p->path, "]\n");
    for (int i = 0; i < d.effectCapacity(); ++i)
        if (const strEffect* e = d.effect(i))
            Append(o, "effect ", i, " start ", e->startFrame, " flags ", e->flags, " flash ", e->flashFrames,
                   "/", e->flashDrawing, "/", e->flashObject, "/", e->flashRed, "/", e->flashGreen, "/",
                   e->flashBlue, "/", e->flashStrength, " sound ", e->volume, "/", e->frequency, "/",
                   e->balance, " [", e->soundPath, "] [", e->userData, "]\n");
    for (int i = 0; i < d.frameCapacity(); ++i) {
        const strFrame* f = d.frame(i);
        if (!f) continue;
        Append(o, "frame ", i, " interval ", f->interval, " row ", f->cells.capacity(), "\n");
        for (int c = 0; c < f->cells.capacity(); ++c)
            if (const strCell* x = f->cells.get(c))
                Append(o, "  cell ", i, ":", c, " ", DescribeCell(*x), "\n");
    }
    return o;
}

// "" when the documents are equal field by field, else the first line that differs on each side.
inline std::string CompareProjects(const cProject& expected, const cProject& actual) {
    std::istringstream a(ProjectFingerprint(expected)), b(ProjectFingerprint(actual));
    std::string la, lb;
    for (int line = 1;; ++line) {
        const bool ha = static_cast<bool>(std::getline(a, la)), hb = static_cast<bool>(std::getline(b, lb));
        if (!ha && !hb) return {};
        if (ha != hb || la != lb)
            return "line " + std::to_string(line) + ":\n  expected: " + (ha ? la : "<end>") +
                   "\n  actual:   " + (hb ? lb : "<end>");
    }
}

} // namespace testing_support
