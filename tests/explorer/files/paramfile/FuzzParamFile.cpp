// The parameter-file reader under libFuzzer: any input is either refused or read, and a
// file that was read writes back to bytes that read again to the same struct and the
// same bytes, so nothing the reader accepts is lost or altered by saving it.
#include <cstdlib>
#include <cstring>

#include "explorer/files/paramfile/ParamFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ParamFile first;
  if (!ReadParamFile(data, size, first).ok()) return 0;
  const std::vector<std::uint8_t> saved = WriteParamFile(first);
  if (saved.size() != ParamFileSizeOffset && saved.size() != ParamFileSizeTable) std::abort();
  ParamFile second;
  if (!ReadParamFile(saved.data(), saved.size(), second).ok()) std::abort();
  if (WriteParamFile(second) != saved) std::abort();
  return 0;
}
