// The table of codec failures and their messages (see BmpStatus.h).
#include "dib/core/BmpStatus.h"

#include <cstddef>

namespace bmp {

namespace {
constexpr const char* kInvalid = "DIB is invalid";

constexpr CodeInfo kCodes[] = {
    {Code::Ok, FaultKind::None, "ok", ""},
    {Code::Truncated, FaultKind::ReadError, "truncated", "Stream read error"},
    {Code::HeaderSize, FaultKind::InvalidGraphic, "header_size", kInvalid},
    {Code::FileType, FaultKind::InvalidGraphic, "file_type", kInvalid},
    {Code::Compression, FaultKind::InvalidGraphic, "compression", kInvalid},
    {Code::Dimensions, FaultKind::InvalidGraphic, "dimensions", kInvalid},
    {Code::BitCount, FaultKind::InvalidOperation, "bit_count", "Bitcount in invalid (%d)"},
    {Code::PixelFormat, FaultKind::InvalidOperation, "pixel_format", "PixelFormat in invalid"},
    {Code::BitFieldsBitCount, FaultKind::InvalidGraphic, "bitfields_bit_count", kInvalid},
    {Code::RleBitCount, FaultKind::InvalidGraphic, "rle_bit_count", kInvalid},
    {Code::RleTopDown, FaultKind::InvalidGraphic, "rle_top_down", kInvalid},
    {Code::RleImageSize, FaultKind::InvalidGraphic, "rle_image_size", kInvalid},
    {Code::RleRunPastRow, FaultKind::Clipped, "rle_run_past_row", kInvalid},
    {Code::RlePastImage, FaultKind::Clipped, "rle_past_image", kInvalid},
    {Code::RleDataEnd, FaultKind::Clipped, "rle_data_end", kInvalid},
};
static_assert(sizeof(kCodes) / sizeof(kCodes[0]) == static_cast<size_t>(Code::Count),
              "one table row per code");
}  // namespace

const CodeInfo& Describe(Code code) {
  return kCodes[static_cast<size_t>(code)];
}

}  // namespace bmp
