#include "win/system_palette.h"

namespace wolumetr::win {
namespace {

std::optional<bool> g_highContrastForTesting;

Colour System(int index) {
  const COLORREF c = GetSysColor(index);
  return Colour{GetRValue(c), GetGValue(c), GetBValue(c)};
}

}  // namespace

bool HighContrastOn() {
  if (g_highContrastForTesting) return *g_highContrastForTesting;
  HIGHCONTRASTW hc{};
  hc.cbSize = sizeof hc;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) != FALSE &&
         (hc.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Palette CurrentPalette() {
  const SystemColours system{System(COLOR_WINDOW), System(COLOR_WINDOWTEXT), System(COLOR_HIGHLIGHT),
                             System(COLOR_BTNFACE), System(COLOR_BTNTEXT)};
  return PaletteFor(HighContrastOn(), system);
}

void SetHighContrastForTesting(std::optional<bool> on) { g_highContrastForTesting = on; }

}  // namespace wolumetr::win
