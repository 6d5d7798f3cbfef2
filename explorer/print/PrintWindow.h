// TForm4, the print and disk rendering window: "Normal Print" of the displayed picture and
// "Direct Rendering" of the view at any size into a file or onto the printer's page. The
// form description is PrintWindowLayout.cpp; the page, its preview and the printer's
// capabilities PrintWindowPage.cpp; the size fields and enabling PrintWindowFields.cpp; the direct
// render's start, poll, saving and Cancel DirectRender.cpp. The main window's
// print commands are MainPrint.cpp.
#pragma once

#include <cstdint>

#include "explorer/render/DiskRender.h"
#include "forms/windows/Forms.h"

class TBevel;
class TBitmap;
class TButton;
class TCheckBox;
class TEdit;
class TLabel;
class TPaintBox;
class TProgressBar;
class TRadioButton;
class TTimer;
class TUpDown;

class TForm4 : public TForm {
public:
  explicit TForm4(TComponent* owner);
  ~TForm4() override;

  TBevel* Bevel1;
  TBevel* Bevel2;
  TRadioButton* RadioButton2;  // "Direct Rendering"
  TRadioButton* RadioButton1;  // "Normal Print"
  TLabel* Label4;
  TLabel* Label5;
  TLabel* Label6;
  TLabel* Label7;
  TLabel* Label8;
  TCheckBox* CheckBox4;  // "16:9"
  TCheckBox* CheckBox3;  // "16:10"
  TCheckBox* CheckBox2;  // "4:3"
  TLabel* Label9;
  TEdit* Edit2;  // width
  TLabel* Label10;
  TEdit* Edit3;  // height
  TCheckBox* CheckBox1;  // "Render to File"
  TButton* Button3;      // "File selection"
  TEdit* Edit4;          // output file name
  TLabel* Label11;       // "Rendered:"
  TProgressBar* ProgressBar1;
  TLabel* Label1;
  TLabel* Label2;
  TEdit* Edit1;  // percentage of the printable area
  TUpDown* UpDown1;
  TLabel* Label3;
  TPaintBox* PaintBox1;
  TButton* Button1;  // "OK"
  TButton* Button2;  // "Cancel"
  TTimer* Timer1;

  void FormCreate(TObject* sender);
  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void PaintBox1Paint(TObject* sender);
  void Edit1Change(TObject* sender);
  void Edit2Change(TObject* sender);
  void Edit3Change(TObject* sender);
  void CheckBox1Click(TObject* sender);
  void CheckBox2Click(TObject* sender);
  void CheckBox3Click(TObject* sender);
  void CheckBox4Click(TObject* sender);
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Timer1Timer(TObject* sender);

  // A threaded direct render is under way (its workers run or wait to be saved).
  bool DirectRenderRunning() const;

private:
  // A size field that does not hold a whole number is cleared; the change that the
  // clearing causes must not run the handler's work again.
  void SizeFieldChanged(TEdit* field, TEdit* other, bool fromWidth);
  void AspectLockClicked(TCheckBox* box, long double ratio);
  // Direct rendering (DirectRender.cpp).
  void StartDirectRender();
  void RenderFileThreaded();
  void RenderFileSingleThread();
  void RenderToPrinter();
  void BeginFileRender();
  void FinishFileRender();
  void ShowRenderedTime();
  // The window was closed, or the program is ending, while the single-thread file render
  // runs inside the OK handler: it stops as Cancel stops it.
  bool RenderLeft() const;
  // Stops and frees the workers of a threaded render and its image, unsaved.
  void AbandonDirectRender();

  bool clearingField_ = false;
  TDiskRender diskRender_;  // the direct render's image and workers
};

extern TForm4* Form4;

// The window's unit globals.
extern long double PageFillFraction;  // share of the printable area a normal print fills
extern std::int32_t PaperWidth;       // PHYSICALWIDTH, PHYSICALHEIGHT in printer pixels
extern std::int32_t PaperHeight;
extern std::int32_t PaperOffsetX;     // PHYSICALOFFSETX, PHYSICALOFFSETY
extern std::int32_t PaperOffsetY;
extern long double PreviewScale;      // printer pixels per preview pixel at 96 dpi
extern TBitmap* PreviewBitmap;        // the display reduced to 320 x 240 while open
extern std::int32_t SizeFromPagePending;  // -1: the next opening fills the size fields
extern std::int32_t DiskMarginDivisor;    // 2 x DiskPixelsPerCall
extern std::uint8_t RenderCancel;         // set by Cancel, read by the single-thread render
