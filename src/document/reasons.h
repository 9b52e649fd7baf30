#pragma once
// Why something could not be read or written: the reasons a file, a clipboard payload or a
// picture gives for a failure. They are messages of the document table (strMessage), so that the
// editor shows them in the user's language and `pelko` prints the English text. A reason that
// names a part of its input ("the file ends early in frame 3") takes that part as a nested
// message, translated on its own.
//
// To add a reason: one line in PELKO_REASON_MESSAGES (id, kind, text); messages.h includes the
// list after its own.

// X(id, kind, text)
#define PELKO_REASON_MESSAGES(X)                                                                             \
    /* files on disk: the system's own words (errno text) come last */                                       \
    X(kWhyFileMissing, kError, "%s does not exist")                                                          \
    X(kWhyFileDenied, kError, "%s may not be read or written (permission denied)")                           \
    X(kWhyCannotOpen, kError, "cannot open %s: %s")                                                          \
    X(kWhyNotRegularFile, kError, "not a regular file: %s")                                                  \
    X(kWhyFileTooLarge, kError, "%s is too large (more than %d MiB)")                                        \
    X(kWhyCannotRead, kError, "cannot read %s: %s")                                                          \
    X(kWhyCannotWrite, kError, "cannot write %s: %s")                                                        \
    X(kWhyCannotReplace, kError, "cannot replace %s: %s")                                                    \
    X(kWhyCannotMakeTemporary, kError, "cannot create a temporary file beside %s: %s")                       \
    X(kWhyOther, kError, "%s")                                                                               \
    /* project files */                                                                                      \
    X(kWhyUnknownFormat, kError,                                                                             \
      "not a project file (unknown format): it begins with neither PELK_BIN, PELK_TEX nor nani")             \
    X(kWhyUnknownSaveFormat, kError, "unknown save format %d")                                               \
    X(kWhyOutOfMemory, kError, "out of memory")                                                              \
    X(kWhyTooManyFrames, kError, "the project has %d frames; a project holds at most %d")                    \
    X(kWhyTooManyEffects, kError, "the project has %d effects; a project holds at most %d")                  \
    X(kWhyBinaryHeader, kError, "not a binary project (header missing or damaged)")                          \
    X(kWhyBinaryEndsEarly, kError, "the file ends early in %s (truncated or damaged)")                       \
    X(kWhyBinaryPictures, kError,                                                                            \
      "the binary format holds at most 255 pictures; this project uses %d (save it in the text format)")     \
    X(kWhyBinarySounds, kError,                                                                              \
      "the binary format holds at most 255 distinct sound files; this project uses %d (save it in the text " \
      "format)")                                                                                             \
    X(kWhyTextFirstLine, kError, "not a text project (the first line is not \"PELK_TEX\")")                  \
    X(kWhyTextMissingLine, kError, "line %d: %s missing (the file ends early)")                              \
    X(kWhyTextEmptyHeaderLine, kError, "line %d: an empty line where a header record was expected")          \
    X(kWhyTextEmptyFrameLine, kError, "line %d: an empty line where a frame record was expected")            \
    X(kWhyTextPictureSlot, kError,                                                                           \
      "line %d: picture %d lies outside the %d picture slots the header makes room for")                     \
    X(kWhyTextNoCounts, kError, "the header has no \"1\" record (frame, cell and picture counts)")           \
    X(kWhyLegacyMagic, kError, "not a legacy animation file (it does not begin with \"nani\")")              \
    /* parts of a project file, for the reasons above */                                                     \
    X(kPartHeader, kNone, "the header")                                                                      \
    X(kPartLockTable, kNone, "the cell lock table")                                                          \
    X(kPartPicture, kNone, "picture %d")                                                                     \
    X(kPartSound, kNone, "sound file %d")                                                                    \
    X(kPartEffect, kNone, "effect %d")                                                                       \
    X(kPartFrame, kNone, "frame %d")                                                                         \
    X(kPartNameLine, kNone, "the name line")                                                                 \
    X(kPartUserDataLine, kNone, "the user-data line")                                                        \
    X(kPartHeaderEnd, kNone, "the \"9\" line that ends the header")                                          \
    X(kPartPicturePath, kNone, "the path line of picture record \"2\"")                                      \
    X(kPartSoundPath, kNone, "the path line of sound record \"3\"")                                          \
    X(kPartClosingLine, kNone, "the closing \"9\" line")                                                     \
    X(kPartEffectBlock, kNone, "a block line of an effect group")                                            \
    X(kPartEffectSound, kNone, "the sound path line after \"6\"")                                            \
    X(kPartEffectUserData, kNone, "the user-data line after \"7\"")                                          \
    /* clipboard payloads */                                                                                 \
    X(kWhyNo2000OnClipboard, kError, "the clipboard holds no RPG Maker 2000 data")                           \
    X(kWhyNoMarshalOnClipboard, kError, "the clipboard holds no RPG Maker XP, VX or VX Ace animation")       \
    X(kWhyNoMvOnClipboard, kError, "the clipboard holds no MV animation")                                    \
    X(kWhyNoSuchAnimation, kError, "the clipboard holds no animation of that kind")                          \
    X(kWhyClipboardRefused, kError, "the clipboard did not take the data")                                   \
    X(kWhyNoExport, kError, "no export for that product")                                                    \
    X(kWhyNot2000, kError, "not an RPG Maker 2000 animation: %s (byte %d)")                                  \
    X(kWhyNotMarshal, kError, "not an RPG Maker XP, VX or VX Ace animation: %s (byte %d)")                   \
    X(kWhyNotMv, kError, "not an RPG Maker MV animation: %s")                                                \
    /* what is wrong inside a 2000 record; %s names the record */                                            \
    X(kLcfShortBlock, kNone, "the block is shorter than its 8-byte header")                                  \
    X(kLcfHeaderWords, kNone, "the header words are not positive")                                           \
    X(kLcfNoFrames, kNone, "the animation record has no frames")                                             \
    X(kLcfTrailingData, kNone, "data follows the animation record")                                          \
    X(kLcfNumberPastChunk, kNone, "a number runs past the end of its chunk")                                 \
    X(kLcfNumberTooLarge, kNone, "a number does not fit in 32 bits")                                         \
    X(kLcfNoEnd, kNone, "the %s has no end")                                                                 \
    X(kLcfIdsNotAscending, kNone, "chunk ids of the %s are not ascending")                                   \
    X(kLcfChunkPastEnd, kNone, "a chunk of the %s runs past its end")                                        \
    X(kLcfChunkTooLong, kNone, "a chunk of the %s holds more than its value")                                \
    X(kLcfIndicesNotAscending, kNone, "the indices of the %ss are not ascending")                            \
    X(kLcfEndsInRecord, kNone, "the block ends inside the animation record")                                 \
    X(kLcfAnimationRecord, kNone, "animation record")                                                        \
    X(kLcfTimingRecord, kNone, "timing record")                                                              \
    X(kLcfSoundRecord, kNone, "sound record")                                                                \
    X(kLcfFrameRecord, kNone, "frame record")                                                                \
    X(kLcfCellRecord, kNone, "cell record")                                                                  \
    /* what is wrong inside a Ruby Marshal dump */                                                           \
    X(kRubyShort, kNone, "the payload is too short")                                                         \
    X(kRubyLarge, kNone, "the payload is too large")                                                         \
    X(kRubyVersion, kNone, "not a Ruby Marshal 4.8 dump")                                                    \
    X(kRubyNoArray, kNone, "the payload holds no animation")                                                 \
    X(kRubyNoAnimation, kNone, "the payload holds no RPG::Animation")                                        \
    X(kRubyBadLink, kNone, "a link to an object that was not read")                                          \
    X(kRubyLinksDeep, kNone, "object links nested too deeply")                                               \
    X(kRubyLinksMany, kNone, "too many object links")                                                        \
    X(kRubyEndsInValue, kNone, "the payload ends inside a value")                                            \
    X(kRubyEndsInNumber, kNone, "the payload ends inside a number")                                          \
    X(kRubyNegativeLength, kNone, "negative length")                                                         \
    X(kRubyNegativeCount, kNone, "negative count")                                                           \
    X(kRubySymbols, kNone, "too many symbols")                                                               \
    X(kRubySymbolExpected, kNone, "a symbol was expected")                                                   \
    X(kRubyValuesDeep, kNone, "values nested too deeply")                                                    \
    X(kRubyUnknownType, kNone, "unknown value type")                                                         \
    /* what is wrong inside an MV payload */                                                                 \
    X(kMvTooLarge, kNone, "the payload is too large")                                                        \
    X(kMvTooDeep, kNone, "the JSON text nests too deeply")                                                   \
    X(kMvNotJson, kNone, "the JSON text cannot be parsed")                                                   \
    X(kMvUnreadable, kNone, "the JSON text cannot be read")                                                  \
    X(kMvTopNotArray, kNone, "the top level is not an array")                                                \
    X(kMvTopEmpty, kNone, "the top-level array is empty")                                                    \
    X(kMvNotObject, kNone, "the animation is not an object")                                                 \
    X(kMvFieldMissing, kNone, "\"%s\" is missing or not a %s")                                               \
    X(kMvFramesEmpty, kNone, "\"frames\" is empty")                                                          \
    X(kMvFrameNotArray, kNone, "frame %d is not an array")                                                   \
    X(kMvCellNotArray, kNone, "cell %d of frame %d is not an array")                                         \
    X(kMvTimingNotObject, kNone, "timing %d is not an object")                                               \
    X(kMvString, kNone, "string")                                                                            \
    X(kMvNumber, kNone, "number")                                                                            \
    X(kMvArray, kNone, "array")                                                                              \
    /* pictures */                                                                                           \
    X(kWhyPictureUnreadable, kError, "the file cannot be read")                                              \
    X(kWhyPictureUnknown, kError, "not a BMP, PNG, GIF or XYZ picture")                                      \
    X(kWhyPictureNotLoadable, kError, "%s pictures cannot be loaded")                                        \
    X(kWhyPictureTooLarge, kError, "%d x %d pixels would take %d MiB; a picture may take at most %d MiB")    \
    X(kWhyPictureFileTooLarge, kError, "the file is larger than %d MiB; no picture it holds can be loaded")  \
    X(kWhyPictureDamaged, kError, "the %s data is damaged or of an unsupported kind")                        \
    X(kWhyPictureBudget, kError,                                                                             \
      "%s would bring the pictures to %d MiB; a project's pictures may take at most %d MiB in all")          \
    X(kWhyPictureDivision, kError, "its division into %d x %d does not fit the picture")                     \
    X(kWhyPictureNotLoaded, kError, "it is not loaded")                                                      \
    X(kPartTargetPicture, kNone, "the target picture")                                                       \
    /* image exports */                                                                                      \
    X(kWhyExportZoom, kError, "the zoom must be above 0")                                                    \
    X(kWhyExportRate, kError, "the frame rate must be at least 1")                                           \
    X(kWhyExportDivision, kError, "the division number must be at least 1")                                  \
    X(kWhyExportNoFrames, kError, "the animation has no frames to export")                                   \
    X(kWhyExportEmpty, kError, "the capture area is empty")                                                  \
    X(kWhyExportZoomedEmpty, kError, "the zoomed image is empty")                                            \
    X(kWhyExportTooLarge, kError, "the image would be %d x %d pixels; the limit is %d")                      \
    X(kWhyExportGifTooLarge, kError, "the GIF would be %d x %d pixels; the limit is %d")
