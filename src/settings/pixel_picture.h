#pragma once
#include <string>
#include <vector>

#include "settings/save_picture.h"
#include "win/graphic_control.h"
#include "win/handles.h"

namespace wolumetr::win {

// A small picture in several colours from a pixel pattern; characters missing from the
// palette are transparent, so the surface below shows through.
class PixelPicture final : public GraphicControl {
 public:
  PixelPicture(Surface& parent, const std::vector<std::string>& pattern,
               const std::vector<PictureColour>& palette);
  void Paint(HDC dc) const override;

  // The colour drawn at a pixel; CLR_INVALID where the picture is transparent.
  COLORREF PixelAt(int x, int y) const;

 private:
  std::vector<std::string> pattern_;
  std::vector<PictureColour> palette_;
  BitmapHandle bitmap_;
};

}  // namespace wolumetr::win
