// The main window's parameter files: reading one into the settings and the colour table
// (LoadParamFile, also for the command-line argument and dropped files), and writing the
// current view (Save1Click). The byte format is the codec's (ParamFile.h); the menu and
// drop commands that open a file are in MainFileCommands.cpp.
#include <cstring>
#include <vector>

#include "explorer/render/ColorSettings.h"
#include "explorer/app/MainForm.h"
#include "explorer/palette/PaletteLockHolder.h"
#include "explorer/files/paramfile/ParamFile.h"
#include "explorer/render/RenderSettings.h"
#include "display/DXDraw.h"
#include "forms/dialogs/Dialogs.h"
#include "forms/dialogs/Responder.h"
#include "forms/core/SaveFileStream.h"
#include "forms/core/Streams.h"
#include "forms/core/SysUtils.h"

namespace {

std::vector<std::uint8_t> ReadParamFileBytes(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  // One byte more than the largest version: every longer file reads the same.
  const long long size = file.Size();
  std::vector<std::uint8_t> data(static_cast<std::size_t>(
      size < static_cast<long long>(ParamFileReadLimit) ? (size > 0 ? size : 0) : ParamFileReadLimit));
  if (!data.empty()) file.ReadBuffer(data.data(), static_cast<long long>(data.size()));
  return data;
}

// The settings as a file stores them; the colour table is the caller's to fill.
ParamFile CurrentParamFile() {
  ParamFile f;
  f.Colors = CurrentColorSettings();
  f.MaxIterations = MaxIterations;
  f.Bailout = Bailout;
  f.ViewLeft = ViewLeft;
  f.ViewTop = ViewTop;
  f.ViewWidth = ViewWidth;
  f.ViewHeight = ViewHeight;
  f.JuliaCRe = JuliaC.Re;
  f.JuliaCIm = JuliaC.Im;
  f.JuliaMode = JuliaMode;
  return f;
}

void StoreParamFile(const ParamFile& f) {
  SetColorSettings(f.Colors);
  MaxIterations = f.MaxIterations;
  Bailout = f.Bailout;
  ViewLeft = f.ViewLeft;
  ViewTop = f.ViewTop;
  ViewWidth = f.ViewWidth;
  ViewHeight = f.ViewHeight;
  JuliaC.Re = f.JuliaCRe;
  JuliaC.Im = f.JuliaCIm;
  JuliaMode = f.JuliaMode;
}

}  // namespace

void TForm1::LoadParamFile(const std::string& fileName) {
  const std::vector<std::uint8_t> data = ReadParamFileBytes(fileName);
  ParamFile f;
  const ParamFileStatus status = ReadParamFile(data.data(), data.size(), f);
  // A file that fails is refused whole: no setting changes, whatever the fault.
  switch (status.info().fault) {
    case ParamFileFault::None:
      break;
    case ParamFileFault::MessageBox:
      UserResponder().MessageBox(Handle(), status.info().message, status.info().caption, MB_OK);
      return;
    case ParamFileFault::InOutError:
      throw EInOutError(status.info().message);
  }
  StoreParamFile(f);
  if (f.Colors.PaletteLoaded != 0) {
    TPaletteLockHolder lock;
    static_assert(sizeof(f.ColorTable) == sizeof(DXDraw1->ColorTable), "256 entries of 4 bytes");
    std::memcpy(DXDraw1->ColorTable, f.ColorTable, sizeof DXDraw1->ColorTable);
    std::memcpy(DXDraw1->DefColorTable, DXDraw1->ColorTable, sizeof DXDraw1->DefColorTable);
  }
  // Without a table the slopes rebuild the colours; with one, only the inside colour and
  // its inverse are set again.
  BuildDefaultPalette();
}

void TForm1::Save1Click(TObject*) {
  ForceCurrentDirectory = true;
  if (SaveDialog1->Execute()) {
    ParamFile f = CurrentParamFile();
    if (f.Colors.PaletteLoaded != 0) {
      TPaletteLockHolder lock;
      std::memcpy(f.ColorTable, DXDraw1->ColorTable, sizeof f.ColorTable);
    }
    const std::vector<std::uint8_t> bytes = WriteParamFile(f);
    TSaveFileStream file(SaveDialog1->FileName);
    file.WriteBuffer(bytes.data(), static_cast<long long>(bytes.size()));
    file.Commit();
  }
  ReconfineInFullScreen();
}
