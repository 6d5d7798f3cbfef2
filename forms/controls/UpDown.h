// TUpDown: up and down arrows over the common controls' up-down, beside an associated
// control that shows the position as its text. Position stays within Min..Max; a step
// past an end stops there, or with Wrap goes round to the other end. OnClick follows each
// step the user makes, with the arrow that made it.
#pragma once

#include "forms/core/Events.h"
#include "forms/controls/SystemControl.h"

enum TUDBtnType { btNext, btPrev };
using TUDClickEvent = TEvent<TObject*, TUDBtnType>;

class TUpDown : public TSystemControl {
public:
  explicit TUpDown(TComponent* owner);

  // The control beside which the arrows sit and whose text shows Position; null: none.
  TWinControl* Associate() const { return associate_; }
  void SetAssociate(TWinControl* control);
  int Min() const { return min_; }
  void SetMin(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  int Increment() const { return increment_; }
  void SetIncrement(int value) { increment_ = value; }
  int Position() const { return position_; }
  void SetPosition(int value);
  bool Wrap() const { return wrap_; }
  void SetWrap(bool value) { wrap_ = value; }

  // One step as the arrow makes it: Position moves by Increment (up for btNext), then
  // OnClick.
  void Step(TUDBtnType button);

  TUDClickEvent OnClick;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CNNotify(TMessage& m) override;
  void Notification(TComponent* component, TOperation operation) override;
  virtual void Click(TUDBtnType button);

private:
  void ShowPosition();
  void PlaceBesideAssociate();
  // A whole number the user typed into the associate counts as the position to step from.
  void TakeTypedPosition();

  TWinControl* associate_ = nullptr;
  int min_ = 0, max_ = 100, increment_ = 1, position_ = 0;
  bool wrap_ = false;
};
