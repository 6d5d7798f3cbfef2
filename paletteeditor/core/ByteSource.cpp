// Memory and file sources of the palette readers, and the one file writer (ByteSource.h).
#include "paletteeditor/core/ByteSource.h"

#include <cerrno>
#include <cstring>

namespace pal {

std::size_t MemorySource::Read(std::uint8_t* buffer, std::size_t size) {
  const std::size_t n = size < size_ - pos_ ? size : size_ - pos_;
  if (n) std::memcpy(buffer, data_ + pos_, n);
  pos_ += n;
  return n;
}

Status FileErrorFromErrno(int error, bool creating) {
  switch (error) {
    case ENOENT:
      return Fail(creating ? Code::PathNotFound : Code::FileNotFound);
    case ENOTDIR:
      return Fail(Code::PathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
      return Fail(Code::AccessDenied);
    case ENOSPC:
      return Fail(Code::DiskFull);
    default:
      return Fail(Code::IoFailed, error);
  }
}

FileSource::~FileSource() {
  if (file_) std::fclose(file_);
}

Status FileSource::Open(const std::string& fileName) {
  errno = 0;
  file_ = std::fopen(fileName.c_str(), "rb");
  if (!file_) status_ = FileErrorFromErrno(errno);
  return status_;
}

std::size_t FileSource::Read(std::uint8_t* buffer, std::size_t size) {
  if (!file_ || !status_.ok()) return 0;
  const std::size_t n = std::fread(buffer, 1, size, file_);
  if (n < size && std::ferror(file_)) status_ = Fail(Code::IoFailed, EIO);
  return n;
}

Status WriteWholeFile(const std::string& fileName, const std::uint8_t* data, std::size_t size) {
  errno = 0;
  std::FILE* file = std::fopen(fileName.c_str(), "wb");
  if (!file) return FileErrorFromErrno(errno, true);
  errno = 0;
  const bool written = std::fwrite(data, 1, size, file) == size;
  const int writeError = errno;
  errno = 0;
  const bool closed = std::fclose(file) == 0;
  const int closeError = errno;
  if (!written) return FileErrorFromErrno(writeError ? writeError : ENOSPC);
  if (!closed) return FileErrorFromErrno(closeError ? closeError : ENOSPC);
  return {};
}

}  // namespace pal
