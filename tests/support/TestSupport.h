// What the tests of every area share: a whole file read into memory, and the message of
// the exception an action raises. Portable, so that the native tree's tests use it too.
#pragma once

#include <cstdint>
#include <exception>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

// The file's bytes; empty when it cannot be opened.
inline std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The file's bytes as a string; empty when it cannot be opened.
inline std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The message of the exception of class E that action raises; "(nothing raised)" when
// it raises none (another exception goes on to the test).
template <class E = std::exception>
std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& e) {
    return e.what();
  }
  return "(nothing raised)";
}
