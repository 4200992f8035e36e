#pragma once
// A raised panel with a centred caption that acts as a button: windowless, painted by its
// parent surface, clicked with the mouse.
#include <windows.h>

#include <string>

#include "win/fonts.h"
#include "win/graphic_control.h"
#include "win/panel_paint.h"

namespace wolumetr::win {

class PanelButton final : public GraphicControl {
 public:
  PanelButton(Surface& parent, std::wstring caption, FontSpec font, COLORREF textColor, COLORREF color,
              BevelColours bevels);

  const std::wstring& Caption() const { return caption_; }
  const FontSpec& Font() const { return font_; }
  void SetFont(const FontSpec& font);
  void SetColors(COLORREF textColor, COLORREF color, BevelColours bevels);

  void Paint(HDC dc) const override;

 private:
  std::wstring caption_;
  FontSpec font_;
  COLORREF textColor_;
  COLORREF color_;
  BevelColours bevels_;
};

}  // namespace wolumetr::win
