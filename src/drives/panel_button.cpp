#include "drives/panel_button.h"

#include "win/handles.h"

namespace wolumetr {

PanelButton::PanelButton(win::Surface& parent, std::wstring caption, win::FontSpec font, COLORREF textColor,
                         COLORREF color)
    : GraphicControl(parent),
      caption_(std::move(caption)),
      font_(std::move(font)),
      textColor_(textColor),
      color_(color) {
  handCursor = true;
}

void PanelButton::Paint(HDC dc) const {
  RECT r = Bounds();
  SetDCBrushColor(dc, color_);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  // Raised bevel of one pixel: light top and left, shadow bottom and right.
  SetDCBrushColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  const RECT top{r.left, r.top, r.right - 1, r.top + 1};
  const RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
  FillRect(dc, &top, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  FillRect(dc, &left, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetDCBrushColor(dc, GetSysColor(COLOR_BTNSHADOW));
  const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
  const RECT right{r.right - 1, r.top, r.right, r.bottom};
  FillRect(dc, &bottom, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  FillRect(dc, &right, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  win::SelectObjectScope font(dc, win::SharedFont(font_));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, textColor_);
  DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace wolumetr
