// High contrast in-process: every window paints with the system's colours while it is on, and
// with its own again once it is off, switched as the system announces it.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>

#include "about/about_form.h"
#include "drives/drive_selection_form.h"
#include "settings/options_form.h"
#include "settings/run_registration.h"
#include "win/application.h"
#include "win/colour_ref.h"
#include "win/system_palette.h"
#include "win/system_seam.h"
#include "win_test_support.h"

namespace wolumetr::test {
namespace {

// A point of the bare panel: inside the two-pixel bevel, under no control.
POINT BarePanelPoint(const win::Surface& surface) {
  for (int d = 3; d < 60; ++d) {
    if (surface.ControlAt(POINT{d, d + 8}) == nullptr) return POINT{d, d + 8};
  }
  return POINT{3, 3};
}

RECT Inside(const win::GraphicControl& c) { return c.Bounds(); }
std::function<POINT()> At(POINT p) {
  return [p] { return p; };
}

class HighContrast : public ::testing::Test, protected MainWindowFixture {
 protected:
  void SetUp() override { drives.drives[3] = {400, 1000, "System"}; }
  win::SystemRunKeys runKeys;
};

TEST_F(HighContrast, EveryWindowPaintsWithTheSystemColoursWhileItIsOn) {
  // Without automatic refresh the refresh glyph shows beside the other two.
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\n[Program]\r\nAutoodswierzanie=0\r\n");
  TForm1& main = Start();  // C: 60 % used: the wedge covers the pie's upper half
  TForm2 about(TestHost(), TestSystem());
  TForm3 options(TestHost(), main,
                 OptionsServices{runKeys, "C:\\wolumetr.exe", store, main.SettingsPath(), TestSystem()});
  TForm4 selection(TestHost(), DriveSelectionServices{store, main.SettingsPath(), true, SharedTestSystem(), nullptr});

  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF navy = win::ColorRef(colours::kNavy);
  const COLORREF yellow = win::ColorRef(colours::kYellow);
  const COLORREF white = win::ColorRef(colours::kWhite);
  const COLORREF teal = win::ColorRef(colours::kTeal);
  const TPie& pie = *main.Tiles.Tile(0).pie;
  const POINT wedge{pie.Left() + pie.Width() / 2, pie.Top() + pie.Height() / 4};
  const win::PanelButton& save = *selection.Panel2;

  // A point that shows one colour, or a control whose text shows some pixels of it.
  struct Probe {
    const char* what;
    HWND window;
    std::function<POINT()> at;  // unset: count `ink` in `area`
    std::function<RECT()> area;
    COLORREF normal;
    COLORREF contrast;
  };
  const Probe probes[] = {
      {"main panel", main.Handle(), [&] { return BarePanelPoint(main.Panel1); }, nullptr, navy, window},
      {"main bevel's light edge", main.Handle(), At(POINT{0, 0}), nullptr, light, light},
      {"pie wedge", main.Handle(), [&] { return wedge; }, nullptr, win::ColorRef(colours::kBlue),
       GetSysColor(COLOR_HIGHLIGHT)},
      {"drive letter", main.Handle(), nullptr, [&] { return Inside(*main.Tiles.Tile(0).letter); }, white, text},
      {"close glyph", main.Handle(), nullptr, [&] { return Inside(*main.Image1); }, teal, text},
      {"hide glyph", main.Handle(), nullptr, [&] { return Inside(*main.Image2); }, teal, text},
      {"refresh glyph", main.Handle(), nullptr, [&] { return Inside(*main.Image3); }, teal, text},
      {"about panel", about.Handle(), At(POINT{3, 3}), nullptr, white, window},
      {"about heading", about.Handle(), nullptr, [&] { return Inside(about.Label1); }, text, text},
      {"options panel", options.Handle(), [&] { return BarePanelPoint(options.Panel1); }, nullptr, navy, window},
      {"options caption", options.Handle(), nullptr, [&] { return Inside(*options.Label6); }, yellow, text},
      {"selection panel", selection.Handle(), At(POINT{3, 3}), nullptr, navy, window},
      {"selection caption", selection.Handle(), nullptr, [&] { return Inside(*selection.Label2); }, yellow, text},
      {"save button face", selection.Handle(), At(POINT{save.Left() + 4, save.Top() + 4}), nullptr, navy, face},
  };
  for (const bool on : {true, false}) {
    TestSystem().highContrast = on;
    // The system announces the switch to every top-level window.
    for (HWND w : {main.Handle(), about.Handle(), options.Handle(), selection.Handle()}) {
      SendMessageW(w, on ? WM_SETTINGCHANGE : WM_SYSCOLORCHANGE, SPI_SETHIGHCONTRAST, 0);
    }
    for (const Probe& p : probes) {
      const ClientPicture picture(p.window);
      const COLORREF expected = on ? p.contrast : p.normal;
      if (p.at) {
        const POINT at = p.at();
        EXPECT_EQ(picture.At(at.x, at.y), expected) << p.what << (on ? " in high contrast" : "");
      } else {
        EXPECT_GT(picture.Count(p.area(), expected), 3) << p.what << (on ? " in high contrast" : "");
      }
    }
    // A window opened after the switch paints in the new colours from the start.
    const TForm4 late(TestHost(),
                      DriveSelectionServices{store, main.SettingsPath(), true, SharedTestSystem(), nullptr});
    const ClientPicture opened(late.Handle());
    EXPECT_EQ(opened.At(3, 3), on ? window : navy) << "opened" << (on ? " in high contrast" : "");
    EXPECT_GT(opened.Count(Inside(*late.Label2), on ? text : yellow), 3) << "opened" << (on ? " in high contrast" : "");
    // Transparency stays as it was.
    EXPECT_EQ(Alpha(options.Handle()), 190);
  }
}

}  // namespace
}  // namespace wolumetr::test
