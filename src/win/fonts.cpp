#include "win/fonts.h"

#include <vector>

#include "win/handles.h"

namespace wolumetr::win {
namespace {

struct Entry {
  FontSpec spec;
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

HFONT SharedFont(const FontSpec& spec) {
  for (const Entry& e : Cache()) {
    if (e.spec == spec) return e.font.get();
  }
  LOGFONTW lf{};
  lf.lfHeight = FontHeightForPoints(spec.points);
  lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = spec.underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lstrcpynW(lf.lfFaceName, spec.name.c_str(), LF_FACESIZE);
  FontHandle font(CreateFontIndirectW(&lf));
  HFONT raw = font.get();
  if (raw == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  Cache().push_back(Entry{spec, std::move(font)});
  return raw;
}

size_t SharedFontCount() { return Cache().size(); }

}  // namespace wolumetr::win
