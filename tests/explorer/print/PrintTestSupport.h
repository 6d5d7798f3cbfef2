// Shared by the print window's tests: a real printer in the test's Wine prefix (Wine's
// PostScript driver with a PPD of our own, printing into a file of the host), host
// programs run from inside wine (ghostscript, ImageMagick), and images read back from
// the binary PPM files those programs write.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"

// The host path of a test file and the same file as this process names it (drive Z: is
// the host's root under wine).
inline std::string HostToWine(const std::string& hostPath) {
  std::string path = "Z:" + hostPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

inline std::string ReadWholeFile(const std::string& path) {
  std::string text;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

inline void WriteWholeFile(const std::string& path, const std::string& text) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
}

// Runs a shell script on the host and waits for it. Wine starts host programs but gives
// no handle that can be waited on, so the script marks its end with a file of its own.
inline bool RunHostScript(const std::string& workDir, const std::string& script,
                          DWORD timeoutMs = 120000) {
  const std::string scriptPath = workDir + "/run.sh", done = workDir + "/run.done";
  DeleteFileA(HostToWine(done).c_str());
  WriteWholeFile(HostToWine(scriptPath), script + "\necho $? > '" + done + ".part' && mv '" +
                                             done + ".part' '" + done + "'\n");
  TChildProcess shell;
  if (!shell.Start("Z:\\bin\\sh " + scriptPath)) return false;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    const std::string status = ReadWholeFile(HostToWine(done));
    if (!status.empty()) return status.rfind("0", 0) == 0;
    Sleep(20);
  }
  return false;
}

// A binary PPM (P6) image: 3 bytes per pixel, red first, top row first.
struct PpmImage {
  int Width = 0, Height = 0;
  std::string Pixels;
  bool Valid() const { return Width > 0 && Height > 0; }
  // 0x00BBGGRR, the explorer's colour values.
  std::uint32_t At(int x, int y) const {
    const auto* p = reinterpret_cast<const unsigned char*>(Pixels.data()) +
                    (static_cast<size_t>(y) * Width + x) * 3;
    return p[0] | p[1] << 8 | p[2] << 16;
  }
};

inline PpmImage ReadPpm(const std::string& path) {
  PpmImage image;
  const std::string data = ReadWholeFile(path);
  if (data.compare(0, 2, "P6") != 0) return image;
  // Three numbers after the magic, with comments (ghostscript writes one) skipped.
  size_t at = 2;
  int numbers[3] = {0, 0, 0};
  for (int& number : numbers) {
    while (at < data.size() && (std::isspace(static_cast<unsigned char>(data[at])) || data[at] == '#')) {
      if (data[at] == '#') at = data.find('\n', at);
      else ++at;
    }
    while (at < data.size() && std::isdigit(static_cast<unsigned char>(data[at])))
      number = number * 10 + (data[at++] - '0');
  }
  ++at;  // the one blank before the pixels
  const size_t size = static_cast<size_t>(numbers[0]) * numbers[1] * 3;
  if (numbers[2] != 255 || data.size() < at + size) return image;
  image.Width = numbers[0];
  image.Height = numbers[1];
  image.Pixels = data.substr(at, size);
  return image;
}

// The test printer: A4 at 300 dots per inch with 18 pt margins (paper 2479 x 3508
// printer pixels, printable area 2329 x 3358 at offset 75, 75), colour, PostScript into
// the host file named by its port. It becomes the default printer.
constexpr const char TestPrinterName[] = "Quorvel Test Printer";
constexpr const char TestDriverName[] = "Quorvel Test PostScript";

inline bool InstallTestPrinter(const std::string& hostOutput) {
  char folder[MAX_PATH] = "";
  DWORD size = sizeof folder;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), size, &size))
    return false;
  const std::string ppd = std::string(folder) + "\\quorvel-test.ppd";
  WriteWholeFile(ppd,
                 "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*LanguageLevel: \"2\"\n"
                 "*ColorDevice: True\n*DefaultColorSpace: RGB\n*ModelName: \"Quorvel Test\"\n"
                 "*NickName: \"Quorvel Test\"\n*DefaultResolution: 300dpi\n"
                 "*OpenUI *PageSize: PickOne\n*DefaultPageSize: A4\n"
                 "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n*CloseUI: *PageSize\n"
                 "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 18 577 824\"\n"
                 "*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n");
  DRIVER_INFO_3A driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(TestDriverName);
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pDataFile = const_cast<char*>(ppd.c_str());
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) return false;
  HANDLE existing = nullptr;
  if (OpenPrinterA(const_cast<char*>(TestPrinterName), &existing, nullptr)) {
    ClosePrinter(existing);
  } else {
    PRINTER_INFO_2A printer{};
    printer.pPrinterName = const_cast<char*>(TestPrinterName);
    // A port that is a host path: the spooler writes the job there.
    printer.pPortName = const_cast<char*>(hostOutput.c_str());
    printer.pDriverName = const_cast<char*>(TestDriverName);
    printer.pPrintProcessor = const_cast<char*>("WinPrint");
    printer.pDatatype = const_cast<char*>("RAW");
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (added == nullptr) return false;
    ClosePrinter(added);
  }
  return SetDefaultPrinterA(TestPrinterName) != FALSE;
}

inline void RemoveTestPrinter() {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterA(const_cast<char*>(TestPrinterName), &printer, &access)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
}

// The settings of the test printer turned to landscape, for the printer object.
inline std::vector<unsigned char> LandscapeMode() {
  HANDLE printer = nullptr;
  std::vector<unsigned char> mode;
  if (!OpenPrinterA(const_cast<char*>(TestPrinterName), &printer, nullptr)) return mode;
  const LONG size = DocumentPropertiesA(nullptr, printer, const_cast<char*>(TestPrinterName), nullptr, nullptr, 0);
  if (size > 0) {
    mode.resize(static_cast<size_t>(size));
    auto* dm = reinterpret_cast<DEVMODEA*>(mode.data());
    if (DocumentPropertiesA(nullptr, printer, const_cast<char*>(TestPrinterName), dm, nullptr, DM_OUT_BUFFER) == IDOK) {
      dm->dmOrientation = DMORIENT_LANDSCAPE;
      dm->dmFields |= DM_ORIENTATION;
    } else {
      mode.clear();
    }
  }
  ClosePrinter(printer);
  return mode;
}
