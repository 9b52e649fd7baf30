#pragma once
// User-visible texts of the document layer (status-bar results and the message boxes the document
// raises), as the user sees them. The core hands back a message id with its
// arguments (strMessage); the UI formats it with FormatMessage and shows it in the status bar or in a
// message box with the entry's caption.
//
// To add a message: add one line to PELKO_DOCUMENT_MESSAGES below (id, kind, text). Ids are
// assigned in list order; nothing else needs to change. Texts are printf-style with %d, %s, %f and
// their flags and widths; FormatMessage substitutes the arguments safely (a missing argument reads
// as 0 or an empty text, a mismatched one is converted).

#include "document/reasons.h"

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

// How a message is shown.
enum class eMessageKind : uint8_t {
    kNone,    // nothing is shown
    kStatus,  // status bar, first part
    kReport,  // message box, caption "Information"
    kConfirm, // message box with Yes/No, caption "Confirmation"
    kError,   // message box, caption "Error"
};

// X(id, kind, text)
#define PELKO_DOCUMENT_MESSAGES(X)                                                                           \
    X(kMsgNone, kNone, "")                                                                                   \
    X(kMsgProcessingFailed, kStatus, "The command could not be carried out (%02d:%02d)")                     \
    /* undo history; %s is the label of the step */                                                          \
    X(kMsgUndone, kStatus, "Undone: %s")                                                                     \
    X(kMsgCannotUndo, kStatus, "Nothing to undo")                                                            \
    X(kMsgRedone, kStatus, "Redone: %s")                                                                     \
    X(kMsgCannotRedo, kStatus, "Nothing to redo")                                                            \
    X(kMsgUndoItem, kStatus, "Undo %s")                                                                      \
    X(kMsgRedoItem, kStatus, "Redo %s")                                                                      \
    X(kMsgUndoPlain, kStatus, "Undo")                                                                        \
    X(kMsgRedoPlain, kStatus, "Redo")                                                                        \
    X(kMsgFrameRepair, kError,                                                                               \
      "The frames were found damaged and have been repaired.\nThe undo history has been cleared.")           \
    /* frame commands */                                                                                     \
    X(kMsgFrameInserted, kStatus, "Frame %d inserted")                                                       \
    X(kMsgFrameDeleted, kStatus, "Frame %d deleted")                                                         \
    X(kMsgFrameCleared, kStatus, "Frame %d cleared")                                                         \
    X(kMsgFrameCopied, kStatus, "Frame %d copied to frame %d")                                               \
    X(kMsgFrameDone, kStatus, "Frame %d filled in from the frames before and after")                         \
    /* why a command changed nothing */                                                                      \
    X(kMsgNoPreviousFrameToCopy, kStatus, "There is no previous frame to copy from")                         \
    X(kMsgNoNextFrameToCopy, kStatus, "There is no next frame to copy from")                                 \
    X(kMsgFillFirstFrame, kStatus,                                                                           \
      "Frame %d is the first frame: there is no previous frame to fill it in from")                          \
    X(kMsgFillLastFrame, kStatus, "Frame %d is the last frame: there is no next frame to fill it in from")   \
    X(kMsgNothingToFillIn, kStatus,                                                                          \
      "Nothing to fill in on frame %d: its cells already follow from the frames before and after")           \
    X(kMsgNoCellsAroundBlock, kStatus,                                                                       \
      "No cell lies before or after the block in its cell numbers to fill it in from")                       \
    X(kMsgNoCellNumberTicked, kStatus, "No cell number is ticked")                                           \
    X(kMsgNoValueTicked, kStatus, "No value is ticked")                                                      \
    X(kMsgNoCellChanged, kStatus, "No cell changed: the chosen frames hold no cell that the change alters")  \
    X(kMsgCellsAlreadyHold, kStatus, "Nothing changed: the cells already hold the result")                   \
    X(kMsgSplineNoStartCell, kStatus, "Frame %d has no cell %d to move along the curve")                     \
    X(kMsgNoEffectSelected, kStatus, "No sound or flash is selected")                                        \
    X(kMsgNoEffectOnClipboard, kStatus, "The clipboard holds no sound or flash")                             \
    X(kMsgEffectsFull, kStatus, "The animation already has %d sounds and flashes")                           \
    X(kMsgPictureSlotEmpty, kStatus, "Picture %d is empty")                                                  \
    X(kMsgNoPictureOnClipboard, kStatus, "The clipboard holds no picture")                                   \
    /* counted results (cells, or frames when several are handled at once) */                                \
    X(kMsgCountDelete, kStatus, "Deleted: %d")                                                               \
    X(kMsgCountClear, kStatus, "Cleared: %d")                                                                \
    X(kMsgCountComplete, kStatus, "Filled in from the frames before and after: %d")                          \
    X(kMsgCountCopy, kStatus, "Copied: %d")                                                                  \
    X(kMsgCountCut, kStatus, "Cut: %d")                                                                      \
    X(kMsgCountPaste, kStatus, "Pasted: %d")                                                                 \
    X(kMsgCountForeground, kStatus, "Brought to the front: %d")                                              \
    X(kMsgCountBackground, kStatus, "Sent to the back: %d")                                                  \
    /* what a save had to leave out (the singular forms take no count) */                                    \
    X(kMsgSaveLostEffect, kReport,                                                                           \
      "1 effect was not saved: the text format cannot hold an effect whose start frame is at or after the "  \
      "frame count (%d)")                                                                                    \
    X(kMsgSaveLostEffects, kReport,                                                                          \
      "%d effects were not saved: the text format cannot hold an effect whose start frame is at or after "   \
      "the frame count (%d)")                                                                                \
    X(kMsgSaveCutText, kReport,                                                                              \
      "1 text was shortened: a saved text keeps at most 255 bytes, up to its first zero byte (in the text "  \
      "format also up to its first line break)")                                                             \
    X(kMsgSaveCutTexts, kReport,                                                                             \
      "%d texts were shortened: a saved text keeps at most 255 bytes, up to its first zero byte (in the "    \
      "text format also up to its first line break)")                                                        \
    /* the frame limit */                                                                                    \
    X(kMsgFramesFull, kStatus, "The animation already has %d frames")                                        \
    /* tool runs */                                                                                          \
    X(kMsgCompensated, kStatus, "Tween on frames %d to %d: %d cells changed")                                \
    X(kMsgSplineDone, kStatus, "Spline curve: %d cells changed")                                             \
    X(kMsgBatchDone, kStatus, "Batch edit: %d cells changed")                                                \
    X(kMsgIntervalDone, kStatus, "Frames %d to %d: interval set to %d")                                      \
    /* labels of undo steps: what a step did, shown in "Undone: %s" and the Edit menu. A label of a   */     \
    /* count has a singular form right after its plural one (see Counted).                            */     \
    X(kStepInsertFrame, kStatus, "Insert frame %d")                                                          \
    X(kStepInsertFrames, kStatus, "Insert %d frames at frame %d")                                            \
    X(kStepDeleteFrame, kStatus, "Delete frame %d")                                                          \
    X(kStepDeleteFrames, kStatus, "Delete frames %d to %d")                                                  \
    X(kStepClearFrame, kStatus, "Clear frame %d")                                                            \
    X(kStepClearFrames, kStatus, "Clear frames %d to %d")                                                    \
    X(kStepCopyFrame, kStatus, "Copy frame %d to frame %d")                                                  \
    X(kStepCompleteFrame, kStatus, "Fill in frame %d")                                                       \
    X(kStepCompleteCells, kStatus, "Fill in %d cells")                                                       \
    X(kStepCompleteCell, kStatus, "Fill in 1 cell")                                                          \
    X(kStepDeleteCells, kStatus, "Delete %d cells")                                                          \
    X(kStepDeleteCell, kStatus, "Delete 1 cell")                                                             \
    X(kStepCutCells, kStatus, "Cut %d cells")                                                                \
    X(kStepCutCell, kStatus, "Cut 1 cell")                                                                   \
    X(kStepPasteCells, kStatus, "Paste %d cells")                                                            \
    X(kStepPasteCell, kStatus, "Paste 1 cell")                                                               \
    X(kStepForegroundCells, kStatus, "Bring %d cells to the front")                                          \
    X(kStepForegroundCell, kStatus, "Bring 1 cell to the front")                                             \
    X(kStepBackgroundCells, kStatus, "Send %d cells to the back")                                            \
    X(kStepBackgroundCell, kStatus, "Send 1 cell to the back")                                               \
    X(kStepMoveCells, kStatus, "Move %d cells")                                                              \
    X(kStepMoveCell, kStatus, "Move 1 cell")                                                                 \
    X(kStepRotateCells, kStatus, "Rotate %d cells")                                                          \
    X(kStepRotateCell, kStatus, "Rotate 1 cell")                                                             \
    X(kStepScaleCells, kStatus, "Scale %d cells")                                                            \
    X(kStepScaleCell, kStatus, "Scale 1 cell")                                                               \
    X(kStepNewCell, kStatus, "New cell %d on frame %d")                                                      \
    X(kStepChangeCell, kStatus, "Change cell %d on frame %d")                                                \
    X(kStepPattern, kStatus, "Pattern %d of picture %d on cell %d")                                          \
    X(kStepPasteFrames, kStatus, "Paste %d frames at frame %d")                                              \
    X(kStepPasteRange, kStatus, "Paste at frame %d, cell %d")                                                \
    X(kStepCutRange, kStatus, "Cut frames %d to %d")                                                         \
    X(kStepDeleteRange, kStatus, "Delete cells of frames %d to %d")                                          \
    X(kStepCompensate, kStatus, "Tween frames %d to %d")                                                     \
    X(kStepSpline, kStatus, "Spline curve from frame %d")                                                    \
    X(kStepBatch, kStatus, "Batch edit")                                                                     \
    X(kStepInterval, kStatus, "Interval %d on frames %d to %d")                                              \
    X(kStepLockTable, kStatus, "Lock cell numbers to pictures")                                              \
    X(kStepLockCell, kStatus, "Lock cell number %d to picture %d")                                           \
    X(kStepAddPicture, kStatus, "Add picture %d")                                                            \
    X(kStepChangePicture, kStatus, "Change picture %d")                                                      \
    X(kStepDeletePicture, kStatus, "Delete picture %d")                                                      \
    X(kStepCutPicture, kStatus, "Cut picture %d")                                                            \
    X(kStepPastePicture, kStatus, "Paste picture %d")                                                        \
    X(kStepMovePicture, kStatus, "Move picture %d to %d")                                                    \
    X(kStepFullPicturePaths, kStatus, "Name the pictures by their full paths")                               \
    X(kStepAddSound, kStatus, "Add sound effect at frame %d")                                                \
    X(kStepAddFlash, kStatus, "Add flash at frame %d")                                                       \
    X(kStepAddEffect, kStatus, "Add timing at frame %d")                                                     \
    X(kStepChangeEffect, kStatus, "Change timing at frame %d")                                               \
    X(kStepDeleteEffect, kStatus, "Delete timing at frame %d")                                               \
    X(kStepCutEffect, kStatus, "Cut timing at frame %d")                                                     \
    X(kStepPasteEffect, kStatus, "Paste timing at frame %d")                                                 \
    X(kStepProjectSettings, kStatus, "Project settings")                                                     \
    X(kStepRenameAnimation, kStatus, "Rename the animation to %s")                                           \
    X(kStepCellNumber, kStatus, "Cell numbers: %d")                                                          \
    X(kStepRebasePaths, kStatus, "Picture and sound paths for the folder %s")                                \
    /* what a clipboard export could not carry, one line per kind */                                         \
    X(kLossFramesOut, kReport, "%d frames past the limit of %d left out")                                    \
    X(kLossFramesOutOne, kReport, "1 frame past the limit of %d left out")                                   \
    X(kLossCellsOut, kReport, "%d cells past the limit of %d per frame left out")                            \
    X(kLossCellsOutOne, kReport, "1 cell past the limit of %d per frame left out")                           \
    X(kLossPicturesOut, kReport, "%d pictures left out: the product holds only %d")                          \
    X(kLossPicturesOutOne, kReport, "1 picture left out: the product holds only %d")                         \
    X(kLossCellPicturesOut, kReport,                                                                         \
      "%d cells are drawn with another picture: the product cannot name theirs")                             \
    X(kLossCellPicturesOutOne, kReport,                                                                      \
      "1 cell is drawn with another picture: the product cannot name its own")                               \
    X(kLossPatternsOut, kReport, "%d cells' patterns were held to the range 1..%d")                          \
    X(kLossPatternsOutOne, kReport, "1 cell's pattern was held to the range 1..%d")                          \
    X(kLossTonesOut, kReport, "%d cells lose their colour tone and saturation")                              \
    X(kLossTonesOutOne, kReport, "1 cell loses its colour tone and saturation")                              \
    X(kLossAnglesOut, kReport, "%d cells lose their angle: the product cannot turn cells")                   \
    X(kLossAnglesOutOne, kReport, "1 cell loses its angle: the product cannot turn cells")                   \
    X(kLossMirrorOut, kReport, "%d cells lose their mirroring")                                              \
    X(kLossMirrorOutOne, kReport, "1 cell loses its mirroring")                                              \
    X(kLossMagnificationOut, kReport,                                                                        \
      "%d cells have different x and y magnifications: the product keeps one zoom (the larger)")             \
    X(kLossMagnificationOutOne, kReport,                                                                     \
      "1 cell has different x and y magnifications: the product keeps one zoom (the larger)")                \
    X(kLossZoomRangeOut, kReport, "%d cells' zooms were held to the product's range")                        \
    X(kLossZoomRangeOutOne, kReport, "1 cell's zoom was held to the product's range")                        \
    X(kLossBlendOut, kReport, "%d cells' drawing methods are not in the product and became normal")          \
    X(kLossBlendOutOne, kReport, "1 cell's drawing method is not in the product and became normal")          \
    X(kLossHueOut, kReport, "the picture's hue is left out: the product has no hue")                         \
    X(kLossTimingsOut, kReport, "%d effects past the limit of %d left out")                                  \
    X(kLossTimingsOutOne, kReport, "1 effect past the limit of %d left out")                                 \
    X(kLossUserDataOut, kReport, "%d effects lose their user data")                                          \
    X(kLossUserDataOutOne, kReport, "1 effect loses its user data")                                          \
    X(kLossFlashDurationOut, kReport, "%d flashes last 8 frames: the product has no flash duration")         \
    X(kLossFlashDurationOutOne, kReport, "1 flash lasts 8 frames: the product has no flash duration")        \
    X(kLossFlashHideOut, kReport, "%d flashes that hide the target left out")                                \
    X(kLossFlashHideOutOne, kReport, "1 flash that hides the target left out")                               \
    X(kLossBalanceOut, kReport, "%d sounds lose their balance: the product plays sounds centred")            \
    X(kLossBalanceOutOne, kReport, "1 sound loses its balance: the product plays sounds centred")            \
    /* pictures an image export could not draw */                                                            \
    X(kMsgExportMissingPicture, kReport, "Picture %d (%s) could not be loaded: %s; its cells are left out")  \
    /* pictures and sounds a loaded animation names but that are not there */                                \
    X(kMsgPicturesNotFound, kReport, "%d pictures not found: %s")                                            \
    X(kMsgPictureNotFound, kReport, "1 picture not found: %s")                                               \
    X(kMsgSoundsNotFound, kReport, "%d sound files not found: %s")                                           \
    X(kMsgSoundNotFound, kReport, "1 sound file not found: %s")

enum eMessageId : int {
#define PELKO_MESSAGE_ID(id, kind, text) id,
    PELKO_DOCUMENT_MESSAGES(PELKO_MESSAGE_ID) PELKO_REASON_MESSAGES(PELKO_MESSAGE_ID)
#undef PELKO_MESSAGE_ID
        kMsgCount
};

struct strMessage;

// A message given as the argument of another ("Undone: %s" with the label of the step); it is
// formatted where the outer message is, so that both can be translated.
struct strNestedMessage {
    std::shared_ptr<const strMessage> message;
    bool operator==(const strNestedMessage& other) const;
};

// One argument of a message.
using strMessageArg = std::variant<long long, double, std::string, strNestedMessage>;

// A message id with its arguments. id kMsgNone means "show nothing".
struct strMessage {
    eMessageId id = kMsgNone;
    std::vector<strMessageArg> args;

    strMessage() = default;
    template <class... A> explicit strMessage(eMessageId i, A&&... a) : id(i) {
        args.reserve(sizeof...(A));
        (args.push_back(toArg(std::forward<A>(a))), ...);
    }

    bool none() const { return id == kMsgNone; }
    bool operator==(const strMessage&) const = default;

  private:
    template <class T> static strMessageArg toArg(T&& v) {
        if constexpr (std::is_same_v<std::decay_t<T>, strMessage>) {
            return strNestedMessage{std::make_shared<const strMessage>(std::forward<T>(v))};
        } else if constexpr (std::is_integral_v<std::decay_t<T>>) {
            return static_cast<long long>(v);
        } else if constexpr (std::is_floating_point_v<std::decay_t<T>>) {
            return static_cast<double>(v);
        } else {
            return std::string(std::forward<T>(v));
        }
    }
};

// m as the argument of another message (translated on its own where the outer one is).
inline strMessageArg Nested(strMessage m) {
    return strNestedMessage{std::make_shared<const strMessage>(std::move(m))};
}

// The text of an id as given (with its conversions); "" for kMsgNone or an unknown id.
const char* MessageText(eMessageId id);
// How the message is shown; kNone for kMsgNone or an unknown id.
eMessageKind MessageKind(eMessageId id);
// "Information", "Confirmation", "Error"; "" for status and none.
const char* MessageCaption(eMessageKind kind);
// The identifier's name ("kMsgFrameDone"), for traces and test output.
const char* MessageName(eMessageId id);

// The formatted text, as the status bar shows it: at most 511 bytes (a 512-byte buffer). "" for kMsgNone.
std::string FormatMessage(const strMessage& m);
// The same formatting for any printf-style text: each conversion takes the next argument and goes
// through snprintf with a conversion rebuilt for the argument's own type.
std::string FormatMessageText(const char* format, const std::vector<strMessageArg>& args);

// The minute and second of the local clock, for "The command could not be carried out (%02d:%02d)".
void LocalMinuteSecond(int& minute, int& second);
// "The command could not be carried out (%02d:%02d)" with the given minute and second.
inline strMessage ProcessingFailed(int minute, int second) {
    return strMessage(kMsgProcessingFailed, minute, second);
}

// A label of a count: the plural id with the count, or the singular id right after it for one.
inline strMessage Counted(eMessageId plural, int count) {
    return count == 1 ? strMessage(static_cast<eMessageId>(plural + 1)) : strMessage(plural, count);
}

// "the project has 1500 frames; a project holds at most 1000" (kWhyTooManyFrames or kWhyTooManyEffects).
inline strMessage LimitMessage(eMessageId what, long long count, int limit) {
    return strMessage(what, count, limit);
}
