// The product's main window: a menu and a read-only view of the open test.
#pragma once

#include <windows.h>

namespace tz {

// Registers the class and creates the window with the given title; null on failure.
HWND CreateMainWindow(HINSTANCE instance, const char* title);

// Loads a .TZ1 file into the window's view; shows a message box when it cannot.
void OpenTestFile(HWND window, const char* path);

}  // namespace tz
