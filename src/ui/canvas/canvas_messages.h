#pragma once
// Texts of the canvas and its windows, word for word as the user sees them.

#include <QString>

#define PELKO_CANVAS_MESSAGES(X)                                                                             \
    X(kCanvasPlaying, "Playing")                                                                             \
    X(kCanvasCellInfo, "c:%d  pi:%d  pa:%d \n[%d , %d]\n[%d , %d] \na:%d  o:%d \n[0x%08x]")                  \
    X(kCanvasPoint, "%d,%d")                                                                                 \
    X(kCanvasSplineFrames, "Frames")                                                                         \
    X(kCanvasSplineGrid, "Grid")                                                                             \
    X(kCanvasSplineRun, "Run")                                                                               \
    X(kCanvasCancel, "Cancel")                                                                               \
    X(kCanvasTargetTitle, "Target image")                                                                    \
    X(kCanvasGifTitle, "GIF draft")                                                                          \
    X(kCanvasFile, "File")                                                                                   \
    X(kCanvasBrowse, "...")                                                                                  \
    X(kCanvasClear, "Clear")                                                                                 \
    X(kCanvasPosition, "Position [x,y]")                                                                     \
    X(kCanvasOpacity, "Opacity")                                                                             \
    X(kCanvasSpeed, "Frame speed (100%)")                                                                    \
    X(kCanvasStartFrame, "Start frame")                                                                      \
    X(kCanvasAngle, "Angle")                                                                                 \
    X(kCanvasScale, "Scale (%)")                                                                             \
    X(kCanvasGifUnreadable, "The GIF could not be read: %s\n%s")                                             \
    X(kCanvasImageFilter, "Image (*.png *.bmp *.gif *.xyz)")                                                 \
    X(kCanvasGifFilter, "GIF (*.gif)")

enum eCanvasMessage : int {
#define PELKO_CANVAS_MESSAGE_ID(id, text) id,
    PELKO_CANVAS_MESSAGES(PELKO_CANVAS_MESSAGE_ID)
#undef PELKO_CANVAS_MESSAGE_ID
        kCanvasMessageCount
};

const char* CanvasText(eCanvasMessage id);
inline QString CanvasString(eCanvasMessage id) {
    return QString::fromUtf8(CanvasText(id));
}
