// Pictures of the screen: the whole screen for the screenshots, and small
// parts of it to tell which icon a message box shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

struct Pixels {
  int width = 0, height = 0;
  std::vector<uint8_t> bgr;  // rows top to bottom, three bytes a pixel, no padding
};

bool CaptureScreen(const RECT& area, Pixels* out, std::string* error);
bool CaptureWholeScreen(Pixels* out, std::string* error);
// The icon drawn at width x height over a background of one colour.
bool RenderIcon(HICON icon, int width, int height, COLORREF background, Pixels* out);
bool SaveBmp(const Pixels& p, const std::string& path, std::string* error);
// Share of pixels that differ by more than a little in any channel, 0 to 1.
double Difference(const Pixels& a, const Pixels& b);

}  // namespace e2e
