// Where the palette readers take their bytes from: a block of memory (tests, the fuzzer)
// or a file opened by name and read in pieces, so that a huge file is never held whole.
// The files are opened and closed here; PaletteFiles.cpp names the operations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "paletteeditor/core/PaletteStatus.h"

namespace pal {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `size` bytes into `buffer`; 0 at the end (or after a failure, see status()).
  virtual std::size_t Read(std::uint8_t* buffer, std::size_t size) = 0;
  // Ok unless a read failed.
  virtual Status status() const { return {}; }
};

class MemorySource : public ByteSource {
 public:
  MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override;

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// The status an open (or, with `creating`, a create) failed with, from errno. A file
// that cannot be created for want of its folder is a missing path.
Status FileErrorFromErrno(int error, bool creating = false);

// A file opened for reading; closed by the destructor.
class FileSource : public ByteSource {
 public:
  FileSource() = default;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;
  ~FileSource() override;

  Status Open(const std::string& fileName);
  std::size_t Read(std::uint8_t* buffer, std::size_t size) override;
  Status status() const override { return status_; }

 private:
  std::FILE* file_ = nullptr;
  Status status_;
};

// Creates (or replaces) `fileName` and writes `size` bytes; a failed write or close is
// reported, so that a full disk is never taken for a saved palette.
Status WriteWholeFile(const std::string& fileName, const std::uint8_t* data, std::size_t size);

}  // namespace pal
