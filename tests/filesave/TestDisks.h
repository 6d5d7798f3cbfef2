// The disks of the save tests (see qv_test_disks in cmake/QvTest.cmake): the full disk,
// which a DiskFiller fills to the last byte, and the read-only folder with its "old.bin";
// with helpers to read and write whole files and to list what a folder holds.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

inline std::string TestDiskPath(const char* variable) {
  const char* path = std::getenv(variable);
  return path ? path : "";
}
inline std::string FullDisk() { return TestDiskPath("QV_FULL_DISK"); }
inline std::string ReadOnlyDir() { return TestDiskPath("QV_READONLY_DIR"); }

inline std::vector<unsigned char> FileContents(const std::string& path) {
  std::vector<unsigned char> bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    unsigned char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
      bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
  }
  return bytes;
}

inline void SetFileContents(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, f) << path;
  ASSERT_EQ(bytes.size(), std::fwrite(bytes.data(), 1, bytes.size(), f)) << path;
  ASSERT_EQ(0, std::fclose(f)) << path;
}

inline std::vector<unsigned char> TextBytes(const std::string& text) {
  return std::vector<unsigned char>(text.begin(), text.end());
}

// The names in a folder, sorted.
inline std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Fills the full disk with one file, so that not one more byte fits; removes it again.
class DiskFiller {
 public:
  DiskFiller() : path_(FullDisk() + "/filler") {
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    if (!f) return;
    std::setvbuf(f, nullptr, _IONBF, 0);
    std::vector<unsigned char> block(4096, 0xF1);
    while (std::fwrite(block.data(), 1, block.size(), f) == block.size()) {
    }
    std::clearerr(f);
    while (std::fwrite(block.data(), 1, 1, f) == 1) {
    }
    std::fclose(f);
  }
  ~DiskFiller() { std::remove(path_.c_str()); }
  DiskFiller(const DiskFiller&) = delete;
  DiskFiller& operator=(const DiskFiller&) = delete;

 private:
  std::string path_;
};

// Every test that uses the disks starts with this.
#define QV_REQUIRE_TEST_DISKS()                                                         \
  do {                                                                                  \
    ASSERT_FALSE(FullDisk().empty()) << "QV_FULL_DISK is not set (see qv_test_disks)"; \
    ASSERT_FALSE(ReadOnlyDir().empty()) << "QV_READONLY_DIR is not set";               \
  } while (0)
