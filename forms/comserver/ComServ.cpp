// TComServer: start mode, start step, registration of the type library and the
// classes, the object count that ends an automation server, and the close question.
#include "forms/comserver/ComServ.h"

#include <shellapi.h>

#include <algorithm>

#include "forms/comserver/ComFactory.h"
#include "forms/comserver/ComObj.h"
#include "forms/windows/Forms.h"
#include "forms/runtime/Module.h"
#include "forms/dialogs/Responder.h"
#include "forms/runtime/Thread.h"

TComServer* ComServer = nullptr;

namespace {

void FinalizeComServer() { FreeAndNil(ComServer); }

// The server exists from the library's start, whether or not a factory asks for it.
struct ComServerStart {
  ComServerStart() { ComServerInstance(); }
} comServerStart;

bool IsSwitch(const std::string& arg, const char* name) {
  return arg.size() > 1 && (arg[0] == '-' || arg[0] == '/') && SameText(arg.substr(1), name);
}

bool HasSwitch(const std::vector<std::string>& args, const char* name) {
  for (size_t i = 1; i < args.size(); ++i)
    if (IsSwitch(args[i], name)) return true;
  return false;
}

}  // namespace

TComServer& ComServerInstance() {
  if (!ComServer) {
    ComServer = new TComServer();
    AddFinalization(&FinalizeComServer);
  }
  return *ComServer;
}

TStartMode StartModeFromArgs(const std::vector<std::string>& args) {
  if (HasSwitch(args, "AUTOMATION") || HasSwitch(args, "EMBEDDING")) return smAutomation;
  if (HasSwitch(args, "REGSERVER")) return smRegServer;
  if (HasSwitch(args, "UNREGSERVER")) return smUnregServer;
  return smStandalone;
}

std::vector<std::string> CommandLineArgs() {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!list) return args;
  try {
    for (int i = 0; i < count; ++i) args.push_back(WideToAnsi(list[i]));
  } catch (...) {
    LocalFree(list);
    throw;
  }
  LocalFree(list);
  return args;
}

TComServer::TComServer() : TComServer(StartModeFromArgs(CommandLineArgs())) {}

TComServer::TComServer(TStartMode startMode) : startMode_(startMode) {}

TComServer::~TComServer() {
  destroying_ = true;
  RevokeClassObjects();
  // Uninitialising disconnects the clients that still hold objects; those objects go
  // now, while the factories they count with still stand.
  if (comInitialized_) {
    comInitialized_ = false;
    CoUninitialize();
  }
  std::vector<TComObjectFactory*> factories;
  factories.swap(factories_);
  for (auto it = factories.rbegin(); it != factories.rend(); ++it) (*it)->Free();
  if (typeLib_) {
    typeLib_->Release();
    typeLib_ = nullptr;
  }
}

bool TComServer::Initialize() {
  if (!comInitialized_) {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (hr != RPC_E_CHANGED_MODE) OleCheck(hr);
    comInitialized_ = SUCCEEDED(hr);
  }
  if (startMode_ == smRegServer || startMode_ == smUnregServer) {
    try {
      UpdateRegistry(startMode_ == smRegServer);
      exitCode_ = 0;
    } catch (...) {
      exitCode_ = 1;
    }
    return false;
  }
  RegisterClassObjects();
  return true;
}

void TComServer::RegisterClassObjects() {
  try {
    // Suspended, then resumed together: no client reaches one class before all stand.
    for (TComObjectFactory* factory : factories_) factory->RegisterClassObject(true);
    OleCheck(CoResumeClassObjects());
  } catch (...) {
    RevokeClassObjects();
    throw;
  }
}

void TComServer::RevokeClassObjects() {
  for (TComObjectFactory* factory : factories_) factory->RevokeClassObject();
}

void TComServer::UpdateRegistry(bool doRegister) {
  if (doRegister) {
    std::wstring file = AnsiToWide(ServerFileName());
    std::string folder = ExtractFilePath(ServerFileName());
    if (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    std::wstring helpDir = AnsiToWide(folder);
    if (FAILED(RegisterTypeLib(TypeLib(), const_cast<LPOLESTR>(file.c_str()),
                               const_cast<LPOLESTR>(helpDir.c_str()))))
      throw EOleRegistrationError(std::string(SCreateRegKeyError));
    for (TComObjectFactory* factory : factories_) factory->UpdateRegistry(true);
    return;
  }
  for (auto it = factories_.rbegin(); it != factories_.rend(); ++it) (*it)->UpdateRegistry(false);
  TLIBATTR* attr = nullptr;
  OleCheck(TypeLib()->GetLibAttr(&attr));
  TLIBATTR lib = *attr;
  TypeLib()->ReleaseTLibAttr(attr);
  HRESULT hr = UnRegisterTypeLib(lib.guid, lib.wMajorVerNum, lib.wMinorVerNum, lib.lcid, lib.syskind);
  if (FAILED(hr)) {
    // Not registered (any more) is what unregistering wants.
    HKEY key = nullptr;
    std::string libKey = "TypeLib\\" + GUIDToString(lib.guid);
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, libKey.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
      RegCloseKey(key);
      throw EOleRegistrationError(std::string(SRemoveRegKeyError));
    }
  }
}

void TComServer::CountObject(bool created) {
  if (created) {
    InterlockedIncrement(&objectCount_);
    CoAddRefServerProcess();
    return;
  }
  InterlockedDecrement(&objectCount_);
  ULONG processRefs = CoReleaseServerProcess();
  if (processRefs == 0 && startMode_ == smAutomation && !destroying_) {
    if (GetCurrentThreadId() == MainThreadID) PostQuitMessage(0);
    else PostThreadMessageA(MainThreadID, WM_QUIT, 0, 0);
  }
}

bool TComServer::CanCloseMainForm() {
  if (ObjectCount() <= 0) return true;
  std::string text = std::string(SNoCloseActiveServer1) + SNoCloseActiveServer2;
  return UserResponder().MessageBox(nullptr, text, SComServerWarningCaption,
                                    MB_YESNO | MB_ICONWARNING | MB_TASKMODAL | MB_DEFBUTTON2) == IDYES;
}

void TComServer::HookCloseQuery(TCustomForm* form) {
  TCloseQueryEvent own = MakeEvent(this, &TComServer::MainFormCloseQuery);
  if (form->OnCloseQuery == own) return;  // hooked already: chaining itself would recurse
  previousCloseQuery_ = form->OnCloseQuery;
  form->OnCloseQuery = own;
}

void TComServer::MainFormCloseQuery(TObject* sender, bool& canClose) {
  if (previousCloseQuery_) previousCloseQuery_(sender, canClose);
  if (canClose) canClose = CanCloseMainForm();
}

std::string TComServer::ServerFileName() const {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) RaiseLastOSError();
    if (n < path.size()) return std::string(path.data(), n);
    path.resize(path.size() * 2);
  }
}

std::string TComServer::LocalServerCommand() const { return LocalServerCommandFor(ServerFileName()); }

std::string LocalServerCommandFor(const std::string& fileName) {
  if (fileName.find(' ') == std::string::npos) return fileName;
  std::vector<char> shortPath(MAX_PATH);
  DWORD n = GetShortPathNameA(fileName.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
  if (n >= shortPath.size()) {
    shortPath.resize(n + 1);
    n = GetShortPathNameA(fileName.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
  }
  if (n > 0 && n < shortPath.size()) {
    std::string result(shortPath.data(), n);
    if (result.find(' ') == std::string::npos) return result;
  }
  // Without a short form the blank must not split the command that COM starts.
  return "\"" + fileName + "\"";
}

ITypeLib* TComServer::TypeLib() {
  if (!typeLib_) {
    std::wstring file = AnsiToWide(ServerFileName());
    ITypeLib* library = nullptr;
    OleCheck(LoadTypeLibEx(file.c_str(), REGKIND_NONE, &library));
    typeLib_ = library;
  }
  return typeLib_;
}

std::string TComServer::ServerName() {
  TBStr name;
  OleCheck(TypeLib()->GetDocumentation(-1, name.Out(), nullptr, nullptr, nullptr));
  return name.Ansi();
}

GUID TComServer::TypeLibID() {
  TLIBATTR* attr = nullptr;
  OleCheck(TypeLib()->GetLibAttr(&attr));
  GUID id = attr->guid;
  TypeLib()->ReleaseTLibAttr(attr);
  return id;
}

std::string TComServer::TypeLibVersion() {
  TLIBATTR* attr = nullptr;
  OleCheck(TypeLib()->GetLibAttr(&attr));
  std::string version = IntToStr(attr->wMajorVerNum) + "." + IntToStr(attr->wMinorVerNum);
  TypeLib()->ReleaseTLibAttr(attr);
  return version;
}

void TComServer::AddFactory(TComObjectFactory* factory) { factories_.push_back(factory); }

void TComServer::RemoveFactory(TComObjectFactory* factory) {
  factories_.erase(std::remove(factories_.begin(), factories_.end(), factory), factories_.end());
}
