// SafeSave's file calls on Windows (see SafeSave.h): the new file is created beside the
// target under a name no other file has, and MoveFileEx puts it in the target's place.
#include <windows.h>

#include <cstdio>

#include "filesave/SafeSave.h"

namespace {

SaveStatus FromError(DWORD error) {
  switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return {SaveCode::DiskFull, static_cast<long>(error)};
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return {SaveCode::AccessDenied, static_cast<long>(error)};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return {SaveCode::PathNotFound, static_cast<long>(error)};
    default:
      return {SaveCode::Failed, static_cast<long>(error)};
  }
}

HANDLE AsHandle(std::intptr_t file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

SaveStatus SafeSave::Begin() {
  if (!status_.ok()) return status_;
  const DWORD attributes = GetFileAttributesA(target_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Fail({SaveCode::IsFolder, 0});
  static LONG counter = 0;
  for (;;) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".~%lx-%lx.tmp", GetCurrentProcessId(),
                  static_cast<unsigned long>(InterlockedIncrement(&counter)));
    const std::string name = target_ + suffix;
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      temp_ = name;
      file_ = reinterpret_cast<std::intptr_t>(h);
      return status_;
    }
    const DWORD error = GetLastError();
    // A name left by an earlier run that ended without cleaning up: take the next one.
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return Fail(FromError(error));
  }
}

SaveStatus SafeSave::Write(const void* data, std::size_t size) {
  if (!status_.ok()) return status_;
  if (file_ == -1) return Fail({SaveCode::Failed, ERROR_INVALID_HANDLE});
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(AsHandle(file_), p, chunk, &written, nullptr)) return Fail(FromError(GetLastError()));
    // A disk file takes all or fails; a short write can only mean the space ran out.
    if (written == 0) return Fail({SaveCode::DiskFull, ERROR_DISK_FULL});
    p += written;
    size -= written;
  }
  return status_;
}

SaveStatus SafeSave::Commit() {
  if (!status_.ok()) return status_;
  if (file_ == -1) return Fail({SaveCode::Failed, ERROR_INVALID_HANDLE});
  HANDLE h = AsHandle(file_);
  if (!FlushFileBuffers(h)) return Fail(FromError(GetLastError()));
  file_ = -1;
  if (!CloseHandle(h)) return Fail(FromError(GetLastError()));
  if (!MoveFileExA(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return Fail(FromError(GetLastError()));
  temp_.clear();
  return status_;
}

void SafeSave::Discard() {
  if (file_ != -1) CloseHandle(AsHandle(file_));
  file_ = -1;
  if (!temp_.empty()) DeleteFileA(temp_.c_str());
  temp_.clear();
}
