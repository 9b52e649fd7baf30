#pragma once
// Recovery copies of the editor's document (workspace/recovery_store.h). The keeper opens this
// editor's part of the recovery folder beside the settings file and, while the document is
// modified, writes a copy of it at most every "RecoveryInterval" seconds of editing: the first change
// after a copy (or after the saved state) starts the wait, and the copy is made when it runs out.
// The document is turned into bytes on the interface thread; the file is written by a
// cRecoveryWriter thread. A save, a return to the saved state or another document removes the copy;
// quit() (a normal end of the editor) removes every copy and closes the folder.
//
// Each document gets a slot number of its own, so that the removal of the old document's copy and
// the first copy of the new one never meet in one file.

#include "workspace/recovery_store.h"
#include "workspace/recovery_writer.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <set>

class cConfig;
class cProject;

class cRecoveryKeeper : public QObject {
    Q_OBJECT
  public:
    explicit cRecoveryKeeper(cConfig& config, QObject* parent = nullptr);
    // quit() when it has not run.
    ~cRecoveryKeeper() override;

    // Opens the recovery folder for the settings file. False with the reason (no copies are kept).
    bool open(QString* why = nullptr);
    bool isOpen() const { return writer_ != nullptr; }
    // The store; null when it is not open.
    cRecoveryStore* store() const { return store_.get(); }

    // A new slot, for a document taken over from a recovery copy (cRecoveryStore::recover).
    int newSlot() { return ++lastSlot_; }
    // The document now held: the old document's copy goes. slot: the slot its copy already has (a
    // recovered document), or -1 for a fresh one. origin: what the document is (file, game,
    // untitled) and, for a recovered one, its last change until the next edit.
    void setDocument(const cProject* doc, const strRecoveryInfo& origin, int slot = -1);
    // The document now belongs to a file (opened, saved as) or came from a game.
    void setOrigin(eRecoveryOrigin origin, const std::string& path, const std::string& id = {});
    // The document was saved: its copy goes.
    void saved();
    // The document's history moved (an edit, undo or redo): starts the wait for the next copy, or
    // removes the copy when the document is back at its saved state.
    void changed();

    // Writes the copy now when the document has changed since the last one and copies are on (the
    // timer calls it).
    void writeDue();
    // Whether the wait for a copy runs, and the slot of the current document.
    bool waiting() const { return timer_.isActive(); }
    int slot() const { return slot_; }
    // Returns once every copy given to the writer is written or removed.
    void flush();
    // A normal end: every copy of this editor is removed and the folder closed.
    void quit();

  signals:
    // A copy could not be written (the reason in the user's language).
    void writeFailed(const QString& reason);

  private:
    void removeCopy();

    cConfig& config_;
    std::unique_ptr<cRecoveryStore> store_;
    std::unique_ptr<cRecoveryWriter> writer_;
    const cProject* doc_ = nullptr;
    strRecoveryInfo origin_;
    int slot_ = 0;
    int lastSlot_ = 0;
    bool dirty_ = false;    // changed since the last copy
    std::set<int> written_; // slots that may have a copy on disk
    QTimer timer_;
};
