#pragma once
// What the in-process Windows tests share: a throwaway program folder, message pumping and a
// main window on fake drives and the test program's system seam.
#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "fake_drives.h"
#include "fake_system.h"
#include "settings/file_settings_store.h"

namespace wolumetr::test {

// A new folder under the temp folder, with Polish letters in its name, removed at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& Path() const { return path_; }  // ends with a backslash
  std::wstring File(const std::wstring& name) const { return path_ + name; }
  void Write(const std::wstring& name, const std::string& bytes) const;
  std::optional<std::string> Read(const std::wstring& name) const;

 private:
  std::wstring path_;
};

// A top-level window of this thread by class (and title); other test processes share the
// desktop, so FindWindow could answer with their windows.
HWND FindOwnWindow(const wchar_t* className, const wchar_t* title = nullptr);
std::vector<HWND> OwnWindows(const wchar_t* className, const wchar_t* title = nullptr);

// The taskbar window of the test program, owner of every window a test makes.
HWND Taskbar();
// Where `child` lies in `parent`'s client area.
RECT ChildRect(HWND parent, HWND child);
// Dispatches pending messages for about `milliseconds`.
void Pump(int milliseconds = 50);
// Runs `step` from inside whatever message loop the thread runs then (a modal window's, a
// menu's): once after `delayMs`, or every `delayMs` while it lives when `repeat`.
class InLoop {
 public:
  explicit InLoop(std::function<void()> step, UINT delayMs = 50, bool repeat = false);
  ~InLoop();
  InLoop(const InLoop&) = delete;
  InLoop& operator=(const InLoop&) = delete;

 private:
  static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD);
  UINT_PTR id_;
};
// The left button pressed and released at `at` (client coordinates) of `window`.
void Click(HWND window, POINT at);
// The middle of a drawn control in its window's client area.
POINT Middle(const win::GraphicControl& control);
LONG_PTR ExStyle(HWND window);
// A layered window's opacity as the system holds it; 0 when it is not see-through by alpha.
BYTE Alpha(HWND window);

// A key pressed and released on the focused control as a modal loop hands it on: through
// `window`'s dialog keys first. What that posts (the typed character) goes the same way.
void PressKey(HWND window, WPARAM key, bool alt = false);
// Whether all of `r` (client coordinates) is queued for repaint in the window's update region.
bool RepaintQueued(HWND window, const RECT& r);

// A control or label of a window and its place in the client area. One sized by its text
// scales its place only; the others scale their size as well.
struct Placed {
  std::string name;
  RECT rect;
  bool sizedByText = false;
};
// Fails for every two of `placed` that meet, and for every one that reaches out of `client`.
void ExpectApart(const std::vector<Placed>& placed, const RECT& client);
// Fails where `placed` is not `design` (as placed at 96 dpi) drawn at `dpi`.
void ExpectScaledFrom(const std::vector<Placed>& design, const std::vector<Placed>& placed, int dpi);
// Moves `window` (at 96 dpi) to a monitor at `dpi` as Windows does, by WM_DPICHANGED, and
// back: there it must take the suggested place with `sizeThere` and show `there` (what a
// window opened at that scale shows), and back home everything it showed before, with no
// GDI object left behind.
void ExpectDpiRoundTrip(const win::Window& window, const std::function<std::vector<Placed>()>& layout, int dpi,
                        Size sizeThere, const std::vector<Placed>& there);
// A window's client area as it paints it (through WM_PRINTCLIENT), read pixel by pixel.
class ClientPicture {
 public:
  explicit ClientPicture(HWND window);
  COLORREF At(int x, int y) const;
  // How many pixels of `r` (client coordinates) are `colour`.
  int Count(const RECT& r, COLORREF colour) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

// What a screen reader hears of child `id` of an accessible object (CHILDID_SELF: the object
// itself); "<none>" for a text it does not get.
VARIANT Child(long id);
struct Spoken {
  long role;
  std::wstring name;
  std::wstring value;
  long state;
  std::wstring action;
  bool operator==(const Spoken&) const = default;
};
Spoken Ask(IAccessible& object, long id);
// How many child windows `window` has (not counting theirs).
int ChildWindowCount(HWND window);
// A child window's name for screen readers, from the object its WM_GETOBJECT answer stands for.
std::wstring ScreenReaderName(HWND control);

// A main window on a folder of its own, with fake drives.
struct MainWindowFixture {
  TempFolder folder;
  win::FileSettingsStore store;
  std::shared_ptr<FakeDrives> sharedDrives = std::make_shared<FakeDrives>();
  FakeDrives& drives = *sharedDrives;
  std::unique_ptr<TForm1> form;

  void WriteSettings(const std::string& ini) const { folder.Write(L"wolumetr.ini", ini); }
  std::optional<std::string> Settings() const { return folder.Read(L"wolumetr.ini"); }
  // Builds the window, then runs its creation handler, as the program does.
  TForm1& Start();
  // Waits (dispatching only the drive worker's messages) until the refreshes asked for so
  // far are shown; false after `limitMs`.
  bool WaitForRefresh(int limitMs = 5000);
  // A refresh still waits for a drive (screen readers hear so only once it has waited long).
  bool Busy() const;
};

}  // namespace wolumetr::test
