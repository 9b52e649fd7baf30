#include "ui/canvas/gif_draft.h"

bool cGifDraft::load(const std::string& path, strMessage* error) {
    if (path.empty()) {
        images_.clear();
        animation_ = {};
        path_.clear();
        return true;
    }
    strGifAnimation read;
    if (!LoadGifAnimationFile(path, read, error)) return false;
    // The frames are 32-bit B, G, R, A with alpha 0 or 255 and black where it is 0, which is already
    // premultiplied ARGB in memory.
    std::vector<QImage> images;
    images.reserve(read.frames.size());
    for (const strGifAnimation::strFrame& f : read.frames) {
        if (!f.image) {
            if (error) *error = strMessage(kGifUnreadable);
            return false;
        }
        const cDib& dib = *f.image;
        images.emplace_back(dib.pixels(), dib.width(), dib.height(), dib.stride(),
                            QImage::Format_ARGB32_Premultiplied);
    }
    animation_ = std::move(read);
    images_ = std::move(images);
    path_ = path;
    return true;
}

const QImage& cGifDraft::frame(int i) const {
    static const QImage kNone;
    return i >= 0 && i < frameCount() ? images_[size_t(i)] : kNone;
}
