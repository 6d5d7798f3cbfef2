// TMemo: a multi-line edit whose text is also kept as Lines.
#pragma once

#include "forms/controls/Edit.h"
#include "forms/core/StringList.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
public:
  explicit TMemo(TComponent* owner);
  ~TMemo() override;

  // Changing the list changes the text; the lines are joined by CR LF.
  TStringList* Lines() { return &lines_; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);

protected:
  void CreateParams(TCreateParams& params) override;
  void Change() override;

private:
  void LinesChanged(TObject*);
  void Recreate();

  TStringList lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool fromLines_ = false;
};
