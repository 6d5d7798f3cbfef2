// Failure values of the palette core: one code per fault with its constant message and
// how the editor reports it (the runtime's input/output exception or a message box with
// a caption). The table is in PaletteStatus.cpp; tests match the codes against it.
#pragma once

#include <cstdint>
#include <string>

namespace pal {

enum class Fault : std::uint8_t {
  None,        // success
  InOutError,  // the runtime's input/output error exception with the message
  ErrorBox,    // a message box with the message and the caption; the operation returns
};

enum class Code : std::uint8_t {
  Ok,
  FileNotFound,       // the file to read does not exist
  PathNotFound,       // a folder of the name does not exist
  AccessDenied,       // the file cannot be opened or created for lack of rights
  DiskFull,           // a write or the close after it failed for want of space
  IoFailed,           // any other failure of the file system; the value is errno
  ReadBeyondEnd,      // a raw palette shorter than 768 bytes
  InvalidNumeric,     // a token of a text palette that is no 32-bit decimal integer
  JascSignature,      // the first line is not exactly "JASC-PAL"
  JascNot8Bit,        // the version is not "0100" or the count not 256
  GradientSameIndex,  // a gradient whose start and end index are the same
  GradientReversed,   // a gradient whose start index lies after its end index
  Count
};

struct CodeInfo {
  Code code;
  Fault fault;
  const char* name;     // the code's name, also the stem of malformed test files
  const char* message;  // "%d" takes the status value
  const char* caption;  // of the message box; empty for the other faults
};

// The one table of codes, indexed by Code.
const CodeInfo& Describe(Code code);

struct Status {
  Code code = Code::Ok;
  int value = 0;  // errno for Code::IoFailed
  bool ok() const { return code == Code::Ok; }
  const CodeInfo& info() const { return Describe(code); }
  // The message with its value filled in.
  std::string Message() const;
};

inline Status Fail(Code code, int value = 0) { return Status{code, value}; }

}  // namespace pal
