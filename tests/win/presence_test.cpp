// Display modes, the hide/show toggle, the tray icon, minimize commands, dragging, placements.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>

#include "app/placement.h"
#include "settings/options_form.h"
#include "win/application.h"
#include "win/error_box.h"
#include "win/handles.h"
#include "win/private_messages.h"
#include "win_test_support.h"

namespace wolumetr::test {
namespace {

bool TaskbarShown() { return IsWindowVisible(Taskbar()) != FALSE; }

class Presence : public ::testing::Test, protected MainWindowFixture {
 protected:
  TForm1& StartShown(int mode) {
    drives.drives[3] = {30, 100, "System"};
    WriteSettings("[Dyski]\r\nDysk1=C:\\\r\nDysk2=C:\\\r\nDysk3=C:\\\r\n[Polozenie]\r\nPasek=" + std::to_string(mode) +
                  "\r\n");
    TForm1& f = Start();
    win::Guarded([&] { f.SetVisible(true); });  // as the message loop's first show
    Pump(50);
    return f;
  }
  // An event on the icon as the shell reports it in the icon's protocol: version 4 adds the
  // anchor and follows a release with the selection or the context menu.
  void Tray(TForm1& f, UINT event, POINT at = {40, 12}, bool post = false) {
    const bool v4 = f.TrayIcon1->UsesVersion4();
    for (UINT what : {event, event == WM_LBUTTONUP ? NIN_SELECT : event == WM_RBUTTONUP ? WM_CONTEXTMENU : 0u}) {
      if (what != 0 && (what == event || v4)) {
        const WPARAM wParam = v4 ? MAKEWPARAM(at.x, at.y) : 1;
        const LPARAM lParam = v4 ? MAKELPARAM(what, 1) : what;
        post ? PostMessageW(f.TrayIcon1->MessageWindow(), win::kTrayMessage, wParam, lParam)
             : SendMessageW(f.TrayIcon1->MessageWindow(), win::kTrayMessage, wParam, lParam);
      }
    }
  }
};

int g_adds = 0;
BOOL RefusingShell(DWORD message, NOTIFYICONDATAW&) {
  if (message == NIM_ADD) ++g_adds;
  return FALSE;
}
BOOL CountingShell(DWORD message, NOTIFYICONDATAW& data) {
  if (message == NIM_ADD) ++g_adds;
  return Shell_NotifyIconW(message, &data);
}

// A shell that takes the version 4 protocol (or refuses it), counting the keyboard's return.
bool g_version4 = true;
int g_setFocus = 0;
BOOL VersionShell(DWORD message, NOTIFYICONDATAW& data) {
  if (message == NIM_SETVERSION) return g_version4 && data.uVersion == NOTIFYICON_VERSION_4;
  if (message == NIM_SETFOCUS) return ++g_setFocus;
  return Shell_NotifyIconW(message, &data);
}

// Where each popup menu opened, closed as soon as it is seen while the returned step lives.
std::vector<POINT> g_menusAt;
std::unique_ptr<InLoop> CloseOpenMenus() {
  return std::make_unique<InLoop>(
      [] {
        RECT r;
        if (HWND menu = FindOwnWindow(L"#32768"); menu != nullptr && IsWindowVisible(menu) && GetWindowRect(menu, &r)) {
          g_menusAt.push_back(POINT{r.left, r.top});
          EndMenu();
        }
      },
      30, true);
}

// Runs g_onSent on every message sent to a window of this thread while the returned hook lives.
std::function<void(const CWPSTRUCT&)> g_onSent;
LRESULT CALLBACK OnSent(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) g_onSent(*reinterpret_cast<const CWPSTRUCT*>(lParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
auto WatchSent(std::function<void(const CWPSTRUCT&)> watch) {
  g_onSent = std::move(watch);
  return std::unique_ptr<HHOOK__, decltype(&UnhookWindowsHookEx)>(
      SetWindowsHookExW(WH_CALLWNDPROC, &OnSent, nullptr, GetCurrentThreadId()), &UnhookWindowsHookEx);
}

TEST_F(Presence, TrayOnlyModeHidesAndShowsTheWindowWithoutATaskbarButton) {
  TForm1& f = StartShown(0);
  EXPECT_EQ(f.DisplayMode, 0);
  EXPECT_FALSE(TaskbarShown());
  EXPECT_TRUE(f.TrayIcon1->Visible());
  f.PopupMenu1.Activate(kUkryj1);  // hide
  EXPECT_TRUE(f.PopupMenu1.Item(kUkryj1).checked);
  EXPECT_FALSE(f.IsVisible());
  EXPECT_FALSE(TaskbarShown());
  EXPECT_TRUE(f.TrayIcon1->Visible());
  // A click on the tray icon brings it back, still without a taskbar button, and in front: the
  // user asked for it. Windows may show a window behind the one in front, as here.
  const win::ChildWindow other(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, -3000, -3000, 10, 10, nullptr,
                                               nullptr, nullptr, nullptr));
  bool behind = true;
  const auto hook = WatchSent([&](const CWPSTRUCT& m) {
    if (m.hwnd == f.Handle() && m.message == WM_PAINT && std::exchange(behind, false)) SetForegroundWindow(other.get());
  });
  Tray(f, WM_LBUTTONDOWN);
  Tray(f, WM_LBUTTONUP);
  EXPECT_FALSE(f.PopupMenu1.Item(kUkryj1).checked);
  EXPECT_TRUE(f.IsVisible());
  EXPECT_EQ(GetForegroundWindow(), f.Handle());
  EXPECT_FALSE(TaskbarShown());
  // The hide glyph does the same as the menu item.
  Click(f.Handle(), POINT{f.Image2->Left() + 3, f.Image2->Top() + 3});
  EXPECT_FALSE(f.IsVisible());
}

// Tray only: a modal window brings the taskbar button, as any visible window of the program does,
// and it stays after the window until the toggle next hides the main window. The tray icon's menu
// opens meanwhile.
TEST_F(Presence, TrayOnlyModeAndTheModalWindows) {
  // Each modal window runs `inLoop` once it is under way, then ends.
  std::function<void(win::Window&)> inLoop;
  TestHost().onModal = [&](win::Window& window) {
    const InLoop step(
        [&] {
          if (inLoop) inLoop(window);
          TestHost().EndModal(window);
        },
        20);
    TestHost().RealRunModal(window);
  };
  for (const UINT command : {kOpcje1, kUstawdyski1, kOprogramie1}) {
    TForm1& f = StartShown(0);
    ASSERT_FALSE(TaskbarShown());
    bool shown = false;
    inLoop = [&](win::Window&) {
      shown = TaskbarShown();
      g_menusAt.clear();
      const auto closer = CloseOpenMenus();
      Tray(f, WM_RBUTTONUP);
    };
    f.PopupMenu1.Activate(command);
    EXPECT_TRUE(shown) << command;
    EXPECT_EQ(g_menusAt.size(), 1u) << command << ": the tray menu while the window is open";
    EXPECT_TRUE(TaskbarShown()) << command << ": stays after the window";
    f.PopupMenu1.Activate(kUkryj1);
    EXPECT_FALSE(TaskbarShown()) << command;
    form.reset();
  }
  // Choosing "Tylko na pasku tray" in Options removes the button at once; closing Options brings
  // it back by the same rule.
  TForm1& f = StartShown(2);
  bool shown = true;
  inLoop = [&](win::Window& window) {
    auto& options = dynamic_cast<TForm3&>(window);
    SetFocus(options.ComboBox1.Handle());
    SendMessageW(options.ComboBox1.Handle(), WM_KEYDOWN, VK_HOME, 0);
    shown = TaskbarShown();
  };
  f.PopupMenu1.Activate(kOpcje1);
  inLoop = nullptr;
  EXPECT_EQ(f.DisplayMode, 0);
  EXPECT_FALSE(shown);
  EXPECT_TRUE(TaskbarShown());
}

TEST_F(Presence, ADoubleClickOnTheTrayIconTogglesOnce) {
  TForm1& f = StartShown(0);
  for (UINT event : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Tray(f, event);
  EXPECT_TRUE(f.PopupMenu1.Item(kUkryj1).checked);
  EXPECT_FALSE(f.IsVisible());
  Tray(f, WM_LBUTTONUP);  // a release without a press on the icon: nothing
  EXPECT_FALSE(f.IsVisible());
  Tray(f, NIN_KEYSELECT);  // Space or Enter on the icon clicks it
  EXPECT_TRUE(f.IsVisible());
  Tray(f, NIN_KEYSELECT);  // the same Enter reported twice: still one click
  EXPECT_TRUE(f.IsVisible());
  Pump(static_cast<int>(GetDoubleClickTime()) + 20);
  Tray(f, NIN_SELECT);  // Enter on the icon the mouse selected: no release before it
  EXPECT_FALSE(f.IsVisible());
  // The window takes longer to show than the double-click time (a busy machine): the same Enter
  // reported twice still toggles once, timed from the end of the click's work.
  Pump(static_cast<int>(GetDoubleClickTime()) + 20);
  f.TrayIcon1->onClick = [click = f.TrayIcon1->onClick] {
    click();
    Sleep(GetDoubleClickTime() + 50);
  };
  Tray(f, NIN_KEYSELECT);
  Tray(f, NIN_KEYSELECT);
  EXPECT_TRUE(f.IsVisible());
}

TEST_F(Presence, TheTrayMenuOpensOnceAtTheAnchorAndGivesTheKeyboardBack) {
  const struct {
    bool version4, fromKeyboard;
    int focusReturns;
  } cases[] = {{true, false, 0}, {true, true, 1}, {false, false, 0}};
  for (const auto& c : cases) {
    g_version4 = c.version4;
    g_setFocus = 0;
    g_menusAt.clear();
    TestSystem().notifyIcon = &VersionShell;
    TForm1& f = StartShown(0);
    const POINT anchor{300, 400};
    SetCursorPos(anchor.x, anchor.y);  // where the older protocol opens it
    const auto closer = CloseOpenMenus();
    // A second right-click, elsewhere, already waits while the first one's menu is opening.
    Tray(f, WM_RBUTTONUP, POINT{500, 450}, true);
    Tray(f, c.fromKeyboard ? WM_CONTEXTMENU : WM_RBUTTONUP, anchor);
    Pump(100);
    ASSERT_EQ(g_menusAt.size(), 1u) << c.version4 << c.fromKeyboard;
    EXPECT_EQ(g_menusAt[0].x, anchor.x);
    EXPECT_EQ(g_menusAt[0].y, anchor.y);
    EXPECT_EQ(g_setFocus, c.focusReturns) << "dismissed from the keyboard";
    form.reset();
  }
}

TEST_F(Presence, LoggingOffOrEndingWithAShellThatFailsShowsNothing) {
  for (bool logOff : {true, false}) {
    TForm1& f = StartShown(0);
    TestSystem().notifyIcon = &RefusingShell;
    if (logOff) SendMessageW(f.TrayIcon1->MessageWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(f.TrayIcon1->Visible(), !logOff);
    form.reset();  // an error box would fail the test: no ErrorRecorder is listening
    TestSystem().notifyIcon = nullptr;
  }
}

TEST_F(Presence, TheTaskbarButtonRestoresAsTheProgramDoes) {
  win::Application& app = win::Application::Instance();
  for (int mode : {1, 2}) {
    TForm1& f = StartShown(mode);
    f.SetStayOnTop(true);
    auto topMost = [&] { return (ExStyle(f.Handle()) & WS_EX_TOPMOST) != 0; };
    // "Ukryj" and then the button; then the button's own minimize and restore, twice.
    for (int round = 0; round < 3; ++round) {
      if (round == 0) {
        f.PopupMenu1.Activate(kUkryj1);
      } else {
        SendMessageW(Taskbar(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      }
      ASSERT_TRUE(app.Minimized()) << mode << " " << round;
      SendMessageW(Taskbar(), WM_SYSCOMMAND, SC_RESTORE, 0);
      EXPECT_FALSE(app.Minimized()) << mode << " " << round;
      EXPECT_TRUE(f.IsVisible()) << mode << " " << round;
      EXPECT_TRUE(topMost()) << mode << " " << round;
      EXPECT_TRUE(f.PopupMenu1.Item(kUkryj1).checked);
    }
    f.PopupMenu1.Activate(kUkryj1);  // unchecks: only brings to the front
    EXPECT_FALSE(f.PopupMenu1.Item(kUkryj1).checked);
    EXPECT_TRUE(f.IsVisible());
    f.PopupMenu1.Activate(kUkryj1);  // hides again, and "Ukryj" once more restores
    EXPECT_TRUE(app.Minimized()) << mode;
    EXPECT_FALSE(f.IsVisible()) << "owned windows hide with the taskbar window";
    EXPECT_EQ(f.TrayIcon1->Visible(), mode == 2);
    f.PopupMenu1.Activate(kUkryj1);
    EXPECT_FALSE(app.Minimized()) << mode;
    EXPECT_TRUE(f.IsVisible()) << mode;
    form.reset();
  }
}

TEST_F(Presence, StoredModeValues) {
  const struct {
    const char* stored;
    int mode;
  } cases[] = {{"257", 1}, {"3", 0}, {"-1", 0}, {"x", 0}, {"2", 2}};
  for (const auto& c : cases) {
    WriteSettings(std::string("[Polozenie]\r\nPasek=") + c.stored + "\r\n");
    TForm1& f = Start();
    f.SetVisible(true);
    EXPECT_EQ(f.DisplayMode, c.mode) << c.stored;
    EXPECT_EQ(f.TrayIcon1->Visible(), c.mode != 1) << c.stored;
    EXPECT_EQ(TaskbarShown(), c.mode != 0) << c.stored;
    form.reset();
  }
}

TEST_F(Presence, MinimizeAndMaximizeCommandsHideTheTaskbarButtonUnlessItIsTheWayBack) {
  for (int mode : {0, 1, 2}) {
    TForm1& f = StartShown(mode);
    SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(win::Application::Instance().Minimized()) << mode;
    EXPECT_EQ(TaskbarShown(), mode == 1) << "mode 1 has no tray icon: its button stays; " << mode;
    SendMessageW(Taskbar(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(win::Application::Instance().Minimized()) << mode;
    form.reset();
  }
  TForm1& f = StartShown(2);
  // A command word with low bits set is not the exact command: the button stays.
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_MINIMIZE | 2, 0);
  EXPECT_TRUE(win::Application::Instance().Minimized());
  EXPECT_TRUE(TaskbarShown());
  win::Application::Instance().Restore(f);
  bool zoomedFirst = false;
  const auto hook = WatchSent([&](const CWPSTRUCT& m) {
    if (m.hwnd == Taskbar() && m.message == WM_SHOWWINDOW && m.wParam == FALSE) zoomedFirst = IsZoomed(f.Handle());
  });
  SendMessageW(f.Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_FALSE(TaskbarShown());
  EXPECT_TRUE(zoomedFirst) << "the maximize takes effect before the taskbar window hides";
}

TEST_F(Presence, RefusedTrayIconIsReportedAndTheProgramGoesOn) {
  ErrorRecorder errors;
  TestSystem().notifyIcon = &RefusingShell;
  TForm1& f = StartShown(0);
  EXPECT_EQ(errors.messages, (std::vector<std::string>{"Cannot create shell notification icon."}));
  EXPECT_FALSE(f.TrayIcon1->Visible());
  EXPECT_TRUE(f.IsVisible());
  // The shell restarts and still refuses: nobody clicked anything, so the box comes in front.
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  SendMessageW(f.TrayIcon1->MessageWindow(), taskbarCreated, 0, 0);
  ASSERT_EQ(errors.messages.size(), 2u);
  EXPECT_EQ(TestSystem().errorFlags[1], win::kErrorBoxFlags | MB_SETFOREGROUND);
  // The shell is ready at last and says so: the icon the program asked for comes.
  TestSystem().notifyIcon = nullptr;
  SendMessageW(f.TrayIcon1->MessageWindow(), taskbarCreated, 0, 0);
  EXPECT_TRUE(f.TrayIcon1->Visible());
  EXPECT_EQ(errors.messages.size(), 2u);
}

TEST_F(Presence, TheShellsRestartBringsTheIconBackOnlyWhereItShows) {
  ErrorRecorder errors;
  for (const int mode : {0, 1}) {  // tray icon and taskbar button; the taskbar button only
    TForm1& f = StartShown(mode);
    if (mode == 1) {
      EXPECT_EQ(f.TrayIcon1->MessageWindow(), nullptr) << "an icon never shown needs no window";
      // Shown once and taken away again, as when the mode is changed in the Options window.
      f.TrayIcon1->SetVisible(true);
      f.TrayIcon1->SetVisible(false);
    }
    TestSystem().notifyIcon = &CountingShell;
    g_adds = 0;
    SendMessageW(f.TrayIcon1->MessageWindow(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    TestSystem().notifyIcon = nullptr;
    EXPECT_EQ(g_adds, mode == 0 ? 1 : 0) << mode;
    EXPECT_EQ(f.TrayIcon1->Visible(), mode == 0) << mode;
    form.reset();
  }
  EXPECT_TRUE(errors.messages.empty());
}

TEST_F(Presence, TheTaskbarButtonGetsTheProgramIconWhenFirstShown) {
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\n[Polozenie]\r\nPasek=1\r\n");
  TForm1& f = Start();
  auto icon = [](WPARAM size) { return SendMessageW(Taskbar(), WM_GETICON, size, 0); };
  EXPECT_EQ(icon(ICON_BIG), 0) << "given before the button was ever shown";
  f.SetVisible(true);
  EXPECT_TRUE(TaskbarShown());
  EXPECT_NE(icon(ICON_BIG), 0);
  EXPECT_NE(icon(ICON_SMALL), 0);
}

TEST_F(Presence, DraggingMovesOnlyAfterAPressOnTheSurface) {
  TForm1& f = StartShown(0);
  f.SetPosition(300, 300);
  // A movement with the button held that did not start on the surface: no jump.
  SendMessageW(f.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 50));
  EXPECT_EQ((Point{f.Left(), f.Top()}), (Point{300, 300}));
  // A press on a tile's label starts no drag either.
  const LPARAM onLabel = MAKELPARAM(f.Tiles.Tile(0).letter->Left() + 1, f.Tiles.Tile(0).letter->Top() + 1);
  SendMessageW(f.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onLabel);
  SendMessageW(f.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 60));
  SendMessageW(f.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(60, 60));
  EXPECT_EQ(f.Left(), 300);
  // Press at (5, 90) on the bare panel, move to (20, 84): 15 right, 6 up.
  SendMessageW(f.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 90));
  EXPECT_EQ((Point{f.DragAnchorX, f.DragAnchorY}), (Point{5, 90}));
  EXPECT_EQ(GetCapture(), f.Handle()) << "the drag holds the mouse, wherever it goes";
  SendMessageW(f.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 84));
  EXPECT_EQ((Point{f.Left(), f.Top()}), (Point{315, 294}));
  // Released outside the window (the pointer ran ahead of it): the drag ends all the same.
  SendMessageW(f.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(-40, 300));
  EXPECT_NE(GetCapture(), f.Handle());
  SendMessageW(f.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 40));
  EXPECT_EQ(f.Left(), 315) << "the drag ended with the release";

  // A double click on a tile (here its pie, under the labels) opens its drive in the file
  // manager, and starts no drag; a single click opens nothing.
  const TPie& pie = *f.Tiles.Tile(0).pie;
  const LPARAM onPie = MAKELPARAM(pie.Left() + pie.Width() / 2, pie.Top() + pie.Height() - 3);
  ASSERT_EQ(f.Tiles.TileAt(POINT{pie.Left() + pie.Width() / 2, pie.Top() + pie.Height() - 3}), 0);
  for (UINT event : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}) {
    SendMessageW(f.Handle(), event, MK_LBUTTON, onPie);
  }
  SendMessageW(f.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 60));
  SendMessageW(f.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(60, 60));
  EXPECT_EQ(f.Left(), 315);
  ASSERT_TRUE(TestSystem().WaitForOpened(1));
  EXPECT_EQ(TestSystem().opened, std::vector<std::wstring>{L"C:\\"});
  EXPECT_EQ(TestSystem().openOwners[0], f.Handle());
  // The second press of a quick pair on the bare panel drags as the first one does.
  SendMessageW(f.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 90));
  SendMessageW(f.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(15, 90));
  SendMessageW(f.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(15, 90));
  EXPECT_EQ(f.Left(), 325);
  Pump(50);
  EXPECT_EQ(TestSystem().opened.size(), 1u);

  // While the shell still works on a drive (one that sleeps), another double click on it opens
  // nothing more; an open that fails with an exception ends its thread, not the program.
  const auto held = std::make_shared<std::atomic<bool>>(true);
  TestSystem().whileOpening = [held] {
    while (*held) Sleep(1);
    throw std::runtime_error("the shell failed");
  };
  for (const std::size_t opens : {2u, 2u}) {
    SendMessageW(f.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, onPie);
    EXPECT_TRUE(TestSystem().WaitForOpened(opens));
  }
  Pump(50);
  EXPECT_EQ(TestSystem().opened.size(), 2u);
  *held = false;
  bool again = false;
  for (int i = 0; i < 100 && !again; ++i) {
    SendMessageW(f.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, onPie);
    again = TestSystem().WaitForOpened(3, std::chrono::milliseconds(50));
  }
  EXPECT_TRUE(again) << "the failed open still counts as under way";
}

TEST_F(Presence, AWindowNoMonitorShowsComesBackWhenTheDisplaysChange) {
  TForm1& f = StartShown(0);  // 259 x 97, centred at (511, 464) on one 1280 x 1024 monitor
  // Its monitor gone; 20 pixels wide on screen; 32 x 32 in a corner; well on screen.
  const struct {
    int left, top;
    bool centred;
  } cases[] = {{-5000, 10, true}, {1280 - 20, 100, true}, {1280 - 32, 1024 - 32, false}, {100, 200, false}};
  for (const auto& c : cases) {
    f.SetPosition(c.left, c.top);
    SendMessageW(f.Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
    EXPECT_EQ((Point{f.Left(), f.Top()}), (c.centred ? Point{511, 464} : Point{c.left, c.top})) << c.left;
  }
}

TEST_F(Presence, PlacementsFromTheMenuOnTheWorkArea) {
  TForm1& f = StartShown(0);  // 259 x 97
  const struct {
    UINT item;
    int left, top;
  } onFullScreen[] = {
      {kLewyGrnybrzeg1, 0, 0},      {kLewyrodkowybrzeg1, 0, 464},     {kLewyDolnybrzeg1, 0, 927},
      {krodkowyGrnybrzeg1, 511, 0}, {krodekekranu1, 511, 464},        {krodkowyDolnybrzeg1, 511, 927},
      {kPrawyGrnybrzeg1, 1021, 0},  {kPrawyrodkowybrzeg1, 1021, 464}, {kPrawyDolnybrzeg1, 1021, 927},
  };
  for (const auto& c : onFullScreen) {
    f.SetPosition(77, 77);
    f.PopupMenu1.Activate(c.item);
    EXPECT_EQ((Point{f.Left(), f.Top()}), (Point{c.left, c.top})) << c.item;
  }
  // From a second monitor to the primary work area the system gives, which is at 150 %: laid out
  // larger there during the move, the window is placed once more and still ends flush.
  TestSystem().workArea = Rect{-1024, 40, 0, 808};
  f.SetPosition(1500, 300);
  bool moved = false;
  const auto hook = WatchSent([&](const CWPSTRUCT& m) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.lParam);
    if (m.hwnd == f.Handle() && m.message == WM_WINDOWPOSCHANGED && !std::exchange(moved, true)) {
      RECT there{pos->x, pos->y, pos->x + pos->cx * 3 / 2, pos->y + pos->cy * 3 / 2};
      SendMessageW(m.hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&there));
    }
  });
  f.PopupMenu1.Activate(kPrawyDolnybrzeg1);
  EXPECT_EQ(f.Dpi(), 144);
  EXPECT_EQ((Point{f.Left() + f.Width(), f.Top() + f.Height()}), (Point{0, 808}));
}

}  // namespace
}  // namespace wolumetr::test
