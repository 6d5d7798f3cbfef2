// The "Tintary" menu on the real main window, driving the real Tintary.exe registered in
// the test prefix: the menu follows the editor's registration, "Start" brings a new
// editor process to the front, colours go to the editor and come back (recolouring the
// image from the counts), a colour edited in the editor's own window comes back, "Close"
// ends the editor, a server that cannot start or an editor that died leaves the menu
// usable, and an answer that is not 224 colours changes nothing.
#include <windows.h>
#include <colordlg.h>
#include <oleauto.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/GuiTest.h"
#include "explorer/render/ColorSettings.h"
#include "explorer/tintary/EditorObject.h"
#include "explorer/tintary/EditorPalette.h"
#include "tests/explorer/MainWindowFixture.h"
#include "explorer/render/RenderState.h"
#include "display/DirectDrawSurface.h"
#include "forms/comclient/ComClient.h"
#include "forms/comclient/DispatchInvoke.h"
#include "forms/windows/Menus.h"
#include "forms/comclient/VarArray.h"

namespace {

const std::string kTintaryExe = QV_TINTARY_EXE;

// Runs Tintary.exe with a switch and waits for it; its exit code.
DWORD RunTintary(const std::string& args) {
  return RunToEnd("\"" + WindowsPath(kTintaryExe) + "\" " + args);
}

struct TEditorWindow {
  HWND window;
  DWORD pid;
};

std::vector<TEditorWindow> EditorWindows() {
  std::vector<TEditorWindow> found;
  for (HWND window : VisibleWindows(EditorWindowCaption)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    found.push_back({window, pid});
  }
  return found;
}

bool ProcessEnded(DWORD pid, DWORD timeoutMs) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process) return true;
  const bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

// A colour value 0x00BBGGRR that differs for every k.
std::uint32_t TestColour(int k, int seed) {
  return static_cast<std::uint32_t>((k * 0x010305 + seed * 0x0A0B0C) & 0xFFFFFF);
}

class TintaryMenu : public MainWindowFixture {
protected:
  static void SetUpTestSuite() { ASSERT_EQ(RunTintary("/RegServer"), 0u); }

  void SetUp() override {
    InitComObj();
    // Gradient colouring without offset, whatever a test before left.
    PaletteLoaded = 0;
    PaletteOffset = 0;
  }

  void TearDown() override {
    // The object goes before the window, as the program lets go of it at its end.
    EditorObject.SetNull();
    for (DWORD pid : started_) EXPECT_TRUE(ProcessEnded(pid, 20000)) << "editor " << pid << " still runs";
    MainWindowFixture::TearDown();
  }

  void Command(TMenuItem* item) {
    PostMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    ASSERT_TRUE(Settle());
  }

  // "Start", and the editor process that it started.
  TEditorWindow Start() {
    std::set<DWORD> before;
    for (const TEditorWindow& e : EditorWindows()) before.insert(e.pid);
    Command(form->Start1);
    for (const TEditorWindow& e : EditorWindows())
      if (!before.count(e.pid)) {
        started_.push_back(e.pid);
        return e;
      }
    ADD_FAILURE() << "no new editor window";
    return {nullptr, 0};
  }

  // Which of Start, Send, Get and Close are enabled, as "SsGc" with '-' for disabled.
  std::string MenuState() const {
    std::string s;
    s += form->Start1->Enabled() ? 'S' : '-';
    s += form->Send1->Enabled() ? 's' : '-';
    s += form->Get1->Enabled() ? 'G' : '-';
    s += form->Stop1->Enabled() ? 'c' : '-';
    return s;
  }

  // The editor's colours 0 to 223, asked over the explorer's own object.
  std::vector<std::uint32_t> EditorColours() {
    TOleVariant answer = DispatchInvoke(EditorObject, "Get_Palette", {0, 223});
    std::vector<std::uint32_t> colours;
    for (LONG k = 0; k <= 223; ++k) colours.push_back(static_cast<std::uint32_t>(VarArrayGet(answer, k).AsInteger()));
    return colours;
  }

  // Sets the editor's colours 0 to 223, as an edit in the editor would.
  void EditInEditor(int seed) {
    TOleVariant array = VarArrayCreate(0, 223, VT_I4);
    for (LONG k = 0; k <= 223; ++k) VarArrayPut(array, TOleVariant(static_cast<LONG>(TestColour(k, seed))), k);
    DispatchInvoke(EditorObject, "Set_Palette", {0, 223, array});
  }

  std::vector<DWORD> started_;
  TRecordingResponder responder;
};

TEST_F(TintaryMenu, MenuIsEnabledOnlyWhileTheEditorIsRegistered) {
  const struct {
    const char* run;
    bool enabled;
  } cases[] = {{"/UnRegServer", false}, {"/RegServer", true}};
  for (const auto& c : cases) {
    ASSERT_EQ(RunTintary(c.run), 0u) << c.run;
    OpenWindow(320, 240);
    EXPECT_EQ(form->Tintary1->Enabled(), c.enabled) << c.run;
    // The menu bar as the system draws it: "Tintary" is its fourth item.
    const UINT state = GetMenuState(GetMenu(form->Handle()), 3, MF_BYPOSITION);
    EXPECT_EQ((state & MF_GRAYED) != 0, !c.enabled) << c.run;
    EXPECT_EQ(MenuState(), "S---") << c.run;
    form->Close();
    PumpFor(50);
    form->Free();
    form = nullptr;
    renderStarts = 0;
  }
}

TEST_F(TintaryMenu, StartBringsANewEditorToTheFrontAndCloseEndsIt) {
  OpenWindow(320, 240);
  const TEditorWindow editor = Start();
  ASSERT_NE(editor.pid, 0u);
  EXPECT_NE(editor.pid, GetCurrentProcessId());
  EXPECT_EQ(GetForegroundWindow(), editor.window);
  EXPECT_EQ(EditorObject.VarType(), VT_DISPATCH);
  EXPECT_EQ(MenuState(), "-sGc");

  Command(form->Stop1);
  EXPECT_TRUE(EditorObject.IsNull());
  EXPECT_EQ(MenuState(), "S---");
  EXPECT_TRUE(ProcessEnded(editor.pid, 20000)) << "the editor ends with its object";
  EXPECT_TRUE(responder.boxes.empty());
}

std::string RegValue(const std::string& key) {
  char value[MAX_PATH] = "";
  LONG size = sizeof value;
  return RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) == ERROR_SUCCESS ? value : "";
}

TEST_F(TintaryMenu, AServerThatCannotStartIsReportedAndChangesNothing) {
  const std::string server = "CLSID\\" + RegValue("TINTARY.Tintarycom\\Clsid") + "\\LocalServer32";
  ASSERT_FALSE(RegValue(server).empty());
  const char missing[] = "C:\\no such folder\\Tintary.exe";
  ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, server.c_str(), REG_SZ, missing, sizeof missing - 1), ERROR_SUCCESS);
  OpenWindow(320, 240);
  Command(form->Start1);
  ASSERT_EQ(RunTintary("/RegServer"), 0u);
  ASSERT_EQ(responder.boxes.size(), 1u);
  EXPECT_FALSE(responder.boxes[0].text.empty());
  EXPECT_EQ(MenuState(), "S---");
  EXPECT_TRUE(EditorObject.IsNull());
  EXPECT_TRUE(EditorWindows().empty());
}

TEST_F(TintaryMenu, SendThenGetWithoutEditsKeepsTheFractalColours) {
  OpenWindow(320, 240);
  RGBQUAD* table = form->DXDraw1->ColorTable;
  for (int e = 16; e < 240; ++e) {
    const std::uint32_t c = TestColour(e, 3);
    table[e] = RGBQUAD{BYTE(c >> 16), BYTE(c >> 8), BYTE(c), BYTE(e)};  // reserved byte e
  }
  std::vector<RGBQUAD> before(table, table + 256);
  Start();

  Command(form->Send1);
  std::vector<std::uint32_t> expected;
  for (int e = 16; e < 240; ++e) expected.push_back(TestColour(e, 3));
  EXPECT_EQ(EditorColours(), expected) << "the editor holds the explorer's colours";
  EXPECT_EQ(PaletteLoaded, 0) << "sending changes nothing here";

  Command(form->Get1);
  for (int e = 0; e < 256; ++e) {
    EXPECT_EQ(table[e].rgbRed, before[e].rgbRed) << e;
    EXPECT_EQ(table[e].rgbGreen, before[e].rgbGreen) << e;
    EXPECT_EQ(table[e].rgbBlue, before[e].rgbBlue) << e;
    EXPECT_EQ(table[e].rgbReserved, before[e].rgbReserved) << e;
  }
  EXPECT_EQ(PaletteLoaded, -1);
  EXPECT_TRUE(responder.boxes.empty());
}

TEST_F(TintaryMenu, EditedColoursComeBackAndRecolourFromTheCounts) {
  OpenWindow(320, 240);
  ASSERT_EQ(form->DXDraw1->Surface()->BitCount(), 32);
  ASSERT_EQ(PaletteLoaded, 0) << "gradient colouring";
  PaletteOffset = 3;
  Start();
  Command(form->Send1);
  EditInEditor(7);

  // A count the renderer would never give this pixel: only a recolour from the buffer
  // shows its colour.
  ASSERT_EQ(IterBuffer[0], 1);
  IterBuffer[0] = 40;
  const int starts = renderStarts;
  Command(form->Get1);
  EXPECT_GT(renderStarts, starts);
  EXPECT_EQ(PaletteLoaded, -1);
  EXPECT_EQ(PaletteOffset, 3);
  for (int e = 16; e < 240; ++e) {
    const std::uint32_t c = TestColour(e - 16, 7);
    EXPECT_EQ(form->DXDraw1->ColorTable[e].rgbRed, c & 0xFF) << e;
    EXPECT_EQ(form->DXDraw1->ColorTable[e].rgbGreen, (c >> 8) & 0xFF) << e;
    EXPECT_EQ(form->DXDraw1->ColorTable[e].rgbBlue, c >> 16) << e;
  }
  EXPECT_EQ(IterBuffer[0], 40) << "no new render";
  const std::uint32_t c = TestColour(40 + 3, 7);  // entry 16 + 43: editor colour 43
  EXPECT_EQ(SurfacePixel(form->DXDraw1, 0, 0), ((c & 0xFF) << 16) | (c & 0xFF00) | (c >> 16));
}

struct TFindChild {
  HWND found = nullptr;
};

// The editor's grid: the child window of 320 x 320 client pixels.
BOOL CALLBACK FindGrid(HWND window, LPARAM data) {
  RECT r{};
  GetClientRect(window, &r);
  if (r.right == 320 && r.bottom == 320) {
    reinterpret_cast<TFindChild*>(data)->found = window;
    return FALSE;
  }
  return TRUE;
}

struct TFindDialog {
  DWORD pid;
  HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
  auto* find = reinterpret_cast<TFindDialog*>(data);
  char name[32] = "";
  GetClassNameA(window, name, sizeof name);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == find->pid && std::string(name) == "#32770" && IsWindowVisible(window)) {
    find->found = window;
    return FALSE;
  }
  return TRUE;
}

TEST_F(TintaryMenu, AColourEditedInTheEditorsWindowComesBack) {
  OpenWindow(320, 240);
  const TEditorWindow editor = Start();
  ASSERT_NE(editor.pid, 0u);
  Command(form->Send1);

  // A double click on grid cell (2, 3), entry 50, opens the editor's colour dialog.
  TFindChild grid;
  EnumChildWindows(editor.window, &FindGrid, reinterpret_cast<LPARAM>(&grid));
  ASSERT_NE(grid.found, nullptr);
  const LPARAM at = MAKELPARAM(45, 70);
  PostMessageA(grid.found, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(grid.found, WM_LBUTTONUP, 0, at);
  PostMessageA(grid.found, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(grid.found, WM_LBUTTONUP, 0, at);
  TFindDialog dialog{editor.pid};
  PumpUntil([&] {
    EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog.found != nullptr;
  }, 10000);
  ASSERT_NE(dialog.found, nullptr) << "the colour dialog";
  // Red, green and blue typed into the dialog's fields, then OK.
  const struct {
    int id;
    const char* text;
  } fields[] = {{COLOR_RED, "10"}, {COLOR_GREEN, "20"}, {COLOR_BLUE, "30"}};
  for (const auto& f : fields) {
    HWND edit = GetDlgItem(dialog.found, f.id);
    ASSERT_NE(edit, nullptr) << f.id;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(f.text), SMTO_BLOCK, 5000, &ignored);
  }
  PostMessageA(dialog.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog.found, IDOK)));
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog.found); }, 10000));

  const RGBQUAD sent = form->DXDraw1->ColorTable[17];
  Command(form->Get1);
  EXPECT_EQ(form->DXDraw1->ColorTable[16 + 50].rgbRed, 10);
  EXPECT_EQ(form->DXDraw1->ColorTable[16 + 50].rgbGreen, 20);
  EXPECT_EQ(form->DXDraw1->ColorTable[16 + 50].rgbBlue, 30);
  EXPECT_EQ(std::memcmp(&form->DXDraw1->ColorTable[17], &sent, sizeof sent), 0) << "the others as sent";
  EXPECT_EQ(PaletteLoaded, -1);
}

TEST_F(TintaryMenu, ANewStartShowsTheDefaultPaletteOfAFreshEditor) {
  OpenWindow(320, 240);
  const TEditorWindow first = Start();
  Command(form->Send1);
  Command(form->Stop1);
  EXPECT_TRUE(ProcessEnded(first.pid, 20000));

  const TEditorWindow second = Start();
  EXPECT_NE(second.pid, first.pid);
  Command(form->Get1);
  // The editor's default palette: entry i is the grey 255 - i.
  for (int e = 16; e < 240; ++e) {
    const int grey = 255 - (e - 16);
    EXPECT_EQ(form->DXDraw1->ColorTable[e].rgbRed, grey) << e;
    EXPECT_EQ(form->DXDraw1->ColorTable[e].rgbBlue, grey) << e;
  }
}

TEST_F(TintaryMenu, AnEditorThatDiedLeavesTheMenuUsable) {
  OpenWindow(320, 240);
  const TEditorWindow editor = Start();
  ASSERT_NE(editor.pid, 0u);
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, editor.pid);
  ASSERT_NE(process, nullptr);
  ASSERT_TRUE(TerminateProcess(process, 9));
  WaitForSingleObject(process, 10000);
  CloseHandle(process);

  const RGBQUAD entry = form->DXDraw1->ColorTable[100];
  for (TMenuItem* item : {form->Send1, form->Get1}) {
    responder.boxes.clear();
    Command(item);
    ASSERT_EQ(responder.boxes.size(), 1u) << item->Caption() << ": the failure is reported";
    EXPECT_EQ(MenuState(), "-sGc");
  }
  EXPECT_EQ(form->DXDraw1->ColorTable[100].rgbRed, entry.rgbRed);
  EXPECT_EQ(PaletteLoaded, 0);

  responder.boxes.clear();
  const DWORD start = GetTickCount();
  Command(form->Stop1);
  EXPECT_LT(GetTickCount() - start, 5000u) << "letting go of a dead editor does not hang";
  EXPECT_EQ(MenuState(), "S---");
  const TEditorWindow next = Start();
  EXPECT_NE(next.pid, 0u);
  EXPECT_EQ(MenuState(), "-sGc");
  for (const auto& box : responder.boxes) ADD_FAILURE() << box.text;
}

// An editor of the test's own whose Get_Palette returns a given answer.
class TAnsweringEditor : public IDispatch {
public:
  TOleVariant answer;
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    *out = (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID* ids) override {
    ids[0] = 1;
    return S_OK;
  }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
    return VariantCopy(result, &answer.Value());
  }
};

TEST_F(TintaryMenu, AnAnswerThatIsNotAPaletteOf224ColoursChangesNothing) {
  OpenWindow(320, 240);
  auto ints = [](LONG low, LONG high) {
    TOleVariant a = VarArrayCreate(low, high, VT_I4);
    for (LONG k = low; k <= high; ++k) VarArrayPut(a, TOleVariant(0x00123456), k);
    return a;
  };
  // 224 variants converting to integers but one.
  auto variantsBut = [](LONG bad, const TOleVariant& value) {
    TOleVariant a = VarArrayCreate(0, 223, VT_VARIANT);
    for (LONG k = 0; k <= 223; ++k) VarArrayPut(a, k == bad ? value : TOleVariant(5), k);
    return a;
  };
  TOleVariant word;
  V_VT(&word.Value()) = VT_BSTR;
  V_BSTR(&word.Value()) = SysAllocString(L"blue");
  SAFEARRAYBOUND square[2] = {{224, 0}, {1, 0}};
  TOleVariant twoDims;
  V_VT(&twoDims.Value()) = VT_ARRAY | VT_I4;
  V_ARRAY(&twoDims.Value()) = SafeArrayCreate(VT_I4, 2, square);
  const struct {
    const char* name;
    TOleVariant answer;
  } cases[] = {
      {"short", ints(0, 222)},
      {"long", ints(0, 224)},
      {"shifted", ints(1, 224)},
      {"two dimensions", twoDims},
      {"no array", TOleVariant(7)},
      {"first element null", variantsBut(0, TOleVariant::Null())},
      {"last element text", variantsBut(223, word)},
  };
  TAnsweringEditor fake;
  EditorObject = TOleVariant(&fake);
  form->Get1->SetEnabled(true);
  const std::vector<RGBQUAD> before(form->DXDraw1->ColorTable, form->DXDraw1->ColorTable + 256);
  for (const auto& c : cases) {
    fake.answer = c.answer;
    responder.boxes.clear();
    Command(form->Get1);
    ASSERT_EQ(responder.boxes.size(), 1u) << c.name;
    EXPECT_NE(responder.boxes[0].text.find("did not return a palette of 224 colours"), std::string::npos)
        << c.name << ": " << responder.boxes[0].text;
    for (int e = 0; e < 256; ++e)
      ASSERT_EQ(std::memcmp(&form->DXDraw1->ColorTable[e], &before[e], sizeof(RGBQUAD)), 0) << c.name << " " << e;
    EXPECT_EQ(PaletteLoaded, 0) << c.name;
  }
  // Elements that convert to integers are taken.
  TOleVariant variants = VarArrayCreate(0, 223, VT_VARIANT);
  for (LONG k = 0; k <= 223; ++k) VarArrayPut(variants, TOleVariant(0x000000FF), k);
  fake.answer = variants;
  responder.boxes.clear();
  Command(form->Get1);
  EXPECT_TRUE(responder.boxes.empty());
  EXPECT_EQ(form->DXDraw1->ColorTable[16].rgbRed, 255);
  EXPECT_EQ(form->DXDraw1->ColorTable[16].rgbBlue, 0);
  EditorObject.SetNull();
}

}  // namespace
