// The table of parameter-file failures and their messages (see ParamFileStatus.h).
// A file that is not one of the four sizes the format knows is refused whole, with the
// box the main window shows for a foreign file, so no setting changes.
#include "ParamFileStatus.h"

#include <cstddef>

namespace {
constexpr const char* kNotQuorvel = "Not a valid Quorvel file";

constexpr ParamFileCodeInfo kCodes[] = {
    {ParamFileCode::Ok, ParamFileFault::None, "ok", "", ""},
    {ParamFileCode::BadMagic, ParamFileFault::MessageBox, "bad_magic", kNotQuorvel, "Quorvel"},
    {ParamFileCode::Truncated, ParamFileFault::InOutError, "truncated", "Read beyond end of file", ""},
    {ParamFileCode::Oversized, ParamFileFault::MessageBox, "oversized", kNotQuorvel, "Quorvel"},
};
static_assert(sizeof(kCodes) / sizeof(kCodes[0]) == static_cast<std::size_t>(ParamFileCode::Count),
              "one table row per code");
}  // namespace

const ParamFileCodeInfo& DescribeParamFileCode(ParamFileCode code) {
  return kCodes[static_cast<std::size_t>(code)];
}
