// TFrmMain, the palette editor's main window: the grid of WorkPalette's 256 entries with
// the selection, the label of the selected entry, the "Picture" toggle, and the File,
// View, Tools, Server and About menus; and the editor's file and display state. The
// tool dialogs are in FormCopyColour.h, FormGradient.h, RangeDialog.h, PreviewWindow.h and CopyPaletteDialog.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "paletteeditor/core/PaletteGrid.h"
#include "forms/dialogs/Dialogs.h"
#include "forms/controls/Edit.h"
#include "forms/windows/Forms.h"
#include "forms/controls/Label.h"
#include "forms/windows/Menus.h"
#include "forms/controls/PaintBox.h"
#include "forms/controls/Panel.h"
#include "forms/controls/SpeedButton.h"

// The editor's module state, one set per process.
extern std::string PaletteFileName;       // empty: untitled
extern std::int32_t PaletteFormat;        // what Save writes: pal::RawPalette .. pal::BitmapPalette
extern std::uint8_t GridIs16x16;          // 1: 16 x 16 grid, 0: 32 x 8
extern HPALETTE LogPaletteHandle;         // the logical palette of own-palette mode
extern HDC PanelDC;                       // PalettePanel's DC while the window is shown
extern std::uint8_t OwnPaletteSuspended;  // own-palette mode was on when the editor lost the focus
extern std::int32_t PreviewFirstEntry;    // first preview colour entry that takes the palette

class TFrmMain : public TForm {
public:
  explicit TFrmMain(TComponent* owner);

  TPanel* Panel1;
  TPanel* MainPanel;
  TSpeedButton* button1;
  TPanel* PalettePanel;
  TPaintBox* cnvPalette;
  TPanel* pnlPalette;
  TLabel* lblActiveColour;
  TEdit* Edit1;
  TMainMenu* MainMenu1;
  TMenuItem* File1;
  TMenuItem* New1;
  TMenuItem* Open1;
  TMenuItem* N2;
  TMenuItem* Save1;
  TMenuItem* SaveAs1;
  TMenuItem* N1;
  TMenuItem* Exit1;
  TMenuItem* View1;
  TMenuItem* N16x161;
  TMenuItem* N32x81;
  TMenuItem* ownpal1;
  TMenuItem* ools1;
  TMenuItem* ChangecolourRGB1;
  TMenuItem* CopyColours1;
  TMenuItem* Copyfromotherpalette1;
  TMenuItem* ExchangeColours1;
  TMenuItem* RotateColours1;
  TMenuItem* ReverseColours1;
  TMenuItem* Gradient1;
  TMenuItem* Server1;
  TMenuItem* Register1;
  TMenuItem* Unregister1;
  TMenuItem* Help1;
  TOpenDialog* OpenPaletteDialog;
  TSaveDialog* SavePaletteDialog;
  TColorDialog* ColorDialog;

  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
  void cnvPalettePaint(TObject* sender);
  void cnvPaletteMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void cnvPaletteDblClick(TObject* sender);
  void Button1Click(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void New1Click(TObject* sender);
  void Open1Click(TObject* sender);
  void Save1Click(TObject* sender);
  void SaveAs1Click(TObject* sender);
  void Exit1Click(TObject* sender);
  void N16x161Click(TObject* sender);
  void N32x81Click(TObject* sender);
  void ownpal1Click(TObject* sender);
  void ChangecolourRGB1Click(TObject* sender);
  void CopyColours1Click(TObject* sender);
  void Copyfromotherpalette1Click(TObject* sender);
  void ExchangeColours1Click(TObject* sender);
  void RotateColours1Click(TObject* sender);
  void ReverseColours1Click(TObject* sender);
  void Gradient1Click(TObject* sender);
  void Register1Click(TObject* sender);
  void Unregister1Click(TObject* sender);
  void About1Click(TObject* sender);
  void AppActivate(TObject* sender);
  void AppDeactivate(TObject* sender);

  // Used by the dialogs and the automation object.
  void RecreateLogPalette();
  void SelectEntry(std::uint8_t index);
  void SetPaletteActive(bool value);
  // After WorkPalette was replaced from outside (the automation object): the logical
  // palette is rebuilt, entry 0 selected and the grid repainted.
  void WorkPaletteReplaced();

  bool PaletteActive() const { return paletteActive_; }
  std::uint8_t SelectedIndex() const { return selectedIndex_; }
  pal::GridLayout Grid() const { return GridIs16x16 ? pal::Grid16x16 : pal::Grid32x8; }

protected:
  void Dispatch(TMessage& message) override;
  void wmdisplaychange(TMessage& message);

private:
  void BuildMenu();
  TMenuItem* AddItem(TMenuItem* parent, const std::string& caption, void (TFrmMain::*handler)(TObject*));
  void SetGridLayout(bool is16x16);
  // After a tool changed WorkPalette: logical palette, label and grid.
  void PaletteEdited();
  void SaveBitmap();

  bool paletteActive_ = false;
  // PaletteFileName is an image that was converted to 8 bits when it was opened: Save
  // asks for a name rather than replace the user's picture with the 8-bit one.
  bool convertedImage_ = false;
  std::uint8_t selectedIndex_ = 0;
};

extern TFrmMain* FrmMain;
