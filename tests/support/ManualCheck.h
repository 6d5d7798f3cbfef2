// The user's manual against the programs' menus: every caption a menu shows, read from
// the menu itself with GetMenuItemInfo, must appear in the README.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

// A menu item's text as the user reads it: "&&" is an ampersand, a single "&" only
// underlines the next letter, blanks at the ends are not seen.
inline std::string ShownCaption(const std::string& text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') shown += text[i];
    else if (i + 1 < text.size() && text[i + 1] == '&') shown += text[i++];
  }
  const std::size_t first = shown.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return shown.substr(first, shown.find_last_not_of(' ') - first + 1);
}

// The shown captions of <menu> and of all its submenus, separators left out.
inline void CollectMenuCaptions(HMENU menu, std::vector<std::string>& captions) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = "";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = sizeof text;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) {
      captions.push_back("<item " + std::to_string(i) + " unreadable>");
      continue;
    }
    if (!(info.fType & MFT_SEPARATOR)) {
      const std::string shown = ShownCaption(text);
      if (!shown.empty()) captions.push_back(shown);
    }
    if (info.hSubMenu) CollectMenuCaptions(info.hSubMenu, captions);
  }
}

// The captions of <menu> that the manual at <manualPath> does not name in double quotes.
inline std::vector<std::string> CaptionsMissingFromManual(HMENU menu, const std::string& manualPath) {
  std::vector<std::string> captions, missing;
  CollectMenuCaptions(menu, captions);
  const std::string manual = ReadFileText(manualPath);
  for (const std::string& caption : captions)
    if (manual.find("\"" + caption + "\"") == std::string::npos) missing.push_back(caption);
  if (captions.empty()) missing.push_back("<no captions in the menu>");
  return missing;
}
