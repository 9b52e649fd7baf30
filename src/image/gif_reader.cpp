// GIF reading through giflib: one walk over the records to the trailer (graphic control, loop,
// comment and plain text extensions, images) serves both the picture loader, which composes the first
// image onto a black 24-bit canvas, and the animation reader, which composes every image with its
// disposal. Every image must lie inside the logical screen; reading succeeds only when at least one
// image was read and the trailer was reached.

#include "document/file_reason.h"
#include "image/gif_animation.h"
#include "image/picture_loader.h"
#include "platform/file_io.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

struct strGifInput {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

int ReadCallback(GifFileType* gif, GifByteType* out, int length) {
    auto* in = static_cast<strGifInput*>(gif->UserData);
    if (length < 0) return 0;
    size_t n = std::min(size_t(length), in->size - in->pos);
    std::memcpy(out, in->data + in->pos, n);
    in->pos += n;
    return int(n);
}

struct strGifCloser {
    void operator()(GifFileType* g) const {
        int err = 0;
        DGifCloseFile(g, &err);
    }
};

// The graphic control extension that applies to the next image or plain text.
struct strControl {
    int disposal = 0;
    bool userInput = false;
    int delay = 0;
    int transparent = -1;
};

// One image met by the walk. Its indices are decoded only when the handler asks (readIndices);
// otherwise the walk skips its data.
struct strGifImage {
    const GifImageDesc* desc = nullptr;
    const ColorMapObject* map = nullptr; // local, else global; may be null
    strControl control;
    GifFileType* gif = nullptr;
    bool read = false;

    // width x height indices, top row first (interlaced rows put in place).
    bool readIndices(std::vector<uint8_t>& indices) {
        read = true;
        const int w = desc->Width, h = desc->Height;
        indices.assign(size_t(w) * size_t(h), 0);
        static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
        const int passes = desc->Interlace ? 4 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            const int start = desc->Interlace ? kStart[pass] : 0, step = desc->Interlace ? kStep[pass] : 1;
            for (int y = start; y < h; y += step)
                if (DGifGetLine(gif, indices.data() + size_t(y) * size_t(w), w) != GIF_OK) return false;
        }
        return true;
    }
};

// What the walk reports besides images.
struct strGifExtras {
    int loopCount = -1;
    uint32_t bufferSize = 0;
    std::vector<std::string> comments;
    std::vector<strGifAnimation::strPlainText> plainTexts;
};

class cGifWalk {
  public:
    // Opens the data and reads the screen descriptor; false for a damaged header.
    bool open(std::span<const uint8_t> bytes, strMessage& error) {
        in_ = {bytes.data(), bytes.size(), 0};
        int err = 0;
        gif_.reset(bytes.size() >= 13 ? DGifOpen(&in_, ReadCallback, &err) : nullptr);
        if (!gif_) return fail(error, strMessage(kGifNotGif));
        return true;
    }
    // Whether the logical screen's sides lie in 1..maxSide.
    bool screenFits(int maxSide, strMessage& error) const {
        if (gif_->SWidth >= 1 && gif_->SHeight >= 1 && gif_->SWidth <= maxSide && gif_->SHeight <= maxSide)
            return true;
        return fail(error, strMessage(kGifScreenSize, gif_->SWidth, gif_->SHeight));
    }
    GifFileType* gif() const { return gif_.get(); }

    // Walks every record to the trailer. onImage is called for each image; it may read the image's
    // indices and returns false to stop with failure. extras receives the extensions.
    bool run(const std::function<bool(strGifImage&)>& onImage, strGifExtras& extras, strMessage& error) {
        GifFileType* gif = gif_.get();
        strControl control;
        int images = 0;
        for (;;) {
            GifRecordType type;
            if (DGifGetRecordType(gif, &type) != GIF_OK) return fail(error, strMessage(kGifEndsEarly));
            if (type == TERMINATE_RECORD_TYPE) break;
            if (type == EXTENSION_RECORD_TYPE) {
                if (!extension(control, images, extras)) return fail(error, strMessage(kGifBadExtension));
                continue;
            }
            if (type != IMAGE_DESC_RECORD_TYPE) return fail(error, strMessage(kGifUnknownRecord));
            if (DGifGetImageDesc(gif) != GIF_OK) return fail(error, strMessage(kGifBadDescriptor));
            const GifImageDesc& desc = gif->Image;
            const int sw = gif->SWidth, sh = gif->SHeight;
            if (desc.Left < 0 || desc.Top < 0 || desc.Width < 1 || desc.Height < 1 || desc.Width > sw ||
                desc.Height > sh || desc.Left > sw - desc.Width || desc.Top > sh - desc.Height)
                return fail(error, strMessage(kGifImageOutside, images));
            strGifImage image{&desc, desc.ColorMap ? desc.ColorMap : gif->SColorMap, control, gif};
            control = {};
            if (!onImage(image)) return fail(error, strMessage(kGifImageUnreadable, images));
            if (!image.read && !skipImageData()) return fail(error, strMessage(kGifBadImageData));
            ++images;
        }
        if (images == 0) return fail(error, strMessage(kGifNoImage));
        return true;
    }

  private:
    static bool fail(strMessage& error, strMessage why) {
        if (error.none()) error = std::move(why);
        return false;
    }

    bool skipImageData() {
        int codeSize = 0;
        GifByteType* block = nullptr;
        if (DGifGetCode(gif_.get(), &codeSize, &block) != GIF_OK) return false;
        while (block)
            if (DGifGetCodeNext(gif_.get(), &block) != GIF_OK) return false;
        return true;
    }

    // Reads one extension with all its sub-blocks (each block is a length byte, then the data).
    bool extension(strControl& control, int images, strGifExtras& extras) {
        GifFileType* gif = gif_.get();
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
        // The next sub-block into block (null at the terminator); false when the data is damaged.
        auto next = [&] { return DGifGetExtensionNext(gif, &block) == GIF_OK; };
        auto text = [&](std::string& into) {
            for (; block;) {
                into.append(reinterpret_cast<const char*>(block + 1), block[0]);
                if (!next()) return false;
            }
            return true;
        };
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
            control.disposal = (block[1] >> 2) & 7;
            control.userInput = (block[1] & 2) != 0;
            control.delay = block[2] | block[3] << 8;
            control.transparent = (block[1] & 1) ? block[4] : -1;
        } else if (code == APPLICATION_EXT_FUNC_CODE && block && block[0] == 11 &&
                   (std::memcmp(block + 1, "NETSCAPE2.0", 11) == 0 ||
                    std::memcmp(block + 1, "ANIMEXTS1.0", 11) == 0)) {
            for (;;) {
                if (!next()) return false;
                if (!block) return true;
                if (block[0] >= 3 && block[1] == 1) extras.loopCount = block[2] | block[3] << 8;
                if (block[0] >= 5 && block[1] == 2)
                    extras.bufferSize = uint32_t(block[2]) | uint32_t(block[3]) << 8 |
                                        uint32_t(block[4]) << 16 | uint32_t(block[5]) << 24;
            }
        } else if (code == COMMENT_EXT_FUNC_CODE) {
            std::string comment;
            if (!text(comment)) return false;
            extras.comments.push_back(std::move(comment));
            return true;
        } else if (code == PLAINTEXT_EXT_FUNC_CODE && block && block[0] >= 12) {
            strGifAnimation::strPlainText t;
            auto u16 = [&](int at) { return block[1 + at] | block[2 + at] << 8; };
            t.beforeFrame = images;
            t.left = u16(0), t.top = u16(2), t.width = u16(4), t.height = u16(6);
            t.cellWidth = block[9], t.cellHeight = block[10], t.foreground = block[11],
            t.background = block[12];
            control = {}; // a graphic control before plain text belongs to it
            if (!next() || !text(t.text)) return false;
            extras.plainTexts.push_back(std::move(t));
            return true;
        }
        while (block)
            if (!next()) return false;
        return true;
    }

    strGifInput in_{};
    std::unique_ptr<GifFileType, strGifCloser> gif_;
};

// Paints the image's opaque pixels into a canvas of `channels` bytes a pixel (B, G, R[, A = 255]);
// transparent indices and indices past the colour map leave the pixel as it was.
void Paint(const strGifImage& image, const std::vector<uint8_t>& indices, cDib& canvas, int channels) {
    const GifImageDesc& d = *image.desc;
    const ColorMapObject* map = image.map;
    for (int y = 0; y < d.Height; ++y) {
        const uint8_t* in = indices.data() + size_t(y) * size_t(d.Width);
        uint8_t* row = canvas.row(d.Top + y) + size_t(d.Left) * size_t(channels);
        for (int x = 0; x < d.Width; ++x) {
            const int idx = in[x];
            if (idx == image.control.transparent || !map || idx >= map->ColorCount) continue;
            const GifColorType& c = map->Colors[idx];
            uint8_t* p = row + size_t(x) * size_t(channels);
            p[0] = c.Blue, p[1] = c.Green, p[2] = c.Red;
            if (channels == 4) p[3] = 255;
        }
    }
}

// Sets a rectangle of a 32-bit canvas to transparent black, or to the same rectangle of `from`.
void RestoreRect(cDib& canvas, int left, int top, int width, int height, const cDib* from) {
    for (int y = top; y < top + height; ++y) {
        uint8_t* row = canvas.row(y) + size_t(left) * 4;
        if (from)
            std::memcpy(row, from->row(y) + size_t(left) * 4, size_t(width) * 4);
        else
            std::memset(row, 0, size_t(width) * 4);
    }
}

std::unique_ptr<cDib> CopyOf(const cDib& src) {
    auto copy = cDib::create(src.width(), src.height(), src.bits());
    if (copy) std::memcpy(copy->pixels(), src.pixels(), src.pixelBytes());
    return copy;
}

} // namespace

bool DecodeGif(std::span<const uint8_t> bytes, const strLoadLimits& limits, strDecodedPicture& out) {
    out = {};
    cGifWalk walk;
    strMessage error;
    if (!walk.open(bytes, error)) return false;
    const int sw = walk.gif()->SWidth, sh = walk.gif()->SHeight;
    if (!CheckPictureBudget(sw, sh, limits, out) || !walk.screenFits(limits.maxSide, error)) return false;
    if (!DecodedSizeIsBacked(uint64_t(sw) * uint64_t(sh) * 3, bytes.size(), 4096)) return false;

    std::unique_ptr<cDib> canvas;
    std::vector<uint8_t> indices;
    strGifExtras extras;
    const bool ok = walk.run(
        [&](strGifImage& image) {
            if (canvas) return true; // a later image: skipped undecoded
            if (!image.map || image.map->ColorCount < 1) return false;
            canvas = cDib::create(sw, sh, 24);
            if (!canvas || !image.readIndices(indices)) return false;
            Paint(image, indices, *canvas, 3);
            return true;
        },
        extras, error);
    if (!ok || !canvas) return false;
    out.dib = std::move(canvas);
    out.sourceDepth = 8;
    return true;
}

bool ReadGifAnimation(std::span<const uint8_t> bytes, strGifAnimation& out, strMessage* error,
                      uint64_t maxBytes) {
    out = {};
    strMessage why;
    auto fail = [&] {
        out = {};
        if (error) *error = why.none() ? strMessage(kGifUnreadable) : why;
        return false;
    };
    try {
        cGifWalk walk;
        if (!walk.open(bytes, why) || !walk.screenFits(kMaxPictureSide, why)) return fail();
        const GifFileType* gif = walk.gif();
        const int sw = gif->SWidth, sh = gif->SHeight;
        const uint64_t frameBytes = uint64_t(sw) * uint64_t(sh) * 4;
        if (!DecodedSizeIsBacked(frameBytes, bytes.size(), 4096) || frameBytes > maxBytes) {
            why = strMessage(kGifFrameTooLarge, sw, sh);
            return fail();
        }
        out.width = sw;
        out.height = sh;
        if (gif->SColorMap && gif->SBackGroundColor >= 0 &&
            gif->SBackGroundColor < gif->SColorMap->ColorCount) {
            const GifColorType& c = gif->SColorMap->Colors[gif->SBackGroundColor];
            out.background = uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
        }
        auto canvas = cDib::create(sw, sh, 32);
        if (!canvas) return fail();
        std::unique_ptr<cDib> saved; // the screen before an image with disposal 3
        std::vector<uint8_t> indices;
        strGifExtras extras;
        const bool ok = walk.run(
            [&](strGifImage& image) {
                // The image before this one leaves the screen as its disposal says.
                if (!out.frames.empty()) {
                    const strGifAnimation::strFrame& last = out.frames.back();
                    if (last.disposal == 2 || (last.disposal == 3 && saved))
                        RestoreRect(*canvas, last.left, last.top, last.width, last.height,
                                    last.disposal == 3 ? saved.get() : nullptr);
                }
                // Counting this frame and the saved screen, all frames stay within the budget.
                const uint64_t frames = out.frames.size() + 1 + (image.control.disposal == 3 ? 1 : 0);
                if (frames > maxBytes / frameBytes) {
                    why = strMessage(kGifFramesTooLarge,
                                     static_cast<long long>((maxBytes + (1u << 20) - 1) >> 20));
                    return false;
                }
                saved = image.control.disposal == 3 ? CopyOf(*canvas) : nullptr;
                if ((image.control.disposal == 3 && !saved) || !image.readIndices(indices)) return false;
                Paint(image, indices, *canvas, 4);
                strGifAnimation::strFrame frame;
                frame.image = CopyOf(*canvas);
                if (!frame.image) return false;
                frame.delay = image.control.delay;
                frame.disposal = image.control.disposal;
                frame.userInput = image.control.userInput;
                frame.transparentIndex = image.control.transparent;
                frame.left = image.desc->Left, frame.top = image.desc->Top;
                frame.width = image.desc->Width, frame.height = image.desc->Height;
                out.frames.push_back(std::move(frame));
                return true;
            },
            extras, why);
        if (!ok) return fail();
        out.loopCount = extras.loopCount;
        out.bufferSize = extras.bufferSize;
        out.comments = std::move(extras.comments);
        out.plainTexts = std::move(extras.plainTexts);
    } catch (...) { // out of memory
        why = strMessage(kWhyOutOfMemory);
        return fail();
    }
    return true;
}

bool LoadGifAnimationFile(const std::string& path, strGifAnimation& out, strMessage* error,
                          uint64_t maxBytes) {
    out = {};
    std::vector<uint8_t> bytes;
    std::string why;
    if (!platform::ReadWholeFile(path, bytes, size_t(maxBytes), &why)) {
        if (error) *error = FileFailureMessage(why, size_t(maxBytes));
        return false;
    }
    return ReadGifAnimation(bytes, out, error, maxBytes);
}
