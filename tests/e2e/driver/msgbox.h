// Reading a message box from outside: its text, its owner, and the style it
// was made with, told from the buttons it has, its default button and the
// icon it shows.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

struct BoxView {
  std::string text;
  bool hasOwner = false;
  std::string owner;     // the owner's caption
  unsigned style = 0;    // buttons | icon | default button
  std::string doubt;     // why a part of the style could not be told, if so
};

// A dialog of class #32770 with a text control 65535 and at least one button.
bool IsMessageBox(HWND hwnd);
bool ReadBox(HWND box, BoxView* out);

}  // namespace e2e
