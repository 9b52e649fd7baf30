#include "ui/session/session.h"

#include "config/config.h"
#include "platform/code_page.h"
#include "platform/file_io.h"
#include "platform/path.h"
#include "ui/platform/prompts.h"
#include "ui/session/game_texts.h"
#include "ui/session/ui_messages.h"
#include "workspace/gif_document.h"

#include <algorithm>

namespace {

std::string Utf8(const QString& s) {
    return s.toStdString();
}
QString FromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr float kZooms[] = {0.25f, 0.5f, 1.0f, 2.0f, 4.0f};

} // namespace

cSession::cSession(cConfig& config, cPrompts& prompts, platform::cClipboard& clipboard, QObject* parent)
    : QObject(parent), config_(config), prompts_(prompts), clipboard_(clipboard),
      doc_(std::make_unique<cProject>(&config)), editClip_(clipboard), clipDevice_(clipboard, config),
      workspace_(config), sound_(NullSoundDevice()), player_(clock_, &sounds_), recovery_(config) {
    doc_->create(-1, -1, -1, -1);
    doc_->frameOrCreate(0);
    commands_ = std::make_unique<cEditCommands>(*doc_, config_);
    commands_->setListener([this](unsigned changes) { onLibraryChange(changes); });
    clipCommands_ = std::make_unique<cEditClipCommands>(*commands_, editClip_);
    player_.setDocument(doc_.get());
    tickTimer_.setSingleShot(true);
    tickTimer_.setTimerType(Qt::PreciseTimer);
    connect(&tickTimer_, &QTimer::timeout, this, &cSession::pumpPlayback);
    connect(&recovery_, &cRecoveryKeeper::writeFailed, this, [this](const QString& reason) {
        showStatus(tr("The recovery copy could not be written: %1").arg(reason));
    });
}

cSession::~cSession() {
    // A normal end: no recovery copy is left for the next start.
    recovery_.quit();
    tickTimer_.stop();
    player_.stop(true);
    sounds_.releaseAll();
}

bool cSession::start(std::unique_ptr<cSoundDevice> sound) {
    // The working folder lives beside the settings file; a missing one is made without asking (a
    // first start opens straight into the editor), and only a failure to make it is reported.
    bool failed = false;
    const std::string working =
        workspace_.prepareWorkingFolder([](const std::string&) { return true; }, &failed);
    if (failed)
        prompts_.message(UiMessage(kUiCreateFolderFailed, {config_.workingFolder()}), cPrompts::kError);
    dialogFolder_ =
        platform::IsFolder(config_.LastLoadPath) ? FromUtf8(config_.LastLoadPath) : FromUtf8(working);

    doc_->history().clear(config_.undoDepth());
    if (!slots_.initialise(config_)) {
        why_ = tr("The built-in pictures could not be made.");
        return false;
    }
    sound_ = sound ? std::move(sound) : OpenSoundDevice();
    sounds_.setDevice(sound_.get());
    clock_.setRate(cPlayClock::rateOfIndex(config_.playRateIndex()));
    QString noRecovery;
    if (!recovery_.open(&noRecovery)) showStatus(tr("No recovery copies can be kept: %1").arg(noRecovery));
    if (!replaceDocument(makeNewDocument())) {
        why_ = tr("A new animation could not be made.");
        return false;
    }
    return true;
}

// ---- announcing ---------------------------------------------------------------------------------

void cSession::onLibraryChange(unsigned changes) {
    if (changes & kDocPictures) slots_.syncPictures(*doc_);
    const int split = doc_->getSetting(kKeySplitFormat);
    if ((changes & kDocProject) && split != slotsSplitFormat_) {
        slotsSplitFormat_ = split;
        slots_.reloadAll(*doc_);
        changes |= kDocPictures;
    }
    unsigned flags = 0;
    if (changes & kDocCells) {
        flags |= kChangeCells;
        fitPlayRange();
    }
    if (changes & kDocLock) flags |= kChangeLock;
    if (changes & kDocPictures) flags |= kChangePictures;
    if (changes & kDocEffects) flags |= kChangeEffects;
    if (changes & kDocProject) flags |= kChangeProject;
    if (changes & kDocHistory) {
        flags |= kChangeHistory | kChangeTitle;
        recovery_.changed();
    }
    if (changes & kViewFrame) flags |= kChangeFrame;
    if (changes & kViewSelection) flags |= kChangeSelection;
    if (flags) announce(flags);
}

void cSession::announce(unsigned flags) {
    if (doc_ && (flags & (kChangePictures | kChangeEffects | kChangeProject | kChangeReplaced)))
        missing_ = workspace_.missingFiles(*doc_);
    emit changed(flags);
}

const strMissingFile* cSession::missingPicture(int n) const {
    for (const strMissingFile& m : missing_)
        if (!m.sound && m.index == n) return &m;
    return nullptr;
}

const strMissingFile* cSession::missingSound(const std::string& storedPath) const {
    for (const strMissingFile& m : missing_)
        if (m.sound && m.stored == storedPath) return &m;
    return nullptr;
}

void cSession::reportMissingFiles() {
    const std::vector<strMessage> report = cWorkspace::missingFilesReport(missing_);
    if (report.empty()) return;
    QStringList lines;
    for (const strMessage& m : report)
        lines << LibraryMessage(m);
    showStatus(statusText() + QStringLiteral(" - ") + lines.join(QStringLiteral("; ")));
    prompts_.message(lines.join(QLatin1Char('\n')), cPrompts::kReport);
}

bool cSession::report(const strEditResult& r) {
    if (!r.alert.none()) {
        const auto box =
            MessageKind(r.alert.id) == eMessageKind::kError ? cPrompts::kError : cPrompts::kReport;
        prompts_.message(LibraryMessage(r.alert), box);
    }
    if (!r.status.none()) showStatus(LibraryMessage(r.status));
    return r.ok;
}

QString cSession::undoText() const {
    const strMessage* label = doc_->history().undoLabel();
    return LibraryMessage(label ? strMessage(kMsgUndoItem, *label) : strMessage(kMsgUndoPlain));
}

QString cSession::redoText() const {
    const strMessage* label = doc_->history().redoLabel();
    return LibraryMessage(label ? strMessage(kMsgRedoItem, *label) : strMessage(kMsgRedoPlain));
}

void cSession::refreshClipboard() {
    clipState_ = interchange::ProbeClipboardMenu(clipboard_);
    clipHasCells_ = editClip_.hasKind(kClipCells);
    announce(kChangeClipboard);
}

void cSession::showStatus(const QString& text) {
    status_ = text;
    emit statusChanged(text);
}

// ---- editing state ------------------------------------------------------------------------------

void cSession::setCurrentFrame(int frame) {
    const int last = std::max(doc_->frameCount() - 1, 0);
    commands_->setCurrentFrame(std::clamp(frame, 0, last));
}

void cSession::setToolMode(int mode) {
    mode = std::clamp(mode, int(kToolMove), kToolModeCount - 1);
    if (mode == toolMode_) return;
    toolMode_ = mode;
    announce(kChangeView);
}

float cSession::zoomOfIndex(int index) {
    return kZooms[std::clamp(index, 0, 4)];
}

void cSession::setZoomIndex(int index) {
    index = std::clamp(index, 0, 4);
    if (index == zoomIndex_) return;
    zoomIndex_ = index;
    announce(kChangeView);
}

void cSession::setDragRange(const cTimelineRange& r) {
    dragRange_ = r;
    announce(kChangeView);
}

void cSession::setPlayRange(int start, int end) {
    playRangeStart_ = start;
    playRangeEnd_ = end;
    announce(kChangePlay);
}

// The play range follows the animation's length: a range that reached the last frame still reaches
// it after frames are added or removed, and neither end lies past the last frame.
void cSession::fitPlayRange() {
    const int last = std::max(doc_->frameCount() - 1, 0);
    if (playRangeEnd_ == rangeLastFrame_ || playRangeEnd_ > last) playRangeEnd_ = last;
    playRangeStart_ = std::min(playRangeStart_, last);
    rangeLastFrame_ = last;
}

// ---- files --------------------------------------------------------------------------------------

bool cSession::confirmDiscard() {
    if (!doc_->modified()) return true;
    switch (prompts_.question(UiText(kUiUnsavedChanges), UiText(kUiConfirmation), true)) {
    case cPrompts::kYes:
        return save();
    case cPrompts::kNo:
        return true;
    default:
        showStatus(tr("Cancelled: the unsaved changes are kept"));
        return false;
    }
}

std::unique_ptr<cProject> cSession::makeNewDocument() const {
    // A new document keeps the current one's base folder (the working folder when it has none).
    return workspace_.newDocument(doc_ ? doc_->text(kTextBaseFolder) : std::string());
}

bool cSession::replaceDocument(std::unique_ptr<cProject> fresh, int recoverySlot,
                               const strRecoveryInfo& origin) {
    if (!fresh) return false;
    stopPlayback();
    if (fresh->frameCount() == 0) fresh->frameOrCreate(0);
    slots_.removeAll(*doc_);
    player_.setDocument(fresh.get());
    commands_->setDocument(*fresh);
    doc_ = std::move(fresh);
    recovery_.setDocument(doc_.get(), origin, recoverySlot);
    product_ = -1;
    sounds_.releaseAll();
    slotsSplitFormat_ = doc_->getSetting(kKeySplitFormat);
    loadPictures();
    dragRange_ = cTimelineRange{};
    gameId_ = 0;
    playRangeStart_ = 0;
    playRangeEnd_ = std::max(doc_->frameCount() - 1, 0);
    rangeLastFrame_ = playRangeEnd_;
    announce(kChangeAll);
    return true;
}

bool cSession::newDocument() {
    if (!confirmDiscard()) return false;
    if (!replaceDocument(makeNewDocument())) return false;
    currentPath_.clear();
    announce(kChangeTitle); // the replacement announced the old path
    showStatus(UiText(kUiInitialized));
    return true;
}

bool cSession::openWithDialog() {
    QString folder = dialogFolder_;
    if (!currentPath_.isEmpty()) folder = FromUtf8(platform::FolderPart(Utf8(currentPath_)));
    const QString path =
        prompts_.openFileName(folder, UiText(kUiFileFilter) + QStringLiteral(";;") + GameDatabaseFilter());
    if (path.isEmpty()) {
        showStatus(tr("Nothing opened"));
        return false;
    }
    if (bool opened = false; openIfGame(path, opened)) return opened;
    if (!confirmDiscard()) return false;
    return load(path);
}

bool cSession::openPath(const QString& path) {
    if (path.isEmpty()) return false;
    if (bool opened = false; openIfGame(path, opened)) return opened;
    if (!confirmDiscard()) return false;
    return load(path);
}

bool cSession::load(const QString& path) {
    const std::string file = Utf8(path);
    strWorkResult result;
    std::unique_ptr<cProject> fresh = workspace_.open(file, result);
    if (!fresh || !replaceDocument(std::move(fresh))) {
        // The reason in the status bar and in the window, both in the user's language.
        const std::string why = LibraryMessage(result.reason).toStdString();
        showStatus(UiMessage(kUiReadingFailed, {file, why}));
        prompts_.message(UiMessage(kUiCannotOpen, {file, why}), cPrompts::kError);
        return false;
    }
    currentPath_ = path;
    recovery_.setOrigin(eRecoveryOrigin::kFile, file);
    dialogFolder_ = FromUtf8(workspace_.diskFolder(doc_->text(kTextBaseFolder)));
    showStatus(UiMessage(kUiLoaded, {file}));
    if (config_.BackUpFlag) makeBackup(path);
    announce(kChangeTitle);
    reportMissingFiles();
    return true;
}

void cSession::makeBackup(const QString& path) {
    const strWorkResult r = workspace_.backup(Utf8(path));
    if (!r.ok)
        showStatus(
            UiMessage(kUiBackupFailed, {platform::JoinPath(workspace_.workingFolder(), "backup.dat")}));
}

bool cSession::save() {
    if (gameId_) return saveToGame();
    // A document that has no file yet (new, imported, made from a GIF) is saved as.
    if (currentPath_.isEmpty()) return saveAs();
    std::string name = doc_->text(kTextFileName);
    if (name.empty()) name = platform::FileNamePart(Utf8(currentPath_));
    if (!writeFile(platform::JoinPath(platform::FolderPart(Utf8(currentPath_)), name))) return false;
    announce(kChangeTitle);
    return true;
}

bool cSession::writeFile(const std::string& target) {
    // The file name's extension picks the format; the project's save format only names the default.
    // Saved into another folder, the paths follow so that they still name their files.
    const int format = cWorkspace::saveFormatForPath(target, doc_->getSetting(kKeySaveFormat));
    const strWorkResult r = workspace_.save(*doc_, target, format, true);
    if (!r.ok) {
        const std::string why = LibraryMessage(r.reason).toStdString();
        showStatus(UiMessage(kUiSaveFailed, {target, why}));
        prompts_.message(UiMessage(kUiCannotSave, {target, why}), cPrompts::kError);
        return false;
    }
    doc_->setUntitled(false);
    recovery_.saved();
    showStatus(UiMessage(kUiSaved, {target}));
    // The file holds everything but what its format has no place for; say what that was.
    reportLosses(r.losses);
    return true;
}

bool cSession::saveAs() {
    QString proposal = currentPath_;
    const int format = doc_->getSetting(kKeySaveFormat);
    if (proposal.isEmpty()) {
        // A file not saved yet: its name with the extension of the project's save format.
        const std::string name = cWorkspace::nameForFormat(doc_->text(kTextFileName), format);
        proposal = FromUtf8(platform::JoinPath(Utf8(dialogFolder_), name));
    }
    const QString suffix = format == anime::kFormatText ? QStringLiteral("txt") : QStringLiteral("dat");
    const QString path = prompts_.saveFileName(proposal, UiText(kUiFileFilter), suffix);
    if (path.isEmpty()) {
        showStatus(tr("Not saved"));
        return false;
    }
    return saveTo(path);
}

bool cSession::saveTo(const QString& path) {
    const std::string target = Utf8(path);
    makePathsAbsoluteForSaveAs();
    if (!writeFile(target)) return false;
    gameId_ = 0; // a project file from now on
    currentPath_ = path;
    recovery_.setOrigin(eRecoveryOrigin::kFile, target);
    dialogFolder_ = FromUtf8(platform::FolderPart(target));
    announce(kChangeTitle);
    return true;
}

bool cSession::importClipboard(int command) {
    const int product = interchange::ImportProductForCommand(command);
    if (product < 0 || !confirmDiscard()) return false;
    strWorkResult result;
    std::unique_ptr<cProject> fresh = workspace_.importClipboard(clipboard_, product, result);
    if (!fresh || !replaceDocument(std::move(fresh))) {
        const QString status = InterchangeMessage(result.statusMessage, result.statusLabel);
        if (result.reason.none()) {
            showStatus(status);
            return false;
        }
        const QString why = LibraryMessage(result.reason);
        showStatus(status + QStringLiteral(": ") + why);
        prompts_.message(UiMessage(kUiImportFailed, {why.toStdString()}), cPrompts::kError);
        return false;
    }
    currentPath_.clear();
    product_ = product;
    showStatus(InterchangeMessage(result.statusMessage, result.statusLabel));
    announce(kChangeTitle);
    reportMissingFiles();
    return true;
}

bool cSession::importGif(const QString& gifPath, const QString& sheetPath) {
    if (!confirmDiscard()) return false;
    const QString gif =
        !gifPath.isEmpty() ? gifPath : prompts_.openFileName(dialogFolder_, UiText(kUiGifFilter));
    if (gif.isEmpty()) {
        showStatus(tr("Nothing imported"));
        return false;
    }
    const std::string gifFile = Utf8(gif);
    const std::string proposal =
        platform::JoinPath(platform::FolderPart(gifFile), platform::StemPart(gifFile) + ".png");
    const QString sheet =
        !sheetPath.isEmpty()
            ? sheetPath
            : prompts_.saveFileName(FromUtf8(proposal), UiText(kUiSheetFilter), QStringLiteral("png"));
    if (sheet.isEmpty()) {
        showStatus(tr("Nothing imported"));
        return false;
    }
    const std::string sheetFile = Utf8(sheet);
    const std::string sheetFolder = platform::FolderPart(sheetFile);

    // The new animation lives in the sheet's folder and names the sheet by its file name.
    strGifImportResult r;
    strMessage why;
    std::unique_ptr<cProject> fresh = ImportGifDocument(workspace_, gifFile, sheetFile, {}, r, &why);
    if (!fresh) {
        showStatus(UiMessage(kUiGifImportFailed, {Nested(why)}).section(QLatin1Char('\n'), 0, 0));
        prompts_.message(UiMessage(kUiGifImportFailed, {Nested(why)}), cPrompts::kError);
        return false;
    }
    if (!replaceDocument(std::move(fresh))) return false;
    currentPath_.clear();
    dialogFolder_ = FromUtf8(sheetFolder);
    showStatus(UiMessage(kUiGifImported,
                         {platform::FileNamePart(gifFile), r.frames, platform::FileNamePart(sheetFile)}));
    announce(kChangeTitle);
    if (r.magnification != 100)
        prompts_.message(UiMessage(kUiGifScaled, {r.screenWidth, r.screenHeight, r.magnification}),
                         cPrompts::kReport);
    return true;
}

bool cSession::exportClipboard(int command) {
    const int product = interchange::ExportProductForCommand(command);
    if (product < 0) return false;
    const strWorkResult result = workspace_.exportClipboard(*doc_, clipboard_, product);
    // An export that had to leave something out does not read as a plain success.
    const QString status = InterchangeMessage(result.statusMessage, result.statusLabel);
    if (!result.ok && !result.reason.none()) {
        const QString why = LibraryMessage(result.reason);
        showStatus(status + QStringLiteral(": ") + why);
        prompts_.message(UiMessage(kUiExportFailed, {why.toStdString()}), cPrompts::kError);
        return false;
    }
    showStatus(result.losses.empty()
                   ? status
                   : UiMessage(kUiExportedWithLosses, {status.toStdString(), int(result.losses.size())}));
    announce(kChangeClipboard);
    // The payload holds what the product can take; say what it could not.
    reportLosses(result.losses);
    return result.ok;
}

bool cSession::recover(const strRecoveryEntry& entry) {
    cRecoveryStore* store = recovery_.store();
    if (!store || !recovery_.isOpen() || !confirmDiscard()) return false;
    auto fresh = std::make_unique<cProject>(&config_);
    const int slot = recovery_.newSlot();
    strMessage why;
    if (!store->recover(entry, slot, *fresh, &why)) {
        prompts_.message(tr("The recovery copy %1 cannot be opened: %2")
                             .arg(FromUtf8(platform::FileNamePart(entry.copyPath)), LibraryMessage(why)),
                         cPrompts::kError);
        return false;
    }
    if (!replaceDocument(std::move(fresh), slot, entry.info)) return false;
    // Save writes where the document came from.
    currentPath_ = entry.info.origin == eRecoveryOrigin::kFile ? FromUtf8(entry.info.path) : QString();
    if (!currentPath_.isEmpty() && platform::IsFolder(platform::FolderPart(entry.info.path)))
        dialogFolder_ = FromUtf8(platform::FolderPart(entry.info.path));
    showStatus(tr("Recovered the unsaved changes"));
    announce(kChangeTitle);
    return true;
}

void cSession::setGameOrigin(const QString& gameFolder, const QString& id) {
    recovery_.setOrigin(eRecoveryOrigin::kGame, Utf8(gameFolder), Utf8(id));
}

QString cSession::workingFolder() const {
    return FromUtf8(workspace_.workingFolder());
}

void cSession::setWorkingFolder(const QString& folder) {
    workspace_.setWorkingFolder(Utf8(folder));
}

QString cSession::baseFolder() const {
    return FromUtf8(workspace_.diskFolder(doc_->text(kTextBaseFolder)));
}

QString cSession::titleText(const QString& shownPath) const {
    QString title = UiText(kUiProgramName);
    const double version = cConfig::kVersion;
    if (shownPath.isEmpty()) return title + QString::asprintf(" %1.2f", version);
    return title + QString::asprintf(" %1.2f - ", version) + shownPath;
}

void cSession::reloadPictures() {
    loadPictures();
    announce(kChangePictures);
}

bool cSession::reloadPicture(int n) {
    const strPicture* p = doc_->picture(n);
    const bool ok = !p || slots_.updatePicture(*doc_, n, p, nullptr, true, true);
    if (!p) slots_.remove(n);
    announce(kChangePictures);
    return ok;
}

void cSession::loadPictures() {
    const strWorkResult r = workspace_.loadPictures(*doc_, slots_);
    // A missing file shows as the error picture on the canvas; a picture the memory budget refuses
    // is said at once.
    std::vector<strMessage> refused;
    for (const strMessage& m : r.losses)
        if (const long long* n = m.args.empty() ? nullptr : std::get_if<long long>(&m.args[0]);
            n && slots_.refusedByBudget(int(*n)))
            refused.push_back(m);
    reportLosses(refused);
}

void cSession::reportLosses(const std::vector<strMessage>& losses) {
    if (losses.empty()) return;
    QStringList lines;
    for (const strMessage& m : losses)
        lines << LibraryMessage(m);
    prompts_.message(lines.join(QLatin1Char('\n')), cPrompts::kReport);
}

// ---- playback -----------------------------------------------------------------------------------

bool cSession::play(bool fromStart) {
    if (fromStart) stopPlayback();
    if (player_.playing()) return true;
    ended_ = false;
    const int startFrame = fromStart ? 0 : commands_->currentFrame();
    if (!StartPlayback(player_, config_.playRateIndex(), config_.PlayBit, startFrame, playRangeStart_,
                       playRangeEnd_, [this] { ended_ = true; })) {
        showStatus(tr("Could not start playing"));
        announce(kChangePlay);
        return false;
    }
    if (player_.currentFrame() >= 0) commands_->setCurrentFrame(player_.currentFrame());
    showStatus(tr("Playing from frame %1 (Escape stops)").arg(commands_->currentFrame()));
    scheduleTick();
    announce(kChangePlay | kChangeFrame);
    return true;
}

void cSession::setActorSide(bool on) {
    if (actorSide_ == on) return;
    actorSide_ = on;
    announce(kChangeView);
}

void cSession::setPlayAs(eTimingCondition playAs) {
    player_.setCondition(playAs);
    announce(kChangeView);
}

bool cSession::stopPlayback() {
    tickTimer_.stop();
    const bool was = player_.stop(false);
    if (was) {
        showStatus(tr("Stopped at frame %1").arg(commands_->currentFrame()));
        announce(kChangePlay);
    }
    return was;
}

void cSession::setPlayOption(uint32_t bit, bool on) {
    if (on)
        config_.PlayBit |= bit;
    else
        config_.PlayBit &= ~bit;
    if (player_.playing()) player_.setOption(bit, on);
    announce(kChangePlay);
}

void cSession::setPlayRate(int index) {
    config_.PlayRate = std::clamp(index, 0, 6);
    clock_.setRate(cPlayClock::rateOfIndex(config_.PlayRate));
    if (player_.playing()) scheduleTick();
    announce(kChangePlay);
}

void cSession::scheduleTick() {
    if (!player_.playing()) return;
    tickTimer_.start(static_cast<int>(std::min<uint32_t>(clock_.untilNext(), 1000)));
}

void cSession::pumpPlayback() {
    if (!player_.playing()) return;
    unsigned flags = kChangePlay;
    while (player_.playing() && clock_.poll()) {
        player_.tick();
        const int frame = player_.currentFrame();
        if (frame >= 0 && frame != commands_->currentFrame() && commands_->setCurrentFrame(frame))
            flags |= kChangeFrame;
    }
    if (ended_ || !player_.playing())
        onPlaybackEnded();
    else
        scheduleTick();
    announce(flags);
}

void cSession::onPlaybackEnded() {
    ended_ = false;
    tickTimer_.stop();
    player_.stop(false);
    showStatus(tr("Played to frame %1").arg(commands_->currentFrame()));
}
