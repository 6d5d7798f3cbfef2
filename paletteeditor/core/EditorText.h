// The texts the editor's main window shows: its captions (the explorer finds the window
// by `EditorWindowCaption`) and the description of the selected entry.
#pragma once

#include <string>

#include "paletteeditor/core/PaletteTypes.h"

namespace pal {

inline constexpr char EditorTitle[] = "Palette Editor v1.2";
inline constexpr char EditorWindowCaption[] = "Palette Editor v1.2 - [ Untitled ]";

// "Palette Editor v1.2 - [ " + name + " ]".
std::string EditorCaptionFor(const std::string& name);

// "5 (0x005) = RGB(250,250,250)": the index in decimal and in three upper-case
// hexadecimal digits, then the entry's channels in decimal.
std::string ActiveColourText(int index, Colour colour);

}  // namespace pal
