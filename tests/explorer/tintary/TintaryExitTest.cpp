// The explorer's end with a palette editor still attached, as the program block runs it:
// COM entered at start, the main window made by the application, "Start", then the
// finalisations. The editor's object is let go while COM is still there, so the editor
// ends and COM is left afterwards. One test: it ends the application object.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "explorer/tintary/EditorObject.h"
#include "explorer/app/MainForm.h"
#include "forms/runtime/Application.h"
#include "forms/comclient/ComClient.h"
#include "forms/runtime/Module.h"

namespace {

std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

TEST(TintaryAtExit, TheEditorIsLetGoBeforeComIsLeft) {
  std::string line = "\"" + WindowsPath(QV_TINTARY_EXE) + "\" /RegServer";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
  ASSERT_EQ(WaitForSingleObject(info.hProcess, 30000), WAIT_OBJECT_0);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);

  Application->Initialize();
  InitComObj();
  Application->CreateForm(Form1);
  Form1->Show();
  Form1->Start1Click(nullptr);
  ASSERT_EQ(EditorObject.VarType(), VT_DISPATCH);
  HWND editor = FindWindowA(nullptr, EditorWindowCaption);
  ASSERT_NE(editor, nullptr);
  DWORD pid = 0;
  GetWindowThreadProcessId(editor, &pid);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  ASSERT_NE(process, nullptr);

  FinalizeUnits();
  EXPECT_TRUE(EditorObject.IsNull());
  EXPECT_EQ(WaitForSingleObject(process, 20000), WAIT_OBJECT_0) << "the editor ends with its object";
  CloseHandle(process);
  // COM was left: entering it again is a first entry.
  const HRESULT again = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(again, S_OK);
  if (SUCCEEDED(again)) CoUninitialize();
}

}  // namespace
