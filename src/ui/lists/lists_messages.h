#pragma once
// Texts of the list window, the timeline, the picture palette and the picture and effect dialogs,
// as the user sees them.

#include "ui/session/ui_messages.h"

#include <QString>

#define PELKO_LISTS_TEXTS(X)                                                                                 \
    X(kLtListTitle, "Lists")                                                                                 \
    X(kLtTabs, "Pictures,Sounds and flashes,Timeline")                                                       \
    X(kLtPictureColumns, "No.,File,Patterns,Hue,Division")                                                   \
    X(kLtEffectColumns, "Frame,Sound effect,Volume / pitch / pan,Flash,User data")                           \
    X(kLtSplitFormats, "By number of patterns,By pattern size")                                              \
    X(kLtFlashObjects, "Screen,Target")                                                                      \
    X(kLtFlashDrawings, "Normal,Add,Subtract,Multiply")                                                      \
    X(kLtCannotOpen, "Could not open the file: %s")                                                          \
    X(kLtCannotPlay, "Could not play %s: %s")                                                                \
    X(kLtPaletteTitle, "Palette: picture %02d")                                                              \
    X(kLtSettings, "Settings")                                                                               \
    X(kLtReload, "Reload")                                                                                   \
    X(kLtCheckSheet, "Check pattern sheet...")                                                               \
    X(kLtNew, "New")                                                                                         \
    X(kLtCut, "Cut")                                                                                         \
    X(kLtCopy, "Copy")                                                                                       \
    X(kLtPaste, "Paste")                                                                                     \
    X(kLtDelete, "Delete")                                                                                   \
    X(kLtMoveUp, "Move up")                                                                                  \
    X(kLtMoveDown, "Move down")                                                                              \
    X(kLtInsertCell, "Insert in-between cells")                                                              \
    X(kLtFrameCompletion, "Tween")                                                                           \
    X(kLtBatch, "Batch")                                                                                     \
    X(kLtPlayRange, "Set play range")                                                                        \
    X(kLtDragRange, "Set drag range")                                                                        \
    X(kLtSelectAll, "Select all")                                                                            \
    X(kLtStartFrame, "Start frame")                                                                          \
    X(kLtSound, "Sound effect")                                                                              \
    X(kLtOpen, "Open")                                                                                       \
    X(kLtSoundFilter, "Sound effects (*.wav *.ogg *.mp3 *.wmv);;All files (*)")                              \
    X(kLtVolume, "Volume")                                                                                   \
    X(kLtFrequency, "Pitch")                                                                                 \
    X(kLtBalance, "Pan")                                                                                     \
    X(kLtPlay, "Play")                                                                                       \
    X(kLtFlash, "Flash")                                                                                     \
    X(kLtFlashFrames, "Frames:")                                                                             \
    X(kLtObject, "Target:")                                                                                  \
    X(kLtNoObject, "None")                                                                                   \
    X(kLtDrawing, "Blend:")                                                                                  \
    X(kLtRed, "Red")                                                                                         \
    X(kLtGreen, "Green")                                                                                     \
    X(kLtBlue, "Blue")                                                                                       \
    X(kLtStrength, "Strength")                                                                               \
    X(kLtClear, "Clear")                                                                                     \
    X(kLtUserData, "User data (up to 255 bytes)")                                                            \
    X(kLtApply, "Apply")                                                                                     \
    X(kLtCancel, "Cancel")                                                                                   \
    X(kLtFilePath, "File")                                                                                   \
    X(kLtImageFilter, "Pictures (*.png *.bmp *.gif *.xyz);;All files (*)")                                   \
    X(kLtDivision, "Divide")                                                                                 \
    X(kLtDivisions, "Patterns across, down")                                                                 \
    X(kLtHue, "Hue (degrees)")                                                                               \
    X(kLtNewTiming, "(new timing)")                                                                          \
    X(kLtZooms, "25%,50%,100%,200%,400%")                                                                    \
    X(kLtFileMissing, "Not found. Looked in %s for: %s")                                                     \
    X(kLtFileUnloadable, "Could not be loaded: %s")                                                          \
    X(kLtAbsolutePath, "Stored with its full path: it lies outside the animation's folder")

enum eListsText : int {
#define PELKO_LISTS_TEXT_ID(id, text) id,
    PELKO_LISTS_TEXTS(PELKO_LISTS_TEXT_ID)
#undef PELKO_LISTS_TEXT_ID
        kLtCount
};

PELKO_UI_TEXT_TABLE(kListsTable, PELKO_LISTS_TEXTS, kLtCount, text_context::kLists);

// The text of an id in the user's language.
inline QString ListsText(eListsText id) {
    return kListsTable.text(id);
}
// The text with its printf-style conversions filled (arguments as the document's messages take them).
inline QString ListsMessage(eListsText id, const std::vector<strMessageArg>& args) {
    return kListsTable.message(id, args);
}
// One entry of a comma-separated list text.
QString ListsItem(eListsText id, int index);
