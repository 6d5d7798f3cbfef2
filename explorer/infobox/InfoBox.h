// TForm3: the info box. It plays the logo animation "drovalog.avi" through its media
// player and, when the animation ends, keeps its last frame as a picture with the key
// help written over it. The AVI record window plays its preview through the same player.
#pragma once

#include "forms/windows/Forms.h"
#include "forms/controls/Image.h"
#include "forms/controls/Label.h"
#include "forms/controls/MediaPlayer.h"

class TForm3 : public TForm {
public:
  explicit TForm3(TComponent* owner);

  TLabel* Label1;
  TLabel* Label2;
  TImage* Image1;
  TImage* Image2;
  TImage* Image3;
  TMediaPlayer* MediaPlayer1;

  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void MediaPlayer1Notify(TObject* sender);
  void Image1Click(TObject* sender);
  void Label2Click(TObject* sender);

private:
  // The four lines of key help on Image1's canvas, with its current brush and font.
  void WriteKeyHelp();
};

extern TForm3* Form3;

// Screen.PixelsPerInch / 96, set by each show of the info box.
extern double DpiScale;

// The web page the maker's label opens.
extern const char MakerWebAddress[];

// The y of key-help line i (0 to 3) at a scale: nearest, ties to even.
int KeyHelpLineTop(double dpiScale, int line);
