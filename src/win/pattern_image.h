#pragma once
#include "common/pixel_pattern.h"
#include "win/graphic_control.h"
#include "win/handles.h"

namespace wolumetr::win {

// A small picture made once from a pixel pattern and drawn over whatever lies below it:
// characters its palette does not name are transparent.
class PatternImage final : public GraphicControl {
 public:
  PatternImage(Surface& parent, PixelPattern pattern, PatternPalette palette);
  void Paint(HDC dc) const override;
  // Another picture in the same palette (the same one drawn for another scale).
  void SetPattern(PixelPattern pattern);
  // The same picture in other colours (the system's, in high contrast).
  void SetPalette(PatternPalette palette);

  // The colour drawn at a pixel; CLR_INVALID where the picture is transparent.
  COLORREF PixelAt(int x, int y) const;

 private:
  void MakeBitmap();

  PixelPattern pattern_;
  PatternPalette palette_;
  BitmapHandle bitmap_;
  // Holds bitmap_ selected from the first paint on: no DC to make per paint.
  mutable MemoryDc source_;
};

}  // namespace wolumetr::win
