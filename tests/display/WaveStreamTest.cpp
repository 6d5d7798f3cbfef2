// The wave-stream base classes: the PCM format record, position rules for streams with
// and without a size, and the owned format block.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "display/Wave.h"

namespace {

// A stream of Size bytes (or none, -1) that records what reaches ReadWave and WriteWave.
class TTestWaveStream : public TCustomWaveStream2 {
public:
  explicit TTestWaveStream(int size) : size_(size) {}
  int GetSize() override { return size_; }
  int ReadWave(void* buffer, int count) override {
    readCounts.push_back(count);
    std::memset(buffer, 0x5A, static_cast<size_t>(count));
    return count;
  }
  int WriteWave(const void*, int count) override {
    writeCounts.push_back(count);
    return count;
  }
  std::vector<int> readCounts, writeCounts;

private:
  int size_;
};

struct PCMCase {
  DWORD rate;
  WORD bits, channels;
  WORD blockAlign;
  DWORD bytesPerSec;
};

TEST(MakePCMWaveFormatEx, FillsEveryField) {
  const PCMCase cases[] = {
      {44100, 16, 2, 4, 176400}, {8000, 8, 1, 1, 8000}, {48000, 24, 2, 6, 288000},
      {11025, 16, 1, 2, 22050},  {22050, 4, 1, 0, 0},  // 4 bits: div 8 gives no whole byte
  };
  for (const PCMCase& c : cases) {
    WAVEFORMATEX f;
    std::memset(&f, 0xCC, sizeof f);
    MakePCMWaveFormatEx(f, c.rate, c.bits, c.channels);
    EXPECT_EQ(f.wFormatTag, WAVE_FORMAT_PCM) << c.rate;
    EXPECT_EQ(f.nChannels, c.channels) << c.rate;
    EXPECT_EQ(f.nSamplesPerSec, c.rate) << c.rate;
    EXPECT_EQ(f.wBitsPerSample, c.bits) << c.rate;
    EXPECT_EQ(f.nBlockAlign, c.blockAlign) << c.rate;
    EXPECT_EQ(f.nAvgBytesPerSec, c.bytesPerSec) << c.rate;
    EXPECT_EQ(f.cbSize, 0) << c.rate;
  }
}

TEST(MakePCMWaveFormatEx, BlockAlignIsComputedIn16Bits) {
  WAVEFORMATEX f{};
  MakePCMWaveFormatEx(f, 1000, 2048, 300);  // 300 x 256 = 76800, kept to its low 16 bits
  EXPECT_EQ(f.nBlockAlign, static_cast<WORD>(76800 & 0xFFFF));
  EXPECT_EQ(f.nAvgBytesPerSec, static_cast<DWORD>(76800 & 0xFFFF) * 1000);
}

TEST(TCustomWaveStream, SeekStaysInsideTheData) {
  struct SeekCase {
    int start;
    long long offset;
    int origin;
    int expected;
  } cases[] = {
      {0, 0, 2, 1000},     {0, -10, 2, 990}, {0, 10, 2, 1000},  {500, 100, 1, 600}, {500, -600, 1, 0},
      {0, 1500, 0, 1000},  {0, -1, 0, 0},    {300, 50, 7, 300}, {300, 5, -1, 300},  {0, 1000, 0, 1000},
  };
  for (const SeekCase& c : cases) {
    TTestWaveStream s(1000);
    s.Seek(c.start, soBeginning);
    EXPECT_EQ(s.Seek(c.offset, static_cast<TSeekOrigin>(c.origin)), c.expected)
        << "start " << c.start << " offset " << c.offset << " origin " << c.origin;
    EXPECT_EQ(s.CurrentPosition(), c.expected);
  }
}

TEST(TCustomWaveStream, ReadStopsAtTheEndOfTheData) {
  TTestWaveStream s(1000);
  char buffer[200];
  s.Seek(990, soBeginning);
  EXPECT_EQ(s.Read(buffer, 100), 10);
  EXPECT_EQ(s.CurrentPosition(), 1000);
  EXPECT_EQ(s.Read(buffer, 100), 0);
  ASSERT_EQ(s.readCounts.size(), 2u);
  EXPECT_EQ(s.readCounts[0], 10);
  EXPECT_EQ(s.readCounts[1], 0);
  EXPECT_EQ(s.CurrentPosition(), 1000);
}

TEST(TCustomWaveStream, WithoutASizeReadsGoStraightToReadWave) {
  TTestWaveStream s(-1);
  std::vector<char> buffer(5000);
  EXPECT_EQ(s.Read(buffer.data(), 5000), 5000);
  EXPECT_EQ(s.readCounts.at(0), 5000);
  EXPECT_EQ(s.CurrentPosition(), 5000);
  EXPECT_EQ(s.Size(), -1);
}

TEST(TCustomWaveStream, WithoutASizeSeekAndWriteKeepTheirPosition) {
  // No end to clamp to: the position is never pushed to -1.
  TTestWaveStream s(-1);
  EXPECT_EQ(s.Seek(40, soBeginning), 40);
  EXPECT_EQ(s.Seek(-100, soCurrent), 0);
  const char data[8] = {};
  EXPECT_EQ(s.Write(data, 8), 8);
  EXPECT_EQ(s.CurrentPosition(), 8);
  EXPECT_EQ(s.Seek(0, soEnd), 0);
}

TEST(TCustomWaveStream, WriteClampsThePositionFirst) {
  TTestWaveStream s(100);
  const char data[30] = {};
  s.Seek(90, soBeginning);
  EXPECT_EQ(s.Write(data, 30), 30);
  EXPECT_EQ(s.writeCounts.at(0), 30);
  EXPECT_EQ(s.CurrentPosition(), 120);
  // The next write starts from the end again.
  EXPECT_EQ(s.Write(data, 5), 5);
  EXPECT_EQ(s.CurrentPosition(), 105);
}

TEST(TCustomWaveStream, NegativeCountsMoveNothing) {
  TTestWaveStream s(-1);
  char b[4];
  EXPECT_EQ(s.Read(b, -5), 0);
  EXPECT_EQ(s.Write(b, -5), 0);
  EXPECT_EQ(s.CurrentPosition(), 0);
}

class TBareWaveStream : public TCustomWaveStream {
public:
  WAVEFORMATEX* GetFormat() override { return nullptr; }
  void SetFormatSize(int) override {}
};

TEST(TCustomWaveStream, BaseOperationsReportNothing) {
  TBareWaveStream s;
  char b[16];
  EXPECT_EQ(s.GetFilledSize(), -1);
  EXPECT_EQ(s.GetFormatSize(), 0);
  EXPECT_EQ(s.GetSize(), -1);
  EXPECT_EQ(s.ReadWave(b, 16), 0);
  EXPECT_EQ(s.WriteWave(b, 16), 0);
  EXPECT_EQ(s.Read(b, 16), 0);
  EXPECT_EQ(s.CurrentPosition(), 0);
  s.SetSize(500);
  EXPECT_EQ(s.Size(), -1);
}

TEST(TCustomWaveStream2, FormatBlockGrowsKeepingItsBytesAndIsFreedAtZero) {
  TTestWaveStream s(0);
  EXPECT_EQ(s.GetFormat(), nullptr);
  EXPECT_EQ(s.GetFormatSize(), 0);
  s.SetFormatSize(sizeof(WAVEFORMATEX));
  ASSERT_NE(s.GetFormat(), nullptr);
  MakePCMWaveFormatEx(*s.GetFormat(), 22050, 16, 2);
  s.SetFormatSize(64);
  EXPECT_EQ(s.GetFormatSize(), 64);
  EXPECT_EQ(s.GetFormat()->nSamplesPerSec, 22050u);
  EXPECT_EQ(s.GetFormat()->nBlockAlign, 4);
  s.SetFormatSize(4);
  EXPECT_EQ(s.GetFormat()->wFormatTag, WAVE_FORMAT_PCM);
  s.SetFormatSize(0);
  EXPECT_EQ(s.GetFormat(), nullptr);
  EXPECT_EQ(s.GetFormatSize(), 0);
}

}  // namespace
