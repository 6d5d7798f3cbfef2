// The table of parameter-file failures and their messages (see ParamFileStatus.h).
// A file with an iteration limit below 0 is refused whole with a box of its own, so that
// no setting changes.
#include "explorer/files/paramfile/ParamFileStatus.h"

#include <cstddef>

namespace {
constexpr const char* kNotQuorvel = "Not a valid Quorvel file";

constexpr ParamFileCodeInfo kCodes[] = {
    {ParamFileCode::Ok, ParamFileFault::None, "ok", "", ""},
    {ParamFileCode::BadMagic, ParamFileFault::MessageBox, "bad_magic", kNotQuorvel, "Quorvel"},
    {ParamFileCode::Truncated, ParamFileFault::InOutError, "truncated", "Read beyond end of file", ""},
    {ParamFileCode::IterationsBelowZero, ParamFileFault::MessageBox, "iterations_below_zero",
     "The iteration limit in this file is below 0; the file was not opened.", "Quorvel"},
};
static_assert(sizeof(kCodes) / sizeof(kCodes[0]) == static_cast<std::size_t>(ParamFileCode::Count),
              "one table row per code");
}  // namespace

const ParamFileCodeInfo& DescribeParamFileCode(ParamFileCode code) {
  return kCodes[static_cast<std::size_t>(code)];
}
