// TStream, TMemoryStream and TFileStream.
#include "forms/core/Streams.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "forms/core/SaveFileStream.h"

long long TStream::Size() {
  long long position = Seek(0, soCurrent);
  long long size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

void TStream::SetSize(long long) {}

void TStream::ReadBuffer(void* buffer, long long count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* buffer, long long count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError(SWriteError);
}

long long TStream::CopyFrom(TStream& source, long long count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  char buffer[65536];
  long long left = count;
  while (left > 0) {
    long long n = std::min<long long>(left, sizeof buffer);
    source.ReadBuffer(buffer, n);
    WriteBuffer(buffer, n);
    left -= n;
  }
  return count;
}

// TMemoryStream.

TMemoryStream::~TMemoryStream() {
  if (!foreign_) std::free(memory_);
}

void TMemoryStream::Grow(long long size) {
  if (foreign_) {
    char* own = static_cast<char*>(std::malloc(static_cast<size_t>(std::max<long long>(size, 1))));
    if (!own) throw EOutOfMemory(SMemoryStreamError);
    std::memcpy(own, memory_, static_cast<size_t>(std::min(size, size_)));
    memory_ = own;
    capacity_ = size;
    foreign_ = false;
    return;
  }
  if (size <= capacity_) return;
  long long capacity = std::max<long long>(size, capacity_ + capacity_ / 4);
  capacity = (capacity + 8191) & ~8191LL;
  if (static_cast<unsigned long long>(capacity) > SIZE_MAX) throw EOutOfMemory(SMemoryStreamError);
  char* grown = static_cast<char*>(std::realloc(memory_, static_cast<size_t>(capacity)));
  if (!grown) throw EOutOfMemory(SMemoryStreamError);
  memory_ = grown;
  capacity_ = capacity;
}

long long TMemoryStream::Read(void* buffer, long long count) {
  if (count <= 0 || position_ >= size_) return 0;
  long long n = std::min(count, size_ - position_);
  std::memcpy(buffer, memory_ + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

long long TMemoryStream::Write(const void* buffer, long long count) {
  if (count <= 0 || position_ < 0) return 0;
  long long end = position_ + count;
  if (end > size_ || foreign_) {
    if (end > capacity_ || foreign_) Grow(std::max(end, size_));
    if (position_ > size_) std::memset(memory_ + size_, 0, static_cast<size_t>(position_ - size_));
    size_ = std::max(end, size_);
  }
  std::memcpy(memory_ + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

long long TMemoryStream::Seek(long long offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning: position_ = offset; break;
    case soCurrent: position_ += offset; break;
    case soEnd: position_ = size_ + offset; break;
  }
  if (position_ < 0) position_ = 0;
  return position_;
}

void TMemoryStream::SetSize(long long size) {
  if (size < 0) size = 0;
  if (size > capacity_ || foreign_) Grow(size);
  if (size > size_) std::memset(memory_ + size_, 0, static_cast<size_t>(size - size_));
  size_ = size;
  if (position_ > size_) position_ = size_;
}

void TMemoryStream::Clear() {
  if (!foreign_) std::free(memory_);
  memory_ = nullptr;
  size_ = capacity_ = position_ = 0;
  foreign_ = false;
}

void TMemoryStream::SetPointer(void* memory, long long size) {
  if (!foreign_) std::free(memory_);
  memory_ = static_cast<char*>(memory);
  size_ = capacity_ = size;
  position_ = 0;
  foreign_ = true;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  long long size = stream.Size();
  SetSize(size);
  if (size) stream.ReadBuffer(memory_, size);
  position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& stream) { stream.WriteBuffer(memory_, size_); }

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
  TSaveFileStream file(fileName);
  SaveToStream(file);
  file.Commit();
}

// TFileStream.

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : fileName_(fileName) {
  if (mode == fmCreate) {
    handle_ = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) throw EFCreateError(SFCreateError, fileName);
    return;
  }
  static const DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  static const DWORD share[] = {FILE_SHARE_READ | FILE_SHARE_WRITE, 0, FILE_SHARE_READ,
                                FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
  unsigned a = mode & 3, s = (mode >> 4) & 7;
  if (a > 2 || s > 4) throw EFOpenError(SFOpenError, fileName);
  handle_ = CreateFileA(fileName.c_str(), access[a], share[s], nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle_ == INVALID_HANDLE_VALUE) throw EFOpenError(SFOpenError, fileName);
}

TFileStream::~TFileStream() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

long long TFileStream::Read(void* buffer, long long count) {
  long long total = 0;
  char* out = static_cast<char*>(buffer);
  while (count > 0) {
    DWORD chunk = static_cast<DWORD>(std::min<long long>(count, 1 << 30)), got = 0;
    if (!ReadFile(handle_, out + total, chunk, &got, nullptr) || got == 0) break;
    total += got;
    count -= got;
  }
  return total;
}

long long TFileStream::Write(const void* buffer, long long count) {
  long long total = 0;
  const char* in = static_cast<const char*>(buffer);
  while (count > 0) {
    DWORD chunk = static_cast<DWORD>(std::min<long long>(count, 1 << 30)), put = 0;
    if (!WriteFile(handle_, in + total, chunk, &put, nullptr) || put == 0) break;
    total += put;
    count -= put;
  }
  return total;
}

long long TFileStream::Seek(long long offset, TSeekOrigin origin) {
  static const DWORD method[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER distance, result;
  distance.QuadPart = offset;
  if (!SetFilePointerEx(handle_, distance, &result, method[origin])) return -1;
  return result.QuadPart;
}

void TFileStream::SetSize(long long size) {
  long long position = Position();
  Seek(size, soBeginning);
  if (!SetEndOfFile(handle_)) throw EWriteError(SWriteError);
  if (position < size) Seek(position, soBeginning);
}
