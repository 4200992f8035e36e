#pragma once
#include <string>

#include "win/fonts.h"
#include "win/graphic_control.h"

namespace wolumetr::win {

// A transparent, left-aligned, single-line text. With auto-size it fits its text; without,
// it keeps its width and clips. Ampersands are shown as they are.
class Label final : public GraphicControl {
 public:
  Label(Surface& parent, FontSpec font, COLORREF color, bool autoSize = true);

  const std::wstring& Text() const { return text_; }
  // True when the text changed.
  bool SetText(const std::wstring& text);
  const FontSpec& Font() const { return font_; }
  void SetFont(const FontSpec& font);
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);

  void Paint(HDC dc) const override;

 private:
  void Fit();
  std::wstring text_;
  FontSpec font_;
  COLORREF color_;
  bool autoSize_;
};

}  // namespace wolumetr::win
