// The program's COM server object: the start mode read from the command line, the
// start step (registration and removal end the process; otherwise the class factories
// are registered with COM), the registry entries of the type library and the classes,
// the count of live objects with which an automation-started server ends, and the
// question asked when the user closes a server that still has objects.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "forms/core/Events.h"
#include "forms/core/Object.h"

class TComObjectFactory;
class TCustomForm;

enum TStartMode { smStandalone, smAutomation, smRegServer, smUnregServer };

// The mode that the arguments (the program's name first) ask for: a switch is an
// argument that begins with '-' or '/', its name compared without regard to case;
// "AUTOMATION" or "EMBEDDING" before "REGSERVER" before "UNREGSERVER".
TStartMode StartModeFromArgs(const std::vector<std::string>& args);
// The program's own command line split into arguments.
std::vector<std::string> CommandLineArgs();
// The LocalServer32 command for a program file: the path itself, or when it holds a
// blank its short form, or where there is none without a blank the path in quotes.
std::string LocalServerCommandFor(const std::string& fileName);

class TComServer : public TObject {
public:
  // Reads the start mode from the program's command line.
  TComServer();
  explicit TComServer(TStartMode startMode);
  ~TComServer() override;

  TStartMode StartMode() const { return startMode_; }

  // The start step, run once at application initialisation: initialises COM for the
  // main thread's single-threaded apartment; in the register and unregister modes
  // writes or removes the registration and returns false (the program then ends at
  // once with ExitCode: 0, or 1 when the registry could not be updated); in the other
  // modes registers every class factory with COM and returns true.
  bool Initialize();
  int ExitCode() const { return exitCode_; }

  // Registers (or unregisters) the type library and every class; raises
  // EOleRegistrationError.
  void UpdateRegistry(bool doRegister);

  // Live objects (and server locks). The last one to go ends an automation-started
  // server: WM_QUIT reaches the main thread's message loop.
  int ObjectCount() const { return static_cast<int>(objectCount_); }
  void CountObject(bool created);

  // True when the main window may close: at once without live objects, else only when
  // the user answers Yes to the warning.
  bool CanCloseMainForm();
  // Makes the form's close query ask CanCloseMainForm after its own handler.
  void HookCloseQuery(TCustomForm* form);

  // The program file (full path), and the command that COM starts for a local server.
  std::string ServerFileName() const;
  std::string LocalServerCommand() const;
  // The type library in the program file, loaded on first use (raises when missing),
  // its name, identifier and version ("1.0").
  ITypeLib* TypeLib();
  std::string ServerName();
  GUID TypeLibID();
  std::string TypeLibVersion();

  void AddFactory(TComObjectFactory* factory);
  void RemoveFactory(TComObjectFactory* factory);
  const std::vector<TComObjectFactory*>& Factories() const { return factories_; }

private:
  void RegisterClassObjects();
  void RevokeClassObjects();
  void MainFormCloseQuery(TObject* sender, bool& canClose);

  TStartMode startMode_;
  int exitCode_ = 0;
  volatile LONG objectCount_ = 0;
  bool comInitialized_ = false;
  ITypeLib* typeLib_ = nullptr;
  std::vector<TComObjectFactory*> factories_;
  bool destroying_ = false;
  TEvent<TObject*, bool&> previousCloseQuery_;
};

// The program's server object: made on first use (by the first class factory, at the
// latest when the library starts), freed by FinalizeUnits after the forms.
TComServer& ComServerInstance();
extern TComServer* ComServer;
