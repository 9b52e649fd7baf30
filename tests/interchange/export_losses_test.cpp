// What each product cannot hold of a document, counted by kind, for every product.

#include "interchange/export_losses.h"
#include "interchange/interchange_fixture.h"

#include <functional>

using namespace interchange_test;

namespace {

std::string Describe(const std::vector<strExportLoss>& losses) {
    std::string out;
    for (const strExportLoss& l : losses)
        out += (out.empty() ? "" : ",") + std::to_string(l.kind) + ":" + std::to_string(l.count);
    return out;
}

std::string Kinds(std::initializer_list<std::pair<eExportLoss, int>> l) {
    std::string out;
    for (auto [k, n] : l)
        out += (out.empty() ? "" : ",") + std::to_string(k) + ":" + std::to_string(n);
    return out;
}

TEST(ExportLosses, EachProductReportsWhatItCannotHold) {
    const std::string none;
    const std::string tones = Kinds({{kLossTones, 1}});
    const struct {
        const char* what;
        std::function<void(cProject&)> change;
        std::string expected[5]; // 2000, XP, VX, VX Ace, MV
    } rows[] = {
        {"a plain cell", [](cProject&) {}, {none, none, none, none, none}},
        {"a toned cell",
         [](cProject& d) { PutCell(d, 0, 0, strCell{.red = 150}); },
         {none, tones, tones, tones, tones}},
        {"a turned, mirrored cell on picture 1 with blend 2",
         [](cProject& d) { PutCell(d, 0, 0, Cell(1, 1, 0, 0, -100, 100, 450, 255, 2)); },
         {Kinds({{kLossCellPictures, 1}, {kLossAngles, 1}, {kLossMirror, 1}, {kLossBlend, 1}}),
          Kinds({{kLossCellPictures, 1}}), none, none, Kinds({{kLossBlend, 1}})}},
        {"pattern 150, zoom 900 by 100, multiply",
         [](cProject& d) { PutCell(d, 0, 0, Cell(0, 150, 0, 0, 900, 100, 0, 255, 3)); },
         {Kinds({{kLossMagnification, 1}, {kLossBlend, 1}}),
          Kinds({{kLossMagnification, 1}, {kLossZoomRange, 1}, {kLossBlend, 1}}),
          Kinds({{kLossPatterns, 1}, {kLossMagnification, 1}, {kLossZoomRange, 1}, {kLossBlend, 1}}),
          Kinds({{kLossPatterns, 1}, {kLossMagnification, 1}, {kLossZoomRange, 1}, {kLossBlend, 1}}),
          Kinds({{kLossPatterns, 1}, {kLossMagnification, 1}})}},
        {"20 cells in a frame",
         [](cProject& d) {
             for (int c = 0; c < 20; ++c)
                 PutCell(d, 0, c, strCell{});
         },
         {Kinds({{kLossCells, 12}}), none, none, none, Kinds({{kLossCells, 4}})}},
        {"250 frames",
         [](cProject& d) { PutCell(d, 249, 0, strCell{}); },
         {none, Kinds({{kLossFrames, 50}}), Kinds({{kLossFrames, 50}}), Kinds({{kLossFrames, 50}}), none}},
        {"three pictures with a hue",
         [](cProject& d) {
             d.setPicture(0, Picture("A", 30));
             d.setPicture(1, Picture("B"));
             d.setPicture(2, Picture("C"));
         },
         {Kinds({{kLossPictures, 2}, {kLossHue, 1}}), Kinds({{kLossPictures, 2}}),
          Kinds({{kLossPictures, 1}}), Kinds({{kLossPictures, 1}}), Kinds({{kLossPictures, 1}})}},
        {"effects: a panned sound, MISS, other user data, a long flash, a hiding flash",
         [](cProject& d) {
             strEffect s = Sound(0, "Hit", 100, 100);
             s.balance = 150;
             d.addEffect(s);
             strEffect miss{.startFrame = 1, .flags = strEffect::kUserData, .userData = "MISS"};
             d.addEffect(miss);
             miss.userData = "CRITICAL";
             d.addEffect(miss);
             d.addEffect(Flash(2, 0, 255, 255, 255, 255, 12));
             d.addEffect(Flash(3, 2, 255, 255, 255, 255, 8));
         },
         {Kinds({{kLossUserData, 2}, {kLossFlashDuration, 1}, {kLossFlashHide, 1}}),
          Kinds({{kLossUserData, 1}, {kLossBalance, 1}}), Kinds({{kLossUserData, 2}, {kLossBalance, 1}}),
          Kinds({{kLossUserData, 2}, {kLossBalance, 1}}), Kinds({{kLossUserData, 2}})}},
    };
    const int products[] = {kProduct2000, kProductXP, kProductVX, kProductVXAce, kProductMV};
    for (const auto& row : rows) {
        cConfig config = TestConfig();
        cProject d(&config);
        d.create(0, 32, 0, 0);
        d.applyDefaults();
        d.setSetting(kKeyEditFormat, 0); // cells keep their own magnifications and pictures
        d.setSetting(kKeyLock, 0);
        d.setPicture(0, Picture("Fire1"));
        PutCell(d, 0, 0, strCell{});
        row.change(d);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(Describe(ExportLosses(d, products[i])), row.expected[i])
                << row.what << ", product " << products[i];
    }
}

TEST(ExportLosses, TimingsPastTheLimitAndTheirText) {
    cConfig config = TestConfig();
    cProject d(&config);
    d.create(0, 16, 0, 0);
    d.applyDefaults();
    d.setPicture(0, Picture("Fire1"));
    PutCell(d, 0, 0, strCell{});
    for (int i = 0; i < 1000; ++i) // the most a document holds
        ASSERT_TRUE(d.addEffect(Flash(0, 1, 255, 0, 0, 255, 8)));
    const std::vector<strExportLoss> l = ExportLosses(d, kProductVXAce);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0], (strExportLoss{kLossTimings, 1, 999}));
    EXPECT_EQ(DescribeExportLoss(l[0]), "1 effect past the limit of 999 left out");
    EXPECT_TRUE(ExportLosses(d, kProduct2000).empty());
    EXPECT_TRUE(ExportLosses(d, kProduct2003).empty());
}

} // namespace
