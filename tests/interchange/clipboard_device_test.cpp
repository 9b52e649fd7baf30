// The clipboard dispatchers, the import and export commands, the menu probes, the message table and
// the file-name resolution after an import.

#include "interchange/clipboard_device.h"
#include "interchange/file_name_resolution.h"
#include "interchange/marshal_animation.h"
#include "interchange/messages.h"
#include "interchange_fixture.h"
#include "support/document_compare.h"
#include "support/message_texts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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
    current->history().forgetClean(); // as after a change
    return current;
}

TEST(ClipboardDevice, OtherProductCodesGiveZero) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    auto clip = Holding({});
    cClipboardDevice device(*clip, cfg);
    for (int product : {-1, int(kProduct2003), 6, 100}) {
        EXPECT_EQ(device.exportClipboard(d, product), 0) << product;
        EXPECT_EQ(device.importClipboard(d, product), 0) << product;
    }
    clip->add(clip->registerFormat(kFormatNameVXAce), PayloadNamed("A", kProductVXAce));
    EXPECT_EQ(device.importClipboard(d, kProductVXAce), 0); // the menu imports with product 3
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
        EXPECT_EQ(device.importClipboard(d, kProductVX), c.result) << c.name;
        if (c.result == 1) {
            EXPECT_EQ(d.text(kTextName), c.name);
        }
        EXPECT_EQ(device.lastError().none(), c.result == 1) << c.name;
    }
}

TEST(ClipboardCommands, ImportAsksFirstOnlyForAModifiedDocument) {
    cConfig cfg = TestConfig();
    auto clip = Holding({{kFormatNameVX, PayloadNamed("New", kProductVX)}});
    cClipboardDevice device(*clip, cfg);
    auto current = ModifiedCurrent(cfg);
    // Cancel at the question ends the import without a message.
    const std::string print = ProjectFingerprint(*current);
    EXPECT_EQ(RunImportCommand(device, current, kProductVX, "/w", [] { return false; }).text(), "");
    EXPECT_EQ(ProjectFingerprint(*current), print);
    EXPECT_TRUE(current->modified());

    current->markSaved();
    int asked = 0;
    EXPECT_EQ(RunImportCommand(device, current, kProductVX, "/w", [&] { return ++asked, true; }).message,
              kMsgImportSucceeded);
    EXPECT_EQ(asked, 0);
}

TEST(ClipboardCommands, FailedImportsLeaveTheCurrentDocumentUntouched) {
    // One case per way an import fails: no format, another program's data, a payload the reader
    // refuses (a damaged Marshal payload is in ImportPrefersVxAceThenVxThenXp; the readers' own
    // tests try every bad payload).
    cConfig cfg = TestConfig();
    auto current = ModifiedCurrent(cfg);
    cProject* before = current.get();
    const std::string print = ProjectFingerprint(*current);
    auto replaced = Holding({{kFormatNameXP, PayloadNamed("old", kProductXP)}});
    replaced->write(replaced->registerFormat("text/plain"), {'h', 'i'}); // another program took over
    const struct {
        std::unique_ptr<platform::cMemoryClipboard> clip;
        int product;
        int label;
        const char* what;
    } cases[] = {
        {Holding({}), kProductVX, kLabelXPVXVXAce, "empty clipboard"},
        {std::move(replaced), kProductVX, kLabelXPVXVXAce, "replaced by another program"},
        {Holding({}), kProductMV, kLabelMV, "no MV text"},
        {Holding({{kFormatNameMV, Text(R"([{"name":1}])")}}), kProductMV, kLabelMV, "not an MV animation"},
        {Holding({}), kProduct2000, kLabel2000, "no 2000 record"},
    };
    for (const auto& [clip, product, label, what] : cases) {
        SCOPED_TRACE(what);
        cClipboardDevice device(*clip, cfg);
        strCommandReport r = RunImportCommand(device, current, product, "/w", [] { return true; });
        EXPECT_EQ(std::pair(r.message, r.label), std::pair(int(kMsgImportFailed), label));
        EXPECT_EQ(r.text(), FormatMessage(kMsgImportFailed, MessageText(label)));
        EXPECT_FALSE(device.lastError().none()); // every reader says why
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.reason, device.lastError()); // and the report carries it
        EXPECT_EQ(current.get(), before);
        EXPECT_EQ(ProjectFingerprint(*current), print);
        EXPECT_TRUE(current->modified());
        EXPECT_FALSE(current->untitled());
    }
}

TEST(ClipboardCommands, EachMenuCommandTravelsThroughItsProductsFormat) {
    // Export, then import, by menu command: the messages name the product, the clipboard holds
    // exactly the payload the codec builds (MV: the bare text, no length word and no zero byte) under
    // the product's format, and the import replaces the modified document after the question.
    cConfig cfg = TestConfig();
    auto d = SampleProject(cfg);
    d->history().forgetClean();
    const std::string print = ProjectFingerprint(*d);
    const std::tuple<int, int, int, int> routes[] = {
        {kCmdExport2000, kLabel2000, kCmdImport2000, kLabel2000},
        {kCmdExportXP, kLabelXP, kCmdImportMarshal, kLabelXPVXVXAce},
        {kCmdExportVX, kLabelVX, kCmdImportMarshal, kLabelXPVXVXAce},
        {kCmdExportVXAce, kLabelVXAce, kCmdImportMarshal, kLabelXPVXVXAce},
        {kCmdExportMV, kLabelMV, kCmdImportMV, kLabelMV},
    };
    for (const auto& [exportCommand, exported, importCommand, imported] : routes) {
        SCOPED_TRACE(exported);
        const int product = ExportProductForCommand(exportCommand);
        platform::cMemoryClipboard clip;
        cClipboardDevice device(clip, cfg);
        const strCommandReport sent = RunExportCommand(device, *d, product);
        EXPECT_EQ(std::pair(sent.message, sent.label), std::pair(int(kMsgExportSucceeded), exported));
        Bytes b;
        ASSERT_TRUE(clip.read(ProductFormat(clip, product), b));
        EXPECT_EQ(b, Export(*d, product));
        auto current = ModifiedCurrent(cfg);
        int asked = 0;
        const strCommandReport r = RunImportCommand(device, current, ImportProductForCommand(importCommand),
                                                    "/work/Data", [&] { return ++asked, true; });
        EXPECT_EQ(std::pair(r.message, r.label), std::pair(int(kMsgImportSucceeded), imported));
        EXPECT_EQ(std::tuple(asked, current->text(kTextName), current->text(kTextBaseFolder),
                             current->text(kTextFileName), current->untitled(), current->modified()),
                  std::tuple(1, d->text(kTextName), "/work/Data", "", true, false));
    }
    EXPECT_EQ(ImportProductForCommand(kCmdImportMarshal), kProductVX);
    EXPECT_EQ(std::tuple(ExportProductForCommand(kCmdExport2003), ImportProductForCommand(kCmdImport2003)),
              std::tuple(-1, -1));
    EXPECT_EQ(MessageText(ImportLabel(7)), std::string());
    platform::cMemoryClipboard clip;
    cClipboardDevice device(clip, cfg);
    EXPECT_EQ(RunExportCommand(device, *d, kProduct2003).message,
              interchange::kMsgNone); // no label, no message
    EXPECT_EQ(ProjectFingerprint(*d), print);
    EXPECT_TRUE(d->modified());

    // A clipboard that another program holds open.
    cRefusingClipboard refusing;
    cClipboardDevice held(refusing, cfg);
    EXPECT_EQ(held.exportClipboard(*d, kProductXP), -1);
    const strCommandReport refused = RunExportCommand(held, *d, kProductXP);
    EXPECT_EQ(std::pair(refused.message, refused.label), std::pair(int(kMsgExportFailed), int(kLabelXP)));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.reason, held.lastError());
}

TEST(ClipboardMenu, ProbesFollowTheFormats) {
    platform::cMemoryClipboard clip;
    strClipboardMenuState s = ProbeClipboardMenu(clip);
    EXPECT_FALSE(s.import2000 || s.importMarshal || s.importMV);
    EXPECT_TRUE(s.isEnabled(kCmdExportXP) && s.isEnabled(kCmdExport2000) && s.isEnabled(kCmdExportMV));
    EXPECT_FALSE(s.isEnabled(kCmdExport2003) || s.isEnabled(kCmdImport2003) ||
                 s.isEnabled(kCmdImportMarshal));

    for (const char* name : {kFormatNameXP, kFormatNameVX, kFormatNameVXAce}) {
        clip.clear();
        clip.add(clip.registerFormat(name), {1});
        s = ProbeClipboardMenu(clip);
        EXPECT_TRUE(s.importMarshal && s.isEnabled(kCmdImportMarshal)) << name;
        EXPECT_FALSE(s.import2000) << name;
    }
    clip.clear();
    clip.add(platform::cClipboard::kFormat2000, {1});
    clip.add(clip.registerFormat(kFormatNameMV), {'['});
    s = ProbeClipboardMenu(clip);
    EXPECT_TRUE(s.import2000 && s.importMV && s.isEnabled(kCmdImport2000) && s.isEnabled(kCmdImportMV));
    EXPECT_FALSE(s.importMarshal);
}

// ---- file-name resolution -----------------------------------------------------------------------

TEST(FileNameResolution, FoldersAreJoinedAndSearched) {
    // The working folder holds BattleEffect/ with two kinds of Fire1; an absolute folder elsewhere.
    testing_support::TempDir work, other;
    std::filesystem::create_directories(work.file("BattleEffect"));
    for (const char* name : {"BattleEffect/Fire1.png", "BattleEffect/Fire1.bmp", "BattleEffect/Fire10.png",
                             "BattleEffect/Fire2.txt", "Slash.ogg"})
        testing_support::WriteBytes(work.file(name), {1});
    testing_support::WriteBytes(other.file("Ice.GIF"), {1});
    const std::string& folder = other.path();
    // A folder stored with backslashes is still searched on disk, and keeps its form.
    std::string windowsForm = folder;
    std::replace(windowsForm.begin(), windowsForm.end(), '/', '\\');
    const std::tuple<const char*, std::string, bool, std::string> names[] = {
        // Relative folders are searched under the working folder: the smallest name wins, the
        // extension is kept, this system's separator joins.
        {"Fire1", "BattleEffect", true, "BattleEffect/Fire1.bmp"},
        {"Fire10", "BattleEffect/", true, "BattleEffect/Fire10.png"},
        // Nothing of a known kind: folder and title, no extension.
        {"Fire2", "BattleEffect", true, "BattleEffect/Fire2"},
        {"Fire1", "Graphics\\Animations", true, "Graphics\\Animations/Fire1"},
        {"Slash", "", false, "Slash.ogg"},
        {"Slash", "", true, "Slash"},
        // Absolute folders are searched as they are (ASCII case of the extension ignored).
        {"Ice", folder, true, folder + "/Ice.GIF"},
        {"Ice", windowsForm, true, windowsForm + "/Ice.GIF"},
        {"Ice", folder, false, folder + "/Ice"},
    };
    for (const auto& [title, in, picture, resolved] : names)
        EXPECT_EQ(ResolveImportedFileName(title, in, work.path(), "UTF-8",
                                          picture ? PictureExtensions() : SoundExtensions()),
                  resolved)
            << title << " in " << in;
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
    src.setPicture(0, Picture("Light.Effect"));
    src.setPicture(1, Picture("Light"));
    src.addEffect(Sound(0, "Hit.v2", 100, 100));
    src.frameOrCreate(0);
    for (const std::string& folder : {std::string("BattleEffect"), dir.path()}) {
        cfg.FolderName_G = cfg.FolderName_S = folder;
        for (int product : {kProduct2000, kProductVXAce, kProductMV}) {
            SCOPED_TRACE(folder + " " + std::to_string(product));
            platform::cMemoryClipboard clip;
            cClipboardDevice device(clip, cfg);
            ASSERT_EQ(device.exportClipboard(src, product), 1);
            Bytes first;
            ASSERT_TRUE(clip.read(ProductFormat(clip, product), first));
            cProject back(&cfg);
            ASSERT_EQ(device.importClipboard(back, product == kProductVXAce ? kProductVX : product), 1)
                << FormatMessage(device.lastError());
            ASSERT_NE(back.picture(0), nullptr);
            EXPECT_EQ(back.picture(0)->path,
                      folder + (folder == dir.path() ? "/Light.Effect.png" : "/Light.Effect"));
            if (product != kProduct2000) {
                ASSERT_NE(back.picture(1), nullptr);
                EXPECT_EQ(back.picture(1)->path, folder + "/Light"); // neither file is Light + an extension
            }
            ASSERT_EQ(device.exportClipboard(back, product), 1);
            Bytes second;
            ASSERT_TRUE(clip.read(ProductFormat(clip, product), second));
            EXPECT_EQ(second, first);
        }
    }
}

TEST(FileNameResolution, OnlyOccupiedSlotsWithATextChange) {
    cConfig cfg = TestConfig();
    cProject d(&cfg);
    d.setPicture(0, Picture(""));
    d.setPicture(3, Picture("Fire1"));
    d.addEffect({.flags = strEffect::kFlash});
    d.addEffect(Sound(1, "Boom", 100, 100));
    ResolveImportedFileNames(d, cfg, "/no/such/folder");
    EXPECT_EQ(
        std::tuple(d.picture(0)->path, d.picture(3)->path, d.effect(0)->soundPath, d.effect(1)->soundPath),
        std::tuple("", "BattleEffect/Fire1", "", "Sound/Boom"));
}

} // namespace

TEST(ClipboardCommands, TextsArePlain) {
    for (const strMessageEntry& m : MessageTable().entries())
        EXPECT_TRUE(IsPlainText(m.text)) << m.name;
}
