// The router every window hands its windowless controls' messages to: which press and
// release make a click, what a lost capture does, hover, and the messages it leaves alone.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win/control_router.h"
#include "win/native_controls.h"
#include "win/panel_button.h"
#include "win/window.h"
#include "win_test_support.h"

namespace wolumetr::test {
namespace {

class Box final : public win::GraphicControl {
 public:
  Box(win::Surface& surface, int left) : GraphicControl(surface) { SetBounds(left, 10, 40, 20); }
  void Paint(HDC) const override {}
};

const win::WindowClass kHostClass{L"WolumetrRouterHost"};

// A borderless 200x100 window whose messages go through the router first. A and B take
// clicks; C has no click handler. A and C report the mouse's coming and going.
class Host final : public win::Window {
 public:
  Host() {
    Create(kHostClass, WS_POPUP, 0, RECT{100, 100, 300, 200}, nullptr, L"router");
    surface.Attach(Handle());
    a.onClick = Log("click A");
    b.onClick = Log("click B");
    a.onMouseEnter = Log("enter A");
    a.onMouseLeave = Log("leave A");
    c.onMouseEnter = Log("enter C");
    c.onMouseLeave = Log("leave C");
    router.onSurfacePress = [this](POINT, WPARAM) { events.push_back("press surface"); };
  }

  std::function<void()> Log(std::string event) {
    return [this, e = std::move(event)] { events.push_back(e); };
  }
  void Send(UINT message, POINT p, WPARAM keys = 0) { SendMessageW(Handle(), message, keys, MAKELPARAM(p.x, p.y)); }

  win::Surface surface;
  win::ControlRouter router{surface};
  Box a{surface, 10};
  Box b{surface, 60};
  Box c{surface, 110};
  std::vector<std::string> events;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (const auto handled = router.Route(message, wParam, lParam)) return *handled;
    return Default(message, wParam, lParam);
  }
};

enum Where { OnA, OnB, OnC, Bare, Outside };

POINT At(Where w) {
  constexpr POINT kPlaces[] = {{20, 20}, {70, 20}, {120, 20}, {150, 80}, {250, 50}};
  return kPlaces[w];
}

using Events = std::vector<std::string>;

TEST(ControlRouter, AClickIsAPressAndAReleaseOverTheSameThing) {
  const struct {
    Where down, up;
    bool surfaceClicks, clickableOnly;
    Events events;
    bool holdsMouse;
  } cases[] = {
      {OnA, OnA, false, false, {"click A"}, true},
      {OnA, OnB, false, false, {}, true},
      {OnA, Bare, false, false, {}, true},
      {OnA, Outside, false, false, {}, true},
      // A control with no click handler still takes the press: it is not the bare surface.
      {OnC, OnC, false, false, {}, true},
      {OnC, Bare, true, false, {}, true},
      // The bare surface: its press always reaches the window, a click only if wanted.
      {Bare, Bare, false, false, {"press surface"}, false},
      {Bare, Bare, true, false, {"press surface", "click surface"}, true},
      {Bare, OnA, true, false, {"press surface"}, true},
      {Bare, Outside, true, false, {"press surface"}, true},
      // Only clickable controls take a press: the others are bare surface.
      {OnC, OnC, true, true, {"press surface", "click surface"}, true},
      {OnC, OnC, false, true, {"press surface"}, false},
      {OnA, OnA, true, true, {"click A"}, true},
  };
  for (const auto& k : cases) {
    Host h;
    h.router.clickableOnly = k.clickableOnly;
    if (k.surfaceClicks) h.router.onSurfaceClick = h.Log("click surface");
    h.Send(WM_LBUTTONDOWN, At(k.down), MK_LBUTTON);
    EXPECT_EQ(GetCapture() == h.Handle(), k.holdsMouse) << k.down << " -> " << k.up;
    h.Send(WM_LBUTTONUP, At(k.up));
    EXPECT_EQ(h.events, k.events) << k.down << " -> " << k.up << " " << k.surfaceClicks << k.clickableOnly;
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(h.router.Pressed(), nullptr);
  }
}

TEST(ControlRouter, APressWhoseCaptureIsLostEndsInNoClick) {
  for (Where where : {OnA, Bare}) {
    Host h;
    Host other;
    h.router.onSurfaceClick = h.Log("click surface");
    h.Send(WM_LBUTTONDOWN, At(where), MK_LBUTTON);
    EXPECT_EQ(h.router.Pressed(), where == OnA ? &h.a : nullptr);
    SetCapture(other.Handle());  // another window takes the mouse while the button is down
    EXPECT_EQ(h.router.Pressed(), nullptr);
    ReleaseCapture();
    h.Send(WM_LBUTTONUP, At(where));
    const Events expected = where == OnA ? Events{} : Events{"press surface"};
    EXPECT_EQ(h.events, expected) << where;
  }
}

TEST(ControlRouter, EnterAndLeaveComeOnceEachAsThePointerCrossesControls) {
  Host h;
  const auto move = [&h](POINT p) { h.Send(WM_MOUSEMOVE, p); };
  move(At(OnA));
  move(POINT{21, 21});
  move(At(OnB));  // B has no hover handlers: A's leave only
  move(At(OnC));
  move(At(Bare));
  move(At(OnA));
  SendMessageW(h.Handle(), WM_MOUSELEAVE, 0, 0);
  SendMessageW(h.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(h.events, (Events{"enter A", "leave A", "enter C", "leave C", "enter A", "leave A"}));

  // A window with rules of its own can keep the hover where it is.
  h.events.clear();
  h.router.MouseMove(At(OnC), false);
  EXPECT_TRUE(h.events.empty());
  h.router.MouseMove(At(OnC), true);
  EXPECT_EQ(h.events, Events{"enter C"});
}

TEST(ControlRouter, AnswersTheClientAreaCursorAndThePaintAndLeavesTheRest) {
  Host h;
  const auto handle = reinterpret_cast<WPARAM>(h.Handle());
  const struct {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::optional<LRESULT> result;
  } cases[] = {
      {WM_SETCURSOR, handle, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), TRUE},
      {WM_SETCURSOR, handle, MAKELPARAM(HTCAPTION, WM_MOUSEMOVE), std::nullopt},
      {WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDesktopWindow()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), std::nullopt},
      {WM_ERASEBKGND, 0, 0, 1},
      {WM_PAINT, 0, 0, std::nullopt},  // no paint given: the window paints itself
      {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20), std::nullopt},
      {WM_KEYDOWN, VK_RETURN, 0, std::nullopt},
  };
  for (const auto& k : cases) EXPECT_EQ(h.router.Route(k.message, k.wParam, k.lParam), k.result) << k.message;

  std::vector<RECT> clips;
  h.router.paint = [&clips](HDC, const RECT& clip) { clips.push_back(clip); };
  ShowWindow(h.Handle(), SW_SHOWNA);
  UpdateWindow(h.Handle());
  const RECT dirty{10, 10, 50, 30};
  InvalidateRect(h.Handle(), &dirty, FALSE);
  UpdateWindow(h.Handle());
  const RECT whole{0, 0, 200, 100};
  ASSERT_EQ(clips.size(), 2u);
  EXPECT_TRUE(EqualRect(&clips[0], &whole));
  EXPECT_TRUE(EqualRect(&clips[1], &dirty));

  // A panel button repaints when only its bevels change colour, as a new theme may do.
  win::PanelButton button(h.surface, L"OK", win::FontSpec{}, 0, 0, win::BevelColours{1, 2});
  button.SetBounds(10, 40, 40, 20);
  UpdateWindow(h.Handle());
  button.SetColors(0, 0, win::BevelColours{2, 1});
  EXPECT_TRUE(RepaintQueued(h.Handle(), button.Bounds()));
}

// The system's own controls hear back, through their window's set, the notifications naming them.
TEST(ControlRouter, NativeControlsHearTheNotificationsThatNameThem) {
  Host h;
  win::ControlSet set;
  win::CheckBox box;
  win::Spinner spinner;
  box.Create(h.Handle(), set, 1, Rect{0, 0, 20, 20});
  spinner.Create(h.Handle(), set, 2, Rect{30, 0, 50, 20});
  box.onClick = h.Log("box");
  spinner.onChange = h.Log("spinner");
  const auto from = [](const win::NativeControl& c) { return reinterpret_cast<LPARAM>(c.Handle()); };
  EXPECT_EQ(set.Reflect(WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), from(box)), 0);
  EXPECT_EQ(set.Reflect(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), from(spinner)), 0);
  EXPECT_EQ(set.Reflect(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 5), from(spinner)), 0);  // heard, but no change
  // A window of no control of the set is left to the window.
  EXPECT_EQ(set.Reflect(WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(h.Handle())), std::nullopt);
  EXPECT_EQ(h.events, (std::vector<std::string>{"box", "spinner"}));
}

}  // namespace
}  // namespace wolumetr::test
