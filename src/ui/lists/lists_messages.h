#pragma once
// Texts of the list window, the timeline, the picture palette and the picture and effect dialogs,
// word for word as the user sees them.

#include "document/messages.h"

#include <QString>

#define PELKO_LISTS_TEXTS(X)                                                                                 \
    X(kLtListTitle, "List")                                                                                  \
    X(kLtTabs, "Image,Direction,Keyframe")                                                                   \
    X(kLtPictureColumns, "No,Path,XY,Hue,Cut")                                                               \
    X(kLtEffectColumns, "F,SE,-,Flash,Other")                                                                \
    X(kLtSplitFormats, "Specify number of sheets,Specify width")                                             \
    X(kLtFlashObjects, "Screen,Target")                                                                      \
    X(kLtFlashDrawings, "Normal(t),Add(t),Subtraction,Multiplication")                                       \
    X(kLtCannotOpen, "Could not open the file: %s")                                                          \
    X(kLtPaletteTitle, "Palette [%02d]")                                                                     \
    X(kLtSettings, "Settings")                                                                               \
    X(kLtReload, "Reload")                                                                                   \
    X(kLtNew, "New")                                                                                         \
    X(kLtCut, "Cut")                                                                                         \
    X(kLtCopy, "Copy")                                                                                       \
    X(kLtPaste, "Paste")                                                                                     \
    X(kLtDelete, "Delete")                                                                                   \
    X(kLtInsertCell, "Insert intermediate Cell")                                                             \
    X(kLtFrameCompletion, "Frame completion")                                                                \
    X(kLtBatch, "Batch")                                                                                     \
    X(kLtPlayRange, "Set playback range")                                                                    \
    X(kLtDragRange, "Set drag range")                                                                        \
    X(kLtSelectAll, "Select all")                                                                            \
    X(kLtStartFrame, "Start-up frame")                                                                       \
    X(kLtSound, "Sound effect")                                                                              \
    X(kLtOpen, "Open")                                                                                       \
    X(kLtSoundFilter, "Sound effect(*.wmv,wav,ogg,mp3) (*.wmv *.wav *.ogg *.mp3);;All files(*.*) (*)")       \
    X(kLtVolume, "Volume")                                                                                   \
    X(kLtFrequency, "Frequence")                                                                             \
    X(kLtBalance, "Balance")                                                                                 \
    X(kLtPlay, "Play")                                                                                       \
    X(kLtFlash, "Flash fx effect")                                                                           \
    X(kLtFlashFrames, "Frame:")                                                                              \
    X(kLtObject, "Object:")                                                                                  \
    X(kLtNoObject, "None")                                                                                   \
    X(kLtDrawing, "Drawing:")                                                                                \
    X(kLtRed, "Red")                                                                                         \
    X(kLtGreen, "Green")                                                                                     \
    X(kLtBlue, "Blue")                                                                                       \
    X(kLtStrength, "Strength")                                                                               \
    X(kLtClear, "Clear")                                                                                     \
    X(kLtUserData, "User data (255byte)")                                                                    \
    X(kLtApply, "Apply")                                                                                     \
    X(kLtCancel, "Cancel")                                                                                   \
    X(kLtFilePath, "File path")                                                                              \
    X(kLtImageFilter, "Image(*.bmp,gif,png,xyz) (*.bmp *.gif *.png *.xyz);;All files(*.*) (*)")              \
    X(kLtDivision, "Division method")                                                                        \
    X(kLtDivisions, "Nbr div (H , V)")                                                                       \
    X(kLtHue, "Hue (degrees)")                                                                               \
    X(kLtZooms, "25%,50%,100%,200%,400%")

enum eListsText : int {
#define PELKO_LISTS_TEXT_ID(id, text) id,
    PELKO_LISTS_TEXTS(PELKO_LISTS_TEXT_ID)
#undef PELKO_LISTS_TEXT_ID
        kLtCount
};

QString ListsText(eListsText id);
// The text with its printf-style conversions filled (arguments as the document's messages take them).
QString ListsMessage(eListsText id, const std::vector<strMessageArg>& args);
// One entry of a comma-separated list text.
QString ListsItem(eListsText id, int index);
