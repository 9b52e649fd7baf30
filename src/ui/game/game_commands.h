#pragma once
// cGameCommands: the game commands of the main window (File > Open game project..., the recent
// games, Save to game as new animation, the game window), added to its command table and File menu.
// Lives as long as the main window.

#include <QObject>
#include <QPointer>

class cGameWindow;
class cMainWindow;
class QMenu;

class cGameCommands : public QObject {
    Q_OBJECT
  public:
    explicit cGameCommands(cMainWindow& window);

    // Shows the game window (made the first time, and again after it was closed).
    cGameWindow* showWindow();
    cGameWindow* gameWindow() const;

  private:
    void fillRecent(QMenu* menu);

    cMainWindow& main_;
    QPointer<cGameWindow> window_;
};
