// parseWritten of every product against a parse of the whole written file: the same animations,
// the same bytes, the database written from left as it was. For MV, which checks only the new
// element, a written file that differs anywhere else is still refused when it does not parse.

#include "game/animation_database.h"
#include "game/game_fixture.h"
#include "interchange/mv_animation.h"
#include "support/message_texts.h"

#include <gtest/gtest.h>

using testing_support::ReadBytes;

namespace {

constexpr int kProducts[] = {interchange::kProduct2000, interchange::kProductXP, interchange::kProductVX,
                             interchange::kProductVXAce, interchange::kProductMV};

void ExpectSameList(const game::cAnimationDatabase& a, const game::cAnimationDatabase& b) {
    const std::vector<game::strGameAnimation> la = a.list("jpn"), lb = b.list("jpn");
    ASSERT_EQ(la.size(), lb.size());
    for (size_t i = 0; i < la.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(la[i].id, lb[i].id);
        EXPECT_EQ(la[i].empty, lb[i].empty);
        EXPECT_EQ(la[i].name, lb[i].name);
        EXPECT_EQ(la[i].frames, lb[i].frames);
        EXPECT_EQ(la[i].pictures, lb[i].pictures);
    }
}

std::vector<uint8_t> Text(const std::string& s) {
    return {s.begin(), s.end()};
}

// The element the clipboard export writes for a document of n frames named name.
std::string Element(const std::string& name, int frames) {
    cProject doc(&cConfig::defaults());
    game_test::SampleDocument(doc, name, frames);
    std::string payload;
    EXPECT_EQ(mv::BuildMvPayload(doc, "jpn", payload), 1);
    return payload.substr(1, payload.size() - 2);
}

} // namespace

TEST(DatabaseWrite, TheCheckedNewFileIsTheFileParsedWhole) {
    for (int product : kProducts) {
        SCOPED_TRACE(game_test::ProductName(product));
        game_test::strGameFolder folder(product);
        const std::vector<uint8_t> bytes = ReadBytes(folder.database);
        auto db = game::MakeAnimationDatabase(product);
        strMessage error;
        ASSERT_TRUE(db->parse(bytes, &error)) << error;
        auto before = game::MakeAnimationDatabase(product);
        ASSERT_TRUE(before->parse(bytes, &error)) << error;
        cProject doc(&cConfig::defaults());
        ASSERT_TRUE(db->read(2, doc, "jpn", &error)) << error;
        strCell cell;
        cell.pattern = 7;
        cell.x = -33;
        doc.setCell(0, 1, &cell);

        const int last = db->lastId();
        for (int id : {1, 2, last, last + 1}) {
            SCOPED_TRACE(id);
            for (const game::strNameChoice& name :
                 {game::strNameChoice{}, game::strNameChoice{false, "新しい名前"}}) {
                std::vector<uint8_t> out;
                ASSERT_TRUE(db->write(doc, id, name, "jpn", out, &error)) << error;
                EXPECT_TRUE(
                    std::equal(bytes.begin(), bytes.end(), db->fileBytes().begin(), db->fileBytes().end()));
                auto whole = game::MakeAnimationDatabase(product);
                ASSERT_TRUE(whole->parse(out, &error)) << error;
                // A written file that does not parse is refused and the database stays as it was.
                std::vector<uint8_t> cut(out.begin(), out.begin() + std::ptrdiff_t(out.size() / 2));
                EXPECT_EQ(db->parseWritten(cut, &error), nullptr);
                ExpectSameList(*db, *before);
                auto checked = db->parseWritten(out, &error);
                ASSERT_NE(checked, nullptr) << error;
                EXPECT_TRUE(std::equal(out.begin(), out.end(), checked->fileBytes().begin(),
                                       checked->fileBytes().end()));
                EXPECT_EQ(checked->lastId(), std::max(last, id));
                ExpectSameList(*checked, *whole);
                if (!name.keep) {
                    EXPECT_EQ(checked->list("jpn")[size_t(id - 1)].name, "新しい名前");
                }
                cProject back(&cConfig::defaults());
                ASSERT_TRUE(checked->read(id, back, "jpn", &error)) << error;
                ASSERT_NE(back.cell(0, 1), nullptr);
                EXPECT_EQ(back.cell(0, 1)->x, -33);
                // The new database writes again, checked the same way.
                std::vector<uint8_t> again;
                const int added = checked->lastId() + 1;
                ASSERT_TRUE(checked->write(doc, added, {}, "jpn", again, &error)) << error;
                auto next = checked->parseWritten(again, &error);
                ASSERT_NE(next, nullptr) << error;
                EXPECT_EQ(next->lastId(), added);
                // Not written after all: the old database comes back as it was.
                db->restore();
                ExpectSameList(*db, *before);
                EXPECT_TRUE(
                    std::equal(bytes.begin(), bytes.end(), db->fileBytes().begin(), db->fileBytes().end()));
            }
        }
    }
}

TEST(DatabaseWrite, MvRefusesAWrittenFileBrokenOutsideTheNewElement) {
    const std::string file =
        "\xEF\xBB\xBF[\r\nnull,\r\n" + Element("A", 1) + ",\r\n" + Element("B", 3) + "\r\n]\r\n";
    auto db = game::MakeAnimationDatabase(interchange::kProductMV);
    strMessage error;
    ASSERT_TRUE(db->parse(Text(file), &error)) << error;
    cProject doc(&cConfig::defaults());
    game_test::SampleDocument(doc, "C", 2);

    // Added after the last element with the file's own separator.
    std::vector<uint8_t> out;
    ASSERT_TRUE(db->write(doc, 3, {}, "jpn", out, &error)) << error;
    const std::string added(out.begin(), out.end());
    EXPECT_NE(added.find("},\r\n{\"id\":3,"), std::string::npos) << added;
    auto checked = db->parseWritten(out, &error);
    ASSERT_NE(checked, nullptr) << error;
    EXPECT_EQ(checked->lastId(), 3);

    struct strBreak {
        const char* what;
        std::string from, to;
    };
    const strBreak breaks[] = {
        {"another element", "\"name\":", "\"name\""},   {"the separator", "},\r\n{", "}\r\n{"},
        {"the array's end", "\r\n]\r\n", "\r\n\r\n"},   {"the new element", "{\"id\":3,", "{\"id\":3"},
        {"after the new element", "}\r\n]", "}}\r\n]"},
    };
    for (const strBreak& b : breaks) {
        SCOPED_TRACE(b.what);
        std::string broken = added;
        const size_t at = broken.find(b.from);
        ASSERT_NE(at, std::string::npos);
        broken.replace(at, b.from.size(), b.to);
        EXPECT_EQ(db->parseWritten(Text(broken), &error), nullptr);
        EXPECT_FALSE(error.none());
    }

    // Replacing element 1: the elements after it move by the difference in length.
    ASSERT_TRUE(db->write(doc, 1, {false, "Longer name than before"}, "jpn", out, &error)) << error;
    checked = db->parseWritten(out, &error);
    ASSERT_NE(checked, nullptr) << error;
    auto whole = game::MakeAnimationDatabase(interchange::kProductMV);
    ASSERT_TRUE(whole->parse(out, &error)) << error;
    ExpectSameList(*checked, *whole);
    cProject two(&cConfig::defaults());
    ASSERT_TRUE(checked->read(2, two, "jpn", &error)) << error;
    EXPECT_EQ(two.frameCount(), 3);

    // An empty array takes its first element.
    auto empty = game::MakeAnimationDatabase(interchange::kProductMV);
    ASSERT_TRUE(empty->parse(Text("[]"), &error)) << error;
    ASSERT_TRUE(empty->write(doc, 1, {}, "jpn", out, &error)) << error;
    checked = empty->parseWritten(out, &error);
    ASSERT_NE(checked, nullptr) << error;
    EXPECT_EQ(checked->lastId(), 1);
}
