// The JPEG encoder behind image saving (see JpegWriter.h). libjpeg reports a fatal error
// through its error manager, which must not return: it jumps back here, so that no C++
// exception ever crosses the library's C frames.
#include "JpegWriter.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf escape;
};

void ErrorExit(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->escape, 1);
}

// Warnings (corrupt data on reading) have no meaning for a compressor: say nothing.
void OutputMessage(j_common_ptr) {}

}  // namespace

JpegWriteResult WriteJpegFile(const std::string& fileName, const std::uint8_t* rows, int width,
                              int height, std::ptrdiff_t stride, int quality, bool progressive) {
  JpegWriteResult result;
  std::FILE* file = std::fopen(fileName.c_str(), "wb");
  if (!file) {
    result.CreateFailed = true;
    return result;
  }
  jpeg_compress_struct cinfo{};
  ErrorManager error{};
  cinfo.err = jpeg_std_error(&error.pub);
  error.pub.error_exit = &ErrorExit;
  error.pub.output_message = &OutputMessage;
  // Everything the jump must see after it lives outside this function's registers.
  volatile bool created = false;
  if (setjmp(error.escape)) {
    result.ErrorCode = error.pub.msg_code;
    if (created) jpeg_destroy_compress(&cinfo);
    std::fclose(file);
    return result;
  }
  jpeg_create_compress(&cinfo);
  created = true;
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rows + static_cast<std::ptrdiff_t>(cinfo.next_scanline) * stride);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  // A full disk shows only when the buffered data is flushed.
  if (std::ferror(file) | std::fclose(file)) result.WriteFailed = true;
  return result;
}
