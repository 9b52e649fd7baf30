#include "workspace/workspace.h"

#include <cctype>

#include "config/config.h"
#include "document/anime_file_device.h"
#include "document/project.h"
#include "image/picture_slot_table.h"
#include "interchange/clipboard_device.h"
#include "interchange/export_losses.h"
#include "platform/code_page.h"
#include "platform/file_io.h"
#include "platform/path.h"

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
    ANIME::cAnimeFile_Device device;
    if (format) *format = ANIME::kFormatUnknown;
    const int r = device.load(path, doc);
    if (r != 1) {
        result.reason = r == -2 ? "not a project file (unknown format)" : device.lastError();
        return false;
    }
    if (format) *format = ANIME::cAnimeFile_Device::detectFormatFile(path);
    // Relative picture and sound paths resolve against the file's folder.
    std::string folder = platform::FolderPart(path);
    if (folder.empty()) {
        // A bare file name was opened from the current folder.
        std::error_code ec;
        folder = std::filesystem::current_path(ec).string();
        if (ec) folder = ".";
    }
    doc.setText(kTextBaseFolder, storedFolder(folder));
    if (doc.frameCount() == 0) doc.frameOrCreate(0);
    doc.setUntitled(false);
    doc.markSaved();
    result.ok = true;
    return true;
}

strWorkResult cWorkspace::save(cProject& doc, const std::string& path, int saveFormat) const {
    strWorkResult result;
    ANIME::cAnimeFile_Device device;
    const int r = device.save(path, doc, saveFormat);
    if (r != 1) {
        result.reason = r == -2 ? "unknown save format" : device.lastError();
        return result;
    }
    result.ok = true;
    result.losses = device.lossMessages();
    return result;
}

int cWorkspace::SaveFormatForPath(const std::string& path, int fallback) {
    std::string ext = platform::Extension(path);
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".dat") return ANIME::kFormatBinary;
    if (ext == ".txt") return ANIME::kFormatText;
    return fallback;
}

std::string cWorkspace::NameForFormat(const std::string& name, int format) {
    const std::string stem = platform::StemPart(platform::FileNamePart(name));
    return (stem.empty() ? std::string("newfile") : stem) + (format == ANIME::kFormatText ? ".txt" : ".dat");
}

strWorkResult cWorkspace::backup(const std::string& path) const {
    strWorkResult result;
    const std::string target = platform::JoinPath(working_, "backup.dat");
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(path, bytes, size_t(256) << 20, &result.reason) ||
        !platform::WriteFileAtomically(target, bytes, &result.reason))
        return result;
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
    result.status = report.Text();
    result.statusMessage = report.message;
    result.statusLabel = report.label;
    if (report.message != interchange::kMsgImportSucceeded || !doc) {
        result.reason = device.LastError().empty()
                            ? std::string("the clipboard holds no animation of that kind")
                            : device.LastError();
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
    result.status = report.Text();
    result.statusMessage = report.message;
    result.statusLabel = report.label;
    if (report.message != interchange::kMsgExportSucceeded) {
        result.reason = report.message == interchange::kMsgNone ? "no export for that product"
                        : device.LastError().empty()            ? "the clipboard did not take the data"
                                                                : device.LastError();
        return result;
    }
    result.ok = true;
    for (const interchange::strExportLoss& loss : interchange::ExportLosses(doc, product))
        result.losses.emplace_back(kMsgExportLoss, interchange::DescribeExportLoss(loss));
    return result;
}

strWorkResult cWorkspace::loadPictures(const cProject& doc, cPictureSlotTable& slots) const {
    strWorkResult result;
    const strSlotSource source = strSlotSource::Of(doc);
    for (int i = 0; i < doc.pictureCount(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p) {
            slots.Remove(i);
            continue;
        }
        if (slots.UpdatePicture(source, i, p, p, true, true) || p->path.empty()) continue;
        result.losses.emplace_back(kMsgExportMissingPicture, i,
                                   cPictureSlotTable::ResolvePicturePath(source, p->path, true),
                                   slots.FailureText(i));
    }
    result.ok = result.losses.empty();
    return result;
}

std::vector<strMessage> cWorkspace::missingPictures(const cProject& doc,
                                                    const cPictureSlotTable& slots) const {
    std::vector<strMessage> out;
    const strSlotSource source = strSlotSource::Of(doc);
    for (int i = 0; i < doc.pictureCount(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p || p->path.empty()) continue;
        const cPictureSlot* slot = slots.Find(i);
        if (slot && slot->IsValid()) continue;
        std::string why = slots.FailureText(i);
        if (why.empty()) why = "it is not loaded";
        out.emplace_back(kMsgExportMissingPicture, i,
                         cPictureSlotTable::ResolvePicturePath(source, p->path, true), why);
    }
    return out;
}
