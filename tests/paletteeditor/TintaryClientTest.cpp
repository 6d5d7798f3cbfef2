// The palette editor as an out-of-process automation server, driven from this process
// as the explorer drives it: registration by the program's switches, creation through
// COM (which starts the editor with -Embedding), late-bound and vtable calls, one
// editor process per object, the process ending with its object, a standalone editor
// serving the first object, and a script client under Wine's cscript.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <set>
#include <string>

#include "Tintary.h"
#include "paletteeditor/server/TintarycomArray.h"
#include "tests/paletteeditor/TintaryServerTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "forms/comserver/ComObj.h"
#include "forms/comserver/ComRegistry.h"

using Microsoft::WRL::ComPtr;

namespace {

const char kEditorCaption[] = "Palette Editor v1.2 - [ Untitled ]";
const std::string kServerExe = QV_TINTARY_EXE;
const std::string kScript = QV_CLIENT_SCRIPT;

// The processes that show an untitled editor window.
std::set<DWORD> EditorProcesses() {
  std::set<DWORD> pids;
  for (HWND window : VisibleWindows(kEditorCaption)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    pids.insert(pid);
  }
  return pids;
}

// Runs the server program with arguments; the exit code, and whether it showed a window.
DWORD RunServer(const std::string& args, bool* showedWindow = nullptr) {
  TChildProcess process;
  if (!process.Start("\"" + WindowsPath(kServerExe) + "\" " + args)) return TChildProcess::NotStarted;
  bool shown = false;
  const DWORD start = GetTickCount();
  while (WaitForSingleObject(process.Handle(), 10) == WAIT_TIMEOUT) {
    if (!VisibleWindows("", process.Id()).empty()) shown = true;
    if (GetTickCount() - start > 30000) return TChildProcess::NotEnded;
  }
  if (showedWindow) *showedWindow = shown;
  return process.WaitForExit(0);
}

bool WaitForExit(DWORD pid, DWORD timeoutMs, DWORD* exitCode = nullptr) {
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return true;  // gone already
  bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
  if (ended && exitCode) GetExitCodeProcess(process, exitCode);
  CloseHandle(process);
  return ended;
}

bool ProcessRunning(DWORD pid) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process) return false;
  bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

std::string ClassKey() { return "CLSID\\" + GUIDToString(CLSID_Tintarycom); }

bool KeyExists(const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

class TintaryClient : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_EQ(RunServer("/RegServer"), 0u); }
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  // Every editor that a test's objects started has ended before the next test looks
  // for editor windows.
  void TearDown() override {
    CoUninitialize();
    for (DWORD pid : started_) EXPECT_TRUE(WaitForExit(pid, 20000)) << "editor " << pid << " still runs";
  }

  // Creates an editor object as the explorer does, by ProgID (in another case), and
  // the process that serves it (found by the editor's caption).
  ComPtr<IDispatch> CreateEditor(DWORD* pid = nullptr) {
    std::set<DWORD> before = EditorProcesses();
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(L"tintary.tintarycom", &clsid), S_OK);
    ComPtr<IDispatch> editor;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&editor));
    EXPECT_EQ(hr, S_OK);
    DWORD created = 0;
    for (DWORD p : EditorProcesses())
      if (!before.count(p)) created = p;
    if (created) started_.push_back(created);
    if (pid) *pid = created;
    return editor;
  }

  std::vector<DWORD> started_;

  static DISPID IdOf(IDispatch* editor, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(editor->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    return id;
  }
  // A late-bound call by name with the arguments in call order.
  static HRESULT Call(IDispatch* editor, const wchar_t* name, std::vector<VARIANT> args, VARIANT* result,
                      EXCEPINFO* excep) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    UINT argErr = 0;
    return editor->Invoke(IdOf(editor, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                          result, excep, &argErr);
  }
  // The explorer's Send: the array passed as a reference to a variant.
  static HRESULT Send(IDispatch* editor, const std::vector<std::uint32_t>& colours) {
    TVariant array;
    MakeI4Array(array, colours);
    VARIANT byRef;
    V_VT(&byRef) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&byRef) = &array.v;
    EXCEPINFO excep{};
    return Call(editor, L"Set_Palette", {I4(0), I4(static_cast<LONG>(colours.size()) - 1), byRef}, nullptr,
                &excep);
  }
  static TArrayShape Fetch(IDispatch* editor, LONG from, LONG to) {
    TVariant got;
    EXCEPINFO excep{};
    EXPECT_EQ(Call(editor, L"Get_Palette", {I4(from), I4(to)}, &got.v, &excep), S_OK);
    return ShapeOf(got.v);
  }
};

TEST_F(TintaryClient, SwitchesRegisterAndUnregisterWithoutAWindow) {
  bool shown = true;
  EXPECT_EQ(RunServer("-UnRegServer", &shown), 0u);
  EXPECT_FALSE(shown);
  EXPECT_FALSE(KeyExists("TINTARY.Tintarycom"));
  EXPECT_FALSE(KeyExists(ClassKey()));

  shown = true;
  EXPECT_EQ(RunServer("/rEgSeRvEr", &shown), 0u);
  EXPECT_FALSE(shown);
  std::string command, progID, clsid;
  ASSERT_TRUE(GetRegStringValue(ClassKey() + "\\LocalServer32", "", command));
  EXPECT_TRUE(SameText(command, WindowsPath(kServerExe))) << command;
  ASSERT_TRUE(GetRegStringValue(ClassKey() + "\\ProgID", "", progID));
  EXPECT_EQ(progID, "TINTARY.Tintarycom");
  ASSERT_TRUE(GetRegStringValue("TINTARY.Tintarycom\\Clsid", "", clsid));
  EXPECT_EQ(clsid, GUIDToString(CLSID_Tintarycom));
}

TEST_F(TintaryClient, RegistryThatCannotBeWrittenEndsWithExitCodeOne) {
  // Below a volatile key no lasting key can be made: the class's subkeys fail.
  DeleteRegKey(ClassKey());
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, ClassKey().c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  bool shown = true;
  EXPECT_EQ(RunServer("/REGSERVER", &shown), 1u);
  EXPECT_FALSE(shown);
  DeleteRegKey(ClassKey());
  EXPECT_EQ(RunServer("/REGSERVER"), 0u);
}

TEST_F(TintaryClient, SendAndGetAcrossProcessesLikeTheExplorer) {
  DWORD pid = 0;
  ComPtr<IDispatch> editor = CreateEditor(&pid);
  ASSERT_TRUE(editor);
  ASSERT_NE(pid, 0u) << "the editor's window shows the untitled caption";
  // Started by COM: no system menu, so the user cannot close it.
  HWND window = VisibleWindows(kEditorCaption, pid).at(0);
  EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU);

  // A fresh editor holds the default palette, entry i grey 255 - i.
  TArrayShape start = Fetch(editor.Get(), 0, 255);
  ASSERT_EQ(start.values.size(), 256u);
  EXPECT_EQ(start.values[0], 0xFFFFFF);
  EXPECT_EQ(start.values[255], 0);

  std::vector<std::uint32_t> colours = TestColours(224, 21);
  ASSERT_EQ(Send(editor.Get(), colours), S_OK);
  TArrayShape back = Fetch(editor.Get(), 0, 223);
  EXPECT_EQ(back.type, VT_ARRAY | VT_I4);
  EXPECT_EQ(back.lower, 0);
  EXPECT_EQ(back.upper, 223);
  EXPECT_EQ(back.values, std::vector<std::int32_t>(colours.begin(), colours.end()));
  TArrayShape rest = Fetch(editor.Get(), 224, 255);
  for (size_t k = 0; k < rest.values.size(); ++k)
    EXPECT_EQ(rest.values[k], start.values[224 + k]) << "entry " << 224 + k;
  TArrayShape one = Fetch(editor.Get(), 16, 16);
  EXPECT_EQ(one.upper, 0);
  EXPECT_EQ(one.values, std::vector<std::int32_t>{static_cast<std::int32_t>(colours[16])});
}

// A client in another process sending -1 and 0x01000000 among its colours: the call
// succeeds and the editor keeps each as a colour value, its top byte cleared.
TEST_F(TintaryClient, ValuesWithATopByteAreStoredWithItCleared) {
  ComPtr<IDispatch> editor = CreateEditor();
  ASSERT_TRUE(editor);
  std::vector<std::uint32_t> colours = TestColours(224, 3);
  colours[0] = 0xFFFFFFFFu;
  colours[1] = 0x01000000u;
  colours[223] = 0xFE00FF00u;
  ASSERT_EQ(Send(editor.Get(), colours), S_OK);
  const TArrayShape back = Fetch(editor.Get(), 0, 223);
  ASSERT_EQ(back.values.size(), 224u);
  EXPECT_EQ(back.values[0], 0x00FFFFFF);
  EXPECT_EQ(back.values[1], 0);
  EXPECT_EQ(back.values[223], 0x0000FF00);
  EXPECT_EQ(back.values[2], static_cast<std::int32_t>(colours[2]));
}

TEST_F(TintaryClient, FailuresReachTheClientAsOleExceptions) {
  ComPtr<IDispatch> editor = CreateEditor();
  ASSERT_TRUE(editor);
  TVariant array;
  MakeI4Array(array, {1, 2}, 5);
  EXCEPINFO excep{};
  EXPECT_EQ(Call(editor.Get(), L"Set_Palette", {I4(0), I4(1), array.v}, nullptr, &excep), DISP_E_EXCEPTION);
  EXPECT_EQ(excep.scode, DISP_E_BADINDEX);
  EXPECT_EQ(WideToAnsi(excep.bstrDescription), Format(SPaletteIndexMissing, 0));
  SysFreeString(excep.bstrDescription);
  SysFreeString(excep.bstrSource);
  SysFreeString(excep.bstrHelpFile);

  // Through the vtable, marshalled by the type library.
  ComPtr<ITintarycom> early;
  ASSERT_EQ(editor.As(&early), S_OK);
  TVariant got;
  EXPECT_EQ(early->Get_Palette(0, 256, &got.v), E_INVALIDARG);
  // Wine's marshaller does not carry the error object across processes (the result
  // does); where it arrives it holds the server's text.
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, &info) == S_OK) {
    TBStr description;
    info->GetDescription(description.Out());
    EXPECT_EQ(description.Ansi(), Format(SPaletteRange, 0, 256));
  }
  EXPECT_EQ(early->Get_Palette(3, 3, &got.v), S_OK);
  EXPECT_EQ(ShapeOf(got.v).upper, 0);
}

TEST_F(TintaryClient, EveryObjectHasItsOwnEditorThatEndsWithIt) {
  DWORD first = 0, second = 0;
  ComPtr<IDispatch> a = CreateEditor(&first);
  ComPtr<IDispatch> b = CreateEditor(&second);
  ASSERT_TRUE(a && b);
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, 0u);
  EXPECT_NE(first, second);

  std::vector<std::uint32_t> colours = TestColours(224, 99);
  ASSERT_EQ(Send(a.Get(), colours), S_OK);
  EXPECT_EQ(Fetch(b.Get(), 0, 0).values, std::vector<std::int32_t>{0xFFFFFF}) << "palettes are per process";

  // Releasing ends the editor (unsaved edits and all), the other one stays.
  a.Reset();
  DWORD code = 99;
  EXPECT_TRUE(WaitForExit(first, 20000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(ProcessRunning(second));
  b.Reset();
  EXPECT_TRUE(WaitForExit(second, 20000));
}

TEST_F(TintaryClient, StandaloneEditorServesTheFirstObjectAndStaysOpen) {
  std::set<DWORD> before = EditorProcesses();
  TChildProcess editorProcess;
  ASSERT_TRUE(editorProcess.Start("\"" + WindowsPath(kServerExe) + "\""));
  DWORD pid = editorProcess.Id();
  DWORD start = GetTickCount();
  while (!EditorProcesses().count(pid) && GetTickCount() - start < 20000) Sleep(20);
  ASSERT_TRUE(EditorProcesses().count(pid));

  HWND window = VisibleWindows(kEditorCaption, pid).at(0);
  EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU);

  DWORD served = 0;
  ComPtr<IDispatch> editor = CreateEditor(&served);
  ASSERT_TRUE(editor);
  EXPECT_EQ(served, 0u) << "no new editor process";

  std::vector<std::uint32_t> colours = TestColours(224, 5);
  ASSERT_EQ(Send(editor.Get(), colours), S_OK);

  // Closing while the object lives asks first; No keeps the editor.
  PostMessageA(window, WM_CLOSE, 0, 0);
  std::vector<HWND> box;
  start = GetTickCount();
  while ((box = VisibleWindows("COM Server Warning", pid)).empty() && GetTickCount() - start < 10000)
    Sleep(20);
  ASSERT_EQ(box.size(), 1u);
  PostMessageA(box[0], WM_COMMAND, IDNO, 0);
  Sleep(300);
  EXPECT_TRUE(ProcessRunning(pid));
  EXPECT_EQ(Fetch(editor.Get(), 0, 223).values, std::vector<std::int32_t>(colours.begin(), colours.end()));

  editor.Reset();
  Sleep(500);
  EXPECT_TRUE(ProcessRunning(pid)) << "releasing does not end a standalone editor";
  // Without objects it closes without a question.
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD code = 99;
  EXPECT_TRUE(WaitForExit(pid, 20000, &code));
  EXPECT_EQ(code, 0u);
}

TEST_F(TintaryClient, ScriptClientUnderCscript) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  TChildProcess script;
  ASSERT_TRUE(script.Start("cscript.exe //nologo \"" + WindowsPath(kScript) + "\"", "", writeEnd));
  CloseHandle(writeEnd);
  std::string output;
  char buffer[512];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
  CloseHandle(readEnd);
  EXPECT_EQ(script.WaitForExit(60000), 0u) << output;
  EXPECT_NE(output.find("palette exchange ok"), std::string::npos) << output;
}

}  // namespace
