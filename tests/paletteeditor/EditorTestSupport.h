// Helpers of the editor's in-process window tests: the editor's seven windows made once
// as start-up makes them, a responder that answers message boxes and the file and colour
// dialogs from queues, menu commands sent as the menu sends them, modal dialogs filled
// in and confirmed by a real button click, and the grid's pixels read from the screen.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

#include "paletteeditor/palette/BitmapPalette.h"
#include "paletteeditor/app/EditorStartup.h"
#include "paletteeditor/dialogs/FormAbout.h"
#include "paletteeditor/dialogs/FormCopyColour.h"
#include "paletteeditor/dialogs/FormGradient.h"
#include "paletteeditor/mainwindow/FormMain.h"
#include "tests/support/GuiTest.h"
#include "paletteeditor/palette/Palette.h"
#include "tests/paletteeditor/PaletteTestSupport.h"
#include "paletteeditor/dialogs/RangeDialog.h"
#include "paletteeditor/preview/PreviewWindow.h"
#include "paletteeditor/dialogs/CopyPaletteDialog.h"
#include "paletteeditor/core/EditorText.h"
#include "paletteeditor/core/PreviewTable.h"
#include "forms/dialogs/Dialogs.h"

class TEditorResponder : public TRecordingResponder {
public:
  struct FileAnswer {
    bool accept;
    std::string fileName;
    int filterIndex;
  };
  std::deque<FileAnswer> files;   // for open and save dialogs, in order
  std::deque<TColor> colours;     // for colour dialogs; none left means Cancel
  int fileDialogs = 0;
  int colourDialogs = 0;
  int lastFilterIndexShown = 0;   // the filter index the last file dialog opened with

  bool ExecuteDialog(TCommonDialog& dialog, HWND) override {
    if (auto* colour = dynamic_cast<TColorDialog*>(&dialog)) {
      ++colourDialogs;
      if (colours.empty()) return false;
      colour->Color = colours.front();
      colours.pop_front();
      return true;
    }
    if (auto* file = dynamic_cast<TOpenDialog*>(&dialog)) {
      ++fileDialogs;
      lastFilterIndexShown = file->FilterIndex;
      if (files.empty()) return false;
      const FileAnswer a = files.front();
      files.pop_front();
      if (!a.accept) return false;
      file->FileName = a.fileName;
      file->FilterIndex = a.filterIndex;
      return true;
    }
    return false;
  }
};

// The editor's windows, made once for the whole program and shown as the program shows
// its main window; every test starts from New with the 16 x 16 grid.
inline void EditorWindows() {
  static bool made = false;
  if (!made) {
    made = true;
    Application->SetTitle("Palette Editor");
    MakeEditorWindows();
    FrmMain->Show();
    ASSERT_TRUE(PumpUntil([] { return FrmMain->Caption() == pal::EditorWindowCaption; }));
  }
}

// Sends a menu item's command to the main window as a click on the item does.
inline void Command(TMenuItem* item) {
  SendMessageA(FrmMain->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
}

// While `run` shows a modal dialog, fills it in with `fill` and then clicks `button`
// with the mouse (or sends `key` to the focused control when button is nil).
inline void WithModal(TForm* dialog, const std::function<void()>& fill, TControl* button,
                      const std::function<void()>& run, WORD key = 0) {
  struct Driver : TObject {
    TForm* dialog;
    std::function<void()> fill;
    TControl* button;
    WORD key;
    bool done = false;
    void Idle(TObject*, bool& idleDone) {
      idleDone = false;
      if (done || !dialog->Modal() || !dialog->Showing()) return;
      done = true;
      fill();
      if (button) {
        auto* win = dynamic_cast<TWinControl*>(button);
        PostMessageA(win->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        PostMessageA(win->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
      } else {
        HWND focus = GetFocus();
        if (!focus) focus = dialog->Handle();
        PostMessageA(focus, WM_KEYDOWN, key, 0);
        PostMessageA(focus, WM_KEYUP, key, 0xC0000000);
      }
    }
  } driver;
  driver.dialog = dialog;
  driver.fill = fill;
  driver.button = button;
  driver.key = key;
  TIdleEvent previous = Application->OnIdle;
  Application->OnIdle = MakeEvent(&driver, &Driver::Idle);
  // A dialog left open by a failure is closed, so that the next test starts clean.
  struct Watchdog {
    TForm* dialog;
    UINT_PTR timer;
    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD) {
      for (int i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i)->Modal()) Screen->Forms(i)->SetModalResult(mrAbort);
    }
  } watchdog{dialog, SetTimer(nullptr, 0, 5000, &Watchdog::Fire)};
  run();
  KillTimer(nullptr, watchdog.timer);
  Application->OnIdle = previous;
  EXPECT_TRUE(driver.done) << dialog->Caption() << " was not shown";
  EXPECT_FALSE(dialog->Visible()) << dialog->Caption() << " is still shown";
}

// The colour on screen at (x, y) of the grid's paint box.
inline COLORREF GridPixel(int x, int y) {
  const POINT p = FrmMain->cnvPalette->ClientToScreen(POINT{x, y});
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y) & 0xFFFFFF;
  ReleaseDC(nullptr, screen);
  return c;
}

// The centre of a cell of the grid as it is laid out now.
inline POINT CellCentre(int index) {
  const pal::CellRect r = pal::GridCellRect(FrmMain->Grid(), FrmMain->cnvPalette->Width(),
                                            FrmMain->cnvPalette->Height(), index);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A real click on a graphic control: the button press and release reach its parent's
// window at the control's position.
inline void ClickOn(TControl* control, int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP,
                    WPARAM keys = MK_LBUTTON) {
  HWND parent = control->Parent()->Handle();
  const LPARAM at = MAKELPARAM(control->Left() + x, control->Top() + y);
  SendMessageA(parent, down, keys, at);
  SendMessageA(parent, up, 0, at);
}

struct EditorState {
  pal::PaletteColours palette;
  std::string fileName;
  std::int32_t format;
  std::string caption;
};
inline EditorState CurrentState() {
  return EditorState{WorkPalette, PaletteFileName, PaletteFormat, FrmMain->Caption()};
}
inline void ExpectSameState(const EditorState& want, const std::string& what) {
  ExpectSamePalette(want.palette, WorkPalette, what);
  EXPECT_EQ(want.fileName, PaletteFileName) << what;
  EXPECT_EQ(want.format, PaletteFormat) << what;
  EXPECT_EQ(want.caption, FrmMain->Caption()) << what;
}

class EditorTest : public ::testing::Test {
protected:
  void SetUp() override {
    EditorWindows();
    if (GridIs16x16 != 1) Command(FrmMain->N16x161);
    if (Form2->Visible()) Form2->Close();
    Command(FrmMain->New1);
    PaletteFormat = pal::NoPaletteFormat;
    PreviewFirstEntry = pal::PreviewFirstEntryStart;
    OtherPalette = pal::PaletteColours{};
    responder.boxes.clear();
  }
  void TearDown() override {
    EXPECT_TRUE(responder.files.empty()) << "unused file dialog answers";
    EXPECT_TRUE(responder.colours.empty()) << "unused colour dialog answers";
  }

  // Opens a file through the Open command and its dialog.
  void Open(const std::string& fileName, int filterIndex) {
    responder.files.push_back({true, fileName, filterIndex});
    Command(FrmMain->Open1);
  }
  void SaveAs(const std::string& fileName, int filterIndex) {
    responder.files.push_back({true, fileName, filterIndex});
    Command(FrmMain->SaveAs1);
  }

  TEditorResponder responder;
};
