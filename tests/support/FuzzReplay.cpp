// A plain driver for a fuzz target's entry point: every file of the folders (and files)
// it is given goes through LLVMFuzzerTestOneInput once, in name order. It stands in for
// libFuzzer where the fuzzers' own sanitizers cannot run (the 32-bit tree, whose programs
// run under user-mode emulation); a fault aborts the program as it would the fuzzer.
//   FuzzReplay [--if-present PATH | PATH]...
// The path right after --if-present may be missing (a corpus that another tree's fuzz run
// makes); any other must be there and hold at least one file.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tests/support/TestSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

namespace {

// The regular files under path (path itself when it is one), sorted so that a fault
// names the same input on every run.
bool InputsOf(const fs::path& path, std::vector<fs::path>& out) {
  std::error_code ec;
  if (fs::is_regular_file(path, ec)) {
    out.push_back(path);
    return true;
  }
  if (!fs::is_directory(path, ec)) return false;
  for (fs::recursive_directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file(ec)) out.push_back(it->path());
  if (ec) return false;
  std::sort(out.begin(), out.end());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  bool optional = false;
  std::size_t total = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--if-present") {
      optional = true;
      continue;
    }
    const bool mayLack = optional;
    optional = false;
    std::vector<fs::path> inputs;
    const bool there = InputsOf(arg, inputs);
    if (!there && mayLack) {
      std::printf("replay: %s is not there; nothing replayed from it\n", arg.c_str());
      continue;
    }
    if (!there || (inputs.empty() && !mayLack)) {
      std::fprintf(stderr, "replay: %s: no such folder or file, or it holds no file\n", arg.c_str());
      return 2;
    }
    for (const fs::path& p : inputs) {
      const std::vector<std::uint8_t> bytes = ReadFileBytes(p.string());
      // An empty vector's data() may be null; the fuzzers get a valid pointer even then.
      static const std::uint8_t kNone = 0;
      LLVMFuzzerTestOneInput(bytes.empty() ? &kNone : bytes.data(), bytes.size());
    }
    std::printf("replay: %zu inputs from %s\n", inputs.size(), arg.c_str());
    total += inputs.size();
  }
  std::printf("replay: %zu inputs, no fault\n", total);
  return 0;
}
