#pragma once
// Game folders for the game tests: one per product, in a temporary folder, with a copy of the
// database shaped as the product writes it (tests/data/game, written by the scripts there:
// make_games.py for 2000 and MV, make_marshal.rb for the Marshal ones).

#include "config/config.h"
#include "document/project.h"
#include "interchange/clipboard_formats.h"
#include "platform/code_page.h"
#include "support/document_builder.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace game_test {

inline bool HaveRuby() {
    return std::filesystem::exists("/usr/bin/ruby") && !std::getenv("PELKO_TEST_NO_RUBY");
}

inline std::string ProductName(int product) {
    switch (product) {
    case interchange::kProduct2000:
        return "2000";
    case interchange::kProductXP:
        return "xp";
    case interchange::kProductVX:
        return "vx";
    case interchange::kProductVXAce:
        return "vxace";
    default:
        return "mv";
    }
}

// A document with one cell per frame on `frames` frames, a picture and a sound effect.
inline void SampleDocument(cProject& doc, const std::string& nameUtf8, int frames) {
    testing_support::MakeFrames(doc, frames, 16);
    doc.applyDefaults();
    doc.setText(kTextName, platform::FromUtf8(nameUtf8, "jpn"));
    strPicture p;
    p.divX = p.divY = 192;
    p.path = "Fire1";
    doc.setPicture(0, p);
    for (int f = 0; f < frames; ++f) {
        strCell c = testing_support::CellAt(10 * f);
        c.pattern = static_cast<uint16_t>(f + 1);
        doc.setCell(f, 0, &c);
    }
    strEffect e;
    e.flags = strEffect::kSound;
    e.soundPath = "Fire2";
    doc.addEffect(e);
}

struct strGameFolder {
    testing_support::TempDir dir;
    int product = 0;
    std::string database;
    bool fromRuby = HaveRuby(); // Ruby reads back what is written

    explicit strGameFolder(int p) : product(p) {
        namespace fs = std::filesystem;
        const std::string root = dir.path();
        auto touch = [&](const std::string& rel) { testing_support::WriteBytes(root + "/" + rel, {}); };
        switch (product) {
        case interchange::kProduct2000:
            touch("RPG_RT.lmt");
            database = root + "/RPG_RT.ldb";
            fs::copy_file(testing_support::DataPath("game/rpg_rt.ldb"), database);
            fs::create_directories(root + "/Battle");
            break;
        case interchange::kProductMV:
            touch("Game.rpgproject");
            fs::create_directories(root + "/data");
            fs::create_directories(root + "/img/animations");
            database = root + "/data/Animations.json";
            fs::copy_file(testing_support::DataPath("game/Animations.json"), database);
            break;
        default: {
            const char* marker = product == interchange::kProductXP   ? "Game.rxproj"
                                 : product == interchange::kProductVX ? "Game.rvproj"
                                                                      : "Game.rvproj2";
            const char* file = product == interchange::kProductXP   ? "Animations.rxdata"
                               : product == interchange::kProductVX ? "Animations.rvdata"
                                                                    : "Animations.rvdata2";
            touch(marker);
            fs::create_directories(root + "/Data");
            fs::create_directories(root + "/Graphics/Animations");
            database = root + "/Data/" + file;
            fs::copy_file(testing_support::DataPath(std::string("game/") + file), database);
        }
        }
    }
};

inline cConfig Config() {
    cConfig c;
    c.Locale = "jpn";
    return c;
}

} // namespace game_test
