#pragma once
// Texts of the canvas and its windows, as the user sees them.

#include "ui/session/ui_messages.h"

#include <QString>

#define PELKO_CANVAS_MESSAGES(X)                                                                             \
    X(kCanvasPlaying, "Playing")                                                                             \
    X(kCanvasPlayingActorSide, "Playing on the actor side")                                                  \
    X(kCanvasActorSide, "Actor side (mirrored preview; drag cells in the normal view)")                      \
    X(kCanvasCellInfo, "Cell %d  picture %d  pattern %d\nPosition %d, %d\nScale %d%%, %d%%\nAngle %d  "      \
                       "opacity %d\nTone 0x%08x")                                                            \
    X(kCanvasPoint, "%d,%d")                                                                                 \
    X(kCanvasSplineFrames, "Frames")                                                                         \
    X(kCanvasSplineGrid, "Grid")                                                                             \
    X(kCanvasSplineRun, "Run")                                                                               \
    X(kCanvasCancel, "Cancel")                                                                               \
    X(kCanvasTargetTitle, "Target picture")                                                                  \
    X(kCanvasGifTitle, "GIF draft")                                                                          \
    X(kCanvasFile, "File")                                                                                   \
    X(kCanvasBrowse, "...")                                                                                  \
    X(kCanvasClear, "Clear")                                                                                 \
    X(kCanvasPosition, "Position x, y")                                                                      \
    X(kCanvasOpacity, "Opacity")                                                                             \
    X(kCanvasSpeed, "Frame speed (%)")                                                                       \
    X(kCanvasStartFrame, "Start frame")                                                                      \
    X(kCanvasAngle, "Angle")                                                                                 \
    X(kCanvasScale, "Scale (%)")                                                                             \
    X(kCanvasGifUnreadable, "The GIF could not be read: %s\n%s")                                             \
    X(kCanvasImageFilter, "Pictures (*.png *.bmp *.gif *.xyz)")                                              \
    X(kCanvasGifFilter, "GIF animations (*.gif)")

enum eCanvasMessage : int {
#define PELKO_CANVAS_MESSAGE_ID(id, text) id,
    PELKO_CANVAS_MESSAGES(PELKO_CANVAS_MESSAGE_ID)
#undef PELKO_CANVAS_MESSAGE_ID
        kCanvasMessageCount
};

PELKO_UI_TEXT_TABLE(kCanvasTable, PELKO_CANVAS_MESSAGES, kCanvasMessageCount, text_context::kCanvas);

// The text of an id in the user's language.
inline QString CanvasString(eCanvasMessage id) {
    return kCanvasTable.text(id);
}
// The text in the user's language with its printf-style conversions filled.
inline QString CanvasMessage(eCanvasMessage id, const std::vector<strMessageArg>& args) {
    return kCanvasTable.message(id, args);
}
