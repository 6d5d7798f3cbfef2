// TDIB's streams: BMP files with their file header, the bare image of form files and
// CF_DIB, the form-file properties, and the clipboard.
#include <cstring>

#include "dib/core/BmpReader.h"
#include "dib/DIB.h"
#include "dib/DIBErrors.h"
#include "dib/GlobalMemoryStream.h"

void TDIB::LoadFromStream(TStream& stream) {
  uint8_t header[bmp::kFileHeaderSize];
  const long long got = stream.Read(header, sizeof header);
  if (got == 0) return;
  bmp::ByteReader reader(header, static_cast<size_t>(got));
  bmp::BmpFileHeader file{};
  bool empty = false;
  CheckDIBStatus(bmp::ReadFileHeader(reader, file, empty));
  ReadImage(stream, static_cast<long long>(file.offBits) - bmp::kFileHeaderSize);
}

void TDIB::ReadData(TStream& stream) { ReadImage(stream, -1); }

void TDIB::ReadImage(TStream& stream, long long pixelOffset) {
  TDIBSharedImage* fresh = new TDIBSharedImage;
  try {
    fresh->LoadFromStream(stream, image_->MemoryImage, pixelOffset);
  } catch (...) {
    fresh->Free();
    throw;
  }
  SetImage(fresh);
}

void TDIB::SaveToStream(TStream& stream) {
  if (Empty()) return;
  bmp::DibLayout layout;
  layout.headerSize = image_->HeaderSize;
  layout.size = static_cast<uint32_t>(size_);
  uint8_t header[bmp::kFileHeaderSize];
  bmp::WriteFileHeader(layout, header);
  stream.WriteBuffer(header, sizeof header);
  WriteData(stream);
}

void TDIB::WriteData(TStream& stream) {
  if (Empty()) return;
  if (!image_->MemoryImage) GdiFlush();
  stream.WriteBuffer(image_->Header, image_->HeaderSize);
  stream.WriteBuffer(image_->PBits, size_);
}

void TDIB::ReadProperty(const std::string& name, TStream& stream) {
  if (name == "Data") {
    ReadData(stream);
  } else if (name == "DIB") {
    LoadFromStream(stream);
  } else {
    throw EReadError(SReadError);
  }
}

void TDIB::WriteProperty(const std::string& name, TStream& stream) {
  if (name != "Data") throw EWriteError(SWriteError);
  WriteData(stream);
}

void TDIB::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  format = CF_DIB;
  palette = nullptr;
  TMemoryStream stream;
  WriteData(stream);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(stream.Size()));
  if (!block) throw EOutOfMemory(SOutOfMemory);
  void* p = GlobalLock(block);
  if (!p) {
    GlobalFree(block);
    throw EOutOfMemory(SOutOfMemory);
  }
  std::memcpy(p, stream.Memory(), static_cast<size_t>(stream.Size()));
  GlobalUnlock(block);
  data = block;
}

void TDIB::LoadFromClipboardFormat(UINT, HANDLE data, HPALETTE) {
  TGlobalMemoryStream stream(data);
  ReadData(stream);
}
