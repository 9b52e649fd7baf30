#include "interchange/clipboard_device.h"

#include "config/config.h"
#include "document/project.h"
#include "interchange/clip_2000.h"
#include "interchange/file_name_resolution.h"
#include "interchange/marshal_animation.h"
#include "interchange/mv_animation.h"
#include "platform/code_page.h"

namespace interchange {

int cClipboardDevice::exportClipboard(const cProject& doc, int product) {
    error_ = {};
    switch (product) {
    case kProduct2000:
        return lcf::ExportLcf(doc, clip_, config_, &error_);
    case kProductXP:
    case kProductVX:
    case kProductVXAce:
        return ruby::ExportMarshal(doc, product, clip_, config_, &error_);
    case kProductMV:
        return mv::ExportMv(doc, clip_, config_, &error_);
    default:
        return 0;
    }
}

int cClipboardDevice::importClipboard(cProject& doc, int product, const std::string& baseFolder) {
    error_ = {};
    int result = 0;
    switch (product) {
    case kProduct2000:
        result = lcf::ImportLcf(doc, clip_, config_, &error_);
        break;
    case kProductXP:
    case kProductVX:
        result = ruby::ImportMarshal(doc, clip_, config_, &error_);
        break;
    case kProductMV:
        result = mv::ImportMv(doc, clip_, config_, &error_);
        break;
    default:
        return 0;
    }
    if (result == 1) ResolveImportedFileNames(doc, config_, baseFolder);
    return result;
}

int ExportProductForCommand(int command) {
    switch (command) {
    case kCmdExport2000:
        return kProduct2000;
    case kCmdExportXP:
        return kProductXP;
    case kCmdExportVX:
        return kProductVX;
    case kCmdExportVXAce:
        return kProductVXAce;
    case kCmdExportMV:
        return kProductMV;
    default:
        return -1;
    }
}

int ImportProductForCommand(int command) {
    switch (command) {
    case kCmdImport2000:
        return kProduct2000;
    case kCmdImportMarshal:
        return kProductVX;
    case kCmdImportMV:
        return kProductMV;
    default:
        return -1;
    }
}

int ExportLabel(int product) {
    switch (product) {
    case kProduct2000:
        return kLabel2000;
    case kProductXP:
        return kLabelXP;
    case kProductVX:
        return kLabelVX;
    case kProductVXAce:
        return kLabelVXAce;
    case kProductMV:
        return kLabelMV;
    default:
        return kMsgNone;
    }
}

int ImportLabel(int product) {
    switch (product) {
    case kProduct2000:
        return kLabel2000;
    case kProductXP:
    case kProductVX:
    case kProductVXAce:
        return kLabelXPVXVXAce;
    case kProductMV:
        return kLabelMV;
    default:
        return kMsgNone;
    }
}

strCommandReport RunExportCommand(cClipboardDevice& device, const cProject& doc, int product) {
    strCommandReport report;
    report.label = ExportLabel(product);
    if (report.label == kMsgNone) return report;
    report.ok = device.exportClipboard(doc, product) == 1;
    report.message = report.ok ? kMsgExportSucceeded : kMsgExportFailed;
    if (!report.ok) report.reason = device.lastError();
    return report;
}

strCommandReport RunImportCommand(cClipboardDevice& device, std::unique_ptr<cProject>& current, int product,
                                  const std::string& workingFolder,
                                  const std::function<bool()>& confirmUnsaved) {
    strCommandReport report;
    report.label = ImportLabel(product);
    if (report.label == kMsgNone) return report;
    if (current && current->modified() && confirmUnsaved && !confirmUnsaved()) return report;

    auto fresh = std::make_unique<cProject>(&device.config());
    if (device.importClipboard(*fresh, product, platform::ToUtf8(workingFolder, device.config().Locale)) !=
        1) {
        report.message = kMsgImportFailed;
        report.reason = device.lastError();
        return report;
    }
    fresh->setText(kTextBaseFolder, workingFolder);
    fresh->setText(kTextFileName, std::string());
    fresh->setUntitled(true);
    fresh->markSaved();
    current = std::move(fresh);
    report.message = kMsgImportSucceeded;
    report.ok = true;
    return report;
}

bool strClipboardMenuState::isEnabled(int command) const {
    switch (command) {
    case kCmdImport2000:
        return import2000;
    case kCmdImportMarshal:
        return importMarshal;
    case kCmdImportMV:
        return importMV;
    case kCmdExport2003:
    case kCmdImport2003:
        return false;
    default:
        return true;
    }
}

strClipboardMenuState ProbeClipboardMenu(platform::cClipboard& clip) {
    strClipboardMenuState s;
    s.import2000 = clip.isAvailable(platform::cClipboard::kFormat2000);
    s.importMarshal = clip.firstAvailable({kFormatNameXP, kFormatNameVX, kFormatNameVXAce}) >= 0;
    s.importMV = clip.isNamedAvailable(kFormatNameMV);
    return s;
}

} // namespace interchange
