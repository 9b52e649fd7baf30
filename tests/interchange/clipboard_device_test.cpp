// The clipboard dispatchers, the import and export commands, the menu probes, the message table and
// the file-name resolution after an import.

#include "interchange/clipboard_device.h"
#include "interchange/file_name_resolution.h"
#include "interchange/marshal_animation.h"
#include "interchange/messages.h"
#include "interchange_fixture.h"
#include "support/document_compare.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace interchange_test;
using testing_support::ProjectFingerprint;

namespace {

Bytes PayloadNamed(const std::string& name, int product) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    d.setText(kTextName, name);
    return Export(d, product);
}

// A clipboard holding the given formats, added in this order.
std::unique_ptr<platform::cMemoryClipboard>
Holding(const std::vector<std::pair<const char*, Bytes>>& formats) {
    auto clip = std::make_unique<platform::cMemoryClipboard>();
    for (const auto& [name, bytes] : formats)
        clip->add(clip->registerFormat(name), bytes);
    return clip;
}

// A clipboard that refuses to take data (another program holds it open).
class cRefusingClipboard : public platform::cMemoryClipboard {
  public:
    bool write(uint32_t, const std::vector<uint8_t>&) override { return false; }
};

std::unique_ptr<cProject> ModifiedCurrent(const cConfig& cfg) {
    auto current = SampleProject(cfg);
    current->setText(kTextFileName, "mine.dat");
    current->setUntitled(false);
    current->setModified(true);
    return current;
}

TEST(ClipboardCommands, MenuCommandsChooseTheirProducts) {
    const int routes[][3] = {{kCmdExport2000, kCmdImport2000, 0},  {kCmdExportXP, -1, 2},
                             {kCmdExportVX, kCmdImportMarshal, 3}, {kCmdExportVXAce, -1, 4},
                             {kCmdExportMV, kCmdImportMV, 5},      {kCmdExport2003, kCmdImport2003, -1}};
    for (auto [exportCommand, importCommand, product] : routes) {
        EXPECT_EQ(ExportProductForCommand(exportCommand), product) << exportCommand;
        if (importCommand >= 0) {
            EXPECT_EQ(ImportProductForCommand(importCommand), product) << importCommand;
        }
    }
    EXPECT_EQ(MessageText(ImportLabel(7)), std::string());
    EXPECT_STREQ(MessageText(ImportLabel(kProduct2000)), "RPG Maker 2000 [Anime fight]");
}

TEST(ClipboardDevice, OtherProductCodesGiveZero) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    auto clip = Holding({});
    cClipboardDevice device(*clip, cfg);
    for (int product : {-1, int(kProduct2003), 6, 100}) {
        EXPECT_EQ(device.ExportClipboard(d, product), 0) << product;
        EXPECT_EQ(device.ImportClipboard(d, product), 0) << product;
    }
    clip->add(clip->registerFormat(kFormatNameVXAce), PayloadNamed("A", kProductVXAce));
    EXPECT_EQ(device.ImportClipboard(d, kProductVXAce), 0); // the menu imports with product 3
    EXPECT_EQ(device.ImportClipboard(d, kProductXP), 1);
    EXPECT_EQ(device.ImportClipboard(d, kProductVX), 1);
}

TEST(ClipboardDevice, ImportPrefersVxAceThenVxThenXp) {
    cConfig cfg = TestConfig();
    const Bytes xp = PayloadNamed("from XP", kProductXP);
    const Bytes vx = PayloadNamed("from VX", kProductVX);
    const Bytes ace = PayloadNamed("from VX Ace", kProductVXAce);
    struct {
        std::vector<std::pair<const char*, Bytes>> formats;
        int result;
        const char* name;
    } cases[] = {
        {{{kFormatNameXP, xp}, {kFormatNameVXAce, ace}, {kFormatNameVX, vx}}, 1, "from VX Ace"},
        {{{kFormatNameXP, xp}, {kFormatNameVX, vx}}, 1, "from VX"},
        // The first format present is the one read, even when it is damaged.
        {{{kFormatNameXP, xp}, {kFormatNameVXAce, {9, 0, 0, 0, 4, 8, 'Z', 0, 0}}}, -1, ""},
    };
    for (const auto& c : cases) {
        auto clip = Holding(c.formats);
        cClipboardDevice device(*clip, cfg);
        cProject d(&cfg);
        EXPECT_EQ(device.ImportClipboard(d, kProductVX), c.result) << c.name;
        if (c.result == 1) {
            EXPECT_EQ(d.text(kTextName), c.name);
        }
        EXPECT_EQ(device.LastError().empty(), c.result == 1) << c.name;
    }
}

TEST(ClipboardCommands, ImportReplacesTheDocumentOnlyOnSuccess) {
    cConfig cfg = TestConfig();
    auto clip = Holding({{kFormatNameVX, PayloadNamed("New", kProductVX)}});
    cClipboardDevice device(*clip, cfg);
    auto current = ModifiedCurrent(cfg);
    // Cancel at the question ends the import without a message.
    const std::string print = ProjectFingerprint(*current);
    strCommandReport r = RunImportCommand(device, current, kProductVX, "/w", [] { return false; });
    EXPECT_EQ(r.message, kMsgNone);
    EXPECT_EQ(r.Text(), "");
    EXPECT_EQ(ProjectFingerprint(*current), print);
    EXPECT_TRUE(current->modified());

    int asked = 0;
    r = RunImportCommand(device, current, ImportProductForCommand(kCmdImportMarshal), "/work/Data",
                         [&] { return ++asked, true; });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(r.message, kMsgImportSucceeded);
    EXPECT_EQ(r.Text(), "RPG Maker XP / VX / VXAce [Anime fight] : Import succeeded");
    ASSERT_TRUE(current);
    EXPECT_EQ(std::tuple(current->text(kTextName), current->text(kTextBaseFolder),
                         current->text(kTextFileName), current->untitled(), current->modified()),
              std::tuple("New", "/work/Data", "", true, false));

    // Unmodified: no question.
    r = RunImportCommand(device, current, kProductVX, "/w", [&] { return ++asked, true; });
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(r.message, kMsgImportSucceeded);
}

TEST(ClipboardCommands, FailedImportsLeaveTheCurrentDocumentUntouched) {
    cConfig cfg = TestConfig();
    auto current = ModifiedCurrent(cfg);
    cProject* before = current.get();
    const std::string print = ProjectFingerprint(*current);
    Bytes cut = PayloadNamed("cut", kProductVX);
    cut.pop_back();
    auto replaced = Holding({{kFormatNameXP, PayloadNamed("old", kProductXP)}});
    replaced->write(replaced->registerFormat("text/plain"), {'h', 'i'}); // another program took over
    const std::pair<std::unique_ptr<platform::cMemoryClipboard>, const char*> cases[] = {
        {Holding({}), "empty clipboard"},
        {std::move(replaced), "replaced by another program"},
        {Holding({{kFormatNameVX, Text("hello world")}}), "not a Marshal dump"},
        {Holding({{kFormatNameVX, cut}}), "cut short"},
    };
    for (const auto& [clip, what] : cases) {
        SCOPED_TRACE(what);
        cClipboardDevice device(*clip, cfg);
        strCommandReport r = RunImportCommand(device, current, kProductVX, "/w", [] { return true; });
        EXPECT_EQ(r.Text(), "< ! > RPG Maker XP / VX / VXAce [Anime fight] : Import failed");
        EXPECT_EQ(current.get(), before);
        EXPECT_EQ(ProjectFingerprint(*current), print);
        EXPECT_TRUE(current->modified());
        EXPECT_FALSE(current->untitled());
    }
}

TEST(ClipboardCommands, ExportPutsOneFormatReportsAndLeavesTheProjectAlone) {
    cConfig cfg = TestConfig();
    auto d = SampleProject(cfg);
    d->setModified(true);
    const std::string print = ProjectFingerprint(*d);
    const char* names[] = {kFormatNameXP, kFormatNameVX, kFormatNameVXAce};
    const char* labels[] = {"XP", "VX", "VXAce"};
    for (int product = kProductXP; product <= kProductVXAce; ++product) {
        auto clip = Holding({{"text/plain", {1, 2}}});
        cClipboardDevice device(*clip, cfg);
        EXPECT_EQ(RunExportCommand(device, *d, product).Text(), std::string("RPG Maker ") +
                                                                    labels[product - kProductXP] +
                                                                    " [Anime fight] : Export succeeded");
        Bytes b;
        ASSERT_TRUE(clip->read(clip->registerFormat(names[product - kProductXP]), b));
        EXPECT_EQ(U32At(b, 0), b.size());
        EXPECT_FALSE(clip->isNamedAvailable("text/plain")); // emptied first
        EXPECT_EQ(clip->firstAvailable({names[0], names[1], names[2]}), product - kProductXP);
    }
    platform::cMemoryClipboard clip;
    cClipboardDevice device(clip, cfg);
    EXPECT_EQ(RunExportCommand(device, *d, kProduct2003).message, kMsgNone); // no label, no message
    EXPECT_EQ(ProjectFingerprint(*d), print);
    EXPECT_TRUE(d->modified());

    // A clipboard that another program holds open.
    cRefusingClipboard refusing;
    cClipboardDevice held(refusing, cfg);
    EXPECT_EQ(held.ExportClipboard(*d, kProductXP), -1);
    EXPECT_EQ(RunExportCommand(held, *d, kProductXP).Text(),
              "< ! > RPG Maker XP [Anime fight] : Export failed");
}

TEST(ClipboardMenu, ProbesFollowTheFormats) {
    platform::cMemoryClipboard clip;
    strClipboardMenuState s = ProbeClipboardMenu(clip);
    EXPECT_FALSE(s.import2000 || s.importMarshal || s.importMV);
    EXPECT_TRUE(s.IsEnabled(kCmdExportXP) && s.IsEnabled(kCmdExport2000) && s.IsEnabled(kCmdExportMV));
    EXPECT_FALSE(s.IsEnabled(kCmdExport2003) || s.IsEnabled(kCmdImport2003) ||
                 s.IsEnabled(kCmdImportMarshal));

    for (const char* name : {kFormatNameXP, kFormatNameVX, kFormatNameVXAce}) {
        clip.clear();
        clip.add(clip.registerFormat(name), {1});
        s = ProbeClipboardMenu(clip);
        EXPECT_TRUE(s.importMarshal && s.IsEnabled(kCmdImportMarshal)) << name;
        EXPECT_FALSE(s.import2000) << name;
    }
    clip.clear();
    clip.add(platform::cClipboard::kFormat2000, {1});
    clip.add(clip.registerFormat(kFormatNameMV), {'['});
    s = ProbeClipboardMenu(clip);
    EXPECT_TRUE(s.import2000 && s.importMV && s.IsEnabled(kCmdImport2000) && s.IsEnabled(kCmdImportMV));
    EXPECT_FALSE(s.importMarshal);
}

// ---- file-name resolution -----------------------------------------------------------------------

TEST(FileNameResolution, FoldersAreJoinedAndSearched) {
    testing_support::TempDir dir;
    for (const char* name : {"Fire1.png", "Fire1.bmp", "Fire10.png", "Slash.ogg"})
        testing_support::WriteBytes(dir.file(name), {1});
    const std::string& folder = dir.path();
    // A folder stored with backslashes is still searched on disk, and keeps its form.
    std::string windowsForm = folder;
    std::replace(windowsForm.begin(), windowsForm.end(), '/', '\\');
    const std::tuple<const char*, std::string, bool, std::string> names[] = {
        // Relative folders are joined with a backslash, without looking at the disk.
        {"Fire1", "BattleEffect", true, "BattleEffect\\Fire1"},
        {"Fire1", "Graphics\\Animations", true, "Graphics\\Animations\\Fire1"},
        {"Fire1", "Graphics/Animations/", true, "Graphics/Animations/Fire1"},
        {"Fire1", "", true, "Fire1"},
        // Absolute folders find the file: the smallest name wins; none found adds no extension.
        {"Fire1", folder, true, folder + "\\Fire1.bmp"},
        {"Fire10", folder, true, folder + "\\Fire10.png"},
        {"Ice", folder, true, folder + "\\Ice"},
        {"Slash", windowsForm, false, windowsForm + "\\Slash.ogg"},
    };
    for (const auto& [title, in, picture, resolved] : names)
        EXPECT_EQ(ResolveImportedFileName(title, in, picture ? PictureExtensions() : SoundExtensions()),
                  resolved)
            << title << " in " << in;

    // Through the dispatcher: pictures against FolderName_G, sounds against FolderName_S.
    cConfig cfg = TestConfig();
    cfg.FolderName_G = folder;
    cfg.FolderName_S = "Audio\\SE";
    cProject src(&cfg);
    src.pictures().setCopy(0, Picture("x\\Fire1.png"));
    src.pictures().setCopy(1, Picture("Ice.png"));
    src.addEffect(Sound(0, "Slash.ogg", 100, 100));
    platform::cMemoryClipboard clip;
    cClipboardDevice device(clip, cfg);
    ASSERT_EQ(device.ExportClipboard(src, kProductVX), 1);
    cProject back(&cfg);
    ASSERT_EQ(device.ImportClipboard(back, kProductVX), 1);
    EXPECT_EQ(std::tuple(back.picture(0)->path, back.picture(1)->path, back.effect(0)->soundPath),
              std::tuple(folder + "\\Fire1.bmp", folder + "\\Ice", "Audio\\SE\\Slash"));
}

TEST(FileNameResolution, TitlesDropOnlyAKnownExtension) {
    const std::pair<const char*, const char*> titles[] = {{"Graphics\\Animations\\Fire1.png", "Fire1"},
                                                          {"BattleEffect\\Light.Effect", "Light.Effect"},
                                                          {"Sound/Hit.v2", "Hit.v2"},
                                                          {"C:\\x\\Hit.v2.OGG", "Hit.v2"},
                                                          {"/a/b/Fire1.tar.gz", "Fire1.tar.gz"},
                                                          {"s.midi", "s"},
                                                          {"a.M4A", "a"},
                                                          {"p.xyz", "p"},
                                                          {"Fire1", "Fire1"},
                                                          {".png", ".png"},
                                                          {"", ""}};
    for (auto [path, title] : titles)
        EXPECT_EQ(TitleOf(path), title) << path;
}

TEST(FileNameResolution, TitlesWithDotsComeBackWhole) {
    // Resolution adds only a known extension, which the export takes off again; any other text after
    // a dot belongs to the title.
    testing_support::TempDir dir;
    for (const char* name : {"Light.Effect.png", "Light.txt", "Light.Effect.v1.png", "Hit.v2.ogg"})
        testing_support::WriteBytes(dir.file(name), {1});
    cConfig cfg = TestConfig();
    cProject src(&cfg);
    src.pictures().setCopy(0, Picture("Light.Effect"));
    src.pictures().setCopy(1, Picture("Light"));
    src.addEffect(Sound(0, "Hit.v2", 100, 100));
    src.frameOrCreate(0);
    for (const std::string& folder : {std::string("BattleEffect"), dir.path()}) {
        cfg.FolderName_G = cfg.FolderName_S = folder;
        for (int product : {kProduct2000, kProductVXAce, kProductMV}) {
            SCOPED_TRACE(folder + " " + std::to_string(product));
            platform::cMemoryClipboard clip;
            cClipboardDevice device(clip, cfg);
            ASSERT_EQ(device.ExportClipboard(src, product), 1);
            Bytes first;
            ASSERT_TRUE(clip.read(ProductFormat(clip, product), first));
            cProject back(&cfg);
            ASSERT_EQ(device.ImportClipboard(back, product == kProductVXAce ? kProductVX : product), 1)
                << device.LastError();
            ASSERT_NE(back.picture(0), nullptr);
            EXPECT_EQ(back.picture(0)->path,
                      folder + (folder == dir.path() ? "\\Light.Effect.png" : "\\Light.Effect"));
            if (product != kProduct2000) {
                ASSERT_NE(back.picture(1), nullptr);
                EXPECT_EQ(back.picture(1)->path, folder + "\\Light"); // neither file is Light + an extension
            }
            ASSERT_EQ(device.ExportClipboard(back, product), 1);
            Bytes second;
            ASSERT_TRUE(clip.read(ProductFormat(clip, product), second));
            EXPECT_EQ(second, first);
        }
    }
}

TEST(FileNameResolution, OnlyOccupiedSlotsWithATextChange) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    d.pictures().setCopy(0, Picture(""));
    d.pictures().setCopy(3, Picture("Fire1"));
    d.addEffect({.flags = strEffect::kFlash});
    d.addEffect(Sound(1, "Boom", 100, 100));
    ResolveImportedFileNames(d, cfg);
    EXPECT_EQ(
        std::tuple(d.picture(0)->path, d.picture(3)->path, d.effect(0)->soundPath, d.effect(1)->soundPath),
        std::tuple("", "BattleEffect\\Fire1", "", "Sound\\Boom"));
}

} // namespace
