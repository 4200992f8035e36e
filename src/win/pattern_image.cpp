#include "win/pattern_image.h"

#include <cstdint>
#include <stdexcept>

#include "win/colour_ref.h"

namespace wolumetr::win {
namespace {

// In no palette, so it can stand for "transparent" in the bitmap.
constexpr COLORREF kKey = RGB(255, 0, 255);

}  // namespace

PatternImage::PatternImage(Surface& parent, PixelPattern pattern, PatternPalette palette)
    : GraphicControl(parent), pattern_(std::move(pattern)), palette_(std::move(palette)) {
  MakeBitmap();
}

void PatternImage::SetPattern(PixelPattern pattern) {
  pattern_ = std::move(pattern);
  MakeBitmap();
  Invalidate();
}

void PatternImage::SetPalette(PatternPalette palette) {
  palette_ = std::move(palette);
  MakeBitmap();
  Invalidate();
}

void PatternImage::MakeBitmap() {
  const int height = static_cast<int>(pattern_.size());
  const int width = height > 0 ? static_cast<int>(pattern_.front().size()) : 0;
  BITMAPINFO info{};
  // Top-down rows (a negative height), like the pattern.
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  source_.reset();  // before the bitmap selected into it goes
  bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap_ || bits == nullptr) throw std::runtime_error("Out of system resources");
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      COLORREF c = PixelAt(x, y);
      if (c == CLR_INVALID) c = kKey;
      pixels[y * width + x] = (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
                              (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
    }
  }
  SetSize(width, height);
}

COLORREF PatternImage::PixelAt(int x, int y) const {
  if (y < 0 || x < 0 || y >= static_cast<int>(pattern_.size())) return CLR_INVALID;
  const std::string& row = pattern_[static_cast<size_t>(y)];
  if (x >= static_cast<int>(row.size())) return CLR_INVALID;
  for (const PatternColour& entry : palette_) {
    if (entry.key == row[static_cast<size_t>(x)]) return ColorRef(entry.colour);
  }
  return CLR_INVALID;
}

void PatternImage::Paint(HDC dc) const {
  // Made once, like the DC it is first drawn on (the off-screen one): Wine copies from a DC
  // made for the screen markedly slower.
  if (!source_) {
    source_.reset(CreateCompatibleDC(dc));
    if (!source_) return;
    SelectObject(source_.get(), bitmap_.get());
  }
  GdiTransparentBlt(dc, Left(), Top(), Width(), Height(), source_.get(), 0, 0, Width(), Height(), kKey);
}

}  // namespace wolumetr::win
