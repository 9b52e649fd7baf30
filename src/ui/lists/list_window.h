#pragma once
// The list window's content: the tabs "Image" (the picture list), "Direction" (the effect list) and
// "Keyframe" (the timeline). From the lists the user opens the image and effect settings dialogs
// (double click, Space or Enter, the popup), drops files on rows, and cuts, copies, pastes and
// deletes pictures and effects through the edit clipboard.

#include "ui/lists/source_list_model.h"

#include <QDialog>
#include <QMenu>
#include <QPointer>
#include <QWidget>

class cTimeline;
class cSession;
class cSourceListView;
struct strEffect;
struct strPicture;
class QAction;

class QTabWidget;

class cListWindow : public QWidget {
    Q_OBJECT
  public:
    enum ePage { kPicturesPage, kEffectsPage, kTimelinePage };
    enum eCommand {
        kSettings,
        kNew,
        kReload,
        kCheckSheet,
        kCut,
        kCopy,
        kPaste,
        kDelete,
        kMoveUp,
        kMoveDown,
        kCommandCount
    };
    using eList = cSourceListModel::eKind;

    explicit cListWindow(cSession& session, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    cSourceListView* list(eList which) const { return lists_[which].view; }
    cTimeline* timeline() const { return timeline_; }
    QAction* action(eList which, eCommand c) const { return lists_[which].actions[c]; }
    bool isEnabled(eList which, eCommand c) const;
    // Runs a command of a list on its selected row; false when it is not enabled.
    bool run(eList which, eCommand c);
    QMenu* popup() const { return popup_; }
    // The settings dialog open now, or null.
    QDialog* dialog() const { return dialog_; }

    // The settings dialog of a row; a dropped file becomes the picture's path, or the effect's sound
    // path with its sound switched on. A new effect starts at startFrame.
    void editPicture(int row, const QString& file = {});
    void editEffect(int row, const QString& file = {}, int startFrame = 0);

  signals:
    // A picture row was selected or edited: the palette shows it.
    void pictureChosen(int picture);

  private:
    struct strList {
        cSourceListModel* model = nullptr;
        cSourceListView* view = nullptr;
        QAction* actions[kCommandCount] = {};
    };
    void makeList(eList which);
    void showPopup(eList which, QPoint globalPos);
    void onChanged(unsigned flags);
    void refreshList(eList which);
    void commitPicture(int row, const strPicture& record, int splitFormat);
    void commitEffect(int row, const strEffect& record);
    // Brings the picture slot of a row in step with its record, telling the user when its file
    // cannot be opened.
    void reloadSlot(int row);
    int selectedRow(eList which) const;
    void showDialog(QDialog* dialog);

    cSession& session_;
    QTabWidget* tabs_;
    strList lists_[2];
    cTimeline* timeline_;
    QPointer<QMenu> popup_;
    QPointer<QDialog> dialog_;
};
