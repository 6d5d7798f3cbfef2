// SaveImageAs1Click: what the back surface holds now, at its size, written as a 24-bit
// BMP file, or as a progressive JPEG at quality 95 when the name ends in exactly ".jpg".
#include <memory>

#include "explorer/files/DisplayPicture.h"
#include "explorer/files/JpegImage.h"
#include "explorer/app/MainForm.h"
#include "forms/dialogs/Dialogs.h"
#include "forms/core/SysUtils.h"

void TForm1::SaveImageAs1Click(TObject*) {
  ForceCurrentDirectory = true;
  if (SaveDialog2->Execute()) {
    const std::unique_ptr<TBitmap> bitmap = DisplayPicture(DXDraw1);
    // Only the exact lower-case extension means JPEG: "x.JPG" is written as a bitmap.
    const std::string& name = SaveDialog2->FileName;
    if (ExtractFileExt(name) == ".jpg") {
      auto jpeg = std::make_unique<TJPEGImage>();
      jpeg->CompressionQuality = 95;
      jpeg->ProgressiveEncoding = true;
      jpeg->Assign(bitmap.get());
      jpeg->SaveToFile(name);
    } else {
      bitmap->SaveToFile(name);
    }
  }
  ReconfineInFullScreen();
}
