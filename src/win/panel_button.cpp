#include "win/panel_button.h"

#include "win/handles.h"
#include "win/panel_paint.h"

namespace wolumetr::win {

PanelButton::PanelButton(Surface& parent, std::wstring caption, FontSpec font, COLORREF textColor, COLORREF color,
                         BevelColours bevels)
    : GraphicControl(parent),
      caption_(std::move(caption)),
      font_(std::move(font)),
      textColor_(textColor),
      color_(color),
      bevels_(bevels) {
  handCursor = true;
}

void PanelButton::SetFont(const FontSpec& font) {
  if (font == font_) return;
  font_ = font;
  Invalidate();
}

void PanelButton::SetColors(COLORREF textColor, COLORREF color, BevelColours bevels) {
  if (textColor == textColor_ && color == color_ && bevels.light == bevels_.light && bevels.shadow == bevels_.shadow) {
    return;
  }
  textColor_ = textColor;
  color_ = color;
  bevels_ = bevels;
  Invalidate();
}

void PanelButton::Paint(HDC dc) const {
  RECT r = Bounds();
  FillSolid(dc, r, color_);
  DrawBevels(dc, r, Bevel::Raised, Bevel::None, bevels_);
  SelectObjectScope font(dc, SharedFont(font_));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, textColor_);
  DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace wolumetr::win
