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
#include <utility>

namespace testing_support {

// Appends "name value" pieces without iostreams (the property tests take many fingerprints).
class cFingerprintWriter {
  public:
    cFingerprintWriter& operator<<(const char* t) {
        out_ += t;
        return *this;
    }
    cFingerprintWriter& operator<<(const std::string& t) {
        out_ += t;
        return *this;
    }
    cFingerprintWriter& operator<<(long long v) {
        char buf[24];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        out_.append(buf, r.ptr);
        return *this;
    }
    cFingerprintWriter& operator<<(int v) { return *this << static_cast<long long>(v); }
    cFingerprintWriter& operator<<(unsigned v) { return *this << static_cast<long long>(v); }
    cFingerprintWriter& operator<<(int16_t v) { return *this << static_cast<long long>(v); }
    cFingerprintWriter& operator<<(uint16_t v) { return *this << static_cast<long long>(v); }
    cFingerprintWriter& operator<<(uint8_t v) { return *this << static_cast<long long>(v); }
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
};

inline std::string DescribeCell(const strCell& c) {
    cFingerprintWriter o;
    o << "pic " << c.picture << " pat " << c.pattern << " blend " << c.blend << " x " << c.x << " y " << c.y
      << " mx " << c.mx << " my " << c.my << " ang " << c.angle << " op " << c.opacity << " rgbs " << c.red
      << "/" << c.green << "/" << c.blue << "/" << c.saturation;
    return o.take();
}

inline std::string ProjectFingerprint(const cProject& d) {
    cFingerprintWriter o;
    o << "cellNumber " << d.cellNumber() << "\n";
    for (int k = kKeyEditFormat; k <= kKeyLock; ++k)
        o << "setting " << k << " = " << d.getSetting(k) << "\n";
    for (int k = kTextBaseFolder; k <= kTextUserData; ++k)
        o << "text " << k << " = [" << d.text(k) << "]\n";
    o << "lock";
    for (uint8_t v : d.lockTable())
        o << " " << v;
    o << "\n";
    o << "capacities frames " << d.frames().capacity() << " pictures " << d.pictures().capacity()
      << " effects " << d.effects().capacity() << " blank row " << d.blankFrame().cells.capacity() << "\n";
    for (int i = 0; i < d.pictures().capacity(); ++i)
        if (const strPicture* p = d.picture(i))
            o << "picture " << i << " div " << p->divX << "x" << p->divY << " hue " << p->hue << " ["
              << p->path << "]\n";
    for (int i = 0; i < d.effects().capacity(); ++i)
        if (const strEffect* e = d.effect(i))
            o << "effect " << i << " start " << e->startFrame << " flags " << e->flags << " flash "
              << e->flashFrames << "/" << e->flashDrawing << "/" << e->flashObject << "/" << e->flashRed
              << "/" << e->flashGreen << "/" << e->flashBlue << "/" << e->flashStrength << " sound "
              << e->volume << "/" << e->frequency << "/" << e->balance << " [" << e->soundPath << "] ["
              << e->userData << "]\n";
    for (int i = 0; i < d.frames().capacity(); ++i) {
        const strFrame* f = d.frame(i);
        if (!f) continue;
        o << "frame " << i << " interval " << f->interval << " row " << f->cells.capacity() << "\n";
        for (int c = 0; c < f->cells.capacity(); ++c)
            if (const strCell* x = f->cells.get(c))
                o << "  cell " << i << ":" << c << " " << DescribeCell(*x) << "\n";
    }
    return o.take();
}

// "" when the fingerprints are equal, else the first line that differs on each side.
inline std::string FingerprintDifference(const std::string& a, const std::string& b) {
    if (a == b) return {};
    std::istringstream ia(a), ib(b);
    std::string la, lb;
    int line = 1;
    for (;; ++line) {
        const bool ha = static_cast<bool>(std::getline(ia, la));
        const bool hb = static_cast<bool>(std::getline(ib, lb));
        if (!ha && !hb) break;
        if (!ha) la = "<end>";
        if (!hb) lb = "<end>";
        if (la != lb) break;
    }
    return "line " + std::to_string(line) + ":\n  expected: " + la + "\n  actual:   " + lb;
}

// "" when the documents are equal field by field, else the first difference.
inline std::string CompareProjects(const cProject& expected, const cProject& actual) {
    return FingerprintDifference(ProjectFingerprint(expected), ProjectFingerprint(actual));
}

}  // namespace testing_support
