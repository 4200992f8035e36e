#include "win/panel_window.h"

#include "win/colour_ref.h"
#include "win/error_box.h"
#include "win/system_libraries.h"
#include "win/system_palette.h"
#include "win/window_dpi.h"

namespace wolumetr::win {

PanelWindow::PanelWindow(WindowHost& host, SystemSeam& system, int dpi, PanelLook look)
    : host_(host),
      system_(system),
      dpi_(dpi > 0 ? dpi : SystemDpi()),
      dpiOfWindow_(dpi <= 0),
      look_(look),
      palette_(CurrentPalette(system.HighContrastOn())) {
  router_.paint = [this](HDC dc, const RECT& clip) {
    PaintPanel(Handle(), dc, clip, ColorRef(palette_.*look_.face), look_.outer, look_.inner,
               BevelColours{ColorRef(palette_.bevelLight), ColorRef(palette_.bevelShadow)});
    surface_.PaintControls(dc, clip);
    PaintOver(dc);
  };
}

// The window goes while the panel and its router still exist; its controls' owners have
// destroyed theirs already.
PanelWindow::~PanelWindow() {
  accessible_.reset();
  Destroy();
  surface_.Attach(nullptr);
}

void PanelWindow::Open(const WindowRequest& request) {
  Create(request.cls, request.style, request.exStyle, request.bounds, request.owner, request.title);
  surface_.Attach(Handle());
  if (request.alpha) SetLayeredWindowAttributes(Handle(), 0, *request.alpha, LWA_ALPHA);
  if (dpiOfWindow_) dpi_ = WindowDpi(Handle());
  CreateControls();
  LayOut(dpi_);
  if (AccessibleItems* items = Items()) accessible_ = std::make_unique<AccessibleWindow>(Handle(), *items);
  ready_ = true;
}

ComRef<IAccessible> PanelWindow::AccessibleObject() const {
  if (accessible_) return accessible_->Object();
  ComRef<IAccessible> standard;
  if (FAILED(lazy::CreateStdAccessibleObject(Handle(), OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(standard.put())))) {
    return {};
  }
  return standard;
}

void PanelWindow::ApplyPalette() {
  const Palette next = CurrentPalette(system_.HighContrastOn());
  if (next == palette_) return;
  palette_ = next;
  Recolour(palette_);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void PanelWindow::ReportFailure(const std::string& message) const {
  ReportError(ErrorBoxSite{&system_, host_.Title(), Handle()}, message);
}

void PanelWindow::OnSystemColoursChanged() {
  if (ready_) ApplyPalette();  // not while the window is being made: the controls come after it
}

void PanelWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  LayOut(dpi);
  SetPosition(suggested.left, suggested.top);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT PanelWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto reflected = controls_.Reflect(message, wParam, lParam)) return *reflected;
  if (const auto own = OnMessage(message, wParam, lParam)) return *own;
  if (const auto kind = OnKindMessage(message, wParam, lParam)) return *kind;
  if (const auto routed = router_.Route(message, wParam, lParam)) return *routed;
  if (accessible_) {
    if (const auto answered = accessible_->Route(message, wParam, lParam)) return *answered;
  }
  return Default(message, wParam, lParam);
}

}  // namespace wolumetr::win
