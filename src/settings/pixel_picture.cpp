#include "settings/pixel_picture.h"

#include <cstdint>
#include <stdexcept>

namespace wolumetr::win {
namespace {

// Not in any palette, so it can stand for "transparent" in the bitmap.
constexpr COLORREF kKey = RGB(255, 0, 255);

}  // namespace

PixelPicture::PixelPicture(Surface& parent, const std::vector<std::string>& pattern,
                           const std::vector<PictureColour>& palette)
    : GraphicControl(parent), pattern_(pattern), palette_(palette) {
  const int height = static_cast<int>(pattern_.size());
  const int width = height > 0 ? static_cast<int>(pattern_.front().size()) : 0;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows, like the pattern
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
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

COLORREF PixelPicture::PixelAt(int x, int y) const {
  if (y < 0 || x < 0 || y >= static_cast<int>(pattern_.size())) return CLR_INVALID;
  const std::string& row = pattern_[static_cast<size_t>(y)];
  if (x >= static_cast<int>(row.size())) return CLR_INVALID;
  for (const PictureColour& colour : palette_) {
    if (colour.key == row[static_cast<size_t>(x)]) return RGB(colour.r, colour.g, colour.b);
  }
  return CLR_INVALID;
}

void PixelPicture::Paint(HDC dc) const {
  MemoryDc source(CreateCompatibleDC(dc));
  SelectObjectScope select(source.get(), bitmap_.get());
  TransparentBlt(dc, Left(), Top(), Width(), Height(), source.get(), 0, 0, Width(), Height(), kKey);
}

}  // namespace wolumetr::win
