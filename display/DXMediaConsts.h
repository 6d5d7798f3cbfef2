// The message texts of the sound-capture stream and the AVI recorder, and the names
// they are formatted with. The display wrappers' own texts are in DXConsts.h.
#pragma once

// Formatted into "%s cannot be initialized" and "%s cannot be made" (DXConsts.h).
inline constexpr const char SDirectSoundCapture[] = "DirectSoundCapture";
inline constexpr const char SSoundCaptureBuffer[] = "Sound Capture Buffer";

inline constexpr const char SAviCannotCreateFile[] = "Cannot create AVI file. Disk full or file in use?";
inline constexpr const char SAviCannotCreateStream[] = "Cannot create AVI stream.";
inline constexpr const char SAviCannotMakeCompressedStream[] = "Cannot make compressed stream. ";
inline constexpr const char SAviNoSuchCompressor[] = "No such compressor found";
inline constexpr const char SAviSetFormatError[] = "AVIStreamSetFormat Error";
inline constexpr const char SAviAddFrameError[] = "Add Frame Error";
inline constexpr const char SAviNotCreated[] = "Cannot close AVI file. AVI file not created.";
inline constexpr const char SAviOverwrite[] = "Overwrite file %s?";
inline constexpr const char SAviFilter[] = "AVI Files (*.avi)|*.avi";
inline constexpr const char SAviEmptyFrame[] = "Cannot record frames of %d x %d pixels: a frame has at least one pixel each way.";
inline constexpr const char SAviFrameTooLarge[] =
    "Cannot record frames of %d x %d pixels: a frame's 24-bit pixels may take at most 2 GB.";
inline constexpr const char SAviFrameOutOfMemory[] = "Not enough memory for frames of %d x %d pixels.";
