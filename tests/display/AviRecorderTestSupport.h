// Helpers of the AVI recorder's tests: a stand-in for the codec dialog, a responder
// that answers the save dialog and the overwrite question, reading recorded files back
// through AVIFile, and the expectations that the ffprobe check compares each file with.
#pragma once

#include <windows.h>
#include <vfw.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/GuiTest.h"
#include "forms/dialogs/Dialogs.h"

// The codec dialog answered for the user: confirmed with Handler, or cancelled.
struct CodecDialogAnswer {
  static inline bool confirm = true;
  static inline DWORD handler = mmioFOURCC('D', 'I', 'B', ' ');
  static inline int calls = 0;
  static inline UINT flags = 0;
  static inline int streams = 0;
  static inline HWND owner = nullptr;
  static void Reset() {
    confirm = true;
    handler = mmioFOURCC('D', 'I', 'B', ' ');
    calls = 0;
    flags = 0;
    streams = 0;
    owner = nullptr;
  }
  static INT_PTR WINAPI Answer(HWND window, UINT f, int n, PAVISTREAM*, LPAVICOMPRESSOPTIONS* options) {
    ++calls;
    flags = f;
    streams = n;
    owner = window;
    if (!confirm) return FALSE;
    options[0]->fccType = streamtypeVIDEO;
    options[0]->fccHandler = handler;
    options[0]->dwFlags = AVICOMPRESSF_VALID;
    return TRUE;
  }
};

// Answers the save dialog with FileName (or cancels it when empty) and every message
// box with Answer, recording both.
class TSaveDialogResponder : public TRecordingResponder {
public:
  std::string fileName;
  int dialogs = 0;
  std::string filter, defaultExt;
  TOpenOptions options;
  bool ExecuteDialog(TCommonDialog& dialog, HWND) override {
    ++dialogs;
    auto* save = dynamic_cast<TSaveDialog*>(&dialog);
    if (!save) return false;
    filter = save->Filter;
    defaultExt = save->DefaultExt;
    options = save->Options;
    if (fileName.empty()) return false;
    save->FileName = fileName;
    return true;
  }
};

// A recorded file read back through AVIFile.
struct AviContents {
  bool opened = false;
  int videoStreams = 0, audioStreams = 0;
  AVISTREAMINFOA video{}, audio{};
  BITMAPINFOHEADER frameFormat{};
  WAVEFORMATEX audioFormat{};
  std::vector<std::vector<BYTE>> frames;
  std::vector<bool> keyFrames;
  std::vector<BYTE> sound;
};

inline AviContents ReadAvi(const std::string& file) {
  AviContents c;
  AVIFileInit();
  PAVIFILE avi = nullptr;
  if (AVIFileOpenA(&avi, file.c_str(), OF_READ, nullptr) == 0) {
    c.opened = true;
    PAVISTREAM s = nullptr;
    if (AVIFileGetStream(avi, &s, streamtypeVIDEO, 0) == 0) {
      c.videoStreams = 1;
      AVIStreamInfoA(s, &c.video, sizeof c.video);
      LONG size = sizeof c.frameFormat;
      AVIStreamReadFormat(s, 0, &c.frameFormat, &size);
      const LONG length = AVIStreamLength(s);
      for (LONG i = 0; i < length; ++i) {
        LONG bytes = 0;
        AVIStreamRead(s, i, 1, nullptr, 0, &bytes, nullptr);
        std::vector<BYTE> frame(static_cast<size_t>(bytes));
        AVIStreamRead(s, i, 1, frame.data(), bytes, &bytes, nullptr);
        c.frames.push_back(frame);
        c.keyFrames.push_back(AVIStreamIsKeyFrame(s, i));
      }
      AVIStreamRelease(s);
      if (AVIFileGetStream(avi, &s, streamtypeVIDEO, 1) == 0) {
        ++c.videoStreams;
        AVIStreamRelease(s);
      }
    }
    if (AVIFileGetStream(avi, &s, streamtypeAUDIO, 0) == 0) {
      c.audioStreams = 1;
      AVIStreamInfoA(s, &c.audio, sizeof c.audio);
      LONG size = sizeof c.audioFormat;
      AVIStreamReadFormat(s, 0, &c.audioFormat, &size);
      const LONG length = AVIStreamLength(s);
      LONG bytes = 0;
      if (length > 0) {
        AVIStreamRead(s, 0, length, nullptr, 0, &bytes, nullptr);
        c.sound.resize(static_cast<size_t>(bytes));
        AVIStreamRead(s, 0, length, c.sound.data(), bytes, &bytes, nullptr);
      }
      AVIStreamRelease(s);
    }
    AVIFileRelease(avi);
  }
  AVIFileExit();
  return c;
}

// The data of every chunk with the given identifier ("01wb": the second stream's
// sound), in file order, found by walking the RIFF structure itself.
inline void CollectChunks(const std::vector<BYTE>& file, size_t begin, size_t end, const char* id,
                          std::vector<BYTE>& out) {
  size_t pos = begin;
  while (pos + 8 <= end) {
    const char* tag = reinterpret_cast<const char*>(&file[pos]);
    const DWORD size = *reinterpret_cast<const DWORD*>(&file[pos + 4]);
    const size_t dataEnd = std::min(end, pos + 8 + static_cast<size_t>(size));
    if (std::memcmp(tag, "RIFF", 4) == 0 || std::memcmp(tag, "LIST", 4) == 0)
      CollectChunks(file, pos + 12, dataEnd, id, out);
    else if (std::memcmp(tag, id, 4) == 0)
      out.insert(out.end(), file.begin() + static_cast<long>(pos + 8), file.begin() + static_cast<long>(dataEnd));
    pos += 8 + size + (size & 1);
  }
}

inline std::vector<BYTE> ChunkData(const std::string& fileName, const char* id) {
  std::ifstream in(fileName, std::ios::binary);
  std::vector<BYTE> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<BYTE> out;
  CollectChunks(file, 0, file.size(), id, out);
  return out;
}

// The colour at (x, y), 0 = top, of a bottom-up 24-bit frame, as 0x00RRGGBB.
inline DWORD FramePixel(const AviContents& c, size_t frame, int x, int y) {
  const int stride = (c.frameFormat.biWidth * 3 + 3) & ~3;
  const int row = c.frameFormat.biHeight - 1 - y;
  const BYTE* p = c.frames.at(frame).data() + row * stride + x * 3;
  return (DWORD(p[2]) << 16) | (DWORD(p[1]) << 8) | p[0];
}

// What the ffprobe check expects of File: one line per stream, as ffprobe prints it.
inline void ExpectFromFfprobe(const std::string& file, const std::vector<std::string>& streams) {
  std::ofstream out(file + ".expect", std::ios::binary | std::ios::trunc);
  for (const std::string& s : streams) out << s << "\n";
}
