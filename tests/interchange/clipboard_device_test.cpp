// The clipboard dispatchers, the import and export commands, the menu probes, the message table and
// the file-name resolution after an import.

#include "interchange/clipboard_device.h"
#include "interchange/file_name_resolution.h"
#include "interchange/marshal_animation.h"
#include "interchange/messages.h"
#include "marshal_test_support.h"
#include "support/document_compare.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace interchange;
using namespace marshal_test;
using testing_support::ProjectFingerprint;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes PayloadNamed(const std::string& name, int product) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    d.setText(kTextName, name);
    Bytes b;
    EXPECT_EQ(PKRUBY::BuildMarshalPayload(d, product, "jpn", b), 1);
    return b;
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

TEST(ClipboardDevice, ExportPutsOneFormatWithItsLengthWord) {
    cConfig cfg = TestConfig();
    auto d = SampleProject(cfg);
    const char* names[] = {"RPGXP ANIMATION", "RPGVX ANIMATION", "VX Ace ANIMATION"};
    for (int product = kProductXP; product <= kProductVXAce; ++product) {
        platform::cMemoryClipboard clip;
        clip.add(clip.registerFormat("text/plain"), {1, 2});
        cClipboardDevice device(clip, cfg);
        ASSERT_EQ(device.ExportClipboard(*d, product), 1);
        Bytes b;
        ASSERT_TRUE(clip.read(clip.registerFormat(names[product - kProductXP]), b));
        EXPECT_EQ(b[0] | b[1] << 8 | b[2] << 16 | b[3] << 24, static_cast<int>(b.size()));
        EXPECT_FALSE(clip.isNamedAvailable("text/plain")); // emptied first
        EXPECT_EQ(clip.firstAvailable({"RPGXP ANIMATION", "RPGVX ANIMATION", "VX Ace ANIMATION"}),
                  product - kProductXP);
    }
}

TEST(ClipboardDevice, OtherProductCodesGiveZero) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    platform::cMemoryClipboard clip;
    cClipboardDevice device(clip, cfg);
    for (int product : {-1, int(kProduct2003), 6, 100}) {
        EXPECT_EQ(device.ExportClipboard(d, product), 0) << product;
        EXPECT_EQ(device.ImportClipboard(d, product), 0) << product;
    }
    clip.add(clip.registerFormat("VX Ace ANIMATION"), PayloadNamed("A", kProductVXAce));
    EXPECT_EQ(device.ImportClipboard(d, kProductVXAce), 0); // the menu imports with product 3
    EXPECT_EQ(device.ImportClipboard(d, kProductXP), 1);
    EXPECT_EQ(device.ImportClipboard(d, kProductVX), 1);
}

TEST(ClipboardDevice, ImportPrefersVxAceThenVxThenXp) {
    cConfig cfg = TestConfig();
    platform::cMemoryClipboard clip;
    clip.add(clip.registerFormat("RPGXP ANIMATION"), PayloadNamed("from XP", kProductXP));
    clip.add(clip.registerFormat("VX Ace ANIMATION"), PayloadNamed("from VX Ace", kProductVXAce));
    clip.add(clip.registerFormat("RPGVX ANIMATION"), PayloadNamed("from VX", kProductVX));
    cClipboardDevice device(clip, cfg);
    cProject d(&cfg);
    ASSERT_EQ(device.ImportClipboard(d, kProductVX), 1);
    EXPECT_EQ(d.text(kTextName), "from VX Ace");

    platform::cMemoryClipboard two;
    two.add(two.registerFormat("RPGXP ANIMATION"), PayloadNamed("from XP", kProductXP));
    two.add(two.registerFormat("RPGVX ANIMATION"), PayloadNamed("from VX", kProductVX));
    cClipboardDevice device2(two, cfg);
    ASSERT_EQ(device2.ImportClipboard(d, kProductVX), 1);
    EXPECT_EQ(d.text(kTextName), "from VX");

    // The first format present is the one read, even when it is damaged.
    platform::cMemoryClipboard damaged;
    damaged.add(damaged.registerFormat("RPGXP ANIMATION"), PayloadNamed("from XP", kProductXP));
    damaged.add(damaged.registerFormat("VX Ace ANIMATION"), {9, 0, 0, 0, 4, 8, 'Z', 0, 0});
    cClipboardDevice device3(damaged, cfg);
    EXPECT_EQ(device3.ImportClipboard(d, kProductVX), -1);
    EXPECT_FALSE(device3.LastError().empty());
}

TEST(ClipboardCommands, ImportReplacesTheDocumentOnlyOnSuccess) {
    cConfig cfg = TestConfig();
    platform::cMemoryClipboard clip;
    clip.add(clip.registerFormat("RPGVX ANIMATION"), PayloadNamed("New", kProductVX));
    cClipboardDevice device(clip, cfg);
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
    EXPECT_EQ(current->text(kTextName), "New");
    EXPECT_EQ(current->text(kTextBaseFolder), "/work/Data");
    EXPECT_EQ(current->text(kTextFileName), "");
    EXPECT_TRUE(current->untitled());
    EXPECT_FALSE(current->modified());

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

    auto expectUntouched = [&](platform::cMemoryClipboard& clip, const char* what) {
        cClipboardDevice device(clip, cfg);
        strCommandReport r = RunImportCommand(device, current, kProductVX, "/w", [] { return true; });
        EXPECT_EQ(r.Text(), "< ! > RPG Maker XP / VX / VXAce [Anime fight] : Import failed") << what;
        EXPECT_EQ(current.get(), before) << what;
        EXPECT_EQ(ProjectFingerprint(*current), print) << what;
        EXPECT_TRUE(current->modified()) << what;
        EXPECT_FALSE(current->untitled()) << what;
    };
    platform::cMemoryClipboard empty;
    expectUntouched(empty, "empty clipboard");
    platform::cMemoryClipboard replaced;
    replaced.add(replaced.registerFormat("RPGXP ANIMATION"), PayloadNamed("old", kProductXP));
    replaced.write(replaced.registerFormat("text/plain"), {'h', 'i'}); // another program took over
    expectUntouched(replaced, "replaced by another program");
    platform::cMemoryClipboard garbage;
    garbage.add(garbage.registerFormat("RPGVX ANIMATION"),
                {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'});
    expectUntouched(garbage, "not a Marshal dump");
    platform::cMemoryClipboard cut;
    Bytes b = PayloadNamed("cut", kProductVX);
    b.resize(b.size() - 1);
    cut.add(cut.registerFormat("RPGVX ANIMATION"), b);
    expectUntouched(cut, "cut short");
}

TEST(ClipboardCommands, ExportReportsAndLeavesTheProjectAlone) {
    cConfig cfg = TestConfig();
    auto d = SampleProject(cfg);
    d->setModified(true);
    const std::string print = ProjectFingerprint(*d);
    platform::cMemoryClipboard clip;
    cClipboardDevice device(clip, cfg);
    EXPECT_EQ(RunExportCommand(device, *d, kProductVXAce).Text(),
              "RPG Maker VXAce [Anime fight] : Export succeeded");
    EXPECT_EQ(RunExportCommand(device, *d, kProductVX).Text(),
              "RPG Maker VX [Anime fight] : Export succeeded");
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

    for (const char* name : {"RPGXP ANIMATION", "RPGVX ANIMATION", "VX Ace ANIMATION"}) {
        clip.clear();
        clip.add(clip.registerFormat(name), {1});
        s = ProbeClipboardMenu(clip);
        EXPECT_TRUE(s.importMarshal && s.IsEnabled(kCmdImportMarshal)) << name;
        EXPECT_FALSE(s.import2000) << name;
    }
    clip.clear();
    clip.add(platform::cClipboard::kFormat2000, {1});
    clip.add(clip.registerFormat("application/rpgmv-animations"), {'['});
    s = ProbeClipboardMenu(clip);
    EXPECT_TRUE(s.import2000 && s.importMV && s.IsEnabled(kCmdImport2000) && s.IsEnabled(kCmdImportMV));
    EXPECT_FALSE(s.importMarshal);
}

// ---- file-name resolution -----------------------------------------------------------------------

TEST(FileNameResolution, RelativeFoldersArePrefixedWithABackslash) {
    EXPECT_EQ(ResolveImportedFileName("Fire1", "BattleEffect", PictureExtensions()), "BattleEffect\\Fire1");
    EXPECT_EQ(ResolveImportedFileName("Fire1", "Graphics\\Animations", PictureExtensions()),
              "Graphics\\Animations\\Fire1");
    EXPECT_EQ(ResolveImportedFileName("Fire1", "Graphics/Animations/", PictureExtensions()),
              "Graphics/Animations/Fire1");
    EXPECT_EQ(ResolveImportedFileName("Fire1", "", PictureExtensions()), "Fire1");
}

TEST(FileNameResolution, AbsoluteFoldersFindTheFile) {
    testing_support::TempDir dir;
    testing_support::WriteBytes(dir.file("Fire1.png"), {1});
    testing_support::WriteBytes(dir.file("Fire1.bmp"), {1});
    testing_support::WriteBytes(dir.file("Fire10.png"), {1});
    testing_support::WriteBytes(dir.file("Slash.ogg"), {1});
    const std::string& folder = dir.path();
    EXPECT_EQ(ResolveImportedFileName("Fire1", folder, PictureExtensions()),
              folder + "\\Fire1.bmp"); // smallest name wins
    EXPECT_EQ(ResolveImportedFileName("Fire10", folder, PictureExtensions()), folder + "\\Fire10.png");
    EXPECT_EQ(ResolveImportedFileName("Ice", folder, PictureExtensions()),
              folder + "\\Ice"); // none: no extension added
    // A folder stored with backslashes is still searched on disk, and keeps its form.
    std::string windowsForm = folder;
    for (char& c : windowsForm)
        if (c == '/') c = '\\';
    EXPECT_EQ(ResolveImportedFileName("Slash", windowsForm, SoundExtensions()), windowsForm + "\\Slash.ogg");

    // Through the dispatcher: pictures against FolderName_G, sounds against FolderName_S.
    cConfig cfg = TestConfig();
    cfg.FolderName_G = folder;
    cfg.FolderName_S = "Audio\\SE";
    cProject src(&cfg);
    src.pictures().setCopy(0, Picture("x\\Fire1.png", 0));
    src.pictures().setCopy(1, Picture("Ice.png", 0));
    src.addEffect(Sound(0, "Slash.ogg", 100, 100));
    platform::cMemoryClipboard clip;
    cClipboardDevice device(clip, cfg);
    ASSERT_EQ(device.ExportClipboard(src, kProductVX), 1);
    cProject back(&cfg);
    ASSERT_EQ(device.ImportClipboard(back, kProductVX), 1);
    EXPECT_EQ(back.picture(0)->path, folder + "\\Fire1.bmp");
    EXPECT_EQ(back.picture(1)->path, folder + "\\Ice");
    EXPECT_EQ(back.effect(0)->soundPath, "Audio\\SE\\Slash");
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
    src.pictures().setCopy(0, Picture("Light.Effect", 0));
    src.pictures().setCopy(1, Picture("Light", 0));
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
    d.pictures().setCopy(0, Picture("", 0));
    d.pictures().setCopy(3, Picture("Fire1", 0));
    strEffect silent;
    silent.flags = strEffect::kFlash;
    d.addEffect(silent);
    d.addEffect(Sound(1, "Boom", 100, 100));
    ResolveImportedFileNames(d, cfg);
    EXPECT_EQ(
        std::tuple(d.picture(0)->path, d.picture(3)->path, d.effect(0)->soundPath, d.effect(1)->soundPath),
        std::tuple("", "BattleEffect\\Fire1", "", "Sound\\Boom"));
}

} // namespace
