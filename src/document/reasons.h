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
    X(kWhyCannotFollowLink, kError, "cannot follow the symbolic links at %s: %s")                            \
    X(kWhyOther, kError, "%s")                                                                               \
    X(kWhyBecause, kError, "%s: %s")                                                                         \
    X(kWhyInFile, kError, "%s: %s")                                                                          \
    /* the system's reasons, the last argument of the file reasons above */                                  \
    X(kSysUnknown, kNone, "no reason given")                                                                 \
    X(kSysNotFound, kNone, "no such file or folder")                                                         \
    X(kSysDenied, kNone, "permission denied")                                                                \
    X(kSysDiskFull, kNone, "the disk is full")                                                               \
    X(kSysQuota, kNone, "the disk quota is used up")                                                         \
    X(kSysReadOnly, kNone, "the file system is read-only")                                                   \
    X(kSysIsFolder, kNone, "it is a folder")                                                                 \
    X(kSysNotFolder, kNone, "a part of the path is not a folder")                                            \
    X(kSysNameTooLong, kNone, "the name is too long")                                                        \
    X(kSysLinkLoop, kNone, "too many symbolic links")                                                        \
    X(kSysExists, kNone, "the file already exists")                                                          \
    X(kSysBusy, kNone, "the file is in use")                                                                 \
    X(kSysInputOutput, kNone, "a read or write error of the device")                                         \
    X(kSysTooManyFiles, kNone, "too many files are open")                                                    \
    X(kSysFileTooBig, kNone, "the file is too large for the file system")                                    \
    X(kSysOtherDevice, kNone, "the file is on another drive")                                                \
    X(kSysTryAgain, kNone, "the file is locked or not available just now")                                   \
    X(kSysNotEmpty, kNone, "the folder is not empty")                                                        \
    X(kSysNoDevice, kNone, "the device is not available")                                                    \
    X(kSysTimedOut, kNone, "the device did not answer in time")                                              \
    X(kSysStale, kNone, "the network file is no longer available")                                           \
    X(kSysInvalid, kNone, "the system refused the request as invalid")                                       \
    X(kSysError, kNone, "system error %d")                                                                   \
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
    X(kWhy2000NeedsPicture, kError,                                                                          \
      "the RPG Maker 2000 format names the animation's picture, and this animation has no picture")          \
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
    X(kWhyExportGifTooLarge, kError, "the GIF would be %d x %d pixels; the limit is %d")                     \
    X(kWhyExportNoProject, kError, "there is no animation to export")                                        \
    X(kWhyExportNoPath, kError, "no file name was given for the export")                                     \
    X(kWhyExportNoPictures, kError, "the pictures of the animation are not loaded")                          \
    X(kWhyExportNotRunning, kError, "the export is not running")                                             \
    /* GIF files read as animations */                                                                       \
    X(kGifNotGif, kNone, "not a GIF file")                                                                   \
    X(kGifScreenSize, kNone, "the logical screen of %d x %d pixels is empty or too large")                   \
    X(kGifEndsEarly, kNone, "the file ends before its trailer")                                              \
    X(kGifBadExtension, kNone, "a damaged extension block")                                                  \
    X(kGifUnknownRecord, kNone, "an unknown record")                                                         \
    X(kGifBadDescriptor, kNone, "a damaged image descriptor")                                                \
    X(kGifImageOutside, kNone, "image %d lies outside the logical screen")                                   \
    X(kGifImageUnreadable, kNone, "image %d cannot be read")                                                 \
    X(kGifBadImageData, kNone, "damaged image data")                                                         \
    X(kGifNoImage, kNone, "the file holds no image")                                                         \
    X(kGifUnreadable, kNone, "the GIF cannot be read")                                                       \
    X(kGifFrameTooLarge, kNone, "a frame of %d x %d pixels is too large")                                    \
    X(kGifFramesTooLarge, kNone, "the frames would take more than %d MiB")                                   \
    X(kGifImportUnreadable, kError, "cannot read the GIF: %s")                                               \
    X(kGifImportTooManyFrames, kError, "the GIF has %d frames; an animation holds at most %d")               \
    /* pattern sheets */                                                                                     \
    X(kSheetFramesTooLarge, kError, "the frames would take more memory than allowed")                        \
    X(kSheetNotMultiple, kError, "%s is %d x %d pixels, not a multiple of the %d x %d frames")               \
    X(kSheetNot32Bits, kError, "the sheet is not 32 bits a pixel")                                           \
    X(kSheetPartlyTransparent, kError, "the sheet has partly transparent pixels")                            \
    X(kSheetTooManyColours, kError, "the sheet has more than %d colours")                                    \
    X(kSheetPatternTooLarge, kError, "a pattern may be at most %d pixels a side")                            \
    X(kSheetRowTooLong, kError, "at most %d patterns a row")                                                 \
    X(kSheetNoFrames, kError, "no frames to lay out")                                                        \
    X(kSheetTooManyFrames, kError, "%d frames: %s reads at most %d patterns in one picture")                 \
    X(kSheetFrameNot32Bits, kError, "frame %d is not a 32-bit image")                                        \
    X(kSheetTooWide, kError, "the sheet would be %d x %d pixels; a picture may be at most %d a side")        \
    X(kSheetTooLarge, kError,                                                                                \
      "the sheet would be %d x %d pixels, more than a picture may take when it is loaded")                   \
    X(kSheetCannotList, kError, "cannot list the folder %s")                                                 \
    X(kSheetNoPictures, kError, "%s holds no pictures (.png .bmp .gif .xyz)")                                \
    X(kSheetNoFramesRead, kError, "no frames to read")                                                       \
    X(kPartThisEditor, kNone, "this editor")                                                                 \
    /* picture and animation writers */                                                                      \
    X(kPngCannotStart, kError, "the PNG library cannot start")                                               \
    X(kPngEncodingFailed, kError, "PNG encoding failed")                                                     \
    X(kPngNoImage, kError, "no image to encode")                                                             \
    X(kPngNot32Bits, kError, "the image is not 32 bits per pixel")                                           \
    X(kPngNotPalette, kError, "the image is not an 8-bit palette image")                                     \
    X(kAnimNoFrames, kError, "no frames to write")                                                           \
    X(kAnimNotOpen, kError, "the animation file is not open")                                                \
    X(kAnimFrameSize, kError, "a frame does not have the animation's size")                                  \
    X(kAnimTooManyFrames, kError, "more frames than announced")                                              \
    X(kWebpTooLarge, kError, "a WebP picture is at most %d pixels a side")                                   \
    X(kWebpLibraryMismatch, kError, "the installed WebP library does not match")                             \
    X(kWebpTooLong, kError, "the animation is too long for WebP")                                            \
    X(kWebpEncodingFailed, kError, "WebP encoding failed")                                                   \
    X(kGifCannotStart, kError, "the GIF library cannot start (error %d)")                                    \
    X(kGifLibraryError, kNone, "the GIF library reported error %d")                                          \
    X(kGifCannotCompress, kError, "cannot compress a frame")                                                 \
    X(kGifCannotSpill, kError, "cannot keep a frame in the scratch file: %s")                                \
    X(kGifCannotUnspill, kError, "cannot read a frame back from the scratch file")                           \
    X(kGifSpillDamaged, kError, "a frame in the scratch file is damaged")                                    \
    X(kGifFrameNot32Bits, kError, "a frame without a 32-bit picture")                                        \
    X(kGifNoFrames, kError, "no frames")                                                                     \
    X(kGifReduceOutOfMemory, kError, "out of memory while reducing the colours of frame %d")                 \
    X(kGifCannotBuildPalette, kNone, "cannot build the global palette")                                      \
    X(kGifCannotBuildLocalPalette, kNone, "cannot build a local palette")                                    \
    X(kGifCannotWriteScreen, kNone, "cannot write the screen descriptor")                                    \
    X(kGifCannotWriteLoop, kNone, "cannot write the loop block")                                             \
    X(kGifCannotWriteComment, kNone, "cannot write the comment")                                             \
    X(kGifCannotWriteControl, kNone, "cannot write a graphic control extension")                             \
    X(kGifCannotWriteDescriptor, kNone, "cannot write an image descriptor")                                  \
    X(kGifCannotWriteImage, kNone, "cannot write image data")                                                \
    X(kGifCannotFinish, kNone, "cannot finish the file")                                                     \
    /* sound effects */                                                                                      \
    X(kWhySoundOff, kError, "the sound is off")                                                              \
    X(kWhySoundNoOutput, kError, "there is no audio output")                                                 \
    X(kWhySoundOutputUnusable, kError, "the audio output cannot be used")                                    \
    X(kWhySoundNotBuilt, kError, "this program was built without sound")                                     \
    X(kWhySoundNoFileName, kError, "no sound file is named")                                                 \
    X(kWhySoundUnreadable, kError,                                                                           \
      "cannot read %s: the sound format is not supported or the data are damaged")                           \
    X(kWhySoundChannels, kError, "cannot read %s: its channel count or sample rate is not supported")        \
    X(kWhySoundEmpty, kError, "cannot read %s: it holds no sound")                                           \
    X(kWhySoundCannotLoad, kError, "the audio output cannot take the sound of %s")                           \
    /* recovery copies */                                                                                    \
    X(kRecoveryNoFolder, kError, "the settings file has no folder")                                          \
    X(kRecoveryCannotMakeFolder, kError, "cannot create the folder %s")                                      \
    X(kRecoveryCannotLock, kError, "cannot create the lock file %s: %s")                                     \
    X(kRecoveryNotOpen, kError, "the recovery folder is not open")                                           \
    X(kRecoveryNoDescription, kError, "the copy has no description")                                         \
    X(kRecoveryInUse, kError, "the copy belongs to an editor that is running")                               \
    X(kRecoveryTaken, kError, "another editor has taken the copy")                                           \
    X(kRecoveryMovedTo, kError, "%s (moved to %s)")                                                          \
    X(kRecoveryCannotRemove, kError, "cannot remove %s")                                                     \
    X(kRecoveryNotProject, kError, "the copy is not a project")                                              \
    X(kRecoveryDamaged, kError, "the copy is damaged")                                                       \
    X(kRecoveryNotJson, kError, "the description is not JSON")                                               \
    X(kRecoveryUnknownFormat, kError, "the description has an unknown format")                               \
    X(kRecoveryNoOrigin, kError, "the description names no origin")                                          \
    X(kRecoveryDamagedText, kError, "the description has a damaged text")                                    \
    X(kRecoveryNoFile, kError, "the description names no file")                                              \
    X(kRecoveryDamagedDescription, kError, "the description is damaged")                                     \
    /* game databases and the Ruby Marshal dumps they hold */                                                \
    X(kMarshalAtByte, kNone, "%s (at byte %d)")                                                              \
    X(kMarshalTooShort, kNone, "the file is too short for a Marshal dump")                                   \
    X(kMarshalTooLarge, kNone, "the file is too large")                                                      \
    X(kMarshalEndsEarly, kNone, "the dump ends early")                                                       \
    X(kMarshalEndsInNumber, kNone, "the dump ends inside a number")                                          \
    X(kMarshalNegative, kNone, "a negative count or length")                                                 \
    X(kMarshalCountTooLarge, kNone, "a count or length larger than the dump")                                \
    X(kMarshalBadSymbolLink, kNone, "a link to a symbol not defined yet")                                    \
    X(kMarshalTooDeep, kNone, "values nested too deep")                                                      \
    X(kMarshalBadWrapper, kNone, "a wrapper around a value that cannot carry one")                           \
    X(kMarshalWrappedLink, kNone, "a wrapper around an object link")                                         \
    X(kMarshalTooDeepToWrite, kNone, "values nested too deep to write")                                      \
    X(kMarshalNoValue, kNone, "a reference to no value")                                                     \
    X(kMarshalHoldsItself, kNone, "a value holds itself before it is numbered")                              \
    X(kMarshalUnknownKind, kNone, "a value of no known kind")                                                \
    X(kMvValueCut, kNone, "a JSON value is cut or missing")                                                  \
    X(kMvNotJsonAt, kNone, "the JSON text cannot be parsed (at byte %d)")                                    \
    X(kGameDbNotMarshal, kNone, "not a Marshal dump: %s")                                                    \
    X(kGameDbNoArray, kNone, "the dump does not hold an array of animations")                                \
    X(kGameDbEmpty, kNone, "animation %d is empty")                                                          \
    X(kGameDbUnreadable, kNone, "animation %d cannot be read: %s")                                           \
    X(kGameDbCannotRead, kNone, "animation %d cannot be read")                                               \
    X(kGameDbNoSuchAnimation, kNone, "there is no animation %d")                                             \
    X(kGameDbCannotWrite, kNone, "the animation cannot be written for this product")                         \
    X(kGameDbNotReadBack, kNone, "the written animation does not read back")                                 \
    X(kGameDbNotJsonArray, kNone, "the file is not a JSON array")                                            \
    X(kGameDbArrayOpen, kNone, "the JSON array is not closed")                                               \
    X(kGameDbTextAfterArray, kNone, "text follows the JSON array")                                           \
    X(kGameDbElement, kNone, "element %d: %s")                                                               \
    X(kGameDbNotObject, kNone, "animation %d is not an object")                                              \
    X(kGameDbNotSeparated, kNone, "the new element is not separated from the last one")                      \
    X(kGameDbNotOneValue, kNone, "the new element %d is not one JSON value")                                 \
    X(kGameDbNotLcf, kNone, "the file does not start with \"LcfDataBase\"")                                  \
    X(kGameDbChunkCut, kNone, "database chunk at byte %d is cut")                                            \
    X(kGameDbNoAnimationChunk, kNone, "the database has no animation chunk (0x13)")                          \
    X(kGameDbBadCount, kNone, "the animation count is wrong")                                                \
    X(kGameDbListCut, kNone, "the animation list is cut")                                                    \
    X(kGameDbIdOutOfRange, kNone, "animation id %d is out of range")                                         \
    X(kGameDbAnimationCut, kNone, "animation %d is cut")                                                     \
    X(kGameDbChunkTooLong, kNone, "the animation chunk holds more than its animations")                      \
    X(kGameDbNoGraphic, kNone, "the animation has no picture to name as its graphic")                        \
    X(kGameDbChunkTooLarge, kNone, "the animations do not fit in one database chunk")                        \
    X(kGameDbSizeChanged, kNone, "its size changed")                                                         \
    X(kGameDbContentsChanged, kNone, "its contents changed")                                                 \
    X(kGameDbTimeChanged, kNone, "its modification time changed")                                            \
    X(kGameDbChangedOnDisk, kError, "%s changed on disk since it was read (%s); open the game again")        \
    X(kGameDbNoBackup, kError, "cannot make the backup %s")                                                  \
    X(kGameDbNotOpen, kError, "no game is open")                                                             \
    X(kGameDbUnwritable, kError, "animation %d cannot be written: %s")                                       \
    X(kGameDbNewFileUnreadable, kError, "the new database does not read back (%s); nothing was written")
