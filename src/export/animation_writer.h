#pragma once
// cAnimationWriter: an animated picture file written as the export produces its frames. Begin opens
// a temporary file beside the target, addFrame encodes one frame, Finish completes the file and
// renames it over the target; a writer destroyed before Finish leaves the target as it was.

#include "document/messages.h"
#include "image/bmp.h"

#include <memory>
#include <string>

class cAnimationWriter {
  public:
    virtual ~cAnimationWriter() = default;

    // width x height is the size of every frame; frameCount the number of frames that will come.
    virtual bool begin(const std::string& path, int width, int height, int frameCount, strMessage* error) = 0;
    // frame: 32 bits B, G, R, A, width x height, row 0 at the top, alpha as it is to be written.
    // delay: hundredths of a second.
    virtual bool addFrame(const cDib& frame, int delay, strMessage* error) = 0;
    virtual bool finish(strMessage* error) = 0;
    virtual int framesWritten() const = 0;
};
