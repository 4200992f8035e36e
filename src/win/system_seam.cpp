#include "win/system_seam.h"

#include <utility>

#include "win/application.h"
#include "win/handles.h"
#include "win/instance_handover.h"
#include "win/system_info.h"
#include "win/system_libraries.h"
#include "win/text.h"
#include "win/thread_launch.h"

namespace wolumetr::win {

int SystemSeam::ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

void SystemSeam::ShellOpen(HWND owner, const std::wstring& target, int show) {
  if (!com_ && GetCurrentThreadId() == thread_) com_.emplace();
  lazy::ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, show);
}

bool SystemSeam::StartNewInstance() { return StartSuccessor(ExecutablePath()); }

bool SystemSeam::NotifyIcon(DWORD message, NOTIFYICONDATAW& data) {
  return lazy::Shell_NotifyIconW(message, &data) != FALSE;
}

std::wstring SystemSeam::LogicalDriveStrings() {
  wchar_t buffer[256] = {};
  const DWORD length = GetLogicalDriveStringsW(255, buffer);
  if (length == 0 || length > 255) return {};
  return std::wstring(buffer, length);
}

bool SystemSeam::IsFixedDrive(const std::string& root) { return GetDriveTypeW(Widen(root).c_str()) == DRIVE_FIXED; }

std::optional<std::string> SystemSeam::VolumeLabel(const std::string& root) {
  wchar_t label[256] = {};
  ErrorModeScope quiet;  // a drive that is not ready fails quietly
  if (!GetVolumeInformationW(Widen(root).c_str(), label, 255, nullptr, nullptr, nullptr, nullptr, 0)) {
    return std::nullopt;
  }
  return Narrow(label);
}

void ShellOpenInBackground(SystemSeam& system, HWND owner, std::wstring target, int show) {
  StartDetachedThread([&system, owner, target = std::move(target), show] {
    try {
      ComScope com;
      system.ShellOpen(owner, target, show);
    } catch (...) {
      // As on the window's thread, the outcome is not checked; there is no one here to tell.
    }
  });
}

void SystemSeam::RunModal(Window& window) { Application::Instance().RunModal(window); }

}  // namespace wolumetr::win
