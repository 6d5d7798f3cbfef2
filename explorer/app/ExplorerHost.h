// What the explorer's secondary windows (parameters, print, record) ask of the main
// window: a new render of the same view, a new colouring of the last one, the display
// control and a client size set without the main window's resize handler. Every call is
// made on the main thread.
#pragma once

class TDXDraw;

struct TClientSize {
  int Width;
  int Height;
};

class IExplorerHost {
public:
  // Renders the current view again, through a size change that keeps the surface's size.
  virtual void RestartRender() = 0;
  // Colours the last render's counts again with the current colour settings; nothing on a
  // display that is not ready or whose 8-bit colours follow the table by themselves.
  virtual void Recolour() = 0;
  virtual TDXDraw* Display() = 0;
  // Sets the client size and gives the one the window took (its sizing rules may change
  // it); the resize handler, which writes the record window's size boxes, does not run
  // meanwhile.
  virtual TClientSize SetClientSizeQuietly(int width, int height) = 0;

protected:
  ~IExplorerHost() = default;
};

// The main window, or nullptr while there is none.
IExplorerHost* ExplorerHost();
