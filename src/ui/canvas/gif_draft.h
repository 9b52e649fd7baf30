#pragma once
// cGifDraft: the reference GIF the canvas draws over the frame. Every frame is read once, when the
// path changes, and kept as an image that shares the frame's pixels; the placement is view state of
// the canvas (centre, angle, scale and the animation frame where the GIF starts).

#include "image/gif_animation.h"
#include "tools/gif_draft.h"

#include <QImage>

#include <string>
#include <vector>

class cGifDraft {
  public:
    // Reads the GIF at path (UTF-8) in place of the one shown; an empty path shows none. A file that
    // cannot be read leaves the draft as it was, returns false and says why in *error.
    bool load(const std::string& path, strMessage* error);
    bool loaded() const { return !images_.empty(); }
    const std::string& path() const { return path_; }
    int frameCount() const { return int(images_.size()); }
    int width() const { return animation_.width; }
    int height() const { return animation_.height; }
    // Frame i, premultiplied ARGB (a null image when i is out of range).
    const QImage& frame(int i) const;

    strGifDraftPlacement placement;
    // Drawn over the cells at this opacity (0..255), so that both show by default.
    int opacity = 128;

  private:
    strGifAnimation animation_;
    std::vector<QImage> images_;
    std::string path_;
};
