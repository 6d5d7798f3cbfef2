// The main window's texts (see EditorText.h).
#include "paletteeditor/core/EditorText.h"

#include <cstdio>

namespace pal {

std::string EditorCaptionFor(const std::string& name) {
  return std::string(EditorTitle) + " - [ " + name + " ]";
}

std::string ActiveColourText(int index, Colour colour) {
  char text[64];
  std::snprintf(text, sizeof text, "%d (0x%03X) = RGB(%d,%d,%d)", index, static_cast<unsigned>(index),
                RedOf(colour), GreenOf(colour), BlueOf(colour));
  return text;
}

}  // namespace pal
