#include "win/tooltips.h"

#include <commctrl.h>

namespace wolumetr::win {

Tooltips::Tooltips(HWND owner)
    : owner_(owner),
      tips_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr)) {}

Tooltips::~Tooltips() {
  if (tips_ != nullptr) DestroyWindow(tips_);
}

void Tooltips::SetTool(UINT id, const RECT& rect, const std::wstring& text) {
  if (tips_ == nullptr) return;
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = owner_;
  info.uId = id;
  info.rect = rect;
  info.lpszText = const_cast<wchar_t*>(text.c_str());
  if (!SendMessageW(tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info)) ||
      !SendMessageW(tips_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) {
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

}  // namespace wolumetr::win
