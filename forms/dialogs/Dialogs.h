// Common dialogs: file open and save, colour. Execute goes through the responder
// (Responder.h), which in the programs runs the system's dialog.
#pragma once

#include <windows.h>

#include <string>

#include "forms/core/Component.h"
#include "forms/graphics/Graphics.h"
#include "forms/core/Sets.h"

class TCommonDialog : public TComponent {
public:
  using TComponent::TComponent;
  // True when the user accepted; the dialog's properties then hold the answer.
  virtual bool Execute();
  // The system dialog itself; the real responder calls it.
  virtual bool RunSystemDialog(HWND owner) = 0;

  // Raised by Execute just before the dialog opens (what the handler sets, such as the
  // colour, is what the dialog shows) and after it has closed.
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;
};

enum TOpenOption { ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofPathMustExist,
                   ofFileMustExist, ofNoReadOnlyReturn, ofEnableSizing };
using TOpenOptions = TSet<TOpenOption>;

// When true, a file dialog without InitialDir opens in the current folder.
extern bool ForceCurrentDirectory;

class TOpenDialog : public TCommonDialog {
public:
  using TCommonDialog::TCommonDialog;
  bool RunSystemDialog(HWND owner) override;

  std::string FileName;
  // Pairs of description and pattern separated by '|': "Bitmaps (*.bmp)|*.bmp|All|*.*".
  std::string Filter;
  int FilterIndex = 1;
  std::string InitialDir;
  std::string DefaultExt;  // without the dot
  std::string Title;
  TOpenOptions Options{ofHideReadOnly, ofEnableSizing};
  // A child dialog template of the program, by resource name, that the system lays out
  // beside its own controls (a static control with the identifier stc32 marks where they
  // go). Without such a resource the dialog opens without it.
  std::string TemplateName;

protected:
  virtual bool IsSaveDialog() const { return false; }
  // The dialog has laid out its controls. Dialog is the window made from the template
  // (its parent is the system's dialog); controls placed on it go with it. An exception
  // goes to the application's handler, and the dialog stays open.
  virtual void DoShow(HWND dialog);
  // The dialog is closing; what was placed on it still exists.
  virtual void DoClose(HWND dialog);

private:
  static UINT_PTR CALLBACK HookProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
};

class TSaveDialog : public TOpenDialog {
public:
  using TOpenDialog::TOpenDialog;

protected:
  bool IsSaveDialog() const override { return true; }
};

// cdAnyColor: the basic colours offer every colour, not only the solid ones.
enum TColorDialogOption { cdFullOpen, cdAnyColor };
using TColorDialogOptions = TSet<TColorDialogOption>;

class TColorDialog : public TCommonDialog {
public:
  using TCommonDialog::TCommonDialog;
  bool RunSystemDialog(HWND owner) override;

  TColor Color = clBlack;
  COLORREF CustomColors[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                               0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                               0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  TColorDialogOptions Options;
};
