// TSaveFileStream: a write-only stream that saves a user's file through SafeSave
// (filesave/SafeSave.h): the bytes go to a new file beside the target, and Commit puts it
// in the target's place. Freed without Commit, it leaves the target as it was.
#pragma once

#include <string>

#include "filesave/SafeSave.h"
#include "forms/core/Streams.h"

class TSaveFileStream : public TStream {
public:
  // EFCreateError, saying what went wrong, when the new file cannot be created.
  explicit TSaveFileStream(const std::string& fileName);

  long long Read(void*, long long) override { return 0; }
  // Raises EWriteError, saying what went wrong (a full disk says so), when a write fails.
  long long Write(const void* buffer, long long count) override;
  // Only the position can be asked for: the file is written front to back.
  long long Seek(long long offset, TSeekOrigin origin) override;
  long long Size() override { return position_; }

  // Completes the save; EWriteError, saying what went wrong, when it cannot.
  void Commit();

private:
  SafeSave save_;
  long long position_ = 0;
};
