// TProgressBar: a bar over the common controls' progress bar. Position stays within
// Min..Max; StepIt advances it by Step, as the PBM_STEPIT message that a worker thread
// may post to the window does.
#pragma once

#include "forms/controls/SystemControl.h"

class TProgressBar : public TSystemControl {
public:
  explicit TProgressBar(TComponent* owner);

  int Min() const { return min_; }
  void SetMin(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  // Read from the window when it has one: posted steps move the bar without the object.
  int Position();
  void SetPosition(int value);
  int Step() const { return step_; }
  void SetStep(int value);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool value);

  void StepIt();

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

private:
  void ApplyRange();

  int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
  bool smooth_ = false;
};
