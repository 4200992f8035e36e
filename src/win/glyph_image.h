#pragma once
#include <functional>
#include <string>
#include <vector>

#include "win/graphic_control.h"
#include "win/handles.h"

namespace wolumetr::win {

// A top-down 32-bit bitmap of `width` x `height` with each pixel's colour from `colourAt`.
BitmapHandle PatternBitmap(int width, int height, const std::function<COLORREF(int x, int y)>& colourAt);

// A small two-colour picture made from a pixel pattern ('#' ink, anything else the
// transparent black), drawn over whatever lies below it.
class GlyphImage final : public GraphicControl {
 public:
  GlyphImage(Surface& parent, const std::vector<std::string>& pattern, COLORREF ink);
  void Paint(HDC dc) const override;

 private:
  BitmapHandle bitmap_;
  // Holds bitmap_ selected from the first paint on: no DC to make per paint.
  mutable MemoryDc source_;
};

}  // namespace wolumetr::win
