#pragma once
// The base of every window of the program: one panel (the client area) with windowless controls
// painted on it. It does what all of them do: paints the panel, its bevels and the controls,
// routes the mouse to the controls, answers screen readers, takes the palette afresh when the
// system's colours change, and follows a move to a monitor of another scale. A window adds its
// controls, their layout and its commands.
#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <optional>
#include <string>

#include "common/palette.h"
#include "win/accessible_window.h"
#include "win/com_ref.h"
#include "win/control_router.h"
#include "win/graphic_control.h"
#include "win/native_controls.h"
#include "win/panel_paint.h"
#include "win/system_seam.h"
#include "win/window.h"
#include "win/window_host.h"

namespace wolumetr::win {

// What the system is asked for when the window is made.
struct WindowRequest {
  WindowClass cls;
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  DWORD exStyle = 0;
  RECT bounds{};
  HWND owner = nullptr;
  std::wstring title;
  std::optional<BYTE> alpha;  // a layered window's opacity
};

// How the panel is drawn: its colour in the palette and its two bevels.
struct PanelLook {
  Colour Palette::*face = &Palette::panel;
  Bevel outer = Bevel::Raised;
  Bevel inner = Bevel::Lowered;
};

class PanelWindow : public Window {
 public:
  ~PanelWindow() override;

  // The scale the window is drawn at, in dots per inch.
  int Dpi() const { return dpi_; }
  // Takes the colours afresh (high contrast switched or system colours changed).
  void ApplyPalette();
  // What a screen reader is given for the client area. Under Wine another process cannot take
  // it through WM_GETOBJECT, so in-process callers ask here.
  ComRef<IAccessible> AccessibleObject() const;

 protected:
  // `dpi` 0 is the system's until the window exists, then the window's own. The colours are
  // taken here, before the window's controls are made.
  PanelWindow(WindowHost& host, SystemSeam& system, int dpi, PanelLook look = {});

  // Makes the window, always in this order: the window with the panel attached, its opacity,
  // CreateControls, the first LayOut at the window's scale, then the accessible object over
  // Items(); from then on changes of the system's colours are followed. Teardown runs the other
  // way: the accessible object is cut off first (and when the items go, whatever comes first),
  // the window last.
  void Open(const WindowRequest& request);

  WindowHost& Host() const { return host_; }
  SystemSeam& System() const { return system_; }
  Surface& PanelSurface() { return surface_; }
  ControlRouter& Router() { return router_; }
  // The native controls, which hear the notifications naming them before OnMessage does.
  ControlSet& Controls() { return controls_; }
  const Palette& Colours() const { return palette_; }
  const AccessibleWindow* Accessible() const { return accessible_.get(); }
  // Shows a failure in the error box, owned by this window.
  void ReportFailure(const std::string& message) const;

  // The window's controls, made once the window exists.
  virtual void CreateControls() {}
  // What screen readers are told of the windowless controls; nullptr: the system answers for
  // the window alone.
  virtual AccessibleItems* Items() { return nullptr; }
  // Fonts, places and sizes for `dpi` (Dpi() already is), the window's own size included.
  virtual void LayOut(int /*dpi*/) {}
  // The colours changed: what the window made in the old ones takes the new ones.
  virtual void Recolour(const Palette& /*colours*/) {}
  // Draws over the panel and its controls (focus rings, say).
  virtual void PaintOver(HDC /*dc*/) const {}
  // The window's own messages, after the native controls have heard theirs and before the
  // windowless controls' and the screen readers'; nullopt passes the message on.
  virtual std::optional<LRESULT> OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return std::nullopt;
  }
  // What a kind of window (a modal one, say) does with the messages the window leaves.
  virtual std::optional<LRESULT> OnKindMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return std::nullopt;
  }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
  // The size follows from the scale as it does when the window opens; the place is the one
  // suggested.
  void OnDpiChanged(int dpi, const RECT& suggested) final;
  void OnSystemColoursChanged() final;

  WindowHost& host_;
  SystemSeam& system_;
  int dpi_;
  bool dpiOfWindow_;  // no scale was asked for: the window's own, once it exists
  PanelLook look_;
  Palette palette_;
  bool ready_ = false;
  Surface surface_;
  ControlRouter router_{surface_};
  ControlSet controls_;
  std::unique_ptr<AccessibleWindow> accessible_;
};

}  // namespace wolumetr::win
