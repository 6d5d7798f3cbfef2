// Failure values of the parameter-file codec: one code per fault with its constant
// message and how the main window reports it. The table is in ParamFileStatus.cpp;
// tests match the codes and the stems of the malformed test files against it.
#pragma once

#include <cstdint>

// How the main window reports a code.
enum class ParamFileFault : std::uint8_t {
  None,        // success
  MessageBox,  // a message box with the row's text and caption and an OK button
  InOutError,  // the runtime's input/output exception with the row's text
};

enum class ParamFileCode : std::uint8_t {
  Ok,
  BadMagic,   // the first 18 bytes are not the length byte 17 and the signature
  Truncated,  // the file ends inside the signature, the view, the Julia fields or the table
  IterationsBelowZero,  // MaxIterations is negative
  Count
};

struct ParamFileCodeInfo {
  ParamFileCode code;
  ParamFileFault fault;
  const char* name;     // the code's name, also the stem of the malformed test files
  const char* message;
  const char* caption;  // for a message box; empty otherwise
};

// The one table of codes, indexed by ParamFileCode.
const ParamFileCodeInfo& DescribeParamFileCode(ParamFileCode code);

struct ParamFileStatus {
  ParamFileCode code = ParamFileCode::Ok;
  bool ok() const { return code == ParamFileCode::Ok; }
  const ParamFileCodeInfo& info() const { return DescribeParamFileCode(code); }
};
