// The editor's palette unit (see Palette.h): the core's statuses become the runtime's
// input/output exception or the message box their code names.
#include "paletteeditor/palette/Palette.h"

#include <windows.h>

#include "paletteeditor/core/PaletteFiles.h"
#include "forms/runtime/Application.h"
#include "forms/core/SysUtils.h"

pal::PaletteColours WorkPalette{};
pal::PaletteColours OtherPalette{};

namespace {

// False after a message box; raises for the other failures.
bool Report(const pal::Status& status) {
  switch (status.info().fault) {
    case pal::Fault::None:
      return true;
    case pal::Fault::ErrorBox:
      Application->MessageBox(status.Message(), status.info().caption, MB_OK);
      return false;
    case pal::Fault::InOutError:
      break;
  }
  throw EInOutError(status.Message());
}

}  // namespace

void ReadRawPalette(const std::string& fileName, pal::PaletteColours& palette) {
  Report(pal::ReadRawPalette(fileName, palette));
}

void LoadRawPalette(const std::string& fileName) { ReadRawPalette(fileName, WorkPalette); }

bool ReadJascPalette(const std::string& fileName, pal::PaletteColours& palette) {
  return Report(pal::ReadJascPalette(fileName, palette));
}

bool LoadJascPalette(const std::string& fileName) { return ReadJascPalette(fileName, WorkPalette); }

void ReadMapPalette(const std::string& fileName, pal::PaletteColours& palette) {
  Report(pal::ReadMapPalette(fileName, palette));
}

void LoadMapPalette(const std::string& fileName) { ReadMapPalette(fileName, WorkPalette); }

int ReadPaletteAuto(const std::string& fileName, pal::PaletteColours& palette) {
  std::int32_t format = pal::NoPaletteFormat;
  if (!Report(pal::ReadPaletteAuto(fileName, palette, format))) return pal::NoPaletteFormat;
  return format;
}

int LoadPaletteAuto(const std::string& fileName) { return ReadPaletteAuto(fileName, WorkPalette); }

void SaveRawPalette(const std::string& fileName) { Report(pal::SaveRawPalette(fileName, WorkPalette)); }

void SaveJascPalette(const std::string& fileName) { Report(pal::SaveJascPalette(fileName, WorkPalette)); }

void SaveMapPalette(const std::string& fileName) { Report(pal::SaveMapPalette(fileName, WorkPalette)); }

void DefaultPalette() { pal::DefaultPalette(WorkPalette); }

bool PaletteGradient(std::uint8_t start, std::uint8_t end, pal::Colour a, pal::Colour b,
                     pal::PaletteColours& palette) {
  return Report(pal::PaletteGradient(start, end, a, b, palette));
}
