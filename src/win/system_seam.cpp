#include "win/system_seam.h"

#include <utility>

#include "win/handles.h"
#include "win/instance_handover.h"
#include "win/system_info.h"
#include "win/system_libraries.h"
#include "win/system_palette.h"
#include "win/text.h"
#include "win/thread_launch.h"

namespace wolumetr::win {

int SystemSeam::ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
  return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

void SystemSeam::ShellOpen(HWND owner, const std::wstring& target, int show, bool quiet) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // The shell may finish on a thread of its own after the call returns; the caller's thread may
  // have ended by then, so the call waits until the shell is done with it.
  info.fMask = SEE_MASK_NOASYNC | (quiet ? SEE_MASK_FLAG_NO_UI : 0);
  info.hwnd = owner;
  info.lpVerb = L"open";
  info.lpFile = target.c_str();
  info.nShow = show;
  lazy::ShellExecuteExW(&info);
}

bool SystemSeam::StartNewInstance() { return StartSuccessor(ExecutablePath()); }

bool SystemSeam::RegisterRestart(const std::wstring& arguments, DWORD flags) {
  return SUCCEEDED(RegisterApplicationRestart(arguments.c_str(), flags));
}

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
  wchar_t label[MAX_PATH + 1] = {};
  ErrorModeScope quiet;  // a drive that is not ready fails quietly
  // Only the name: asking for the file system too made each call half as slow again.
  if (!GetVolumeInformationW(Widen(root).c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) {
    return std::nullopt;
  }
  return Narrow(label);
}

HIMAGELIST SystemSeam::SmallIcons() {
  SHFILEINFOW info{};
  return reinterpret_cast<HIMAGELIST>(
      lazy::SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

std::optional<int> SystemSeam::DriveIcon(const std::string& root) {
  SHFILEINFOW info{};
  if (lazy::SHGetFileInfoW(Widen(root).c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON) == 0) {
    return std::nullopt;
  }
  return info.iIcon;
}

void ShellOpenInBackground(std::shared_ptr<SystemSeam> system, HWND owner, std::wstring target, int show) {
  {
    std::lock_guard lock(system->openingLock_);
    if (!system->opening_.insert(target).second) return;
  }
  const auto done = [system, target] {
    std::lock_guard lock(system->openingLock_);
    system->opening_.erase(target);
  };
  try {
    StartDetachedThread([system, owner, target, show, done] {
      try {
        ComScope com;
        system->ShellOpen(owner, target, show, true);
      } catch (...) {
        // As on the window's thread, the outcome is not checked; there is no one here to tell.
      }
      done();
    });
  } catch (...) {
    done();
    throw;
  }
}

bool SystemSeam::HighContrastOn() { return win::HighContrastOn(); }

Rect SystemSeam::WorkArea() { return win::WorkArea(); }

}  // namespace wolumetr::win
