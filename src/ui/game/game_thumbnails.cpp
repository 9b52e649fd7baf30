#include "ui/game/game_thumbnails.h"

#include "config/config.h"
#include "document/project.h"
#include "game/game.h"
#include "render/frame_composer.h"
#include "workspace/workspace.h"

#include <algorithm>

namespace {

// The part of the battle screen drawn: 384 x 288 around the animation's origin, shown at 1/4.8.
constexpr strCaptureArea kArea{-192, -144, 192, 144};
constexpr uint32_t kBackground = 0xFF303038;

} // namespace

cGameThumbnails::cGameThumbnails(const cConfig& config, const cWorkspace& workspace, QObject* parent)
    : QObject(parent), config_(config), workspace_(workspace) {
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &cGameThumbnails::drawNext);
}

cGameThumbnails::~cGameThumbnails() = default;

void cGameThumbnails::setGame(const game::cGame* g) {
    game_ = g;
    clear();
}

void cGameThumbnails::clear() {
    done_.clear();
    queue_.clear();
    timer_.stop();
}

QImage cGameThumbnails::picture(int id) {
    if (const auto it = done_.constFind(id); it != done_.constEnd()) return *it;
    if (std::find(queue_.begin(), queue_.end(), id) == queue_.end()) queue_.push_back(id);
    if (!timer_.isActive()) timer_.start();
    return {};
}

void cGameThumbnails::drawNext() {
    if (queue_.empty()) return;
    const int id = queue_.back();
    queue_.pop_back();
    done_.insert(id, draw(id));
    emit ready(id);
    if (!queue_.empty()) timer_.start();
}

QImage cGameThumbnails::draw(int id) {
    if (!game_ || !game_->isOpen()) return {};
    if (!picturesReady_) picturesReady_ = pictures_.initialise(config_);
    cProject doc(&config_);
    if (!picturesReady_ || !game_->read(id, doc) || doc.frameCount() == 0) return {};
    workspace_.loadPictures(doc, pictures_);
    if (target_.isEmpty() && !target_.create(kArea.width(), kArea.height())) return {};
    strFrameScene scene;
    scene.background = kBackground;
    ComposeFrame(drawer_, target_, pictures_, doc, 0, kArea, scene);
    pictures_.removeAll(doc);
    const QImage frame(target_.row(0), target_.width(), target_.height(), target_.pitch(),
                       QImage::Format_RGB32);
    return frame.scaled(kWidth, kHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
