// tpaletteopendialog: the open dialog of palette maps, with a "Palette Offset:" field
// beside the standard controls (a panel holding a label, an edit and an up-down), laid
// into the dialog from the program's "DLGTEMPLATE" resource (PaletteOpenDialog.rc).
// The offset chosen is MapOffset once Execute returns; Openpalettemap1Click reads it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "forms/dialogs/Dialogs.h"

class TEdit;
class TLabel;
class TPanel;

class tpaletteopendialog : public TOpenDialog {
public:
  explicit tpaletteopendialog(TComponent* owner);
  ~tpaletteopendialog() override;

  // Runs the dialog with the template, then takes the up-down's position into MapOffset,
  // whether the dialog was confirmed or cancelled.
  bool Execute() override;

  TPanel* Panel() const { return panel_; }
  TLabel* Label() const { return label_; }
  TEdit* Edit() const { return edit_; }
  // The up-down "Updown1": 0 to 255, wrapping, associated with the edit.
  int Position() const;
  void SetPosition(int value);

  std::int32_t MapOffset = 0;

protected:
  // The dialog has laid out its controls: the panel goes into the space to the right of
  // the placeholder control of the template.
  void DoShow(HWND dialog) override;
  // The panel's windows go with the dialog; the position is kept for MapOffset.
  void DoClose(HWND dialog) override;

private:
  void EditChange(TObject* sender);
  void MakeUpDown();

  TPanel* panel_ = nullptr;
  TLabel* label_ = nullptr;
  TEdit* edit_ = nullptr;
  HWND upDown_ = nullptr;
  int position_ = 0;
  bool placing_ = false;
};
