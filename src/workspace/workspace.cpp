#include "workspace/workspace.h"

#include <cctype>

#include "config/config.h"
#include "document/anime_file_device.h"
#include "document/file_reason.h"
#include "document/project.h"
#include "document/transaction.h"
#include "image/picture_slot_table.h"
#include "interchange/clipboard_device.h"
#include "interchange/export_losses.h"
#include "platform/code_page.h"
#include "platform/file_io.h"
#include "platform/path.h"
#include "tools/effect_edit.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

cWorkspace::cWorkspace(const cConfig& config) : config_(config), working_(config.workingFolder()) {}

std::string cWorkspace::prepareWorkingFolder(const std::function<bool(const std::string&)>& create,
                                             bool* failed) {
    if (failed) *failed = false;
    const std::string settingsFolder = platform::FolderPart(config_.filePath);
    std::string folder = config_.workingFolder();
    if (!config_.FolderName_C.empty() && !platform::IsFolder(folder)) {
        if (!create || !create(folder)) {
            folder = settingsFolder;
        } else if (!platform::MakeFolder(folder)) {
            if (failed) *failed = true;
            folder = settingsFolder;
        }
    }
    working_ = folder;
    return folder;
}

std::string cWorkspace::storedFolder(const std::string& diskFolder) const {
    return platform::FromUtf8(diskFolder, config_.Locale);
}

std::string cWorkspace::diskFolder(const std::string& stored) const {
    return platform::ToUtf8(stored, config_.Locale);
}

std::unique_ptr<cProject> cWorkspace::newDocument(const std::string& storedBase) const {
    auto doc = std::make_unique<cProject>(&config_);
    if (!doc->create(-1, -1, -1, -1)) return nullptr;
    doc->setText(kTextBaseFolder, storedBase.empty() ? storedFolder(working_) : storedBase);
    doc->setText(kTextFileName, config_.Init_FileName);
    doc->applyDefaults();
    doc->frameOrCreate(0);
    doc->setUntitled(true);
    doc->markSaved();
    return doc;
}

std::unique_ptr<cProject> cWorkspace::open(const std::string& path, strWorkResult& result,
                                           int* format) const {
    auto doc = std::make_unique<cProject>(&config_);
    if (!open(path, *doc, result, format)) return nullptr;
    return doc;
}

bool cWorkspace::open(const std::string& path, cProject& doc, strWorkResult& result, int* format) const {
    result = {};
    anime::cAnimeFileDevice device;
    if (format) *format = anime::kFormatUnknown;
    const int r = device.load(path, doc);
    if (r != 1) {
        result.reason = device.lastReason();
        return false;
    }
    if (format) *format = anime::cAnimeFileDevice::detectFormatFile(path);
    // Relative picture and sound paths resolve against the file's folder.
    const std::string folder = fileFolder(path);
    doc.setText(kTextBaseFolder, storedFolder(folder));
    if (doc.frameCount() == 0) doc.frameOrCreate(0);
    doc.setUntitled(false);
    doc.markSaved();
    result.ok = true;
    return true;
}

std::string strWorkResult::statusText() const {
    return interchange::StatusText(statusMessage, statusLabel);
}

strWorkResult cWorkspace::save(cProject& doc, const std::string& path, int saveFormat,
                               bool rebasePaths) const {
    strWorkResult result;
    anime::cAnimeFileDevice device;
    // Saved into another folder, the document's paths are rebased onto that folder first, as one
    // step of the history: the file then holds paths that resolve from where it lies, and undoing
    // the step gives back the old folder with the old paths. A failed save takes the step back.
    const std::string folder = fileFolder(path);
    std::unique_ptr<cTransaction> rebase;
    if (rebasePaths &&
        platform::Canonicalise(diskFolder(doc.text(kTextBaseFolder))) != platform::Canonicalise(folder)) {
        rebase = std::make_unique<cTransaction>(doc, strMessage(kStepRebasePaths, storedFolder(folder)));
        rebaseMediaPaths(doc, folder);
    }
    const int r = device.save(path, doc, saveFormat);
    if (r != 1) {
        result.reason = device.lastReason();
        return result; // the rebase rolls back
    }
    if (rebase) {
        rebase->commit();
        doc.markSaved();
    }
    result.ok = true;
    result.losses = device.lossMessages();
    return result;
}

int cWorkspace::saveFormatForPath(const std::string& path, int fallback) {
    std::string ext = platform::Extension(path);
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".dat") return anime::kFormatBinary;
    if (ext == ".txt") return anime::kFormatText;
    return fallback;
}

std::string cWorkspace::nameForFormat(const std::string& name, int format) {
    const std::string stem = platform::StemPart(platform::FileNamePart(name));
    return (stem.empty() ? std::string("newfile") : stem) + (format == anime::kFormatText ? ".txt" : ".dat");
}

std::string cWorkspace::fileFolder(const std::string& path) {
    std::string folder = platform::FolderPart(path);
    if (folder.empty() || !platform::IsAbsolute(folder)) {
        // A bare or relative file name lies in (or below) the current folder.
        std::error_code ec;
        const std::string here = std::filesystem::current_path(ec).string();
        if (ec) return folder.empty() ? std::string(".") : folder;
        folder = folder.empty() ? here : platform::Canonicalise(platform::JoinPath(here, folder));
    }
    return folder;
}

int cWorkspace::rebaseMediaPaths(cProject& doc, const std::string& newFolder) const {
    const std::string oldFolder = diskFolder(doc.text(kTextBaseFolder));
    // A stored path as it is stored for the new folder: relative inside or below it, else absolute.
    auto rebased = [&](const std::string& stored) {
        if (stored.empty()) return stored;
        const std::string disk = diskFolder(stored);
        const std::string whole = platform::ResolveForDisk(disk, oldFolder);
        if (!platform::IsAbsolute(whole)) return stored; // no folder to take it from
        const std::string moved = DroppedFilePath(whole, newFolder);
        // Unchanged where the stored form already says the same (its own separators kept).
        if (platform::ToDiskSeparators(disk) == moved) return stored;
        return storedFolder(moved);
    };
    int changed = 0;
    for (int i = 0; i < doc.pictureCapacity(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p) continue;
        const std::string path = rebased(p->path);
        if (path == p->path) continue;
        strPicture q = *p;
        q.path = path;
        doc.setPicture(i, q);
        ++changed;
    }
    for (int i = 0; i < doc.effectCapacity(); ++i) {
        const strEffect* e = doc.effect(i);
        if (!e || !(e->flags & strEffect::kSound)) continue;
        const std::string path = rebased(e->soundPath);
        if (path == e->soundPath) continue;
        strEffect f = *e;
        f.soundPath = path;
        doc.changeEffect(i, f);
        ++changed;
    }
    doc.setText(kTextBaseFolder, storedFolder(newFolder));
    return changed;
}

strWorkResult cWorkspace::backup(const std::string& path) const {
    strWorkResult result;
    const std::string target = platform::JoinPath(working_, "backup.dat");
    std::vector<uint8_t> bytes;
    std::string why;
    if (!platform::ReadWholeFile(path, bytes, size_t(256) << 20, &why) ||
        !platform::WriteFileAtomically(target, bytes, &why)) {
        result.reason = FileFailureMessage(why);
        return result;
    }
    result.ok = true;
    return result;
}

std::unique_ptr<cProject> cWorkspace::importClipboard(platform::cClipboard& clip, int product,
                                                      strWorkResult& result) const {
    result = {};
    interchange::cClipboardDevice device(clip, config_);
    std::unique_ptr<cProject> doc;
    const interchange::strCommandReport report =
        interchange::RunImportCommand(device, doc, product, storedFolder(working_));
    result.statusMessage = report.message;
    result.statusLabel = report.label;
    if (!report.ok || !doc) {
        result.reason = report.reason.none() ? strMessage(kWhyNoSuchAnimation) : report.reason;
        return nullptr;
    }
    if (doc->frameCount() == 0) doc->frameOrCreate(0);
    doc->markSaved();
    result.ok = true;
    return doc;
}

strWorkResult cWorkspace::exportClipboard(const cProject& doc, platform::cClipboard& clip,
                                          int product) const {
    strWorkResult result;
    interchange::cClipboardDevice device(clip, config_);
    const interchange::strCommandReport report = interchange::RunExportCommand(device, doc, product);
    result.statusMessage = report.message;
    result.statusLabel = report.label;
    if (!report.ok) {
        result.reason = report.message == interchange::kMsgNone ? strMessage(kWhyNoExport)
                        : report.reason.none()                  ? strMessage(kWhyClipboardRefused)
                                                                : report.reason;
        return result;
    }
    result.ok = true;
    for (const interchange::strExportLoss& loss : interchange::ExportLosses(doc, product))
        result.losses.push_back(interchange::ExportLossMessage(loss));
    return result;
}

strWorkResult cWorkspace::loadPictures(const cProject& doc, cPictureSlotTable& slots) const {
    strWorkResult result;
    const strSlotSource source = strSlotSource::of(doc);
    for (int i = 0; i < doc.pictureCount(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p) {
            slots.remove(i);
            continue;
        }
        if (slots.updatePicture(source, i, p, p, true, true) || p->path.empty()) continue;
        result.losses.emplace_back(kMsgExportMissingPicture, i,
                                   cPictureSlotTable::resolvePicturePath(source, p->path, true),
                                   slots.failureMessage(i));
    }
    result.ok = result.losses.empty();
    return result;
}

std::vector<strMessage> cWorkspace::missingPictures(const cProject& doc,
                                                    const cPictureSlotTable& slots) const {
    std::vector<strMessage> out;
    const strSlotSource source = strSlotSource::of(doc);
    for (int i = 0; i < doc.pictureCount(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p || p->path.empty()) continue;
        const cPictureSlot* slot = slots.find(i);
        if (slot && slot->isValid()) continue;
        strMessage why = slots.failureMessage(i);
        if (why.none()) why = strMessage(kWhyPictureNotLoaded);
        out.emplace_back(kMsgExportMissingPicture, i,
                         cPictureSlotTable::resolvePicturePath(source, p->path, true), why);
    }
    return out;
}

std::vector<strMissingFile> cWorkspace::missingFiles(const cProject& doc) const {
    std::vector<strMissingFile> out;
    const std::string base = diskFolder(doc.text(kTextBaseFolder));
    auto check = [&](bool sound, int index, const std::string& stored) {
        if (stored.empty()) return;
        const std::string disk = platform::ResolveForDisk(diskFolder(stored), base);
        strMediaLookup lookup = LookUpMediaFile(disk, sound ? SoundExtensions() : PictureExtensions());
        if (!lookup.found) out.push_back({sound, index, stored, std::move(lookup)});
    };
    for (int i = 0; i < doc.pictureCapacity(); ++i)
        if (const strPicture* p = doc.picture(i)) check(false, i, p->path);
    std::vector<std::string> seen;
    for (int i = 0; i < doc.effectCapacity(); ++i) {
        const strEffect* e = doc.effect(i);
        if (!e || !(e->flags & strEffect::kSound) || e->soundPath.empty()) continue;
        if (std::find(seen.begin(), seen.end(), e->soundPath) != seen.end()) continue;
        seen.push_back(e->soundPath);
        check(true, i, e->soundPath);
    }
    return out;
}

std::vector<strMessage> cWorkspace::missingFilesReport(const std::vector<strMissingFile>& missing) {
    std::vector<strMessage> out;
    for (const bool sound : {false, true}) {
        std::string list;
        int count = 0;
        for (const strMissingFile& m : missing) {
            if (m.sound != sound) continue;
            if (count++) list += ", ";
            list += platform::FileNamePart(platform::ToDiskSeparators(m.lookup.file)) + " (" +
                    m.lookup.folder + ")";
        }
        if (count == 1) out.emplace_back(sound ? kMsgSoundNotFound : kMsgPictureNotFound, list);
        if (count > 1) out.emplace_back(sound ? kMsgSoundsNotFound : kMsgPicturesNotFound, count, list);
    }
    return out;
}
