// Where the paint box puts its picture: natural size, centred, stretched, fitted with
// its aspect ratio kept, or at a view size, shrunk to the client when AutoStretch asks.
// Plain arithmetic, so that it is tested as a table.
#pragma once

struct TPaintBoxOptions {
  bool AutoStretch = false, Center = false, KeepAspect = false, Stretch = false;
  int ViewWidth = 0, ViewHeight = 0;
};

struct TPaintBoxPlacement {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Scaled = false;  // drawn stretched rather than at the picture's own size
};

TPaintBoxPlacement PlacePicture(const TPaintBoxOptions& options, int clientWidth,
                                int clientHeight, int pictureWidth, int pictureHeight);
