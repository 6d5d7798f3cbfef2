// What the render engine asks of the main window that hosts it: its two timers, the
// parameters window, the caption, the steps after a finished render and the zoom
// selection. Every call is made on the main thread. Each has a default that does
// nothing, so a test or a benchmark overrides only what it watches.
#pragma once

#include <string>

class IRenderHost {
public:
  // Timer1, the 10 ms progress timer that calls TRenderEngine::ProgressTick.
  virtual void SetProgressTimer(bool /*enabled*/) {}
  // DXTimer1, the frame timer that calls TRenderEngine::FrameTick.
  virtual void SetFrameTimer(bool /*enabled*/) {}
  // Render start has fixed the pixel steps, ViewRight and ViewBottom: refresh the
  // parameters window.
  virtual void ShowParameters() {}
  // The main window's caption after a finished render ("Quorvel - Rend.Time: ...").
  virtual void SetCaption(const std::string& /*caption*/) {}
  // Runs last after a finished render, once the image is presented: restart the frame
  // counter of the palette animation, take the next AVI zoom step when one is due, nudge
  // the cursor for the Julia preview. It may start the next render.
  virtual void RenderFinished() {}
  // The zoom selection (SelectionActive) and its XOR rectangle (DrawSelectionRect with
  // SelStart and SelEnd on the display control's window).
  virtual bool SelectionActive() { return false; }
  virtual void DrawSelectionRect() {}

protected:
  ~IRenderHost() = default;
};
