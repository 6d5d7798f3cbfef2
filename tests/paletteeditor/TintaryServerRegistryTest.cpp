// The server object: start modes from the command line, the registry entries it writes
// and removes for the type library and the class, and the close question while objects
// are alive.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include "tests/support/GuiTest.h"
#include "paletteeditor/server/Tintarycom.h"
#include "forms/comserver/ComRegistry.h"
#include "forms/comserver/ComServ.h"
#include "forms/windows/Forms.h"

using Microsoft::WRL::ComPtr;

namespace {

TEST(TintaryServerStart, StartModeFromSwitches) {
  struct Case {
    std::vector<std::string> args;
    TStartMode mode;
  } cases[] = {
      {{"Tintary.exe"}, smStandalone},
      {{"Tintary.exe", "REGSERVER"}, smStandalone},  // no switch without '-' or '/'
      {{"Tintary.exe", "/REGSERVER"}, smRegServer},
      {{"Tintary.exe", "-RegServer"}, smRegServer},
      {{"Tintary.exe", "/regserver"}, smRegServer},
      {{"Tintary.exe", "-UNREGSERVER"}, smUnregServer},
      {{"Tintary.exe", "/UnRegServer", "/regserver"}, smRegServer},
      {{"Tintary.exe", "-Embedding"}, smAutomation},
      {{"Tintary.exe", "/automation"}, smAutomation},
      {{"Tintary.exe", "/regserver", "-embedding"}, smAutomation},
      {{"Tintary.exe", "palette.map"}, smStandalone},
      {{"Tintary.exe", "/REGSERVERX"}, smStandalone},
      {{"Tintary.exe", "/"}, smStandalone},
      // The program's own name is never a switch.
      {{"/regserver"}, smStandalone},
  };
  for (const Case& c : cases) {
    std::string joined;
    for (const std::string& a : c.args) joined += a + " ";
    EXPECT_EQ(StartModeFromArgs(c.args), c.mode) << joined;
  }
  // This test program itself was started without switches.
  EXPECT_EQ(ComServer->StartMode(), smStandalone);
}

TEST(TintaryServerStart, LocalServerCommandNeverHoldsABlank) {
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  const std::string folder = std::string(temp) + "tintary server test";
  const std::string file = folder + "\\Tintary editor.exe";
  CreateDirectoryA(folder.c_str(), nullptr);
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);

  EXPECT_EQ(LocalServerCommandFor("C:\\Programs\\Tintary.exe"), "C:\\Programs\\Tintary.exe");
  std::string command = LocalServerCommandFor(file);
  if (command.front() == '"') {
    EXPECT_EQ(command, "\"" + file + "\"");
  } else {
    EXPECT_EQ(command.find(' '), std::string::npos) << command;
    char longPath[MAX_PATH] = "";
    GetLongPathNameA(command.c_str(), longPath, MAX_PATH);
    EXPECT_TRUE(SameText(longPath, file)) << command << " -> " << longPath;
  }
  // A file that is not there has no short form.
  EXPECT_EQ(LocalServerCommandFor(folder + "\\missing file.exe"), "\"" + folder + "\\missing file.exe\"");
  DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
}

std::string Value(const std::string& key, const std::string& name = "") {
  std::string value;
  return GetRegStringValue(key, name, value) ? value : "<missing>";
}

bool KeyExists(const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

class TintaryServerRegistry : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { CoUninitialize(); }
};

TEST_F(TintaryServerRegistry, RegisterWritesTheClassAndTypeLibraryAndUnregisterRemovesThem) {
  const std::string clsid = GUIDToString(CLSID_Tintarycom);
  const std::string libid = GUIDToString(LIBID_TINTARY);
  const std::string classKey = "CLSID\\" + clsid;
  ASSERT_NO_THROW(ComServer->UpdateRegistry(true));

  std::string exe = ComServer->ServerFileName();
  EXPECT_EQ(Value(classKey), "Tintarycom Object");
  EXPECT_EQ(Value(classKey + "\\LocalServer32"), ComServer->LocalServerCommand());
  EXPECT_EQ(Value("TINTARY.Tintarycom"), "Tintarycom Object");
  EXPECT_EQ(Value("TINTARY.Tintarycom\\Clsid"), clsid);
  EXPECT_EQ(Value(classKey + "\\ProgID"), "TINTARY.Tintarycom");
  EXPECT_EQ(Value(classKey + "\\TypeLib"), libid);
  EXPECT_EQ(Value(classKey + "\\Version"), "1.0");
  EXPECT_EQ(Value(classKey + "\\LocalServer32", "ThreadingModel"), "<missing>");
  EXPECT_FALSE(KeyExists(classKey + "\\InprocServer32"));

  // The type library is registered from the program file, with its folder for help.
  ComPtr<ITypeLib> registered;
  ASSERT_EQ(LoadRegTypeLib(LIBID_TINTARY, 1, 0, 0, &registered), S_OK);
  EXPECT_EQ(Value("TypeLib\\" + libid + "\\1.0"), "TINTARY Library");
  std::string helpDir = ExtractFilePath(exe);
  if (helpDir.size() > 3) helpDir.pop_back();
  EXPECT_EQ(SameText(Value("TypeLib\\" + libid + "\\1.0\\HELPDIR"), helpDir), true)
      << Value("TypeLib\\" + libid + "\\1.0\\HELPDIR");
  const char* platform = sizeof(void*) == 8 ? "win64" : "win32";
  EXPECT_TRUE(SameText(Value("TypeLib\\" + libid + "\\1.0\\0\\" + platform), exe));
  // The interface is marshalled by the type library for vtable clients.
  EXPECT_TRUE(KeyExists("Interface\\" + GUIDToString(IID_ITintarycom)));

  CLSID found{};
  EXPECT_EQ(CLSIDFromProgID(L"tintary.TINTARYCOM", &found), S_OK);
  EXPECT_TRUE(IsEqualGUID(found, CLSID_Tintarycom));

  ASSERT_NO_THROW(ComServer->UpdateRegistry(false));
  EXPECT_FALSE(KeyExists(classKey));
  EXPECT_FALSE(KeyExists("TINTARY.Tintarycom"));
  EXPECT_FALSE(KeyExists("TypeLib\\" + libid));
  // Removing what is not there is no failure.
  EXPECT_NO_THROW(ComServer->UpdateRegistry(false));
}

TEST(TintaryServerClose, ClosingWithLiveObjectsAsksFirst) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  TRecordingResponder responder;
  EXPECT_TRUE(ComServer->CanCloseMainForm());
  EXPECT_TRUE(responder.boxes.empty()) << "no question without objects";

  ComPtr<IUnknown> object;
  ASSERT_EQ(TintarycomFactory().CreateInstance(nullptr, IID_IUnknown, &object), S_OK);
  responder.answer = IDNO;
  EXPECT_FALSE(ComServer->CanCloseMainForm());
  responder.answer = IDYES;
  EXPECT_TRUE(ComServer->CanCloseMainForm());
  ASSERT_EQ(responder.boxes.size(), 2u);
  EXPECT_EQ(responder.boxes[0].caption, "COM Server Warning");
  EXPECT_EQ(responder.boxes[0].text,
            "There are still active COM objects in this application.  One or more clients may have "
            "references to these objects, so manually closing this application may cause those "
            "client application(s) to fail.\r\n\r\nAre you sure you want to close this application?");
  EXPECT_EQ(responder.boxes[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_TASKMODAL | MB_DEFBUTTON2));
  object.Reset();
  CoUninitialize();
}

class TQueryLog : public TObject {
public:
  int queries = 0;
  bool allow = true;
  void Query(TObject*, bool& canClose) {
    ++queries;
    canClose = allow;
  }
};

TEST(TintaryServerClose, HookedCloseQueryAsksAfterTheFormsOwnHandler) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  TRecordingResponder responder;
  responder.answer = IDNO;
  TQueryLog log;
  TForm* form = New<TForm>(nullptr);
  form->OnCloseQuery = MakeEvent(&log, &TQueryLog::Query);
  ComServer->HookCloseQuery(form);
  ComServer->HookCloseQuery(form);  // a second hook changes nothing
  ComPtr<IUnknown> object;
  ASSERT_EQ(TintarycomFactory().CreateInstance(nullptr, IID_IUnknown, &object), S_OK);

  EXPECT_FALSE(form->CloseQuery());
  EXPECT_EQ(log.queries, 1);
  EXPECT_EQ(responder.boxes.size(), 1u);
  // The form's own refusal needs no question.
  log.allow = false;
  EXPECT_FALSE(form->CloseQuery());
  EXPECT_EQ(responder.boxes.size(), 1u);
  log.allow = true;
  object.Reset();
  EXPECT_TRUE(form->CloseQuery());
  EXPECT_EQ(responder.boxes.size(), 1u) << "no question without objects";
  form->Free();
  CoUninitialize();
}

}  // namespace
