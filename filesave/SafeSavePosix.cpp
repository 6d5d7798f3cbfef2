// SafeSave's file calls on POSIX systems (see SafeSave.h), where the portable cores are
// built for their tests: the new file is created beside the target under a name no other
// file has, synced, and rename puts it in the target's place.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "filesave/SafeSave.h"

namespace {

SaveStatus FromErrno(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return {SaveCode::DiskFull, error};
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return {SaveCode::AccessDenied, error};
    case ENOENT:
    case ENOTDIR:
      return {SaveCode::PathNotFound, error};
    case EISDIR:
      return {SaveCode::IsFolder, error};
    default:
      return {SaveCode::Failed, error};
  }
}

}  // namespace

SaveStatus SafeSave::Begin() {
  if (!status_.ok()) return status_;
  struct stat st;
  if (stat(target_.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return Fail({SaveCode::IsFolder, EISDIR});
  static std::atomic<unsigned long> counter{0};
  for (;;) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".~%lx-%lx.tmp", static_cast<unsigned long>(getpid()),
                  ++counter);
    const std::string name = target_ + suffix;
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      temp_ = name;
      file_ = fd;
      return status_;
    }
    // A name left by an earlier run that ended without cleaning up: take the next one.
    if (errno != EEXIST) return Fail(FromErrno(errno));
  }
}

SaveStatus SafeSave::Write(const void* data, std::size_t size) {
  if (!status_.ok()) return status_;
  if (file_ == -1) return Fail({SaveCode::Failed, EBADF});
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = write(static_cast<int>(file_), p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail(FromErrno(errno));
    }
    if (n == 0) return Fail({SaveCode::DiskFull, ENOSPC});
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return status_;
}

SaveStatus SafeSave::Commit() {
  if (!status_.ok()) return status_;
  if (file_ == -1) return Fail({SaveCode::Failed, EBADF});
  const int fd = static_cast<int>(file_);
  if (fsync(fd) != 0) return Fail(FromErrno(errno));
  file_ = -1;
  if (close(fd) != 0) return Fail(FromErrno(errno));
  if (rename(temp_.c_str(), target_.c_str()) != 0) return Fail(FromErrno(errno));
  temp_.clear();
  return status_;
}

void SafeSave::Discard() {
  if (file_ != -1) close(static_cast<int>(file_));
  file_ = -1;
  if (!temp_.empty()) unlink(temp_.c_str());
  temp_.clear();
}
