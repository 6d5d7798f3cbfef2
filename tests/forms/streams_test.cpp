// Memory and file streams: bounded reads, growth, foreign memory, open failures.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "forms/core/Classes.h"

namespace {

TEST(MemoryStream, WritesGrowAndReadsStopAtTheEnd) {
  TMemoryStream s;
  s.WriteBuffer("abcdef", 6);
  EXPECT_EQ(s.Size(), 6);
  s.SetPosition(10);
  s.WriteBuffer("z", 1);  // the gap reads as zeros
  EXPECT_EQ(s.Size(), 11);
  EXPECT_EQ(static_cast<char*>(s.Memory())[8], 0);
  s.SetPosition(4);
  char buf[16];
  EXPECT_EQ(s.Read(buf, sizeof buf), 7);
  s.SetPosition(9);
  EXPECT_THROW(s.ReadBuffer(buf, 3), EReadError);
  EXPECT_EQ(s.Seek(-1, soEnd), 10);
}

class TForeignStream : public TMemoryStream {
public:
  TForeignStream(void* memory, long long size) { SetPointer(memory, size); }
};

TEST(MemoryStream, ForeignMemoryIsReadButNeverWritten) {
  char block[4] = {'q', 'v', 'l', '!'};
  TForeignStream s(block, 4);
  char buf[4];
  s.ReadBuffer(buf, 4);
  EXPECT_EQ(std::memcmp(buf, block, 4), 0);
  s.SetPosition(0);
  s.WriteBuffer("Q", 1);
  EXPECT_EQ(block[0], 'q');
  EXPECT_EQ(static_cast<char*>(s.Memory())[0], 'Q');
  EXPECT_EQ(static_cast<char*>(s.Memory())[3], '!');
}

TEST(FileStream, CreatesReadsBackAndNamesTheFileItCannotOpen) {
  char dir[MAX_PATH];
  ASSERT_NE(GetTempPathA(MAX_PATH, dir), 0u);
  std::string name = std::string(dir) + "forms_stream_test.bin";
  {
    TFileStream out(name, fmCreate);
    out.WriteBuffer("0123456789", 10);
    out.SetSize(4);
  }
  {
    TFileStream in(name, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(in.Size(), 4);
    TMemoryStream copy;
    copy.CopyFrom(in, 0);
    EXPECT_EQ(std::string(static_cast<char*>(copy.Memory()), 4), "0123");
  }
  DeleteFileA(name.c_str());
  std::string missing = std::string(dir) + "no such dir\\x.bin";
  try {
    TFileStream in(missing, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), Format(SFOpenError, missing));
  }
  EXPECT_THROW(TFileStream(missing, fmCreate), EFCreateError);
}

}  // namespace
