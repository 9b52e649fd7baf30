#pragma once
// The editor's state: one object that owns the document (with its undo history) and everything that
// lives beside it (editing commands, edit clipboard, picture slots, sound device and table, play
// clock and player), runs commands through the library and announces what changed. Windows read the
// state from here and listen to changed(); none keeps its own copy of the document.
//
// What changed comes from where it changed: the document announces each committed, undone or
// redone step with the kinds of things it holds, the editing layer announces the current frame and
// the selection, and the session's own setters announce the view state they hold. No window
// announces anything.

#include "document/anime_file_device.h"
#include "document/edit_commands.h"
#include "document/project.h"
#include "game/game.h"
#include "image/picture_slot_table.h"
#include "interchange/clipboard_device.h"
#include "interchange/edit_clip.h"
#include "interchange/edit_clip_commands.h"
#include "playback/play_clock.h"
#include "playback/player.h"
#include "playback/sound_device.h"
#include "playback/sound_table.h"
#include "tools/canvas_tool.h"
#include "ui/session/canvas_overlays.h"
#include "ui/session/recovery_keeper.h"
#include "workspace/workspace.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class cConfig;
class cPrompts;

// What changed, as a bit set (the argument of cSession::changed).
enum eChange : unsigned {
    kChangeReplaced = 0x001,  // a new document replaced the old one (New, Open, import)
    kChangeCells = 0x002,     // cells, frames or intervals
    kChangePictures = 0x004,  // the picture table (and so the picture slots)
    kChangeEffects = 0x008,   // the effect table
    kChangeProject = 0x010,   // project settings and texts (cell number, formats, name …)
    kChangeFrame = 0x020,     // the current frame moved
    kChangeSelection = 0x040, // the cell selection or the current cell
    kChangeHistory = 0x080,   // what Undo and Redo can do
    kChangeView = 0x100,      // view flags, colours, zoom, tool mode, target or GIF draft
    kChangePlay = 0x200,      // playback started, ticked or stopped
    kChangeTitle = 0x400,     // current path or modified flag
    kChangeClipboard = 0x800, // the system clipboard's contents
    kChangeLock = 0x1000,     // the cell-to-picture lock table
    kChangeDocument = kChangeCells | kChangePictures | kChangeEffects | kChangeProject | kChangeFrame |
                      kChangeSelection | kChangeHistory | kChangeTitle | kChangeLock,
    kChangeAll = 0x1FFF,
};

class cSession : public QObject {
    Q_OBJECT
  public:
    // config, prompts and clipboard outlive the session. The sound device is opened by start().
    cSession(cConfig& config, cPrompts& prompts, platform::cClipboard& clipboard, QObject* parent = nullptr);
    ~cSession() override;

    // Start-up after the settings were read: working folder and dialog folder, undo depth, picture
    // slots, sound device, the first (new) document. False when a part could not be made; why()
    // tells which.
    bool start(std::unique_ptr<cSoundDevice> sound = nullptr);
    const QString& why() const { return why_; }

    // --- the library objects ---
    cConfig& config() const { return config_; }
    cPrompts& prompts() const { return prompts_; }
    // The file lifecycle the editor shares with the command-line tool.
    const cWorkspace& workspace() const { return workspace_; }
    cProject& document() const { return *doc_; }
    cHistory& history() { return doc_->history(); }
    cEditCommands& commands() { return *commands_; }
    cEditClipboard& editClipboard() { return editClip_; }
    cEditClipCommands& clipCommands() { return *clipCommands_; }
    interchange::cClipboardDevice& clipboardDevice() { return clipDevice_; }
    platform::cClipboard& clipboard() const { return clipboard_; }
    cPictureSlotTable& pictureSlots() { return slots_; }
    cSoundDevice& soundDevice() const { return *sound_; }
    cSoundTable& sounds() { return sounds_; }
    cPlayClock& clock() { return clock_; }
    cPlayer& player() { return player_; }

    // The picture and sound files the document names that are not there, kept up to date with the
    // document (the lists mark them).
    const std::vector<strMissingFile>& missingFiles() const { return missing_; }
    // The entry of picture n, or of the sound of effect slot i; null when that file is there.
    const strMissingFile* missingPicture(int n) const;
    const strMissingFile* missingSound(const std::string& storedPath) const;

    // --- reporting ---
    // Shows a library command's alert (message box) and status text. Returns r.ok.
    bool report(const strEditResult& r);
    void showStatus(const QString& text);
    const QString& statusText() const { return status_; }
    // What the pointer's gesture does and its keys (the canvas), beside the status text.
    void showHint(const QString& text) {
        if (text == hint_) return;
        hint_ = text;
        emit hintChanged(text);
    }
    const QString& hintText() const { return hint_; }
    // The Edit menu's texts: "Undo Move 3 cells" / "Redo ..."; plain "Undo" / "Redo" with nothing.
    QString undoText() const;
    QString redoText() const;

    // --- the system clipboard ---
    // Probes the clipboard again (it changed, or a menu that offers its commands opens) and
    // announces kChangeClipboard.
    void refreshClipboard();
    const interchange::strClipboardMenuState& clipboardState() const { return clipState_; }
    // Whether the edit clipboard holds cells (what the canvas's Paste takes).
    bool clipboardHasCells() const { return clipHasCells_; }

    // --- editing state shared by the windows ---
    int currentFrame() const { return commands_->currentFrame(); }
    // Moves the current frame (clamped to the frames that exist) and announces it.
    void setCurrentFrame(int frame);
    int toolMode() const { return toolMode_; }
    void setToolMode(int mode);
    // The actor-side view: the canvas shows and plays the animation mirrored, as a side-view battle
    // shows it on an actor (render/actor_side.h); the document is not touched. Not saved.
    bool actorSide() const { return actorSide_; }
    void setActorSide(bool on);
    // Which conditional timings play: all, those of a hit, or those of a miss (playback/timing_condition.h).
    eTimingCondition playAs() const { return player_.condition(); }
    void setPlayAs(eTimingCondition playAs);
    // View zoom index into "25%,50%,100%,200%,400%".
    int zoomIndex() const { return zoomIndex_; }
    void setZoomIndex(int index);
    static float zoomOfIndex(int index);
    // The timeline's drag range (canvas drags apply to all of it) and the play tool bar's range.
    const cTimelineRange& dragRange() const { return dragRange_; }
    void setDragRange(const cTimelineRange& r);
    int playRangeStart() const { return playRangeStart_; }
    int playRangeEnd() const { return playRangeEnd_; }
    void setPlayRange(int start, int end);

    // What other windows ask the canvas to show; change it through setOverlays.
    const strCanvasOverlays& overlays() const { return overlays_; }
    void setOverlays(const strCanvasOverlays& o) {
        overlays_ = o;
        announce(kChangeView);
    }
    // View flags, colours and other settings the views draw with changed (the settings window, the
    // target and GIF-draft windows): every view draws again.
    void viewSettingsChanged() { announce(kChangeView); }
    // Asks the tool windows for a window filled with a range or a cell (see strToolRequest).
    void requestTool(const strToolRequest& r) { emit toolRequested(r); }

    // --- files ---
    // The unsaved-changes question: true to go on (No, or Yes with a successful save).
    bool confirmDiscard();
    bool newDocument();
    // The open dialog, then the question, then the load.
    bool openWithDialog();
    // The question, then the load (command line, drop).
    bool openPath(const QString& path);
    // Save as when untitled without a path, else into the folder of the current path under the
    // document's file name.
    bool save();
    bool saveAs();
    // Saves to a path chosen elsewhere (Save as after its dialog).
    bool saveTo(const QString& path);
    // "Import animated GIF": the unsaved-changes question, the GIF (gifPath, or asked), where its
    // pattern sheet goes (sheetPath, or asked with the GIF's folder and name proposed), then a new
    // untitled animation of one cell a frame, timed at the "PlayRate" rate (export/gif_import.h).
    // A GIF that cannot be read or laid out leaves the current animation as it was.
    bool importGif(const QString& gifPath = QString(), const QString& sheetPath = QString());
    // Clipboard commands by menu id (interchange::eClipboardCommand).
    bool importClipboard(int command);
    bool exportClipboard(int command);

    // --- recovery copies ---
    cRecoveryKeeper& recovery() { return recovery_; }
    // The unsaved-changes question, then the copy taken over as the document: modified, titled with
    // the file it came from (Save writes there), untitled when it had none. False (said in a message)
    // when another editor took it or it cannot be read (then it is put aside).
    bool recover(const strRecoveryEntry& entry);
    // The document is an animation of a game (the game's folder and the animation's id), so that
    // its recovery copy says so.
    void setGameOrigin(const QString& gameFolder, const QString& id);

    const QString& currentPath() const { return currentPath_; }
    // The product the document was imported from (interchange::eProduct), -1 for any other document.
    int documentProduct() const { return product_; }
    // The folder the file dialogs start in.
    const QString& dialogFolder() const { return dialogFolder_; }
    QString workingFolder() const;
    void setWorkingFolder(const QString& folder);
    // The document's base folder as a file-system path (UTF-8 of the project code page text).
    QString baseFolder() const;
    // "PelkoEditor0.71 - path" (the path elided by the caller's font) or "PelkoEditor0.71".
    QString titleText(const QString& shownPath) const;

    // --- pictures ---
    // Reloads every picture of the document into the slots; pictures refused by the memory budget
    // are reported in a window.
    void reloadPictures();
    // Reloads picture n from its file; false (the slot kept as it was) when it cannot be read.
    bool reloadPicture(int n);
    // Shows the messages (what a save, an export or a load could not keep) in one window, one per
    // line; nothing when there are none.
    void reportLosses(const std::vector<strMessage>& losses);

    // --- game projects (session_game.cpp) ---
    // The game open in the editor; null before one was opened.
    game::cGame* game() const { return game_.get(); }
    // The game's animations as last read (id, name, frames), refreshed by every write.
    const std::vector<game::strGameAnimation>& gameAnimations() const { return gameList_; }
    // The game animation the document is (0: the document is not one).
    int gameAnimation() const { return gameId_; }
    // The folder chooser, then openGame.
    bool openGameWithDialog();
    // Opens the game at path (its folder or its database file) and puts it first among the recent
    // games; the document is not touched. A game that cannot be opened is said in a window and the
    // game open before stays.
    bool openGame(const QString& path);
    // The unsaved-changes question, then animation id of the game as the document (base folder: the
    // game's picture folder); the pictures and sounds the game lacks are said once in a window and
    // in the status bar.
    bool openGameAnimation(int id);
    // Adds a new animation called name (a new document, one empty frame) after the last one and
    // opens it (the unsaved-changes question first).
    bool newGameAnimation(const QString& name);
    // Gives animation id another name in the game's database.
    bool renameGameAnimation(int id, const QString& name);
    // Writes the document back into its slot; what the product cannot hold is said as the
    // clipboard export says it; a refusal is shown with its reason and nothing is written.
    bool saveToGame();
    // Writes the document into the game as a new animation; the document is that animation then.
    bool saveToGameAsNew();
    // "Game › 012 Fire" for the document's game animation, "" for another document.
    QString gameTitle() const;

    // --- playback ---
    bool playing() const { return player_.playing(); }
    // Starts from the current frame, or from frame 0 (after a stop) when fromStart is set.
    bool play(bool fromStart);
    // Stops a running playback (no reset); true when it was playing.
    bool stopPlayback();
    // Flips a replay option bit in "PlayBit" and, while playing, in the player.
    void setPlayOption(uint32_t bit, bool on);
    // Stores "PlayRate" (clamped 0..6) and sets the clock rate at once.
    void setPlayRate(int index);
    // One pass of the playback loop: runs every due tick. The timer calls it; tests call it with an
    // injected clock.
    void pumpPlayback();

  signals:
    void changed(unsigned flags);
    void statusChanged(const QString& text);
    void hintChanged(const QString& text);
    void toolRequested(const strToolRequest& request);
    // A game was opened (opened set) or its list of animations changed.
    void gameChanged(bool opened);

  private:
    void announce(unsigned flags);
    // Tells once, after a load or an import, which files the document names that are not there.
    void reportMissingFiles();
    // What the library announced, as eChange flags; the picture slots follow the document first.
    void onLibraryChange(unsigned changes);
    bool load(const QString& path);
    // Saves the document to target and reports the result in the status bar.
    bool writeFile(const std::string& target);
    // recoverySlot/origin: the slot and description of a recovered document's copy (-1: a fresh one).
    bool replaceDocument(std::unique_ptr<cProject> fresh, int recoverySlot = -1,
                         const strRecoveryInfo& origin = {});
    std::unique_ptr<cProject> makeNewDocument() const;
    void makeBackup(const QString& path);
    void loadPictures();
    void fitPlayRange();
    void scheduleTick();
    void onPlaybackEnded();
    // Shows the game's last failure in a message box and the status bar (opening an animation, or
    // writing to the game).
    void reportGameFailure(bool opening);
    // A game folder or database file is opened as a game (true; opened says whether it opened);
    // any other path is left to the project file's open (false).
    bool openIfGame(const QString& path, bool& opened);
    // Before a game animation is saved as a project file: every picture named by its full path,
    // as one undo step, so that the file finds the game's pictures from anywhere.
    void makePathsAbsoluteForSaveAs();
    // Writes the document into slot id (0: a new animation) and makes it that animation.
    bool saveDocumentToGame(int id);
    // The write of doc into slot id (0: a new animation) with the name choice; reports, refreshes.
    bool writeToGame(const cProject& doc, int id, const game::strNameChoice& name,
                     game::strGameWriteReport& r);

    cConfig& config_;
    cPrompts& prompts_;
    std::vector<strMissingFile> missing_;
    platform::cClipboard& clipboard_;
    std::unique_ptr<cProject> doc_;
    std::unique_ptr<cEditCommands> commands_;
    cEditClipboard editClip_;
    std::unique_ptr<cEditClipCommands> clipCommands_;
    interchange::cClipboardDevice clipDevice_;
    cWorkspace workspace_;
    cPictureSlotTable slots_;
    std::unique_ptr<cSoundDevice> sound_;
    cSoundTable sounds_;
    cPlayClock clock_;
    cPlayer player_;
    QTimer tickTimer_;
    bool ended_ = false;

    QString why_;
    QString status_;
    QString hint_;
    QString currentPath_;
    QString dialogFolder_;
    int toolMode_ = kToolMove;
    int zoomIndex_ = 2;
    bool actorSide_ = false;
    cTimelineRange dragRange_;
    strCanvasOverlays overlays_;
    int playRangeStart_ = 0;
    int playRangeEnd_ = 0;
    int rangeLastFrame_ = 0; // the last frame when the play range was last fitted
    int product_ = -1;
    int slotsSplitFormat_ = 0; // the split format the picture slots were divided with
    interchange::strClipboardMenuState clipState_;
    bool clipHasCells_ = false;
    std::unique_ptr<game::cGame> game_;
    std::vector<game::strGameAnimation> gameList_;
    int gameId_ = 0;
    cRecoveryKeeper recovery_;
};
