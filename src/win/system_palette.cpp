#include "win/system_palette.h"

namespace wolumetr::win {
namespace {

Colour System(int index) {
  const COLORREF c = GetSysColor(index);
  return Colour{GetRValue(c), GetGValue(c), GetBValue(c)};
}

}  // namespace

bool HighContrastOn() {
  HIGHCONTRASTW hc{};
  hc.cbSize = sizeof hc;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) != FALSE &&
         (hc.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Palette CurrentPalette(bool highContrast) {
  const SystemColours system{System(COLOR_WINDOW),       System(COLOR_WINDOWTEXT), System(COLOR_HIGHLIGHT),
                             System(COLOR_BTNFACE),      System(COLOR_BTNTEXT),    System(COLOR_HIGHLIGHTTEXT),
                             System(COLOR_BTNHIGHLIGHT), System(COLOR_BTNSHADOW)};
  return PaletteFor(highContrast, system);
}

}  // namespace wolumetr::win
