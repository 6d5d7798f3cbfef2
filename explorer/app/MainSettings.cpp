// The settings file "quorvel.ini": six Boolean keys of section "Settings", read by the
// create handler into menu check marks and the multithreading switch, written back by
// the close handler in an order of their own.
#include "explorer/app/MainForm.h"

#include "explorer/render/RenderSettings.h"
#include "forms/settings/IniFiles.h"
#include "forms/windows/Menus.h"

namespace {

const char* const Section = "Settings";

}  // namespace

void TForm1::ReadSettings() {
  TIniFile ini(SettingsFileName());
  BufferinSysMem1->SetChecked(ini.ReadBool(Section, "BufferinSysMem", BufferinSysMem1->Checked()));
  Force43window1->SetChecked(ini.ReadBool(Section, "Force43window", true));
  EnableVSync1->SetChecked(ini.ReadBool(Section, "EnableVsync", true));
  ShowFPS1->SetChecked(ini.ReadBool(Section, "ShowFPS", false));
  InvertRectinSelection1->SetChecked(ini.ReadBool(Section, "InvertRectinSelection", false));
  const bool multi = ini.ReadBool(Section, "MultiThreading", CpuCount > 1);
  // One processor renders on the frame timer, whatever the file says.
  UseMultiThreading = multi && CpuCount > 1 ? -1 : 0;

  BuffersinSysMem1->SetChecked(BufferinSysMem1->Checked());
  EnableVSync2->SetChecked(EnableVSync1->Checked());
  ShowFPS2->SetChecked(ShowFPS1->Checked());
}

void TForm1::WriteSettings() {
  TIniFile ini(SettingsFileName());
  ini.WriteBool(Section, "BufferinSysMem", BufferinSysMem1->Checked());
  ini.WriteBool(Section, "Force43window", Force43window1->Checked());
  ini.WriteBool(Section, "InvertRectinSelection", InvertRectinSelection1->Checked());
  ini.WriteBool(Section, "EnableVsync", EnableVSync1->Checked());
  ini.WriteBool(Section, "ShowFPS", ShowFPS1->Checked());
  ini.WriteBool(Section, "MultiThreading", UseMultiThreading != 0);
}
