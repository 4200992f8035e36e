#pragma once
// The restart that puts a new drive list into effect: the running instance starts the next
// one and ends; the next one waits for it to be gone before it shows its tray icon.
//
// The program takes no arguments, so the two meet through a named mutex instead of a process
// id on the command line: the ending instance owns it from just before the start until the
// process ends, when the system abandons it and the waiting one goes on.
#include <windows.h>

#include <string>

namespace wolumetr::win {

// Starts `exe` without arguments, with no shell in between (no file association, no zone
// prompt). On success this instance holds the hand-over until it ends; on failure it holds
// nothing and returns false.
bool StartSuccessor(const std::wstring& exe);

// At start-up: waits up to `milliseconds` for an instance that started this one to end.
void WaitForPredecessor(DWORD milliseconds);

// The one argument the program is registered to be started with when Windows brings it back
// (Restart Manager after an upgrade replaced it, Windows Error Reporting after a crash or a hang).
inline constexpr wchar_t kRestartedSwitch[] = L"/restarted";
// Whether `arguments` (the command line after the program's name) is that switch alone.
bool StartedByRestart(const wchar_t* arguments);
// Whether another process of this same executable runs in this session: a copy brought back
// beside one the user started meanwhile is not wanted.
bool OtherCopyRunning();

}  // namespace wolumetr::win
