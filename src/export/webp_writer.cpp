#include "export/webp_writer.h"

#include "document/file_reason.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <climits>

namespace {
constexpr int kMaxWebpSide = 16383; // the format's limit
}

cWebpWriter::~cWebpWriter() {
    Release();
}

void cWebpWriter::Release() {
    if (encoder_) WebPAnimEncoderDelete(encoder_);
    encoder_ = nullptr;
}

bool cWebpWriter::Fail(strMessage* error, strMessage why) {
    Release();
    file_.Discard();
    if (error) *error = std::move(why);
    return false;
}

bool cWebpWriter::Begin(const std::string& path, int width, int height, int frameCount, strMessage* error) {
    Release();
    frames_ = 0;
    timestamp_ = 0;
    if (width < 1 || height < 1 || frameCount < 1) return Fail(error, strMessage(kAnimNoFrames));
    if (width > kMaxWebpSide || height > kMaxWebpSide)
        return Fail(error, strMessage(kWebpTooLarge, kMaxWebpSide));
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options)) return Fail(error, strMessage(kWebpLibraryMismatch));
    options.anim_params.loop_count = 0; // endless
    options.anim_params.bgcolor = 0;    // transparent
    encoder_ = WebPAnimEncoderNew(width, height, &options);
    if (!encoder_) return Fail(error, strMessage(kWhyOutOfMemory));
    width_ = width;
    height_ = height;
    std::string why;
    if (!file_.Open(path, &why)) return Fail(error, FileFailureMessage(why));
    return true;
}

bool cWebpWriter::AddFrame(const cDib& frame, int delay, strMessage* error) {
    if (!encoder_) return Fail(error, strMessage(kAnimNotOpen));
    if (frame.Bits() != 32 || frame.Width() != width_ || frame.Height() != height_)
        return Fail(error, strMessage(kAnimFrameSize));
    if (timestamp_ > INT_MAX) return Fail(error, strMessage(kWebpTooLong));
    WebPConfig config;
    if (!WebPConfigInit(&config)) return Fail(error, strMessage(kWebpLibraryMismatch));
    if (quality_ < 0) {
        // Effort 50 with method 3 gives files within 1 % of the default effort's (75, method 4) at
        // less than half its time (docs/performance.md).
        config.lossless = 1;
        config.quality = 50;
        config.method = 3;
    } else {
        config.quality = float(std::min(quality_, 100));
    }
    WebPPicture picture;
    if (!WebPPictureInit(&picture)) return Fail(error, strMessage(kWebpLibraryMismatch));
    picture.use_argb = 1;
    picture.width = width_;
    picture.height = height_;
    if (!WebPPictureImportBGRA(&picture, frame.Pixels(), frame.Stride())) {
        WebPPictureFree(&picture);
        return Fail(error, strMessage(kWhyOutOfMemory));
    }
    const bool ok = WebPAnimEncoderAdd(encoder_, &picture, int(timestamp_), &config) != 0;
    WebPPictureFree(&picture);
    if (!ok) return Fail(error, strMessage(kWebpEncodingFailed));
    timestamp_ += int64_t(std::max(delay, 0)) * 10;
    ++frames_;
    return true;
}

bool cWebpWriter::Finish(strMessage* error) {
    if (!encoder_) return Fail(error, strMessage(kAnimNotOpen));
    if (frames_ == 0) return Fail(error, strMessage(kAnimNoFrames));
    if (timestamp_ > INT_MAX) return Fail(error, strMessage(kWebpTooLong));
    if (!WebPAnimEncoderAdd(encoder_, nullptr, int(timestamp_), nullptr))
        return Fail(error, strMessage(kWebpEncodingFailed));
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAssemble(encoder_, &data)) {
        WebPDataClear(&data);
        return Fail(error, strMessage(kWebpEncodingFailed));
    }
    Release();
    std::string why;
    const bool written =
        file_.Write(std::span<const uint8_t>(data.bytes, data.size), &why) && file_.Commit(&why);
    WebPDataClear(&data);
    if (!written) return Fail(error, FileFailureMessage(why));
    return true;
}
