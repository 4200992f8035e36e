#include "win/tooltips.h"

#include <commctrl.h>

#include <algorithm>

#include "win/system_libraries.h"

namespace wolumetr::win {

Tooltips::Tooltips(HWND owner) : owner_(owner) {}

Tooltips::~Tooltips() = default;

void Tooltips::Create() {
  if (tips_ != nullptr) return;
  lazy::InitCommonControls(ICC_BAR_CLASSES);
  tips_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr,
                              GetModuleHandleW(nullptr), nullptr));
  for (const Tool& tool : tools_) Apply(tool);
}

void Tooltips::SetTool(UINT id, const RECT& rect, const std::wstring& text) {
  auto it = std::ranges::find(tools_, id, &Tool::id);
  if (it == tools_.end()) it = tools_.insert(it, Tool{});
  *it = Tool{id, rect, text};
  Apply(*it);
}

void Tooltips::Relay(UINT message, WPARAM wParam, LPARAM lParam) {
  if (tips_ != nullptr) return;  // subclassing the owner, the hint window sees the rest
  Create();
  if (tips_ == nullptr) return;
  MSG msg{owner_, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
  GetCursorPos(&msg.pt);
  SendMessageW(tips_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void Tooltips::Apply(const Tool& tool) {
  if (tips_ == nullptr) return;
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_SUBCLASS;
  info.hwnd = owner_;
  info.uId = tool.id;
  // Asked without a text buffer: the hint window would copy the old text into it.
  const bool known = SendMessageW(tips_.get(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
  info.rect = tool.rect;
  info.lpszText = const_cast<wchar_t*>(tool.text.c_str());
  if (known) {
    SendMessageW(tips_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tips_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  } else {
    SendMessageW(tips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

}  // namespace wolumetr::win
