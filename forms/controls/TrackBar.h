// TTrackBar: a horizontal slider over the common controls' track bar. Position stays
// within Min..Max; OnChange follows every change of it, by the user (the scroll
// notification CN_HSCROLL, which descendants can extend) or by the program.
#pragma once

#include "forms/controls/SystemControl.h"

enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TSystemControl {
public:
  explicit TTrackBar(TComponent* owner);

  int Min() const { return min_; }
  void SetMin(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  int Position() const { return position_; }
  void SetPosition(int value);
  int Frequency() const { return frequency_; }
  void SetFrequency(int value);
  int ThumbLength() const { return thumbLength_; }
  void SetThumbLength(int value);
  TTickMark TickMarks() const { return tickMarks_; }
  void SetTickMarks(TTickMark value);
  TTickStyle TickStyle() const { return tickStyle_; }
  void SetTickStyle(TTickStyle value);

  TNotifyEvent OnChange;

protected:
  // A thumb of ThumbLength, a selection range and the ticks.
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CNHScroll(TMessage& m) override;
  virtual void Changed();

private:
  void Recreate();
  void ScrollNotified();
  void ApplyRange();

  int min_ = 0, max_ = 10, position_ = 0;
  int frequency_ = 1, thumbLength_ = 20;
  TTickMark tickMarks_ = tmBottomRight;
  TTickStyle tickStyle_ = tsAuto;
};
