// TClipboard: the system clipboard, opened for the length of each operation (or across
// an Open/Close bracket), with graphics and pictures put on it and taken from it in the
// formats their classes are registered for (Picture.h).
#pragma once

#include "forms/core/Persistent.h"

#include <windows.h>

class TClipboard : public TPersistent {
public:
  ~TClipboard() override;

  // Brackets nest; the clipboard is opened by the first and closed by the last.
  void Open();
  void Close();
  void Clear();
  bool HasFormat(UINT format) const;
  // The data of a format while the clipboard is open (nil when absent); owned by it.
  HANDLE GetAsHandle(UINT format);
  // Hands the data to the clipboard, which then owns it; when that fails the caller
  // keeps it and EOSError is raised.
  void SetAsHandle(UINT format, HANDLE data);

  // A TGraphic or TPicture: its data in its own format, replacing what was there.
  void Assign(TPersistent* source) override;

protected:
  // To a TPicture: the first registered format the clipboard holds; to a TGraphic: the
  // first registered for its class.
  void AssignTo(TPersistent* dest) override;

private:
  int openCount_ = 0;
  bool emptied_ = false;
};

// The process's clipboard object, made on first use.
TClipboard* Clipboard();

inline constexpr const char SCannotOpenClipboard[] = "Cannot open clipboard";
