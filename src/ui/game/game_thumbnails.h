#pragma once
// cGameThumbnails: small pictures of frame 1 of a game's animations, drawn with the frame composer
// from the game's own pictures. A picture is asked for by id; the first ask queues it and gives a
// null image, and the queue is drawn one animation per pass of the event loop (the latest asks
// first: they are the rows in view), each announced with ready(id). Drawn pictures are kept until
// clear().

#include "image/picture_slot_table.h"
#include "image/texture.h"
#include "render/sprite_drawer.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QTimer>

#include <vector>

class cConfig;
class cWorkspace;
namespace game {
class cGame;
}

class cGameThumbnails : public QObject {
    Q_OBJECT
  public:
    static constexpr int kWidth = 80, kHeight = 60;

    cGameThumbnails(const cConfig& config, const cWorkspace& workspace, QObject* parent = nullptr);
    ~cGameThumbnails() override;

    void setGame(const game::cGame* g);
    // The picture of animation id; a null image while it is being drawn (or when it has no frame).
    QImage picture(int id);
    // Forgets every picture (the game changed).
    void clear();
    // Draws animation id at once (kWidth x kHeight; a null image when it cannot be read).
    QImage draw(int id);
    // How many are waiting to be drawn.
    int pending() const { return int(queue_.size()); }

  signals:
    void ready(int id);

  private:
    void drawNext();

    const cConfig& config_;
    const cWorkspace& workspace_;
    const game::cGame* game_ = nullptr;
    cPictureSlotTable pictures_;
    bool picturesReady_ = false;
    cSpriteDrawer drawer_;
    cTexture target_;
    QHash<int, QImage> done_;
    std::vector<int> queue_;
    QTimer timer_;
};
