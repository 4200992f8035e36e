#include "settings/pixel_picture.h"

#include "win/glyph_image.h"

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
  bitmap_ = PatternBitmap(width, height, [this](int x, int y) {
    const COLORREF c = PixelAt(x, y);
    return c == CLR_INVALID ? kKey : c;
  });
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
  GdiTransparentBlt(dc, Left(), Top(), Width(), Height(), source.get(), 0, 0, Width(), Height(), kKey);
}

}  // namespace wolumetr::win
