#include "win/fonts.h"

#include <vector>

#include "win/handles.h"
#include "win/window_dpi.h"

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

struct FaceCheck {
  bool found = false;
  bool trueType = false;
};

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM data) {
  auto* check = reinterpret_cast<FaceCheck*>(data);
  check->found = true;
  check->trueType = check->trueType || (type & TRUETYPE_FONTTYPE) != 0;
  return 1;
}

FaceCheck CheckFace(const wchar_t* name) {
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, name, LF_FACESIZE);
  FaceCheck check;
  ScreenDc screen;
  EnumFontFamiliesExW(screen.get(), &lf, NoteFace, reinterpret_cast<LPARAM>(&check), 0);
  return check;
}

std::wstring MessageFontFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) &&
      metrics.lfMessageFont.lfFaceName[0] != L'\0') {
    return metrics.lfMessageFont.lfFaceName;
  }
  return L"Tahoma";
}

std::wstring PanelFace() {
  if (CheckFace(kPanelFace).found) return kPanelFace;
  if (CheckFace(L"MS Sans Serif").trueType) return L"MS Sans Serif";
  return MessageFontFace();
}

}  // namespace

int FontHeightForPoints(int points, int dpi) { return -MulDiv(points, dpi > 0 ? dpi : SystemDpi(), 72); }

std::wstring FaceFor(const std::wstring& name) {
  if (name != kPanelFace) return name;
  static const std::wstring face = PanelFace();  // fonts do not come and go while it runs
  return face;
}

HFONT SharedFont(const FontSpec& wanted) {
  for (const Entry& e : Cache()) {
    if (e.wanted == wanted) return e.font.get();
  }
  LOGFONTW lf{};
  lf.lfHeight = FontHeightForPoints(wanted.points, wanted.dpi);
  lf.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = wanted.underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lstrcpynW(lf.lfFaceName, FaceFor(wanted.name).c_str(), LF_FACESIZE);
  FontHandle font(CreateFontIndirectW(&lf));
  HFONT raw = font.get();
  if (raw == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  Cache().push_back(Entry{wanted, std::move(font)});
  return raw;
}

}  // namespace wolumetr::win
