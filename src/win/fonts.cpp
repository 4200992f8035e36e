#include "win/fonts.h"

#include <vector>

#include "win/handles.h"

namespace wolumetr::win {
namespace {

struct Entry {
  FontSpec wanted;
  FontHandle font;
};

std::vector<Entry>& Cache() {
  static std::vector<Entry> cache;
  return cache;
}

}  // namespace

int FontHeightForPoints(int points) {
  ScreenDc screen;
  return -MulDiv(points, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
}

HFONT SharedFont(const FontSpec& wanted) {
  for (const Entry& e : Cache()) {
    if (e.wanted == wanted) return e.font.get();
  }
  LOGFONTW lf{};
  lf.lfHeight = FontHeightForPoints(wanted.points);
  lf.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = wanted.underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lstrcpynW(lf.lfFaceName, wanted.name.c_str(), LF_FACESIZE);
  FontHandle font(CreateFontIndirectW(&lf));
  HFONT raw = font.get();
  if (raw == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  Cache().push_back(Entry{wanted, std::move(font)});
  return raw;
}

}  // namespace wolumetr::win
