// What identifies a running Testanza: the installer's guard and our own
// uninstaller look for exactly these, so they live in one place.
#pragma once

namespace tz {

constexpr const char* kMutexName = "KV_TZ_Mutex";
constexpr unsigned kCloseRequest = 0x501;  // WM_USER + 0x101, both parameters 0

// The main window carries one of these titles; the order is the search order.
constexpr const char* kWindowTitles[] = {
    "Testanza",        "Testanza BETA 1", "Testanza BETA 2", "Testanza BETA 3",
    "Testanza BETA 4", "Testanza BETA 5", "Testanza BETA 6", "Testanza BETA 7",
    "Testanza BETA 8", "Testanza BETA 9",
};

}  // namespace tz
