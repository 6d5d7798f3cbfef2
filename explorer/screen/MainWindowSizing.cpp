// The main window's size and its messages: the resize rule (client area in 4-pixel
// steps, 4:3 on request, room for the docked parameters window), the paint that renders
// again after a minimised full screen, the sizing cursor of the 4:3 window, "Always on
// top", a change of the display's mode, and the "Buffer in SysMem" and "Force 4:3 window"
// options. The arithmetic is in WindowSizing.cpp.
#include "explorer/app/ExplorerState.h"
#include "explorer/app/MainForm.h"
#include "explorer/record/RecordWindow.h"
#include "explorer/screen/WindowSizing.h"
#include "display/DXDraw.h"
#include "display/DXTimer.h"
#include "forms/controls/Edit.h"
#include "forms/windows/Forms.h"
#include "forms/windows/Menus.h"
#include "forms/controls/Panel.h"
#include "forms/core/SysUtils.h"

namespace {

// The system-menu command of "Always on top".
constexpr UINT AlwaysOnTopCommand = 2;

}  // namespace

void TForm1::BindWindowCommands() {
  OnCanResize = MakeEvent(this, &TForm1::FormCanResize);
  OnResize = MakeEvent(this, &TForm1::FormResize);
  OnPaint = MakeEvent(this, &TForm1::FormPaint);
  BufferinSysMem1->OnClick = MakeEvent(this, &TForm1::BufferinSysMem1Click);
  BuffersinSysMem1->OnClick = MakeEvent(this, &TForm1::BufferinSysMem1Click);
  Force43window1->OnClick = MakeEvent(this, &TForm1::Force43window1Click);
  Fullscreen1->OnClick = MakeEvent(this, &TForm1::Fullscreen1Click);
  Fullscreen2->OnClick = MakeEvent(this, &TForm1::Fullscreen2Click);
  FullNormalScreen1->OnClick = MakeEvent(this, &TForm1::Fullscreen2Click);
  Parameters1->OnClick = MakeEvent(this, &TForm1::Parameters1Click);
  parameters2->OnClick = MakeEvent(this, &TForm1::parameters2Click);
  Panel1->SetDockSite(true);
  Panel1->OnDockDrop = MakeEvent(this, &TForm1::Panel1DockDrop);
  Panel1->OnUnDock = MakeEvent(this, &TForm1::Panel1UnDock);
}

void TForm1::FormCanResize(TObject*, int& newWidth, int& newHeight, bool& resize) {
  if (DXDraw1->Options().Contains(doFullScreen)) return;
  if (Height() < LastFrameHeight) resize = false;
  TFrameMetrics m;
  m.CaptionHeight = GetSystemMetrics(SM_CYCAPTION);
  m.MenuHeight = GetSystemMetrics(SM_CYMENU);
  m.SizeFrameHeight = GetSystemMetrics(SM_CYSIZEFRAME);
  m.SizeFrameWidth = GetSystemMetrics(SM_CXSIZEFRAME);
  const TWindowSize sized = SizedWindow(m, TWindowSize{newWidth, newHeight},
                                        Force43window1->Checked(), DockedHeight);
  newWidth = sized.Width;
  newHeight = sized.Height;
  LastFrameHeight = newHeight;
}

void TForm1::FormResize(TObject*) {
  if (!Form5) return;
  // The width first: its rule writes a height, which the real one then replaces.
  Form5->Edit4->SetText(IntToStr(ClientWidth()));
  Form5->Edit5->SetText(IntToStr(ClientHeight()));
}

TClientSize TForm1::SetClientSizeQuietly(int width, int height) {
  // Held aside for the two calls and attached again whatever happens.
  struct TQuietResize {
    TForm1* Form;
    TNotifyEvent Handler;
    explicit TQuietResize(TForm1* form) : Form(form), Handler(form->OnResize) {
      form->OnResize = TNotifyEvent();
    }
    ~TQuietResize() { Form->OnResize = Handler; }
  } quiet(this);
  SetClientWidth(width);
  SetClientHeight(height);
  return TClientSize{ClientWidth(), ClientHeight()};
}

void TForm1::FormPaint(TObject*) {
  if (!DXDraw1->NowOptions().Contains(doFullScreen) || RenderOnNextPaint == 0) return;
  RenderOnNextPaint = 0;
  RestartRender();
}

void TForm1::wmsize(TMessage& m) {
  if (m.WParam == SIZE_MINIMIZED && DXDraw1->NowOptions().Contains(doFullScreen)) {
    DXTimer1->SetEnabled(false);
    RenderOnNextPaint = -1;
  }
  TDXForm::WMSize(m);
}

void TForm1::wmsetcursor(TMessage& m) {
  if (reinterpret_cast<HWND>(m.WParam) == Handle() && Force43window1->Checked()) {
    RECT window;
    POINT cursor;
    if (GetWindowRect(Handle(), &window) && GetCursorPos(&cursor) &&
        InBottomEdgeBand(window.bottom, cursor.y))
      return;  // no sizing cursor: the 4:3 window's height follows its width
  }
  TDXForm::WMSetCursor(m);
}

void TForm1::syscom(TMessage& m) {
  if (m.WParam == AlwaysOnTopCommand && SystemMenuHandle) {
    if (GetMenuState(SystemMenuHandle, AlwaysOnTopCommand, MF_BYCOMMAND) & MF_CHECKED) {
      CheckMenuItem(SystemMenuHandle, AlwaysOnTopCommand, MF_BYCOMMAND | MF_UNCHECKED);
      SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      AlwaysOnTop = 0;
    } else {
      CheckMenuItem(SystemMenuHandle, AlwaysOnTopCommand, MF_BYCOMMAND | MF_CHECKED);
      SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      AlwaysOnTop = -1;
    }
  }
  TDXForm::WMSysCommand(m);
}

void TForm1::Dispatch(TMessage& m) {
  if (m.Msg == WM_DISPLAYCHANGE) {
    wmdisplaychange(m);
    return;
  }
  TDXForm::Dispatch(m);
}

void TForm1::wmdisplaychange(TMessage& m) {
  if (!DXDraw1->Options().Contains(doFullScreen)) {
    // The screen's size is read from the system each time; its cursors are loaded again.
    ReplaceScreenCursors();
    try {
      DXDraw1->Initialize();
    } catch (...) {
      // The display control stays finalised; the next switch or option initialises it.
    }
  }
  DefaultHandler(m);
}

void TForm1::BufferinSysMem1Click(TObject*) {
  DXDraw1->Finalize();
  TDXDrawOptions options = DXDraw1->Options();
  if (options.Contains(doSystemMemory))
    options.Exclude(doSystemMemory);
  else
    options.Include(doSystemMemory);
  DXDraw1->SetOptions(options);
  DXDraw1->Initialize();
  BufferinSysMem1->SetChecked(options.Contains(doSystemMemory));
  BuffersinSysMem1->SetChecked(BufferinSysMem1->Checked());
}

void TForm1::Force43window1Click(TObject*) { Force43window1->SetChecked(!Force43window1->Checked()); }
