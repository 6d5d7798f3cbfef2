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
#include "tests/support/ChildProcess.h"

namespace {

TEST(TintaryAtExit, TheEditorIsLetGoBeforeComIsLeft) {
  const DWORD registered = RunToEnd("\"" + WindowsPath(QV_TINTARY_EXE) + "\" /RegServer");
  ASSERT_NE(registered, TChildProcess::NotStarted);
  ASSERT_NE(registered, TChildProcess::NotEnded);

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
