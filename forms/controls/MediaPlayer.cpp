// TMediaPlayer (see MediaPlayer.h): MCI command messages on the device Open gives, with
// a utility window that receives the end-of-play notification.
#include "forms/controls/MediaPlayer.h"

#include <mmsystem.h>

#include "forms/windows/Controls.h"
#include "forms/runtime/UtilityWindow.h"

#include <digitalv.h>

TMediaPlayer::TMediaPlayer(TComponent* owner) : TComponent(owner) {
  window_ = AllocateHWnd(MakeEvent(this, &TMediaPlayer::WndProc));
}

TMediaPlayer::~TMediaPlayer() {
  if (deviceId_) mciSendCommandA(deviceId_, MCI_CLOSE, MCI_WAIT, 0);
  DeallocateHWnd(window_);
}

void TMediaPlayer::Check(MCIERROR error) {
  if (error == 0) return;
  char text[256] = "";
  if (!mciGetErrorStringA(error, text, sizeof text)) wsprintfA(text, "MCI error %lu", error);
  throw EMCIDeviceError(text);
}

void TMediaPlayer::Open() {
  Close();
  MCI_OPEN_PARMSA open{};
  open.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
  open.lpstrElementName = fileName_.c_str();
  Check(mciSendCommandA(0, MCI_OPEN, MCI_WAIT | MCI_OPEN_ELEMENT | MCI_OPEN_SHAREABLE,
                        reinterpret_cast<DWORD_PTR>(&open)));
  deviceId_ = open.wDeviceID;
  ApplyDisplay();
}

void TMediaPlayer::Close() {
  if (!deviceId_) return;
  const MCIDEVICEID id = deviceId_;
  deviceId_ = 0;
  MCI_GENERIC_PARMS close{};
  Check(mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close)));
}

void TMediaPlayer::SetDisplay(TWinControl* value) {
  const bool reset = display_ && !value;
  display_ = value;
  if (!deviceId_) return;
  if (reset) {
    // Back to the device's own window.
    MCI_DGV_WINDOW_PARMSA window{};
    window.hWnd = nullptr;  // MCI_DGV_WINDOW_DEFAULT
    Check(mciSendCommandA(deviceId_, MCI_WINDOW, MCI_WAIT | MCI_DGV_WINDOW_HWND,
                          reinterpret_cast<DWORD_PTR>(&window)));
  }
  ApplyDisplay();
}

void TMediaPlayer::SetDisplayRect(const RECT& value) {
  displayRect_ = value;
  displayRectSet_ = true;
  if (deviceId_) ApplyDisplay();
}

void TMediaPlayer::ApplyDisplay() {
  if (display_) {
    MCI_DGV_WINDOW_PARMSA window{};
    window.hWnd = display_->Handle();
    Check(mciSendCommandA(deviceId_, MCI_WINDOW, MCI_WAIT | MCI_DGV_WINDOW_HWND,
                          reinterpret_cast<DWORD_PTR>(&window)));
  }
  if (displayRectSet_) {
    MCI_DGV_PUT_PARMS put{};
    put.rc = displayRect_;  // MCI reads right and bottom as width and height
    Check(mciSendCommandA(deviceId_, MCI_PUT, MCI_WAIT | MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT,
                          reinterpret_cast<DWORD_PTR>(&put)));
  }
}

void TMediaPlayer::Play() {
  MCI_PLAY_PARMS play{};
  play.dwCallback = reinterpret_cast<DWORD_PTR>(window_);
  DWORD flags = 0;
  if (wait_) flags |= MCI_WAIT;
  if (notify_) flags |= MCI_NOTIFY;
  Check(mciSendCommandA(deviceId_, MCI_PLAY, flags, reinterpret_cast<DWORD_PTR>(&play)));
}

void TMediaPlayer::Rewind() {
  MCI_SEEK_PARMS seek{};
  Check(mciSendCommandA(deviceId_, MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START,
                        reinterpret_cast<DWORD_PTR>(&seek)));
}

void TMediaPlayer::WndProc(TMessage& m) {
  if (m.Msg == MM_MCINOTIFY) {
    switch (m.WParam) {
      case MCI_NOTIFY_SUCCESSFUL: notifyValue_ = nvSuccessful; break;
      case MCI_NOTIFY_SUPERSEDED: notifyValue_ = nvSuperseded; break;
      case MCI_NOTIFY_ABORTED: notifyValue_ = nvAborted; break;
      default: notifyValue_ = nvFailure; break;
    }
    // A notification for a device closed since it was sent is not this player's any more.
    if (static_cast<MCIDEVICEID>(m.LParam) == deviceId_ && OnNotify) OnNotify(this);
    return;
  }
  m.Result = DefWindowProcA(window_, m.Msg, m.WParam, m.LParam);
}
