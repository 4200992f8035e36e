// What any other program on the desktop can send the windows, in-process.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

#include "about/about_form.h"
#include "drives/drive_selection_form.h"
#include "settings/options_form.h"
#include "settings/run_registration.h"
#include "win/application.h"
#include "win/panel_window.h"
#include "win_test_support.h"

namespace wolumetr::test {
namespace {

// A panel window that tells screen readers of no items of its own.
class BarePanel final : public win::PanelWindow {
 public:
  BarePanel() : PanelWindow(TestHost(), TestSystem(), 0) {
    Open(win::WindowRequest{win::WindowClass{L"WolumetrBarePanel"}, WS_POPUP, 0, RECT{0, 0, 40, 30}, nullptr, L"",
                            std::nullopt});
  }
};

class ForeignMessages : public ::testing::Test, protected MainWindowFixture {
 protected:
  void SetUp() override { drives.drives[3] = {400, 1000, "System"}; }
  win::SystemRunKeys runKeys;
};

// The message a screen reader's default action posts carries no item a sender could choose: only
// an action the window's own object queued runs, so a forged one does nothing at all.
TEST_F(ForeignMessages, AForgedDefaultActionRunsNothingAndAForgedScaleIsBounded) {
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\n[Program]\r\nAutoodswierzanie=0\r\n");
  TForm1& main = Start();
  main.SetVisible(true);
  TForm2 about(TestHost(), TestSystem());
  RecordingHost host;
  TForm3 options(host, main, OptionsServices{runKeys, "C:\\wolumetr.exe", store, main.SettingsPath(), TestSystem()});
  TForm4 selection(host, DriveSelectionServices{store, main.SettingsPath(), true, SharedTestSystem(), nullptr});
  BarePanel bare;

  const UINT action = RegisterWindowMessageW(L"Wolumetr.AccessibleAction");
  const std::pair<HWND, int> windows[] = {{main.Handle(), 1 + 3},  // the tile and the glyphs
                                          {about.Handle(), 7},
                                          {options.Handle(), 1},
                                          {selection.Handle(), 2},
                                          {bare.Handle(), 0}};
  const int scale = main.Dpi();
  for (const auto& [window, items] : windows) {
    for (const WPARAM item : {WPARAM{0x80000000u}, WPARAM{0xFFFFFFFFu}, static_cast<WPARAM>(items), WPARAM{0}}) {
      SendMessageW(window, action, item, 0);
      PostMessageW(window, action, item, 0);
    }
    // A scale change whose rectangle points nowhere: no window reads through it.
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(120, 120), 0x10);
    PostMessageW(window, WM_DPICHANGED, MAKEWPARAM(120, 120), 0x10);
  }
  // A genuine action on a window disabled under a modal one is dropped, as a click would be.
  const std::optional<std::string> before = Settings();
  EnableWindow(options.Handle(), FALSE);
  const win::ComRef<IAccessible> picture = options.AccessibleObject();
  EXPECT_NE(Ask(*picture.get(), 1).state & STATE_SYSTEM_UNAVAILABLE, 0);
  // Sixteen actions wait for the loop at most; the seventeenth is refused before it runs.
  for (int i = 0; i < 16; ++i) EXPECT_EQ(picture->accDoDefaultAction(Child(1)), S_OK) << i;
  EXPECT_EQ(picture->accDoDefaultAction(Child(1)), E_FAIL);
  Pump(50);
  EnableWindow(options.Handle(), TRUE);
  EXPECT_EQ(Settings(), before) << "the save picture saved";
  EXPECT_EQ(main.Dpi(), scale);
  EXPECT_TRUE(TestSystem().opened.empty()) << "an About link followed";
  EXPECT_FALSE(host.Ended(options));
  EXPECT_FALSE(host.Ended(selection));
  EXPECT_TRUE(main.IsVisible());
  EXPECT_FALSE(win::Application::Instance().Terminated());
  // Without items of its own a panel window leaves the client area to the system's object.
  EXPECT_EQ(SendMessageW(bare.Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), 0);
  EXPECT_TRUE(bare.AccessibleObject());

  // A forged scale is taken as the nearest a window takes (50 % to 1000 %), not built at 65535 dpi.
  RECT suggested{0, 0, 100, 100};
  for (const auto& [forged, taken] : {std::pair{1, 48}, std::pair{65535, 960}}) {
    SendMessageW(main.Handle(), WM_DPICHANGED, MAKEWPARAM(forged, forged), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(main.Dpi(), taken) << forged;
  }
}

}  // namespace
}  // namespace wolumetr::test
