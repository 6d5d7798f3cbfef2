// Wave-data streams: TCustomWaveStream, whose byte position stays inside its data and
// whose data and format come from virtual operations, and TCustomWaveStream2, which
// owns the WAVEFORMATEX block of its data. The sound-capture stream built on them is in
// DXSounds.h.
#pragma once

#include <windows.h>
#include <mmreg.h>

#include "forms/core/Streams.h"

QV_EXCEPTION(EWaveStreamError, Exception);

// A PCM format: tag 1, the given rate, sample size and channels, block alignment
// Channels x (BitsPerSample div 8) computed in 16 bits, no extra bytes.
void MakePCMWaveFormatEx(WAVEFORMATEX& format, DWORD samplesPerSec, WORD bitsPerSample, WORD channels);

class TCustomWaveStream : public TStream {
public:
  // Reads of a stream without a size go straight to ReadWave; otherwise they stop at
  // the end of the data. Position advances by what was moved.
  long long Read(void* buffer, long long count) override;
  long long Write(const void* buffer, long long count) override;
  // Origin 0 (from the start), 1 (from Position) or 2 (from the end); any other origin
  // leaves Position. The result stays between 0 and the size (when there is one).
  long long Seek(long long offset, TSeekOrigin origin) override;
  long long Size() override { return GetSize(); }
  void SetSize(long long) override {}

  // Bytes waiting to be read; -1 when the stream cannot tell.
  virtual int GetFilledSize() { return -1; }
  virtual WAVEFORMATEX* GetFormat() = 0;
  virtual int GetFormatSize() { return 0; }
  // Bytes of wave data; -1 when the stream has no size.
  virtual int GetSize() { return -1; }
  virtual int ReadWave(void* buffer, int count);
  virtual void SetFormatSize(int size) = 0;
  virtual int WriteWave(const void* buffer, int count);

  int CurrentPosition() const { return position_; }

private:
  int position_ = 0;
};

class TCustomWaveStream2 : public TCustomWaveStream {
public:
  ~TCustomWaveStream2() override;

  WAVEFORMATEX* GetFormat() override { return format_; }
  int GetFormatSize() override { return formatSize_; }
  // Reallocates the block to Size bytes, keeping what fits; the new bytes are unset.
  // Size 0 frees it. A block that cannot be had raises EOutOfMemory and keeps the old.
  void SetFormatSize(int size) override;

private:
  WAVEFORMATEX* format_ = nullptr;
  int formatSize_ = 0;
};
