// The JPEG encoder behind image saving (see JpegWriter.h). libjpeg reports a fatal error
// through its error manager, which must not return: it jumps back here, so that no C++
// exception ever crosses the library's C frames. The encoded bytes go to a destination
// of our own that writes them through SafeSave; a write that fails ends the encoding the
// same way, and the save's own failure is what the caller is told.
#include "explorer/files/JpegWriter.h"

#include <csetjmp>
#include <memory>

#include <jpeglib.h>
#include <jerror.h>

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

constexpr std::size_t kBufferSize = 64 * 1024;

struct SaveDestination {
  jpeg_destination_mgr pub;
  SafeSave* save;
  JOCTET buffer[kBufferSize];
};

void InitDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<SaveDestination*>(cinfo->dest);
  dest->pub.next_output_byte = dest->buffer;
  dest->pub.free_in_buffer = kBufferSize;
}

void WriteOrFail(j_compress_ptr cinfo, std::size_t size) {
  auto* dest = reinterpret_cast<SaveDestination*>(cinfo->dest);
  if (!dest->save->Write(dest->buffer, size).ok()) {
    cinfo->err->msg_code = JERR_FILE_WRITE;
    (*cinfo->err->error_exit)(reinterpret_cast<j_common_ptr>(cinfo));
  }
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  WriteOrFail(cinfo, kBufferSize);
  InitDestination(cinfo);
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  auto* dest = reinterpret_cast<SaveDestination*>(cinfo->dest);
  WriteOrFail(cinfo, kBufferSize - dest->pub.free_in_buffer);
}

}  // namespace

JpegWriteResult WriteJpegFile(const std::string& fileName, const std::uint8_t* rows, int width,
                              int height, std::ptrdiff_t stride, int quality, bool progressive) {
  JpegWriteResult result;
  // The save changes state between setjmp and a jump back: it lives outside this frame.
  auto save = std::make_unique<SafeSave>(fileName);
  result.Save = save->Begin();
  if (!result.Save.ok()) {
    result.CreateFailed = true;
    return result;
  }
  // Its buffer is too large for the stack.
  auto dest = std::make_unique<SaveDestination>();
  dest->save = save.get();
  dest->pub.init_destination = &InitDestination;
  dest->pub.empty_output_buffer = &EmptyOutputBuffer;
  dest->pub.term_destination = &TermDestination;
  jpeg_compress_struct cinfo{};
  ErrorManager error{};
  cinfo.err = jpeg_std_error(&error.pub);
  error.pub.error_exit = &ErrorExit;
  error.pub.output_message = &OutputMessage;
  // Everything the jump must see after it lives outside this function's registers.
  volatile bool created = false;
  if (setjmp(error.escape)) {
    if (created) jpeg_destroy_compress(&cinfo);
    result.Save = save->Status();
    if (result.Save.ok()) result.ErrorCode = error.pub.msg_code;
    return result;
  }
  jpeg_create_compress(&cinfo);
  created = true;
  cinfo.dest = &dest->pub;
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
  result.Save = save->Commit();
  return result;
}
