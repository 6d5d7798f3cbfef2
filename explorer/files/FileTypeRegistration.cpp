// RegisterFileType: the parameter-file association written at every start, so that a
// program moved elsewhere points the association at its new place after one start, and
// the probe that tells whether the palette editor is registered.
#include "explorer/app/MainForm.h"

#include "forms/runtime/Application.h"
#include "forms/windows/Menus.h"
#include "forms/settings/Registry.h"

// The open command as the shell runs it: the program's path is quoted, so that a folder
// with blanks in its name still starts the program with the file as its first argument.
static std::string OpenCommand(const std::string& programPath) {
  return "\"" + programPath + "\" \"%1\"";
}

void TForm1::RegisterFileType() {
  TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  if (!registry.OpenKeyReadOnly("TINTARY.Tintarycom")) Tintary1->SetEnabled(false);
  registry.CloseKey();
  registry.SetAccess(KEY_ALL_ACCESS);

  registry.OpenKey(".qvl", true);
  registry.WriteString("", "qvl_auto_file");
  registry.CloseKey();

  registry.OpenKey("qvl_auto_file", true);
  registry.WriteString("", "QVL File");
  registry.CloseKey();

  registry.OpenKey("qvl_auto_file\\shell\\open\\command", true);
  registry.WriteString("", OpenCommand(Application->ExeName()));
  registry.CloseKey();
}
