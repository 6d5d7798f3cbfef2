// TPrinter: the printer that the programs print on, over the platform's printing: the
// system's default printer until the printer setup dialog chooses another, its device
// capabilities and printable page, one print job at a time and the canvas drawn on it.
// The dialog is PrinterSetupDialog.h.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "forms/graphics/Graphics.h"
#include "forms/core/SysUtils.h"

QV_EXCEPTION(EPrinter, Exception);

class TPrinter : public TObject {
public:
  TPrinter();
  ~TPrinter() override;
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // The printer's device context; EPrinter when there is no printer, EOSError when its
  // context cannot be made.
  HDC Handle();
  // GetDeviceCaps of the printer (PHYSICALWIDTH, PHYSICALOFFSETX, LOGPIXELSX ...).
  int DeviceCaps(int index);
  // The printable area in device pixels; the canvas's origin is its top-left corner.
  int PageWidth() { return DeviceCaps(HORZRES); }
  int PageHeight() { return DeviceCaps(VERTRES); }
  const std::string& PrinterName();

  // The canvas on the printer's context; drawing outside a print job goes nowhere.
  TCanvas* Canvas();
  // The document name the spooler shows.
  std::string Title;
  bool Printing() const { return printing_; }
  // A job of one page: BeginDoc starts it and its page, EndDoc ends both; Abort
  // discards it. EPrinter when started twice or ended without a start.
  void BeginDoc();
  void EndDoc();
  void Abort();

  // Makes the named printer, with these settings (null: its own), the one printed on.
  void SetPrinter(const std::string& device, const DEVMODEA* mode);
  // The settings in use (empty: the printer's own).
  const std::vector<unsigned char>& DevMode() const { return devMode_; }

private:
  void SelectDefault();
  void FreeHandle();

  std::string device_;
  std::vector<unsigned char> devMode_;
  HDC dc_ = nullptr;
  TCanvas canvas_;
  bool printing_ = false;
};

// The program's one printer object, made on first use and freed at the end.
TPrinter* Printer();
