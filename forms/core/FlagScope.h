// TFlagScope: a re-entry flag set for one scope and cleared at its end, also when the
// scope is left by an exception.
#pragma once

class TFlagScope {
public:
  explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& flag_;
};
