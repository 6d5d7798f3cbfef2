// The table of palette failures and their messages (see PaletteStatus.h). The input and
// output texts are those of the runtime's file errors; the boxes are the editor's own.
#include "paletteeditor/core/PaletteStatus.h"

#include <cstddef>

namespace pal {
namespace {

constexpr const char* kLoadError = "Load Palette Error";
constexpr const char* kGradientError = "PaletteGradient Input Error";
constexpr const char* kGradientText =
    "Error: PaletteGradient Needs Start Num And \r\rEnd Num To Be Different Numbers";

constexpr CodeInfo kCodes[] = {
    {Code::Ok, Fault::None, "ok", "", ""},
    {Code::FileNotFound, Fault::InOutError, "file_not_found", "File not found", ""},
    {Code::PathNotFound, Fault::InOutError, "path_not_found", "Path not found", ""},
    {Code::AccessDenied, Fault::InOutError, "access_denied", "File access denied", ""},
    {Code::DiskFull, Fault::InOutError, "disk_full", "Disk full", ""},
    {Code::IoFailed, Fault::InOutError, "io_failed", "I/O error %d", ""},
    {Code::ReadBeyondEnd, Fault::InOutError, "read_beyond_end", "Read beyond end of file", ""},
    {Code::InvalidNumeric, Fault::InOutError, "invalid_numeric", "Invalid numeric input", ""},
    {Code::JascSignature, Fault::ErrorBox, "jasc_signature", "Error: JASC Signature Incorrect",
     kLoadError},
    {Code::JascNot8Bit, Fault::ErrorBox, "jasc_not_8bit",
     "Error: Palette Must Be 8Bit(256 Colours)", kLoadError},
    {Code::GradientSameIndex, Fault::ErrorBox, "gradient_same_index", kGradientText,
     kGradientError},
    // A reversed range would extrapolate past the end colour; it gets the same box.
    {Code::GradientReversed, Fault::ErrorBox, "gradient_reversed", kGradientText,
     kGradientError},
};
static_assert(sizeof(kCodes) / sizeof(kCodes[0]) == static_cast<std::size_t>(Code::Count),
              "one table row per code");

}  // namespace

const CodeInfo& Describe(Code code) { return kCodes[static_cast<std::size_t>(code)]; }

std::string Status::Message() const {
  std::string text = info().message;
  const std::size_t at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(value));
  return text;
}

}  // namespace pal
