// The main window's printing: "Print && Disk rendering" shows the print window and, when
// it returns OK, prints what the display shows, centred on the printable page at the
// chosen share of it; "Printer Setup" runs the system's printer setup dialog.
#include <memory>

#include "explorer/files/DisplayPicture.h"
#include "explorer/app/MainForm.h"
#include "explorer/print/PrintGeometry.h"
#include "explorer/print/PrintWindow.h"
#include "display/DXDraw.h"
#include "forms/graphics/Bitmap.h"
#include "forms/windows/Menus.h"
#include "forms/dialogs/Printers.h"
#include "forms/dialogs/PrinterSetupDialog.h"

void TForm1::BuildPrintCommands() {
  PrinterSetupDialog1 = new TPrinterSetupDialog(this);
  PrinterSetupDialog1->SetName("PrinterSetupDialog1");
  Print1->OnClick = MakeEvent(this, &TForm1::Print1Click);
  Print2->OnClick = MakeEvent(this, &TForm1::Print1Click);
  PrinterSetup1->OnClick = MakeEvent(this, &TForm1::PrinterSetup1Click);
  PrinterSetup2->OnClick = MakeEvent(this, &TForm1::PrinterSetup1Click);
}

namespace {

void PrintPicture(TDXDraw* display) {
  std::unique_ptr<TBitmap> bitmap = DisplayPicture(display);
  TPrinter* printer = Printer();
  const TIntRect r = NormalPrintRect(printer->PageWidth(), printer->PageHeight(), bitmap->Width(),
                                     bitmap->Height(), PageFillFraction);
  printer->BeginDoc();
  try {
    printer->Canvas()->StretchDraw(RECT{r.Left, r.Top, r.Right, r.Bottom}, bitmap.get());
  } catch (...) {
    printer->Abort();
    throw;
  }
  printer->EndDoc();
}

}  // namespace

void TForm1::Print1Click(TObject*) {
  if (Form4 != nullptr && Form4->ShowModal() == mrOk) PrintPicture(DXDraw1);
  ReconfineInFullScreen();
}

void TForm1::PrinterSetup1Click(TObject*) {
  PrinterSetupDialog1->Execute();
  ReconfineInFullScreen();
}
