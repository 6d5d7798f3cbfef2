// The sound-capture stream: the real platform, which has no capture device here, and
// the stand-in device for formats, buffer sizes, circular reads, failures and the
// notification thread with its handler on the main thread.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/display/FakeSoundCapture.h"
#include "tests/support/GuiTest.h"
#include "display/DXConsts.h"
#include "display/DXErrors.h"
#include "display/DXMediaConsts.h"
#include "display/DXSounds.h"

namespace {

class SoundCapture : public ::testing::Test {
protected:
  void SetUp() override { FakeSoundCapture::Install(); }
  void TearDown() override {
    FakeSoundCapture::Uninstall();
    EXPECT_EQ(FakeSoundCapture::LiveBuffers(), 0);
    EXPECT_EQ(FakeSoundCapture::LiveDevices(), 0);
  }
};

// Counts its calls and where they ran; can be told to raise.
class TFilledLog : public TObject {
public:
  int calls = 0;
  bool offMainThread = false;
  bool raise = false;
  int readEach = 0;  // bytes read by each call
  void Filled(TObject* sender) {
    ++calls;
    if (GetCurrentThreadId() != MainThreadID) offMainThread = true;
    if (raise) throw Exception(std::string("handler failed"));
    if (readEach) {
      std::vector<char> b(readEach);
      static_cast<TSoundCaptureStream*>(sender)->Read(b.data(), readEach);
    }
  }
};

// Records what the application's exception handler is given.
class TExceptionLog : public TObject {
public:
  std::vector<std::string> messages;
  TExceptionLog() { Application->OnException = MakeEvent(this, &TExceptionLog::Handle); }
  ~TExceptionLog() override { Application->OnException = nullptr; }
  void Handle(TObject*, const Exception& e) { messages.push_back(e.Message()); }
};

std::string Message(const std::exception& e) { return e.what(); }

TEST(SoundCaptureOnThisPlatform, NoCaptureDeviceCannotBeInitialized) {
  FakeSoundCapture::Uninstall();
  try {
    TSoundCaptureStream stream(nullptr);
    FAIL() << "a capture device was made";
  } catch (const ESoundCaptureStreamError& e) {
    EXPECT_EQ(Message(e), Format(SDXCannotInitialized, SDirectSoundCapture));
  }
}

TEST_F(SoundCapture, AFailingDeviceRaisesAndLeavesNothingBehind) {
  FakeSoundCapture::Settings().createResult = DSERR_NODRIVER;
  try {
    TSoundCaptureStream stream(nullptr);
    FAIL();
  } catch (const ESoundCaptureStreamError& e) {
    EXPECT_EQ(Message(e), "DirectSoundCapture cannot be initialized");
  }
}

TEST_F(SoundCapture, AnEntryPointThatRaisesIsNecessarySinceDirectX5) {
  FakeSoundCapture::Settings().createThrows = true;
  try {
    TSoundCaptureStream stream(nullptr);
    FAIL();
  } catch (const ESoundCaptureStreamError&) {
    FAIL() << "reported as a device failure";
  } catch (const EDirectXError& e) {
    EXPECT_EQ(Message(e), SDXSinceDirectX5);
  }
  Microsoft::WRL::ComPtr<IDirectSoundCapture> device;
  EXPECT_THROW(CreateSoundCapture(nullptr, device, nullptr), EDirectXError);
  EXPECT_EQ(device.Get(), nullptr);
}

TEST_F(SoundCapture, ListsTwentyFormatsInNestingOrder) {
  TSoundCaptureStream s(nullptr);
  EXPECT_NE(s.CaptureDevice(), nullptr);
  EXPECT_FALSE(s.Capturing());
  EXPECT_EQ(s.CaptureFormat, 0);
  EXPECT_EQ(s.BufferLength(), 1000);
  ASSERT_EQ(s.Formats()->Count(), 20);
  const int rates[] = {8000, 11025, 22050, 44100, 48000};
  for (int r = 0; r < 5; ++r)
    for (int b = 0; b < 2; ++b)
      for (int c = 0; c < 2; ++c) {
        const int index = 4 * r + 2 * b + c;
        const TSoundCaptureFormat* f = s.Formats()->Items(index);
        EXPECT_EQ(f->SamplesPerSec, rates[r]) << index;
        EXPECT_EQ(f->BitsPerSample, 8 * (b + 1)) << index;
        EXPECT_EQ(f->Channels, c + 1) << index;
        EXPECT_EQ(s.Formats()->IndexOf(rates[r], 8 * (b + 1), c + 1), index);
      }
  EXPECT_EQ(s.Formats()->IndexOf(44100, 16, 2), 15);
  EXPECT_EQ(s.Formats()->IndexOf(44100, 24, 2), -1);
  EXPECT_EQ(s.Formats()->IndexOf(96000, 16, 2), -1);
  EXPECT_EQ(s.Formats()->IndexOf(8000, 8, 3), -1);
}

TEST_F(SoundCapture, BufferHoldsOneSecondAndNeverLessThan8000Bytes) {
  struct Case {
    int rate, bits, channels, bytes;
  } cases[] = {{8000, 8, 1, 8000}, {44100, 16, 2, 176400}, {8000, 16, 1, 16000}, {11025, 8, 1, 11025},
               {48000, 16, 2, 192000}};
  TSoundCaptureStream s(nullptr);
  for (const Case& c : cases) {
    s.CaptureFormat = s.Formats()->IndexOf(c.rate, c.bits, c.channels);
    s.StartCapture();
    EXPECT_TRUE(s.Capturing());
    EXPECT_EQ(s.BufferSize(), c.bytes) << c.rate;
    const FakeCaptureRecord& r = FakeSoundCapture::LastBuffer();
    EXPECT_EQ(r.descSize, sizeof(DSCBUFFERDESC1));
    EXPECT_EQ(r.descFlags, 0u);
    EXPECT_EQ(r.reserved, 0u);
    EXPECT_EQ(r.bufferBytes, static_cast<DWORD>(c.bytes));
    EXPECT_EQ(r.format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(r.format.nSamplesPerSec, static_cast<DWORD>(c.rate));
    EXPECT_EQ(r.format.wBitsPerSample, c.bits);
    EXPECT_EQ(r.format.nChannels, c.channels);
    EXPECT_EQ(r.startFlags, static_cast<DWORD>(DSCBSTART_LOOPING));
    EXPECT_EQ(s.GetFormatSize(), static_cast<int>(sizeof(WAVEFORMATEX)));
    EXPECT_EQ(s.ReadOffset(), 0u);
  }
  s.StopCapture();
  EXPECT_FALSE(s.Capturing());
  EXPECT_EQ(s.CaptureBuffer(), nullptr);
}

TEST_F(SoundCapture, ABufferThatCannotBeMadeStopsTheCapture) {
  FakeSoundCapture::Settings().createBufferResult = DSERR_OUTOFMEMORY;
  TSoundCaptureStream s(nullptr);
  TFilledLog log;
  s.SetOnFilledBuffer(MakeEvent(&log, &TFilledLog::Filled));
  try {
    s.StartCapture();
    FAIL();
  } catch (const ESoundCaptureStreamError& e) {
    EXPECT_EQ(Message(e), "Sound Capture Buffer cannot be made");
  }
  EXPECT_FALSE(s.Capturing());
  EXPECT_EQ(s.CaptureBuffer(), nullptr);
  EXPECT_EQ(s.NotifyThread(), nullptr);
}

TEST_F(SoundCapture, ABufferThatDoesNotStartIsReleased) {
  FakeSoundCapture::Settings().startResult = DSERR_NODRIVER;
  TSoundCaptureStream s(nullptr);
  EXPECT_THROW(s.StartCapture(), ESoundCaptureStreamError);
  EXPECT_FALSE(s.Capturing());
  EXPECT_EQ(FakeSoundCapture::LiveBuffers(), 0);
}

TEST_F(SoundCapture, ReadsWrapAroundTheCircularBuffer) {
  TSoundCaptureStream s(nullptr);
  s.CaptureFormat = s.Formats()->IndexOf(8000, 8, 1);
  s.StartCapture();
  ASSERT_EQ(s.BufferSize(), 8000);

  FakeSoundCapture::SetReadCursor(7000);
  EXPECT_EQ(s.GetFilledSize(), 7000);
  std::vector<BYTE> first(7000);
  EXPECT_EQ(s.Read(first.data(), 7000), 7000);
  for (DWORD i = 0; i < 7000; ++i) ASSERT_EQ(first[i], FakeSoundCapture::Pattern(i)) << i;
  EXPECT_EQ(s.ReadOffset(), 7000u);

  FakeSoundCapture::SetReadCursor(1000);
  EXPECT_EQ(s.GetFilledSize(), 2000);
  std::vector<BYTE> second(2000);
  EXPECT_EQ(s.Read(second.data(), 2000), 2000);
  for (DWORD i = 0; i < 2000; ++i) ASSERT_EQ(second[i], FakeSoundCapture::Pattern((7000 + i) % 8000)) << i;
  EXPECT_EQ(s.ReadOffset(), 1000u);
  EXPECT_EQ(FakeSoundCapture::LastBuffer().twoPartLocks, 1);
  EXPECT_EQ(FakeSoundCapture::LastBuffer().unlocks, FakeSoundCapture::LastBuffer().locks);
  EXPECT_EQ(s.GetFilledSize(), 0);
}

TEST_F(SoundCapture, TheFirstReadStartsTheCapture) {
  TSoundCaptureStream s(nullptr);
  s.CaptureFormat = s.Formats()->IndexOf(8000, 16, 1);
  FakeSoundCapture::SetReadCursor(64);
  BYTE b[64];
  EXPECT_EQ(s.ReadWave(b, 64), 64);
  EXPECT_TRUE(s.Capturing());
  EXPECT_EQ(b[0], FakeSoundCapture::Pattern(0));
  EXPECT_EQ(b[63], FakeSoundCapture::Pattern(63));
}

TEST_F(SoundCapture, AFailedLockGivesSilenceOfTheFormat) {
  FakeSoundCapture::Settings().lockFails = true;
  TSoundCaptureStream s(nullptr);
  FakeSoundCapture::SetReadCursor(500);
  for (int bits : {8, 16}) {
    s.CaptureFormat = s.Formats()->IndexOf(22050, bits, 2);
    s.StartCapture();
    std::vector<BYTE> b(300, 0x77);
    EXPECT_EQ(s.Read(b.data(), 300), 300);
    for (BYTE v : b) ASSERT_EQ(v, bits == 8 ? 128 : 0) << bits;
    EXPECT_EQ(s.ReadOffset(), 0u);
  }
}

TEST_F(SoundCapture, ACursorThatCannotBeReadGivesSilenceAtOnce) {
  FakeSoundCapture::Settings().positionFails = true;
  TSoundCaptureStream s(nullptr);
  s.CaptureFormat = s.Formats()->IndexOf(8000, 8, 1);
  s.StartCapture();
  EXPECT_EQ(s.GetFilledSize(), 0);
  std::vector<BYTE> b(100, 0);
  const DWORD start = GetTickCount();
  EXPECT_EQ(s.Read(b.data(), 100), 100);
  EXPECT_LT(GetTickCount() - start, 500u);
  for (BYTE v : b) ASSERT_EQ(v, 128);
}

TEST_F(SoundCapture, ADeviceThatStopsDeliveringEndsTheReadWithSilence) {
  TSoundCaptureStream s(nullptr);
  s.CaptureFormat = s.Formats()->IndexOf(8000, 8, 1);
  s.StartCapture();
  FakeSoundCapture::SetReadCursor(10);
  std::vector<BYTE> b(100, 0);
  const DWORD start = GetTickCount();
  EXPECT_EQ(s.Read(b.data(), 100), 100);
  const DWORD took = GetTickCount() - start;
  EXPECT_GE(took, 900u);
  EXPECT_LT(took, 3000u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(b[i], FakeSoundCapture::Pattern(i));
  for (int i = 10; i < 100; ++i) ASSERT_EQ(b[i], 128) << i;
  EXPECT_EQ(s.ReadOffset(), 10u);
}

TEST_F(SoundCapture, AHandlerSetWhileIdleStartsNoThreadAndTheSameHandlerChangesNothing) {
  TSoundCaptureStream s(nullptr);
  TFilledLog log;
  s.SetOnFilledBuffer(MakeEvent(&log, &TFilledLog::Filled));
  EXPECT_EQ(s.NotifyThread(), nullptr);
  s.StartCapture();
  TSoundCaptureStreamNotify* thread = s.NotifyThread();
  ASSERT_NE(thread, nullptr);
  EXPECT_EQ(thread->WaitTime(), 50u);
  EXPECT_EQ(thread->Stream(), &s);
  EXPECT_NE(s.NotifyEvent(), nullptr);
  s.SetOnFilledBuffer(MakeEvent(&log, &TFilledLog::Filled));
  EXPECT_EQ(s.NotifyThread(), thread);
  s.StopCapture();
  EXPECT_EQ(s.NotifyThread(), nullptr);
  EXPECT_EQ(s.NotifyEvent(), nullptr);
  EXPECT_EQ(FakeSoundCapture::LastBuffer().stops, 1);
}

TEST_F(SoundCapture, TheHandlerRunsOnTheMainThreadOnlyWhenBytesWait) {
  TSoundCaptureStream s(nullptr);
  TFilledLog log;
  log.readEach = 100;
  s.SetOnFilledBuffer(MakeEvent(&log, &TFilledLog::Filled));
  s.CaptureFormat = s.Formats()->IndexOf(8000, 8, 1);
  s.StartCapture();
  PumpFor(300);
  EXPECT_EQ(log.calls, 0);
  FakeSoundCapture::SetReadCursor(300);
  EXPECT_TRUE(PumpUntil([&] { return s.ReadOffset() == 300; }, 3000));
  EXPECT_EQ(log.calls, 3);
  EXPECT_FALSE(log.offMainThread);
  PumpFor(200);
  EXPECT_EQ(log.calls, 3);
}

TEST_F(SoundCapture, AHandlerThatRaisesIsShownAndStopsTheCapture) {
  TExceptionLog errors;
  TSoundCaptureStream s(nullptr);
  TFilledLog log;
  log.raise = true;
  s.SetOnFilledBuffer(MakeEvent(&log, &TFilledLog::Filled));
  s.StartCapture();
  FakeSoundCapture::SetReadCursor(100);
  EXPECT_TRUE(PumpUntil([&] { return !s.Capturing(); }, 3000));
  ASSERT_EQ(errors.messages.size(), 1u);
  EXPECT_EQ(errors.messages[0], "handler failed");
  EXPECT_EQ(s.CaptureBuffer(), nullptr);
  EXPECT_EQ(FakeSoundCapture::LiveBuffers(), 0);
  ASSERT_NE(s.NotifyThread(), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return s.NotifyThread()->Finished(); }, 3000));
  PumpFor(150);
  EXPECT_EQ(log.calls, 1);
  // The next start begins afresh, with a new thread.
  log.raise = false;
  s.StartCapture();
  EXPECT_TRUE(s.Capturing());
  EXPECT_FALSE(s.NotifyThread()->Finished());
  s.StopCapture();
}

TEST_F(SoundCapture, ReplacingTheHandlerWhileCapturingKeepsCapturing) {
  TSoundCaptureStream s(nullptr);
  TFilledLog first, second;
  second.readEach = 50;
  s.SetOnFilledBuffer(MakeEvent(&first, &TFilledLog::Filled));
  s.StartCapture();
  s.SetOnFilledBuffer(MakeEvent(&second, &TFilledLog::Filled));
  EXPECT_TRUE(s.Capturing());
  ASSERT_NE(s.NotifyThread(), nullptr);
  FakeSoundCapture::SetReadCursor(100);
  EXPECT_TRUE(PumpUntil([&] { return s.ReadOffset() == 100; }, 3000));
  EXPECT_EQ(first.calls, 0);
  EXPECT_EQ(second.calls, 2);
  // Taking the handler away ends the thread, not the capture.
  s.SetOnFilledBuffer(nullptr);
  EXPECT_EQ(s.NotifyThread(), nullptr);
  EXPECT_TRUE(s.Capturing());
}

TEST_F(SoundCapture, EveryStartBeginsWithAnEmptyBuffer) {
  TSoundCaptureStream s(nullptr);
  s.CaptureFormat = s.Formats()->IndexOf(8000, 8, 1);
  s.StartCapture();
  FakeSoundCapture::SetReadCursor(400);
  BYTE b[400];
  s.Read(b, 400);
  EXPECT_EQ(s.ReadOffset(), 400u);
  s.StartCapture();
  EXPECT_EQ(s.ReadOffset(), 0u);
  EXPECT_EQ(FakeSoundCapture::LiveBuffers(), 1);
}

TEST_F(SoundCapture, DestructionStopsTheCaptureAndItsThread) {
  TFilledLog log;
  {
    TSoundCaptureStream s(nullptr);
    s.SetOnFilledBuffer(MakeEvent(&log, &TFilledLog::Filled));
    s.StartCapture();
    EXPECT_EQ(FakeSoundCapture::LiveBuffers(), 1);
  }
  EXPECT_EQ(FakeSoundCapture::LiveBuffers(), 0);
  EXPECT_EQ(FakeSoundCapture::LiveDevices(), 0);
}

}  // namespace
