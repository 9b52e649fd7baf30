#include "document_fixture.h"
#include "support/document_compare.h"
#include "support/test_support.h"

#include <optional>

using namespace document_testing;
using testing_support::CompareProjects;

namespace {

// The lines of a written file (split at CR LF).
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0;;) {
        size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) return lines;
        start = end + 2;
    }
}

// The lines between the header's "9" and the final "9".
std::vector<std::string> frameLines(const std::string& text) {
    auto all = linesOf(text);
    auto nine = std::find(all.begin(), all.end(), "9");
    return std::vector<std::string>(nine + 1, all.end() - 1);
}

std::string writeText(const cProject& doc, cAnimeFileDevice* device = nullptr) {
    const Bytes b = Write(doc, anime::kFormatText, device);
    return std::string(b.begin(), b.end());
}

int readText(const std::string& text, cProject& doc, std::string* error = nullptr) {
    return Read(ToBytes(text), doc, anime::kFormatText, error);
}

// Reads text that must load.
void readOk(cProject& doc, const std::string& text) {
    std::string error;
    EXPECT_EQ(readText(text, doc, &error), 1) << error;
}

std::string header(int frames, int cells) {
    return "PELK_TEX0071\r\nname\r\nuser\r\n1,0,0,0,1,0,0," + std::to_string(frames) + "," +
           std::to_string(cells) + ",0,0\r\n9\r\n";
}

} // namespace

// ---- exact output ----

// Cell number 0 over the frames (nullopt: no cell), the frame lines written for it, and back.
TEST(TextFormat, CellLinesCarryOnlyTheChangedGroups) {
    const strCell same{.x = 3, .y = 4}, moved{.x = 5}, stretched{.x = 5, .my = -40};
    const strCell grey{.x = 5, .my = -40, .saturation = 0},
        rest{7, 9, 3, 5, 0, 100, -40, -900, 0, 100, 100, 100, 0};
    const struct {
        std::vector<std::optional<strCell>> cells;
        std::vector<std::string> lines;
    } cases[] = {
        // An unchanged cell is written once.
        {{same, same, same}, {"2,0,,,,3,4,,,,255,,,,", "1,0", "1,0", "1,0"}},
        // A move in x writes the position pair; pairs and the colour group go together.
        {{strCell{}, moved, stretched, grey, rest},
         {"2,0,,,,,,,,,255,,,,", "1,0", "2,0,,,,5,0,,,,,,,,", "1,0", "2,0,,,,,,100,-40,,,,,,", "1,0",
          "2,0,,,,,,,,,,100,100,100,0", "1,0", "2,0,7,9,3,,,,,-900,0,,,,", "1,0"}},
        // An absent cell is closed and returns against the neutral cell.
        {{strCell{.x = 8}, std::nullopt, strCell{.x = 8, .y = 1}},
         {"2,0,,,,8,0,,,,255,,,,", "1,0", "3,0", "1,0", "2,0,,,,8,1,,,,255,,,,", "1,0"}},
        // A cell equal to the neutral cell is written with every field empty (but written).
        {{strCell::neutral()}, {"2,0,,,,,,,,,,,,,", "1,0"}},
        // Every pattern survives, 9999 too: only the other fields read 9999 as not given (a picture may
        // be divided into up to 1024 x 1024 patterns).
        {{strCell{.pattern = 9999}, strCell{.pattern = 1}, strCell{.pattern = 9999},
          strCell{.pattern = 65535}, strCell{.pattern = 9998}, strCell{.pattern = 10000}},
         {"2,0,,9999,,,,,,,255,,,,", "1,0", "2,0,,1,,,,,,,,,,,", "1,0", "2,0,,9999,,,,,,,,,,,", "1,0",
          "2,0,,65535,,,,,,,,,,,", "1,0", "2,0,,9998,,,,,,,,,,,", "1,0", "2,0,,10000,,,,,,,,,,,", "1,0"}},
    };
    for (const auto& c : cases) {
        cProject doc, back;
        MakeFrames(doc, static_cast<int>(c.cells.size()), 1);
        doc.setSetting(kKeySaveFormat, 1); // what a text file loads as
        for (size_t f = 0; f < c.cells.size(); ++f)
            if (c.cells[f]) doc.setCell(static_cast<int>(f), 0, &*c.cells[f]);
        const std::string text = writeText(doc);
        EXPECT_EQ(frameLines(text), c.lines);
        readOk(back, text);
        EXPECT_EQ(CompareProjects(doc, back), "");
    }
}

TEST(TextFormat, EffectGroupsFollowTheCellsOfTheirFrame) {
    cProject doc;
    MakeFrames(doc, 2, 1);
    doc.addEffect(strEffect{}); // no block: passed over, not counted as lost
    doc.addEffect(
        strEffect(1, strEffect::kUserData, 0, 0, 0, 128, 128, 128, 255, 100, 100, 100, "", "first"));
    doc.addEffect(strEffect(1, strEffect::kFlash, 255, 3, 2, 3, 2, 1, 4, 100, 100, 100, "", ""));
    for (int start : {2, 7}) // past the last frame: counted as lost
        doc.addEffect(
            strEffect(start, strEffect::kSound, 0, 0, 0, 128, 128, 128, 255, 100, 100, 100, "s", ""));
    cAnimeFileDevice dev;
    const std::string text = writeText(doc, &dev);
    EXPECT_EQ(frameLines(text),
              (std::vector<std::string>{"1,0", "4,1", "7", "first", "4,1", "5,2,3,255,1,2,3,4", "1,0"}));
    EXPECT_EQ(dev.lostEffects(), 2);
    cProject back;
    readOk(back, text);
    EXPECT_EQ(back.effectCount(), 2);
}

TEST(TextFormat, AnEmptyDocumentAndATextWithALineBreak) {
    cProject doc;
    doc.create(0, 1, 0, 0);
    EXPECT_EQ(writeText(doc), "PELK_TEX0071\r\n\r\n\r\n1,0,0,0,1,0,0,0,1,0,0,0\r\n9\r\n9");
    doc.setText(kTextUserData, "two\r\nlines"); // cut at the line break
    EXPECT_EQ(linesOf(writeText(doc))[2], "two");
}

// ---- hand-edited files ----

TEST(TextFormat, OmittedFieldsKeepTheInheritedValues) {
    cProject doc;
    readOk(doc, header(3, 2) + "2,0,5,7,1,10,20,50,60,900,128,1,2,3,4\n" // LF only: accepted
                               "1,2\n"
                               "2,0,,,,11\n"                        // x only, y keeps 20
                               "2,1\n"                              // a new cell from the neutral cell
                               "1\n"                                // interval missing: 0
                               "2,0,9999,,,9999,-5,,,,,,,,,77,88\n" // 9999 is not given; extras ignored
                               "2,7,1\n"                            // outside the row: ignored
                               "3\n"                                // no cell number: ignored
                               "1,1\n9");
    ASSERT_EQ(doc.frameCount(), 3);
    ASSERT_NE(doc.cell(1, 0), nullptr);
    EXPECT_EQ(*doc.cell(1, 0), (strCell{5, 7, 1, 11, 20, 50, 60, 900, 128, 3, 2, 1, 4}));
    EXPECT_EQ(*doc.cell(1, 1), strCell::neutral());
    EXPECT_EQ(*doc.cell(2, 0), (strCell{5, 7, 1, 11, -5, 50, 60, 900, 128, 3, 2, 1, 4}));
    EXPECT_EQ(doc.frame(0)->interval, 2);
    EXPECT_EQ(doc.frame(1)->interval, 0);
    EXPECT_EQ(doc.frame(2)->interval, 1);
}

TEST(TextFormat, ReadValuesAreNormalisedAndHeldToTheirTypes) {
    cProject doc;
    readOk(doc, "PELK_TEX0071\r\n\r\n\r\n"
                "1,0,0,4,1,0,0,1,1,0,0\r\n9\r\n" // edit format 4: no angles
                "2,0,300,0,9,  70000,-70000,5000,-5000,900,-1,201,999,-3,250\r\n1,0\r\n9");
    ASSERT_NE(doc.cell(0, 0), nullptr); // leading blanks are allowed
    EXPECT_EQ(*doc.cell(0, 0), (strCell{255, 1, 4, 1024, -1024, 1000, -1000, 0, 0, 0, 200, 200, 200}));
}

TEST(TextFormat, HeaderRecordsAndTheirDefaults) {
    cProject doc;
    readOk(doc, "PELK_TEX0071\r\nN\r\nU\r\n"
                "2,9,9,9,9\r\nlost.png\r\n" // before "1": wiped when the document is made
                "1,1,1,3,5,66,999,2,4,,\r\n"
                "2,1\r\npic.png\r\n"
                "2,3,0,2000,400\r\nsub\\other.png\r\n"
                "3\r\nignored.wav\r\n"
                "4,1,-2,300\r\n"
                "8,unknown,record\r\nfree text is ignored too\r\n"
                "9\r\n1,0\r\n1,0\r\n9");
    EXPECT_EQ(doc.text(kTextName), "N");
    EXPECT_EQ(doc.text(kTextUserData), "U");
    const std::pair<int, int> settings[] = {
        {kKeySaveFormat, 1},    {kKeySplitFormat, 1},    {kKeyLock, 1},        {kKeyEditFormat, 3},
        {kKeyBasicInterval, 5}, {kKeyTotalInterval, 66}, {kKeyPictureCount, 2}};
    for (auto [key, value] : settings)
        EXPECT_EQ(doc.getSetting(key), value) << key;
    EXPECT_EQ(doc.cellNumber(), 4);
    EXPECT_EQ(doc.pictureCapacity(), 255); // missing picture count: the minimum capacity
    EXPECT_EQ(doc.frameCount(), 2);
    EXPECT_EQ(doc.lockTable(), (std::vector<uint8_t>{1, 2, 44, 0}));
    EXPECT_EQ(doc.picture(9), nullptr);
    ASSERT_NE(doc.picture(1), nullptr);
    EXPECT_EQ(*doc.picture(1), (strPicture{1, 1, 0, "pic.png"}));
    EXPECT_EQ(*doc.picture(3), (strPicture{1, 1024, 360, "sub\\other.png"}));
}

TEST(TextFormat, EffectGroupBlocksInAnyOrderWithDefaults) {
    cProject doc;
    readOk(doc, header(2, 1) + "4,4\r\n7\r\nnote\r\n5\r\nsomething else\r\n6\r\nboom.wav\r\n" +
                    "2,0,1\r\n" // after the group: an ordinary cell line again
                    "4,0\r\n"   // no block: no effect
                    "1,0\r\n"
                    "4,2\r\n5,1,1,8\r\n5,0,2,3,1,2,3,4\r\n" // the later block wins
                    "1,0\r\n9");
    ASSERT_EQ(doc.effectCount(), 2);
    EXPECT_EQ(*doc.effect(0), (strEffect(0, strEffect::kFlash | strEffect::kSound | strEffect::kUserData, 4,
                                         0, 0, 0, 0, 0, 0, 100, 100, 100, "boom.wav", "note")));
    EXPECT_NE(doc.cell(0, 0), nullptr);
    EXPECT_EQ(*doc.effect(1), (strEffect(1, strEffect::kFlash, 3, 2, 0, 3, 2, 1, 4, 100, 100, 100, "", "")));
}

TEST(TextFormat, LongLinesLineEndsAndNul) {
    // The tail after byte 1023 would delete the cell if it were read as the next record.
    const std::string longRecord = "8," + std::string(1021, ' ') + "3,0";
    cProject doc;
    readOk(doc, "PELK_TEX0071\r\n" + std::string(1500, 'n') +
                    "\r\nuser\r\n1,0,0,0,1,0,0,1,1,0,0\r\n9\r\n2,0,1\r\n" + longRecord + "\r\n1,0\r\n9");
    EXPECT_EQ(doc.text(kTextName), std::string(255, 'n'));
    EXPECT_EQ(doc.text(kTextUserData), "user");
    EXPECT_NE(doc.cell(0, 0), nullptr);

    // A lone CR ends a line as well; a NUL cuts the rest of its line.
    static const char head[] = "PELK_TEX0071\rname\0junk\r\nuser\n1,0,0,0,1,0,0,1,1,0,0\r9\r\n";
    cProject doc2;
    readOk(doc2, std::string(head, sizeof head - 1) + "1,7\r\n9");
    EXPECT_EQ(doc2.text(kTextName), "name");
    EXPECT_EQ(doc2.text(kTextUserData), "user");
    EXPECT_EQ(doc2.frame(0)->interval, 7);
}

TEST(TextFormat, MissingLinesInsideRecordsFail) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "not a text project"},
        {"PELK_BIN0071\r\n", "not a text project"},
        {"PELK_TEX0071\r\n", "name line"},
        {"PELK_TEX0071\r\nname\r\n", "user-data line"},
        {header(1, 1).substr(0, header(1, 1).size() - 3), "header"},
        {"PELK_TEX0071\r\nn\r\nu\r\n1,0,0,0,1,0,0,1,1,1,0\r\n2,0,1,1,0", "path line"},
        {"PELK_TEX0071\r\nn\r\nu\r\n9\r\n1,0\r\n9", "no \"1\" record"},
        {header(1, 1) + "4,2\r\n5\r\n", "block line"},
        {header(1, 1) + "4,1\r\n6,1,2,3", "sound path line"},
        {header(1, 1) + "4,1\r\n7", "user-data line"},
        {header(1, 1) + "1,0\r\n\r\n9", "empty line"},
        {header(1, 1) + "1,0\r\n", "closing \"9\""},
    };
    for (const auto& [text, why] : cases) {
        cProject doc;
        std::string error;
        EXPECT_EQ(readText(text, doc, &error), -1) << text;
        EXPECT_NE(error.find(why), std::string::npos) << error;
    }
}
