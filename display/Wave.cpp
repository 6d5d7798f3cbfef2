// The wave-stream base classes: position rules and the owned format block.
#include "display/Wave.h"

#include <climits>
#include <cstdlib>

namespace {

// The wave streams count in 32 bits.
int ClampCount(long long count) {
  if (count <= 0) return 0;
  return count > INT_MAX ? INT_MAX : static_cast<int>(count);
}

}  // namespace

void MakePCMWaveFormatEx(WAVEFORMATEX& format, DWORD samplesPerSec, WORD bitsPerSample, WORD channels) {
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = channels;
  format.nSamplesPerSec = samplesPerSec;
  format.wBitsPerSample = bitsPerSample;
  format.nBlockAlign = static_cast<WORD>(channels * (bitsPerSample / 8));
  format.nAvgBytesPerSec = format.nBlockAlign * samplesPerSec;
  format.cbSize = 0;
}

long long TCustomWaveStream::Read(void* buffer, long long count) {
  int n = ClampCount(count);
  const int size = GetSize();
  if (size >= 0) {
    if (position_ > size) position_ = size;
    if (static_cast<long long>(position_) + n > size) n = size - position_;
  }
  const int moved = ReadWave(buffer, n);
  position_ += moved;
  return moved;
}

long long TCustomWaveStream::Write(const void* buffer, long long count) {
  // Without a size there is no end to keep the position inside.
  const int size = GetSize();
  if (size >= 0 && position_ > size) position_ = size;
  const int moved = WriteWave(buffer, ClampCount(count));
  position_ += moved;
  return moved;
}

long long TCustomWaveStream::Seek(long long offset, TSeekOrigin origin) {
  const int size = GetSize();
  long long target = position_;
  switch (static_cast<int>(origin)) {
    case 0: target = offset; break;
    case 1: target = static_cast<long long>(position_) + offset; break;
    case 2: target = static_cast<long long>(size) + offset; break;
    default: break;
  }
  if (target < 0) target = 0;
  // A stream without a size (-1) keeps any position from 0 on.
  if (size >= 0 && target > size) target = size;
  if (target > INT_MAX) target = INT_MAX;
  position_ = static_cast<int>(target);
  return position_;
}

int TCustomWaveStream::ReadWave(void*, int) { return 0; }

int TCustomWaveStream::WriteWave(const void*, int) { return 0; }

TCustomWaveStream2::~TCustomWaveStream2() { SetFormatSize(0); }

void TCustomWaveStream2::SetFormatSize(int size) {
  if (size <= 0) {
    std::free(format_);
    format_ = nullptr;
    formatSize_ = 0;
    return;
  }
  void* block = std::realloc(format_, static_cast<size_t>(size));
  if (!block) throw EOutOfMemory(SOutOfMemory);
  format_ = static_cast<WAVEFORMATEX*>(block);
  formatSize_ = size;
}
