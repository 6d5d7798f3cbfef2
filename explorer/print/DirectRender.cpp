// "Direct Rendering" in the print window: the start with its size checks, the threaded
// file render on one worker per processor polled by Timer1, the single-thread file render
// inside the OK handler, the printer render, the saved file, the time shown, and Cancel.
// The pixels come from the disk render's pixel-group procedure (DiskPixelGroup.h).
#include <windows.h>

#include <cstdint>
#include <vector>

#include "explorer/render/ColorTable.h"
#include "explorer/render/DiskCalcThread.h"
#include "explorer/render/DiskImage.h"
#include "explorer/print/DiskImageSave.h"
#include "explorer/render/DiskPixelGroup.h"
#include "explorer/render/DiskRenderState.h"
#include "explorer/render/DiskWorkers.h"
#include "explorer/app/MainForm.h"
#include "explorer/print/PrintGeometry.h"
#include "explorer/render/RenderSettings.h"
#include "explorer/render/RenderState.h"
#include "explorer/render/RenderTime.h"
#include "explorer/print/PrintWindow.h"
#include "display/DXDraw.h"
#include "display/DirectDrawSurface.h"
#include "forms/runtime/Application.h"
#include "forms/dialogs/Printers.h"
#include "forms/controls/ProgressBar.h"
#include "forms/controls/StdCtrls.h"
#include "forms/core/SysUtils.h"
#include "forms/runtime/Timer.h"

std::int32_t DiskMarginDivisor = 2;
std::uint8_t RenderCancel = 0;

namespace {

constexpr const char SRenderSizeError[] =
    "The image must be at least 4 pixels wide and 1 pixel high (width %s, height %s).";

// The pause after a finished render before OK comes back.
constexpr DWORD FinishPause = 1000;

// The display's bit depth and colour table, which decide the colours (8-bit displays
// show the table's colours), taken once: the display may change while workers run.
void TakeDisplayColors() {
  if (Form1 == nullptr) return;
  TDXDraw* display = Form1->DXDraw1;
  const int bits = display->Surface() ? display->Surface()->BitCount() : 32;
  static_assert(sizeof(display->ColorTable) == sizeof(ColorTableEntry) * ColorTableSize,
                "the display's table and the disk's copy have the same layout");
  TakeDiskColors(reinterpret_cast<const ColorTableEntry*>(display->ColorTable), bits);
}

// Sets the pixels of one printer row from column left on, each to its colour value. Runs
// of one colour are filled as one-pixel-high rectangles: a printer driver may draw a lone
// pixel as a point without area (Wine's PostScript driver does, and nothing shows), and a
// page of single pixels is many times larger.
void SetPrinterPixels(HDC dc, std::int32_t left, std::int32_t top,
                      const std::vector<std::uint32_t>& colors) {
  std::size_t start = 0;
  while (start < colors.size()) {
    std::size_t end = start + 1;
    while (end < colors.size() && colors[end] == colors[start]) ++end;
    HBRUSH brush = CreateSolidBrush(colors[start]);
    if (brush == nullptr) RaiseLastOSError();
    const RECT r{left + static_cast<LONG>(start), top, left + static_cast<LONG>(end), top + 1};
    const int filled = FillRect(dc, &r, brush);
    DeleteObject(brush);
    if (!filled) RaiseLastOSError();
    start = end;
  }
}

// The whole number in a size field by the strict conversion (EConvertError otherwise).
long long SizeField(TEdit* field) { return StrToInt(field->Text()); }

}  // namespace

bool TForm4::DirectRenderRunning() const { return Timer1->Enabled(); }

bool TForm4::RenderLeft() const {
  // A modal window's close only sets its result; the close handler runs once the OK
  // handler, and so the render, has returned. The program's end arrives as WM_QUIT.
  return (Modal() && ModalResult() != mrNone) || Application->Terminated();
}

void TForm4::Button1Click(TObject*) {
  Button1->SetEnabled(false);
  if (RadioButton1->Checked()) {
    SetModalResult(mrOk);
    Button1->SetEnabled(true);
    return;
  }
  try {
    StartDirectRender();
  } catch (...) {
    // Nothing runs: OK comes back, and the default handler shows what failed.
    if (!DirectRenderRunning()) Button1->SetEnabled(true);
    throw;
  }
}

void TForm4::StartDirectRender() {
  SizeFromPagePending = 0;
  const long long typedWidth = SizeField(Edit2);
  const long long typedHeight = SizeField(Edit3);
  // Refused before anything is allocated: an image without pixels, or one whose size the
  // steps and the image cannot describe.
  const long long width = typedWidth & ~3LL;
  if (width <= 0 || typedHeight <= 0 || width > INT32_MAX || typedHeight > INT32_MAX) {
    Application->MessageBox(Format(SRenderSizeError, Edit2->Text(), Edit3->Text()), Caption(),
                            MB_OK | MB_ICONERROR);
    Button1->SetEnabled(true);
    return;
  }
  SetDiskRenderSize(static_cast<std::int32_t>(width), static_cast<std::int32_t>(typedHeight));
  TakeDisplayColors();
  DiskMarginDivisor = 2 * DiskPixelsPerCall;
  if (!CheckBox1->Checked()) RenderToPrinter();
  else if (UseMultiThreading != 0) RenderFileThreaded();
  else RenderFileSingleThread();
}

void TForm4::BeginFileRender() {
  ProgressBar1->SetPosition(0);
  ProgressBar1->SetMax(DiskHeight);
  Label11->SetCaption("Rendered:");
  Application->ProcessMessages();
  RenderStartTime = timeGetTime();
  DiskImage = new TDiskImage(DiskWidth, DiskHeight);  // white; EOutOfMemory naming the size
}

void TForm4::RenderFileThreaded() {
  BeginFileRender();
  DiskProgressBar = ProgressBar1->Handle();
  try {
    StartDiskWorkers();
  } catch (...) {
    delete DiskImage;
    DiskImage = nullptr;
    throw;
  }
  Timer1->SetEnabled(true);
}

void TForm4::RenderFileSingleThread() {
  RenderCancel = 0;
  BeginFileRender();
  const std::int32_t lanes = DiskPixelsPerCall;
  // Stepped as a single worker steps its rows, so both paths write one file.
  long double y = DiskFirstRowY(0) + DiskStepY;
  for (std::int32_t row = 0; row < DiskHeight; ++row) {
    std::uint8_t* line = DiskImage->ScanLine(row);
    ProgressBar1->StepIt();
    Application->ProcessMessages();
    if (RenderCancel != 0 || RenderLeft()) break;
    y = y - DiskStepY;
    long double x = DiskRowStartX;
    std::int32_t column = 0;
    for (std::int32_t g = 0; g < DiskCallsPerRow; ++g) {
      x = x + lanes * DiskStepX;
      std::uint32_t colors[4];
      DiskGroupColors(x, y, DiskSettings.Subpixels, colors, nullptr);
      for (std::int32_t i = 0; i < lanes && column < DiskWidth; ++i, ++column)
        StorePixel24(line, column, colors[i]);
    }
  }
  FinishFileRender();
}

void TForm4::ShowRenderedTime() {
  RenderEndTime = timeGetTime();
  RenderTimeText = FormatRenderTime(RenderStartTime, RenderEndTime);
  Label11->SetCaption("Rendered: " + RenderTimeText + " sec.");
  Application->ProcessMessages();
}

void TForm4::FinishFileRender() {
  ShowRenderedTime();
  try {
    SaveDiskImage(*DiskImage, Edit4->Text());
  } catch (...) {
    delete DiskImage;
    DiskImage = nullptr;
    Sleep(FinishPause);
    Button1->SetEnabled(true);
    throw;
  }
  delete DiskImage;
  DiskImage = nullptr;
  Sleep(FinishPause);
  Button1->SetEnabled(true);
}

void TForm4::Timer1Timer(TObject*) {
  Application->ProcessMessages();
  if (!DiskWorkersEnded() || !Timer1->Enabled()) return;
  Timer1->SetEnabled(false);
  FreeDiskWorkers();
  DiskProgressBar = nullptr;
  FinishFileRender();
}

void TForm4::RenderToPrinter() {
  ProgressBar1->SetPosition(0);
  ProgressBar1->SetMax(DiskHeight);
  TPrinter* printer = Printer();
  printer->BeginDoc();
  RenderStartTime = timeGetTime();
  try {
    const TPrintOrigin origin = PrinterRenderOrigin(printer->PageWidth(), printer->PageHeight(),
                                                    DiskWidth, DiskHeight, DiskMarginDivisor);
    HDC dc = printer->Canvas()->Handle();
    const std::int32_t lanes = DiskPixelsPerCall;
    std::vector<std::uint32_t> row(static_cast<std::size_t>(DiskCallsPerRow) * lanes);
    long double y = DiskFirstRowY(0) + DiskStepY;
    for (std::int32_t r = 0; r < DiskHeight; ++r) {
      ProgressBar1->StepIt();
      Application->ProcessMessages();
      y = y - DiskStepY;
      long double x = DiskRowStartX;
      for (std::int32_t g = 0; g < DiskCallsPerRow; ++g) {
        x = x + lanes * DiskStepX;
        DiskGroupColors(x, y, false, &row[static_cast<std::size_t>(g) * lanes], nullptr);
      }
      SetPrinterPixels(dc, origin.FirstGroup * lanes, origin.FirstRow + r, row);
    }
  } catch (...) {
    printer->Abort();
    throw;
  }
  printer->EndDoc();
  ShowRenderedTime();
  Sleep(FinishPause);
  Button1->SetEnabled(true);
}

void TForm4::Button2Click(TObject*) {
  RenderCancel = 1;
  CancelDiskWorkers();
}

void TForm4::AbandonDirectRender() {
  Timer1->SetEnabled(false);
  CancelDiskWorkers();
  FreeDiskWorkers();
  DiskProgressBar = nullptr;
  delete DiskImage;
  DiskImage = nullptr;
}
