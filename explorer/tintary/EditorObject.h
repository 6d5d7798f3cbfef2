// The palette editor attached to the explorer: its automation object, the ProgID it is
// created by and the caption of the window it shows. The "Tintary" menu's handlers are
// in MainTintary.cpp.
#pragma once

#include "forms/comclient/OleVariant.h"

// The editor's automation object (VT_DISPATCH), or Null when no editor is attached.
// Holding it keeps the editor process alive.
extern TOleVariant EditorObject;

// ProgIDs match without regard to case; the editor registers "TINTARY.Tintarycom".
inline constexpr const char EditorProgID[] = "tintary.tintarycom";
// The caption of a freshly started editor's main window.
inline constexpr const char EditorWindowCaption[] = "Palette Editor v1.2 - [ Untitled ]";
