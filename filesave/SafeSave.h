// The one way a user's file is written: the bytes go to a new file beside the target, and
// the target is replaced by it only once the whole file is written, flushed and closed.
// A failure at any point removes the new file and leaves the target as it was. Portable:
// SafeSaveWin32.cpp and SafeSavePosix.cpp hold the two platforms' file calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class SaveCode : std::uint8_t {
  Ok,
  DiskFull,      // no room left on the disk (or the user's quota)
  AccessDenied,  // the folder or the file is read-only, protected or in use
  PathNotFound,  // the folder named does not exist
  IsFolder,      // the target's name is taken by a folder
  Failed,        // any other failure; the value is the system's error number
  Count
};

struct SaveStatus {
  SaveCode code = SaveCode::Ok;
  long value = 0;  // the system's error number behind a failure
  bool ok() const { return code == SaveCode::Ok; }
  // What went wrong, in words a user understands, naming the file.
  std::string Message(const std::string& fileName) const;
};

class SafeSave {
 public:
  explicit SafeSave(std::string target);
  SafeSave(const SafeSave&) = delete;
  SafeSave& operator=(const SafeSave&) = delete;
  // Without a successful Commit the new file is removed and the target stays as it was.
  ~SafeSave();

  // Creates the new file beside the target.
  SaveStatus Begin();
  // After the first failure every later call reports that failure and writes nothing.
  SaveStatus Write(const void* data, std::size_t size);
  // Flushes and closes the new file, then puts it in the target's place.
  SaveStatus Commit();

  const std::string& Target() const { return target_; }
  // The first failure so far (Ok while none).
  SaveStatus Status() const { return status_; }

 private:
  SaveStatus Fail(SaveStatus status);
  void Discard();

  std::string target_;
  std::string temp_;
  std::intptr_t file_ = -1;  // the platform's handle of the new file, -1 when none
  SaveStatus status_;
};

// Begin, one Write of `size` bytes, Commit.
SaveStatus SaveWholeFile(const std::string& target, const void* data, std::size_t size);
