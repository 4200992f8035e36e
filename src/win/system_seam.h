#pragma once
// The system calls that a test cannot steer in-process: message boxes, the shell (links, the
// restart, the notification icon), the list of drives and the work area.
// The program makes one at start and hands it to every window with its services; each method
// does the real thing, and a test derives and replaces what it must.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "common/geometry.h"
#include "win/handles.h"

namespace wolumetr::win {

class SystemSeam {
 public:
  SystemSeam() = default;
  virtual ~SystemSeam() = default;
  SystemSeam(const SystemSeam&) = delete;
  SystemSeam& operator=(const SystemSeam&) = delete;

  // Returns the button that closed the box.
  virtual int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);
  // Hands `target` to the shell's "open" and returns once the shell has taken it; the outcome is
  // not checked. The calling thread must be in an apartment (StayInApartment on the window's).
  // `quiet`: the shell shows no box of its own for a target it cannot open.
  virtual void ShellOpen(HWND owner, const std::wstring& target, int show, bool quiet);
  // Starts the running executable again, without arguments; false when it could not be
  // started. The new instance waits for this one to end before it shows itself.
  virtual bool StartNewInstance();
  // Asks Windows to start the program again, with `arguments`, when Restart Manager or Windows
  // Error Reporting ended it (RegisterApplicationRestart); false when refused.
  virtual bool RegisterRestart(const std::wstring& arguments, DWORD flags);
  virtual bool NotifyIcon(DWORD message, NOTIFYICONDATAW& data);

  // The logical drives' roots, each ended by a NUL, as the system lists them; empty when the
  // list cannot be had.
  virtual std::wstring LogicalDriveStrings();
  virtual bool IsFixedDrive(const std::string& root);
  // nullopt when the volume information cannot be read. Threads may ask at once.
  virtual std::optional<std::string> VolumeLabel(const std::string& root);
  // The shell's small icons, shared with every program: never destroyed by the caller.
  virtual HIMAGELIST SmallIcons();
  // A drive's icon in SmallIcons; nullopt when the shell cannot tell. The calling thread must
  // be in an apartment.
  virtual std::optional<int> DriveIcon(const std::string& root);

  // Whether the user asked the system for high contrast.
  virtual bool HighContrastOn();
  // The primary monitor's work area, where the placements and the centring go.
  virtual Rect WorkArea();

 private:
  friend void ShellOpenInBackground(std::shared_ptr<SystemSeam> system, HWND owner, std::wstring target, int show);
  std::mutex openingLock_;
  std::set<std::wstring> opening_;  // targets handed to the shell in the background, not yet taken
};

// Hands `target` to `system`'s ShellOpen, quietly, on a thread of its own with COM readied there:
// opening a drive that is slow to answer (a sleeping disk, a share whose server is gone) never
// holds up the window. While one open of a target is under way, another of it is dropped: a
// double click repeated on a hung drive starts no pile of threads. The thread keeps `system`.
void ShellOpenInBackground(std::shared_ptr<SystemSeam> system, HWND owner, std::wstring target, int show);

}  // namespace wolumetr::win
