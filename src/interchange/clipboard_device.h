#pragma once
// The clipboard dispatchers and the clipboard commands.
//
// cClipboardDevice picks the codec by product code. In the original these were members of the
// project file device; the document module may not see the interchange module, so they live here.
// The command functions below are the window-independent part of the File menu's clipboard
// commands: the editor and the command-line tool call them and show the message they return.

#include "document/messages.h"
#include "document/result.h"
#include "interchange/clipboard_formats.h"
#include "interchange/messages.h"

#include <functional>
#include <memory>
#include <string>

class cProject;
class cConfig;

namespace interchange {

class cClipboardDevice {
  public:
    cClipboardDevice(platform::cClipboard& clip, const cConfig& config) : clip_(clip), config_(config) {}

    // 1 success, -1 failure, 0 for a product code this dispatcher does not handle
    // (0 2000, 2 XP, 3 VX, 4 VX Ace, 5 MV). The project is not changed.
    int exportClipboard(const cProject& doc, int product);
    // 1 success, -1 failure, 0 for a product code this dispatcher does not handle
    // (0 2000, 2 and 3 the Marshal import, which looks for all three Marshal formats, 5 MV).
    // doc is re-created and filled, and its picture and sound titles are resolved against the
    // configured folders, relative ones under baseFolder (a disk folder, UTF-8; file_name_resolution.h).
    // On failure doc must be discarded; lastError says why.
    int importClipboard(cProject& doc, int product, const std::string& baseFolder = std::string());

    // Why the last export or import failed, when the codec said (a message of the reason table;
    // none when it did not).
    const strMessage& lastError() const { return error_; }
    platform::cClipboard& clipboard() { return clip_; }
    const cConfig& config() const { return config_; }

  private:
    platform::cClipboard& clip_;
    const cConfig& config_;
    strMessage error_;
};

// ---- commands ----------------------------------------------------------------------------------

// Command identifiers of the File menu's clipboard entries.
enum eClipboardCommand : int {
    kCmdExport2000 = 40029,
    kCmdExport2003 = 40031, // always disabled
    kCmdExportXP = 40001,
    kCmdExportVX = 40215,
    kCmdExportVXAce = 40037,
    kCmdExportMV = 40216,
    kCmdImport2000 = 40015,
    kCmdImport2003 = 40030, // always disabled
    kCmdImportMarshal = 40035,
    kCmdImportMV = 40217,
};

// The product a command exports or imports; -1 for any other command (the 2003 entries included).
int ExportProductForCommand(int command);
int ImportProductForCommand(int command);
// Label message ids of an export or an import of a product; kMsgNone when the product has none.
int ExportLabel(int product);
int ImportLabel(int product);

// What a command shows: a status message id and the label id that fills its "%s". message is
// kMsgNone when the command ends without a message; ok and reason say whether it did what was asked
// and, when not, the device's reason (none when it gave none).
struct strCommandReport : strResult {
    int message = kMsgNone;
    int label = kMsgNone;
    // The formatted text ("" for no message).
    std::string text() const { return StatusText(message, label); }
};

// Export command: exports the current document; "%s : Export succeeded" when the dispatcher returned
// 1, else "< ! > %s : Export failed"; no message for a product without a label.
strCommandReport RunExportCommand(cClipboardDevice& device, const cProject& doc, int product);

// Import command. When the current document is modified, confirmUnsaved is asked first (the
// editor's unsaved-changes question: No goes on, Yes saves and goes on only when that worked,
// Cancel stops); when it returns false the command ends with no message. Then a fresh document is
// built by the dispatcher. On success its base folder becomes workingFolder (the stored form, in the
// project code page; titles are resolved under it), it is made untitled (no file name) and
// unmodified, and it replaces *current. On failure the fresh document is discarded and *current is
// untouched.
strCommandReport RunImportCommand(cClipboardDevice& device, std::unique_ptr<cProject>& current, int product,
                                  const std::string& workingFolder,
                                  const std::function<bool()>& confirmUnsaved = nullptr);

// ---- menu state --------------------------------------------------------------------------------

struct strClipboardMenuState {
    bool import2000 = false;    // format 582 is available
    bool importMarshal = false; // one of the three Marshal formats is available
    bool importMV = false;      // "application/rpgmv-animations" is available
    // The export entries are always enabled and both 2003 entries always disabled.
    bool isEnabled(int command) const;
};

// Probes the clipboard each time the File menu opens.
strClipboardMenuState ProbeClipboardMenu(platform::cClipboard& clip);

} // namespace interchange
