// TMediaPlayer: a media player without buttons over MCI. Open takes the device for
// FileName (its type from the file's extension); Display and DisplayRect show video in a
// window of the program; Play may wait for the end or notify it through OnNotify with
// NotifyValue. Every failing MCI command raises EMCIDeviceError with MCI's own message.
#pragma once

#include <windows.h>

#include <string>

#include "forms/core/Component.h"
#include "forms/core/Events.h"
#include "forms/windows/Messages.h"
#include "forms/core/SysUtils.h"

class TWinControl;

enum TMPNotifyValues { nvSuccessful, nvSuperseded, nvAborted, nvFailure };

class EMCIDeviceError : public Exception {
public:
  using Exception::Exception;
};

class TMediaPlayer : public TComponent {
public:
  explicit TMediaPlayer(TComponent* owner);
  ~TMediaPlayer() override;

  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& value) { fileName_ = value; }
  // Closes a device that is open, then opens the one for FileName; AutoEnable has no
  // buttons to enable here and only keeps its value.
  void Open();
  void Close();
  bool AutoEnable() const { return autoEnable_; }
  void SetAutoEnable(bool value) { autoEnable_ = value; }
  // The window the video shows in (nil: the device's own window); applied at once when
  // the device is open, and at each Open.
  TWinControl* Display() const { return display_; }
  void SetDisplay(TWinControl* value);
  // Where in Display the video shows, as left, top, width and height; applied at once
  // when the device is open, and at each Open.
  void SetDisplayRect(const RECT& value);
  bool Wait() const { return wait_; }
  void SetWait(bool value) { wait_ = value; }
  // Play reports its end through OnNotify.
  bool Notify() const { return notify_; }
  void SetNotify(bool value) { notify_ = value; }
  void Play();
  // Back to the start of the medium.
  void Rewind();

  bool IsOpen() const { return deviceId_ != 0; }
  MCIDEVICEID DeviceID() const { return deviceId_; }
  // How the last notified command ended.
  TMPNotifyValues NotifyValue() const { return notifyValue_; }
  TNotifyEvent OnNotify;

private:
  void Check(MCIERROR error);
  void ApplyDisplay();
  void WndProc(TMessage& m);

  std::string fileName_;
  MCIDEVICEID deviceId_ = 0;
  TWinControl* display_ = nullptr;
  RECT displayRect_{0, 0, 0, 0};
  bool displayRectSet_ = false;
  bool autoEnable_ = true;
  bool wait_ = false;
  bool notify_ = false;
  TMPNotifyValues notifyValue_ = nvSuccessful;
  HWND window_ = nullptr;  // receives MM_MCINOTIFY
};
