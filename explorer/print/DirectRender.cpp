// "Direct Rendering" in the print window: the start with its size checks, the threaded
// file render on one worker per processor polled by Timer1, the single-thread file render
// inside the OK handler, the printer render, the saved file, the time shown, and Cancel.
// The disk render itself is driven through TDiskRender (DiskRender.h).
#include <windows.h>

#include <cstdint>
#include <vector>

#include "explorer/print/DiskImageSave.h"
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
constexpr const char SRenderSizeTooLarge[] =
    "Width and Height: the image may be at most 2147483647 pixels each way (width %s, height %s).";

// The pause after a finished render before OK comes back.
constexpr DWORD FinishPause = 1000;

// The display's colour table and bit depth, which decide the colours (8-bit displays
// show the table's colours), taken once: the display may change while workers run. Null
// without a main window.
const ColorTableEntry* DisplayColorTable() {
  if (Form1 == nullptr) return nullptr;
  TDXDraw* display = Form1->DXDraw1;
  static_assert(sizeof(display->ColorTable) == sizeof(ColorTableEntry) * ColorTableSize,
                "the display's table and the disk's copy have the same layout");
  return reinterpret_cast<const ColorTableEntry*>(display->ColorTable);
}
std::int32_t DisplayBitCount() {
  if (Form1 == nullptr) return 32;
  TDXDraw* display = Form1->DXDraw1;
  return display->Surface() ? display->Surface()->BitCount() : 32;
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
    const bool tooLarge = typedWidth > INT32_MAX || typedHeight > INT32_MAX;
    Application->MessageBox(Format(tooLarge ? SRenderSizeTooLarge : SRenderSizeError, Edit2->Text(), Edit3->Text()),
                            Caption(), MB_OK | MB_ICONERROR);
    Button1->SetEnabled(true);
    return;
  }
  diskRender_.Prepare(static_cast<std::int32_t>(width), static_cast<std::int32_t>(typedHeight),
                      DisplayColorTable(), DisplayBitCount());
  DiskMarginDivisor = 2 * diskRender_.PixelsPerCall();
  if (!CheckBox1->Checked()) RenderToPrinter();
  else if (UseMultiThreading != 0) RenderFileThreaded();
  else RenderFileSingleThread();
}

void TForm4::BeginFileRender() {
  ProgressBar1->SetPosition(0);
  ProgressBar1->SetMax(diskRender_.Height());
  Label11->SetCaption("Rendered:");
  Application->ProcessMessages();
  RenderStartTime = timeGetTime();
  diskRender_.MakeImage();  // white; EOutOfMemory naming the size
}

void TForm4::RenderFileThreaded() {
  BeginFileRender();
  try {
    diskRender_.StartWorkers(ProgressBar1->Handle());
  } catch (...) {
    diskRender_.DropImage();
    throw;
  }
  Timer1->SetEnabled(true);
}

void TForm4::RenderFileSingleThread() {
  RenderCancel = 0;
  BeginFileRender();
  // Stepped as a single worker steps its rows, so both paths write one file.
  const long double stepY = diskRender_.StepY();
  long double y = diskRender_.FirstRowY(0) + stepY;
  for (std::int32_t row = 0; row < diskRender_.Height(); ++row) {
    ProgressBar1->StepIt();
    Application->ProcessMessages();
    if (RenderCancel != 0 || RenderLeft()) break;
    y = y - stepY;
    diskRender_.RenderImageRow(row, y);
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
    SaveDiskImage(diskRender_.Image(), Edit4->Text());
  } catch (...) {
    diskRender_.DropImage();
    Sleep(FinishPause);
    Button1->SetEnabled(true);
    throw;
  }
  diskRender_.DropImage();
  Sleep(FinishPause);
  Button1->SetEnabled(true);
}

void TForm4::Timer1Timer(TObject*) {
  Application->ProcessMessages();
  if (!diskRender_.WorkersEnded() || !Timer1->Enabled()) return;
  Timer1->SetEnabled(false);
  diskRender_.FreeWorkers();
  FinishFileRender();
}

void TForm4::RenderToPrinter() {
  ProgressBar1->SetPosition(0);
  ProgressBar1->SetMax(diskRender_.Height());
  TPrinter* printer = Printer();
  printer->BeginDoc();
  RenderStartTime = timeGetTime();
  try {
    const TPrintOrigin origin =
        PrinterRenderOrigin(printer->PageWidth(), printer->PageHeight(), diskRender_.Width(),
                            diskRender_.Height(), DiskMarginDivisor);
    HDC dc = printer->Canvas()->Handle();
    std::vector<std::uint32_t> row(diskRender_.RowColorCount());
    const long double stepY = diskRender_.StepY();
    long double y = diskRender_.FirstRowY(0) + stepY;
    for (std::int32_t r = 0; r < diskRender_.Height(); ++r) {
      ProgressBar1->StepIt();
      Application->ProcessMessages();
      y = y - stepY;
      diskRender_.RenderRowColors(y, row.data());
      SetPrinterPixels(dc, origin.FirstGroup * diskRender_.PixelsPerCall(), origin.FirstRow + r,
                       row);
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
  diskRender_.CancelWorkers();
}

void TForm4::AbandonDirectRender() {
  Timer1->SetEnabled(false);
  diskRender_.Abandon();
}
