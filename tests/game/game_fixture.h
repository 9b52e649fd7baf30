#pragma once
// Game folders for the game tests: one per product, in a temporary folder, with the database
// shaped as the product writes it (tests/data/game; the Marshal ones made by Ruby when it is
// installed, else built here from clipboard dumps with the same shape).

#include "config/config.h"
#include "document/project.h"
#include "game/marshal_tree.h"
#include "interchange/clipboard_formats.h"
#include "interchange/marshal_animation.h"
#include "platform/code_page.h"
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
    doc.create(0, 16, 0, 0);
    doc.applyDefaults();
    doc.setText(kTextName, platform::FromUtf8(nameUtf8, "jpn"));
    strPicture p;
    p.divX = p.divY = 192;
    p.path = "Fire1";
    doc.setPicture(0, p);
    for (int f = 0; f < frames; ++f) {
        doc.frameOrCreate(f);
        strCell c;
        c.pattern = static_cast<uint16_t>(f + 1);
        c.x = static_cast<int16_t>(10 * f);
        doc.setCell(f, 0, &c);
    }
    strEffect e;
    e.flags = strEffect::kSound;
    e.soundPath = "Fire2";
    doc.addEffect(e);
}

// The Marshal database without Ruby: [nil, 1 "Hit" with @note, 2 "炎の剣" (3 frames), 3 empty, nil,
// 5 sharing animation 1's name string].
inline std::vector<uint8_t> BuiltMarshalDatabase(int product) {
    using namespace game;
    cMarshalTree db;
    EXPECT_TRUE(ReadMarshalTree({4, 8, '[', 0}, db));
    auto animation = [&](const char* name, int frames, int id) {
        cProject doc;
        SampleDocument(doc, name, frames);
        std::vector<uint8_t> payload;
        EXPECT_EQ(PKRUBY::BuildMarshalPayload(doc, product, "jpn", payload), 1);
        cMarshalTree one;
        EXPECT_TRUE(ReadMarshalTree(std::vector<uint8_t>(payload.begin() + 4, payload.end()), one));
        const MarshalRef copy = db.CopyFrom(one, one.Elements(one.Root())[0]);
        db.MutableNode(db.Ivar(copy, "@id")) = db.Node(db.AddFixnum(id));
        return copy;
    };
    const MarshalRef a1 = animation("Hit", 2, 1);
    std::vector<std::pair<uint32_t, MarshalRef>> ivars;
    std::span<const MarshalRef> pairs = db.Pairs(a1);
    for (size_t i = 0; i + 1 < pairs.size(); i += 2)
        ivars.emplace_back(pairs[i], pairs[i + 1]);
    ivars.emplace_back(db.InternSymbol("@note"), db.AddString("kept by every write", product == 4));
    const MarshalRef noted = db.AddObject(db.Node(a1).name, ivars);
    const MarshalRef a5 = animation("Thunder", 1, 5);
    std::vector<std::pair<uint32_t, MarshalRef>> ivars5;
    pairs = db.Pairs(a5);
    for (size_t i = 0; i + 1 < pairs.size(); i += 2)
        ivars5.emplace_back(pairs[i],
                            db.SymbolText(pairs[i]) == "@name" ? db.Ivar(a1, "@name") : pairs[i + 1]);
    const MarshalRef shared = db.AddObject(db.Node(a5).name, ivars5);
    for (MarshalRef e :
         {db.AddNil(), noted, animation("炎の剣", 3, 2), animation("", 0, 3), db.AddNil(), shared})
        db.AppendElement(db.Root(), e);
    std::vector<uint8_t> out;
    EXPECT_TRUE(WriteMarshalTree(db, out));
    return out;
}

struct strGameFolder {
    testing_support::TempDir dir;
    int product = 0;
    std::string database;
    bool fromRuby = false;

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
            if (HaveRuby()) {
                int status = -1;
                testing_support::RunCommand("/usr/bin/ruby " +
                                                testing_support::DataPath("game/make_marshal.rb") + " " +
                                                ProductName(product) + " " + database,
                                            &status);
                EXPECT_EQ(status, 0);
                fromRuby = true;
            } else {
                testing_support::WriteBytes(database, BuiltMarshalDatabase(product));
            }
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
