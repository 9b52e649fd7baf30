#pragma once
// Shared pieces of the interchange tests: a settings record with known folders, cells and effects in
// one call, a sample project that uses every field the Marshal products carry, byte helpers, and one
// Export / Import for every product.

#include "config/config.h"
#include "document/project.h"
#include "interchange/clip_2000.h"
#include "interchange/clipboard_formats.h"
#include "interchange/marshal_animation.h"
#include "interchange/mv_animation.h"
#include "support/document_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace interchange_test {

using namespace interchange;
using Bytes = std::vector<uint8_t>;

inline cConfig TestConfig() {
    cConfig c;
    c.Locale = "jpn";
    c.FolderName_G = "BattleEffect";
    c.FolderName_S = "Sound";
    return c;
}

// The fields in the order of the Marshal table rows (pattern before position, blend last).
inline strCell Cell(uint8_t picture, uint16_t pattern, int16_t x, int16_t y, int16_t mx, int16_t my,
                    int16_t angle, uint8_t opacity, uint8_t blend) {
    return strCell{picture, pattern, blend, x, y, mx, my, angle, opacity};
}

inline void PutCell(cProject& d, int frame, int cell, const strCell& c) {
    d.frameOrCreate(frame);
    d.setCell(frame, cell, &c);
}

inline strPicture Picture(const std::string& path, uint16_t hue = 0) {
    return {.divX = 5, .divY = 5, .hue = hue, .path = path};
}

inline strEffect Flash(uint16_t start, uint8_t object, uint8_t r, uint8_t g, uint8_t b, uint8_t strength,
                       uint16_t frames) {
    return strEffect{start, strEffect::kFlash, frames, 0, object, r, g, b, strength};
}

inline strEffect Sound(uint16_t start, const std::string& path, uint16_t volume, uint16_t frequency) {
    return strEffect{.startFrame = start,
                     .flags = strEffect::kSound,
                     .volume = volume,
                     .frequency = frequency,
                     .soundPath = path};
}

// A project that uses every field the three Marshal products carry: name (CP932), pictures 0 and 1,
// centre position "Up", frames with empty and occupied cell slots, flash, sound and condition
// effects.
inline std::unique_ptr<cProject> SampleProject(const cConfig& config) {
    auto d = std::make_unique<cProject>(&config);
    d->create(0, 16, 0, 0);
    d->setText(kTextName, "\x83\x65\x83\x58\x83\x67"); // "テスト" in CP932
    d->setSetting(kKeyCentrePosition, 3);
    d->setPicture(0, Picture("Graphics\\Animations\\Fire1.png", 30));
    d->setPicture(1, Picture("C:/x/Thunder2.bmp", 200));
    PutCell(*d, 0, 0, Cell(0, 1, 10, -20, 100, 100, 0, 255, 0));
    PutCell(*d, 0, 2, Cell(1, 57, -300, 200, -150, 150, -900, 128, 1));
    PutCell(*d, 1, 15, Cell(0, 100, 1024, -1024, 800, 800, -3590, 0, 2));
    d->frameOrCreate(2); // a frame with no cells
    d->addEffect(Flash(0, 0, 255, 128, 0, 200, 5));
    strEffect both = Flash(1, 1, 1, 2, 3, 4, 6);
    both.flags |= strEffect::kSound;
    both.soundPath = "Audio\\SE\\Fire2.ogg";
    both.volume = 80;
    both.frequency = 120;
    d->addEffect(both);
    d->addEffect(Flash(2, 2, 128, 128, 128, 255, 9));
    d->addEffect(Sound(3, "Slash.wav", 100, 50));
    d->addEffect({.startFrame = 4, .flags = strEffect::kUserData, .userData = "HIT"});
    d->addEffect({.startFrame = 4, .flags = strEffect::kUserData, .userData = "MISS"});
    return d;
}

inline Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes Text(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

inline uint32_t U32At(const Bytes& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

// Position of a byte sequence, or npos.
inline size_t Find(const Bytes& hay, const Bytes& needle) {
    auto it = std::search(hay.begin(), hay.end(), needle.begin(), needle.end());
    return it == hay.end() ? std::string::npos : static_cast<size_t>(it - hay.begin());
}

// The block with its first word replaced and padding bytes added (clipboard blocks may come back
// rounded up).
inline Bytes Rewrapped(Bytes b, uint32_t word, size_t padding) {
    for (int k = 0; k < 4; ++k)
        b[k] = static_cast<uint8_t>(word >> (8 * k));
    b.insert(b.end(), padding, 0xEE);
    return b;
}

// The lines of the project's fingerprint that begin with prefix ("effect ", "  cell ", "picture ").
inline std::string FingerprintLines(const cProject& d, std::string_view prefix) {
    std::string all = testing_support::ProjectFingerprint(d), out;
    for (size_t at = 0, end; at < all.size(); at = end + 1) {
        end = all.find('\n', at);
        if (all.compare(at, prefix.size(), prefix) == 0) out += all.substr(at, end + 1 - at);
    }
    return out;
}

// The clipboard payload of a product (the MV text as its bytes), locale "jpn"; the build must succeed.
inline Bytes Export(const cProject& d, int product) {
    Bytes out;
    int result = -1;
    if (product == kProduct2000) {
        result = lcf::BuildLcfPayload(d, out);
    } else if (product == kProductMV) {
        std::string text;
        result = mv::BuildMvPayload(d, "jpn", text);
        out = Text(text);
    } else {
        result = ruby::BuildMarshalPayload(d, product, "jpn", out);
    }
    EXPECT_EQ(result, 1) << "export as product " << product;
    return out;
}

// Reads a payload of a product into d: 1 success, -1 failure (why, when given, says why).
inline int Import(std::span<const uint8_t> payload, cProject& d, int product, std::string* why = nullptr) {
    strMessage reason;
    int r = 0;
    if (product == kProduct2000)
        r = lcf::ReadLcfPayload(payload, d, &reason);
    else if (product == kProductMV)
        r = mv::ReadMvPayload(payload, d, "jpn", &reason);
    else
        r = ruby::ReadMarshalPayload(payload, d, "jpn", &reason);
    // Every refusal says why; a success leaves no reason behind.
    EXPECT_EQ(r == 1, reason.none()) << FormatMessage(reason);
    if (why) *why = FormatMessage(reason);
    return r;
}

inline int Import(std::string_view text, cProject& d, int product, std::string* why = nullptr) {
    return Import(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), d, product, why);
}

} // namespace interchange_test
