// DirectX support under wine: the library cache, the driver list and the rule for
// driver identifiers, the exception family, TDXForm's placement store and
// TControlSubClass.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/GuiTest.h"
#include "tests/support/TestSupport.h"
#include "display/ControlSubClass.h"
#include "display/DXClass.h"
#include "display/DXDrivers.h"
#include "display/DXForm.h"
#include "forms/core/StringList.h"

namespace {

TEST(LoadDirectXProc, LoadsALibraryOnceWhateverTheCaseOfItsName) {
  FARPROC first = LoadDirectXProc("DDraw.dll", "DirectDrawCreate");
  FARPROC second = LoadDirectXProc("ddraw.DLL", "DirectDrawCreate");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  const TStringList* cache = DirectXLibraryCache();
  ASSERT_NE(cache, nullptr);
  int entries = 0;
  for (int i = 0; i < cache->Count(); ++i)
    if (cache->Strings(i) == "ddraw.dll") ++entries;
  EXPECT_EQ(entries, 1);
  EXPECT_EQ(cache->IndexOf("DDraw.dll"), cache->IndexOf("ddraw.dll"));
  EXPECT_EQ(static_cast<HMODULE>(cache->Objects(cache->IndexOf("ddraw.dll"))), GetModuleHandleA("ddraw.dll"));
}

TEST(LoadDirectXProc, AMissingEntryNamesTheLibraryAndKeepsItLoaded) {
  EXPECT_EQ(MessageOf([] { LoadDirectXProc("DDraw.dll", "NoSuchEntryPoint"); }),
            Format(SDXLibraryNotLoaded, "DDraw.dll"));
  EXPECT_NE(DirectXLibraryCache()->IndexOf("ddraw.dll"), -1);
  EXPECT_NE(GetModuleHandleA("ddraw.dll"), nullptr);
}

TEST(LoadDirectXProc, AMissingLibraryIsNotCached) {
  EXPECT_EQ(MessageOf([] { LoadDirectXProc("NoSuchDirectX.dll", "DirectDrawCreate"); }),
            Format(SDXLibraryNotLoaded, "NoSuchDirectX.dll"));
  LoadDirectXProc("DDraw.dll", "DirectDrawCreate");  // the cache exists from here on
  EXPECT_EQ(DirectXLibraryCache()->IndexOf("nosuchdirectx.dll"), -1);
}

TEST(DirectXErrors, FormAFamilyApartFromTheDisplayControls) {
  try {
    throw EDirectDrawSurfaceError(SDXNotMade, SIDirectDrawSurface);
  } catch (const EDirectDrawError& e) {
    EXPECT_EQ(e.Message(), "IDirectDrawSurface not made");
  }
  EDXDrawError draw(SDXFormNotFound);
  const Exception& base = draw;
  EXPECT_EQ(dynamic_cast<const EDirectXError*>(&base), nullptr);
  EDirectDrawPaletteError palette(SDXNotMade, SIDirectDrawPalette);
  const Exception& paletteBase = palette;
  EXPECT_NE(dynamic_cast<const EDirectDrawError*>(&paletteBase), nullptr);
  EXPECT_EQ(Format(SDXDisplayModeCannotChanged, 640, 480, 8), "Display mode cannot be changed (640x480 8bit)");
}

TEST(DirectDrawDriverList, IsBuiltOnceAndThePrimaryDriverKeepsANilGUID) {
  TDirectXDrivers* list = DirectDrawDriverList();
  ASSERT_NE(list, nullptr);
  ASSERT_GE(list->Count(), 1);
  const int count = list->Count();
  EXPECT_EQ(DirectDrawDriverList(), list);
  EXPECT_EQ(list->Count(), count);
  EXPECT_EQ(list->Items(0)->GUID(), nullptr);
  EXPECT_FALSE(list->Items(0)->Description().empty());
  for (int i = 1; i < count; ++i) {
    // A real identifier is the item's own copy, never DirectDraw's memory.
    ASSERT_NE(list->Items(i)->GUID(), nullptr);
    EXPECT_GE(reinterpret_cast<const char*>(list->Items(i)->GUID()), reinterpret_cast<const char*>(list->Items(i)));
    EXPECT_LT(reinterpret_cast<const char*>(list->Items(i)->GUID()),
              reinterpret_cast<const char*>(list->Items(i)) + sizeof(TDirectXDriver));
  }
}

TEST(KeepDriverGUID, CopiesReadableIdentifiersAndPassesSpecialValues) {
  GUID storage{};
  EXPECT_EQ(KeepDriverGUID(nullptr, storage), nullptr);
  const GUID* emulationOnly = reinterpret_cast<const GUID*>(static_cast<uintptr_t>(2));
  EXPECT_EQ(KeepDriverGUID(emulationOnly, storage), emulationOnly);
  GUID* given = new GUID{0x12345678, 0x9abc, 0xdef0, {1, 2, 3, 4, 5, 6, 7, 8}};
  GUID* kept = KeepDriverGUID(given, storage);
  EXPECT_EQ(kept, &storage);
  EXPECT_TRUE(IsEqualGUID(*kept, *given));
  delete given;  // the kept copy does not depend on the caller's memory
  EXPECT_EQ(storage.Data1, 0x12345678u);
}

class TOtherItem : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
};

TEST(DirectXDrivers, KeepTheirOwnCopyOfAnIdentifierAndTypeTheirItems) {
  TDirectXDrivers drivers;
  auto* driver = static_cast<TDirectXDriver*>(drivers.Add());
  GUID* given = new GUID{0xCAFE, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  driver->SetGUID(given);
  delete given;
  ASSERT_NE(driver->GUID(), nullptr);
  EXPECT_EQ(driver->GUID()->Data1, 0xCAFEu);
  EXPECT_GE(reinterpret_cast<const char*>(driver->GUID()), reinterpret_cast<const char*>(driver));
  EXPECT_LT(reinterpret_cast<const char*>(driver->GUID()), reinterpret_cast<const char*>(driver) + sizeof *driver);
  driver->SetGUID(nullptr);
  EXPECT_EQ(driver->GUID(), nullptr);
  EXPECT_EQ(drivers.Items(0), driver);
  new TOtherItem(&drivers);
  EXPECT_THROW(drivers.Items(1), EInvalidCast);
}

class TPlacementForm : public TDXForm {
public:
  explicit TPlacementForm(TComponent* owner) : TDXForm(owner) {
    TComponentLoader loader(this);
    SetCaption("Placement");
    SetPosition(poDesigned);
    SetBounds(40, 30, 300, 200);
    loader.Finish();
  }
};

RECT WindowRectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

TEST(DXForm, TwoRestoresAfterOneStoreRestoreOnce) {
  TPlacementForm* form = New<TPlacementForm>(nullptr);
  form->Show();
  PumpFor(50);
  EXPECT_FALSE(form->StoredPlacement());
  form->RestorePlacement();  // nothing stored: nothing happens
  const RECT stored = WindowRectOf(form->Handle());
  form->StorePlacement();
  EXPECT_TRUE(form->StoredPlacement());
  EXPECT_EQ(form->Placement().length, sizeof(WINDOWPLACEMENT));

  form->SetBounds(200, 150, 320, 240);
  form->RestorePlacement();
  EXPECT_FALSE(form->StoredPlacement());
  RECT r = WindowRectOf(form->Handle());
  EXPECT_EQ(r.left, stored.left);
  EXPECT_EQ(r.top, stored.top);
  EXPECT_EQ(r.right - r.left, stored.right - stored.left);

  form->SetBounds(220, 170, 330, 250);
  const RECT moved = WindowRectOf(form->Handle());
  form->RestorePlacement();
  r = WindowRectOf(form->Handle());
  EXPECT_EQ(r.left, moved.left);
  EXPECT_EQ(r.top, moved.top);
  EXPECT_EQ(r.right - r.left, moved.right - moved.left);
  form->Free();
}

struct HookLog {
  std::vector<std::string> entries;
  bool passOn = true;
};

void LoggingHook(void* data, TMessage& message, const TWndMethod& previous) {
  auto* log = static_cast<HookLog*>(data);
  if (message.Msg == WM_APP + 7) log->entries.push_back("hook");
  if (log->passOn) previous(message);
}

class THookedForm : public TForm {
public:
  using TForm::TForm;
  std::vector<std::string>* log = nullptr;

protected:
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_APP + 7) {
      if (log) log->push_back("form");
      m.Result = 5;
      return;
    }
    TForm::Dispatch(m);
  }
};

TEST(ControlSubClass, SeesMessagesFirstAndGivesBackTheExactProcedure) {
  THookedForm* form = New<THookedForm>(nullptr);
  HookLog log;
  form->log = &log.entries;
  const TWndMethod original = form->WindowProc;
  {
    TControlSubClass outer(form, &LoggingHook, &log);
    EXPECT_NE(form->WindowProc, original);
    const TWndMethod hooked = form->WindowProc;
    EXPECT_EQ(SendMessageA(form->Handle(), WM_APP + 7, 0, 0), 5);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hook", "form"}));

    log.entries.clear();
    log.passOn = false;
    SendMessageA(form->Handle(), WM_APP + 7, 0, 0);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hook"}));
    log.passOn = true;

    {
      HookLog innerLog;
      TControlSubClass inner(form, &LoggingHook, &innerLog);
      EXPECT_EQ(inner.CallbackData(), &innerLog);
      log.entries.clear();
      SendMessageA(form->Handle(), WM_APP + 7, 0, 0);
      EXPECT_EQ(innerLog.entries, (std::vector<std::string>{"hook"}));
      EXPECT_EQ(log.entries, (std::vector<std::string>{"hook", "form"}));
    }
    EXPECT_EQ(form->WindowProc, hooked);
  }
  EXPECT_EQ(form->WindowProc, original);
  log.entries.clear();
  SendMessageA(form->Handle(), WM_APP + 7, 0, 0);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"form"}));
  form->Free();
}

}  // namespace
