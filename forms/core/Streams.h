// Byte streams: TStream (read, write, seek, with the checked ReadBuffer/WriteBuffer),
// TMemoryStream over a growing block or over memory someone else owns, and TFileStream
// over a Win32 file handle.
#pragma once

#include <cstdint>
#include <string>

#include "forms/core/SysUtils.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
  // Return the number of bytes actually moved (0 at the end or on failure).
  virtual long long Read(void* buffer, long long count) = 0;
  virtual long long Write(const void* buffer, long long count) = 0;
  // Returns the new position.
  virtual long long Seek(long long offset, TSeekOrigin origin) = 0;

  long long Position() { return Seek(0, soCurrent); }
  void SetPosition(long long position) { Seek(position, soBeginning); }
  virtual long long Size();
  virtual void SetSize(long long size);

  // Exactly Count bytes, or EReadError / EWriteError.
  void ReadBuffer(void* buffer, long long count);
  void WriteBuffer(const void* buffer, long long count);
  // Copies Count bytes from Source's position (0: all of Source, from its start).
  long long CopyFrom(TStream& source, long long count);
};

class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  ~TMemoryStream() override;

  long long Read(void* buffer, long long count) override;
  long long Write(const void* buffer, long long count) override;
  long long Seek(long long offset, TSeekOrigin origin) override;
  long long Size() override { return size_; }
  void SetSize(long long size) override;

  void* Memory() const { return memory_; }
  void Clear();
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);

protected:
  // Reads go to Memory, which the stream does not own and never frees; a write or a
  // change of size first copies it into a block of the stream's own.
  void SetPointer(void* memory, long long size);

private:
  void Grow(long long size);

  char* memory_ = nullptr;
  long long size_ = 0;
  long long capacity_ = 0;
  long long position_ = 0;
  bool foreign_ = false;
};

// Open modes: fmCreate, or one of the access modes combined with one sharing mode.
enum : unsigned {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00,  // create or truncate, read and write
};

class TFileStream : public TStream {
public:
  // EFCreateError or EFOpenError naming the file when it cannot be had.
  TFileStream(const std::string& fileName, unsigned mode);
  ~TFileStream() override;

  long long Read(void* buffer, long long count) override;
  long long Write(const void* buffer, long long count) override;
  long long Seek(long long offset, TSeekOrigin origin) override;
  void SetSize(long long size) override;

  void* Handle() const { return handle_; }
  const std::string& FileName() const { return fileName_; }

private:
  void* handle_;
  std::string fileName_;
};
