#include "win/glyph_image.h"

#include <cstdint>
#include <stdexcept>

namespace wolumetr::win {

BitmapHandle PatternBitmap(int width, int height, const std::function<COLORREF(int x, int y)>& colourAt) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows, like the patterns
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) throw std::runtime_error("Out of system resources");
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colourAt(x, y);
      pixels[y * width + x] = (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
                              (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
    }
  }
  return bitmap;
}

GlyphImage::GlyphImage(Surface& parent, const std::vector<std::string>& pattern, COLORREF ink)
    : GraphicControl(parent) {
  const int height = static_cast<int>(pattern.size());
  const int width = height > 0 ? static_cast<int>(pattern.front().size()) : 0;
  bitmap_ = PatternBitmap(width, height, [&](int x, int y) {
    return pattern[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#' ? ink : RGB(0, 0, 0);
  });
  SetSize(width, height);
}

void GlyphImage::Paint(HDC dc) const {
  // Made once, like the DC it is first drawn on (the off-screen one): Wine copies from a DC
  // made for the screen markedly slower.
  if (!source_) {
    source_.reset(CreateCompatibleDC(dc));
    if (!source_) return;
    SelectObject(source_.get(), bitmap_.get());
  }
  GdiTransparentBlt(dc, Left(), Top(), Width(), Height(), source_.get(), 0, 0, Width(), Height(), RGB(0, 0, 0));
}

}  // namespace wolumetr::win
