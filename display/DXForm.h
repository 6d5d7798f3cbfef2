// TDXForm: the form base of the explorer's main window, which remembers its window
// placement across a switch to full screen and back.
#pragma once

#include <windows.h>

#include "forms/windows/Forms.h"

class TDXForm : public TForm {
public:
  explicit TDXForm(TComponent* owner);
  ~TDXForm() override;

  // Keeps the window's placement; StoredPlacement tells whether that succeeded.
  void StorePlacement();
  // Puts a kept placement back once; without one it does nothing.
  void RestorePlacement();

  bool StoredPlacement() const { return storedPlacement_; }
  const WINDOWPLACEMENT& Placement() const { return placement_; }

protected:
  // Descendants call these inherited versions; they add nothing of their own.
  void CreateParams(TCreateParams& params) override;
  void WMSysCommand(TMessage& m) override;

private:
  bool storedPlacement_ = false;
  WINDOWPLACEMENT placement_{};
};
