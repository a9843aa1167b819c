#include "pixels.h"

#include <algorithm>
#include <cstdlib>

#include "win.h"

namespace e2e {
namespace {

// A 24-bit top-down DIB section selected into a memory DC for the lifetime.
class Canvas {
 public:
  Canvas(int w, int h) : width_(w), height_(h) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (bitmap_) old_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    if (old_) SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  bool ok() const { return bitmap_ != nullptr && bits_ != nullptr; }
  HDC dc() const { return dc_; }
  void CopyTo(Pixels* out) const {
    GdiFlush();
    const int stride = (width_ * 3 + 3) & ~3;
    out->width = width_;
    out->height = height_;
    out->bgr.resize(static_cast<size_t>(width_) * height_ * 3);
    for (int y = 0; y < height_; ++y)
      std::copy_n(static_cast<const uint8_t*>(bits_) + static_cast<size_t>(y) * stride, width_ * 3,
                  &out->bgr[static_cast<size_t>(y) * width_ * 3]);
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

void Put16(std::string* s, unsigned v) {
  for (int i = 0; i < 2; ++i) *s += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Put32(std::string* s, unsigned v) {
  for (int i = 0; i < 4; ++i) *s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

bool CaptureScreen(const RECT& area, Pixels* out, std::string* error) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0) {
    *error = "nothing to capture";
    return false;
  }
  Canvas canvas(w, h);
  HDC screen = GetDC(nullptr);
  bool ok = canvas.ok() && BitBlt(canvas.dc(), 0, 0, w, h, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
  ReleaseDC(nullptr, screen);
  if (!ok) {
    *error = "cannot copy the screen: " + ErrorText(GetLastError());
    return false;
  }
  canvas.CopyTo(out);
  return true;
}

bool CaptureWholeScreen(Pixels* out, std::string* error) {
  RECT all = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return CaptureScreen(all, out, error);
}

bool RenderIcon(HICON icon, int width, int height, COLORREF background, Pixels* out) {
  Canvas canvas(width, height);
  if (!canvas.ok()) return false;
  HBRUSH brush = CreateSolidBrush(background);
  RECT all = {0, 0, width, height};
  FillRect(canvas.dc(), &all, brush);
  DeleteObject(brush);
  if (!DrawIconEx(canvas.dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL)) return false;
  canvas.CopyTo(out);
  return true;
}

bool SaveBmp(const Pixels& p, const std::string& path, std::string* error) {
  const unsigned stride = (static_cast<unsigned>(p.width) * 3 + 3) & ~3u;
  const unsigned image = stride * static_cast<unsigned>(p.height);
  std::string file = "BM";
  Put32(&file, 14 + 40 + image);
  Put32(&file, 0);
  Put32(&file, 14 + 40);
  Put32(&file, 40);
  Put32(&file, static_cast<unsigned>(p.width));
  Put32(&file, static_cast<unsigned>(p.height));  // positive: rows bottom to top
  Put16(&file, 1);
  Put16(&file, 24);
  Put32(&file, BI_RGB);
  Put32(&file, image);
  Put32(&file, 2835);
  Put32(&file, 2835);
  Put32(&file, 0);
  Put32(&file, 0);
  for (int y = p.height - 1; y >= 0; --y) {
    file.append(reinterpret_cast<const char*>(&p.bgr[static_cast<size_t>(y) * p.width * 3]), p.width * 3);
    file.append(stride - static_cast<unsigned>(p.width) * 3, '\0');
  }
  Handle h(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD put = 0;
  if (!h || !WriteFile(h.get(), file.data(), static_cast<DWORD>(file.size()), &put, nullptr) || put != file.size()) {
    *error = "cannot write " + path + ": " + ErrorText(GetLastError());
    return false;
  }
  return true;
}

double Difference(const Pixels& a, const Pixels& b) {
  if (a.width != b.width || a.height != b.height || a.bgr.empty()) return 1.0;
  size_t differ = 0;
  for (size_t i = 0; i < a.bgr.size(); i += 3) {
    for (int c = 0; c < 3; ++c) {
      if (std::abs(int(a.bgr[i + c]) - int(b.bgr[i + c])) > 24) {
        ++differ;
        break;
      }
    }
  }
  return static_cast<double>(differ) / (a.bgr.size() / 3);
}

}  // namespace e2e
