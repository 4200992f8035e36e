// The About window.
#include "about/about_form.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "about/about_layout.h"
#include "about/about_links.h"
#include "app/main_form.h"
#include "win/application.h"
#include "win/colour_ref.h"
#include "win/handles.h"
#include "win/panel_paint.h"
#include "win/system_libraries.h"
#include "win/text.h"

namespace wolumetr {
namespace {

const win::WindowClass kAboutClass{L"TForm2", nullptr, 0};
constexpr BYTE kAboutAlpha = 200;
constexpr int kTextHeight = 16;
constexpr int kHeadingHeight = 24;

TForm2* g_aboutWindow = nullptr;

LinkOpener& Opener() {
  static LinkOpener opener;
  return opener;
}

void OpenLink(const std::wstring& target) {
  if (Opener()) {
    Opener()(target);
    return;
  }
  // A link with no program registered for it simply opens nothing; the window stays.
  win::lazy::ShellExecuteW(GetDesktopWindow(), L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

win::FontSpec TextFont() { return win::FontSpec{L"Arial", 10, false, false}; }
win::FontSpec HeadingFont() { return win::FontSpec{L"Arial", 16, true, false}; }

// The whole virtual screen: every monitor, not only the primary one.
Rect VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return Rect{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void SetLabel(win::Label& label, std::string_view text, int height) {
  label.SetText(win::Widen(text));
  label.SetSize(label.Width(), height);
}

}  // namespace

TForm2* CurrentAboutWindow() { return g_aboutWindow; }

LinkOpener SetLinkOpener(LinkOpener opener) { return std::exchange(Opener(), std::move(opener)); }

TForm2::TForm2(HWND owner)
    : Label1(Panel1, HeadingFont(), GetSysColor(COLOR_WINDOWTEXT)),
      Label2(Panel1, TextFont(), GetSysColor(COLOR_WINDOWTEXT)),
      Label3(Panel1, TextFont(), GetSysColor(COLOR_WINDOWTEXT)),
      Label4(Panel1, TextFont(), GetSysColor(COLOR_WINDOWTEXT)),
      Label5(Panel1, TextFont(), GetSysColor(COLOR_WINDOWTEXT)),
      Label6(Panel1, TextFont(), GetSysColor(COLOR_WINDOWTEXT)),
      Label7(Panel1, TextFont(), GetSysColor(COLOR_WINDOWTEXT)) {
  const Point place = AboutWindowPlace(VirtualScreen(), kAboutClientSize);
  Create(kAboutClass, WS_POPUP | WS_CLIPCHILDREN, WS_EX_LAYERED,
         RECT{place.x, place.y, place.x + kAboutClientSize.width, place.y + kAboutClientSize.height}, owner,
         L"O programie");
  SetLayeredWindowAttributes(Handle(), 0, kAboutAlpha, LWA_ALPHA);
  Panel1.Attach(Handle());

  SetLabel(Label1, kAboutHeading, kHeadingHeight);
  SetLabel(Label2, kAboutAuthorCaption, kTextHeight);
  SetLabel(Label3, kAboutAuthor, kTextHeight);
  SetLabel(Label4, kContactAddress, kTextHeight);
  SetLabel(Label5, AddressWithoutScheme(kHomePage), kTextHeight);
  SetLabel(Label6, kLicenceLine, kTextHeight);
  SetLabel(Label7, kAboutDescriptionCaption, kTextHeight);
  PlaceLabels();

  for (win::Label* label : {&Label1, &Label2, &Label3, &Label6, &Label7}) label->onClick = [this] { FormClick(); };
  Label4.onClick = [this] { Label4Click(); };
  Label5.onClick = [this] { Label5Click(); };
  Label4.onMouseEnter = [this] { Label4MouseEnter(); };
  Label5.onMouseEnter = [this] { Label5MouseEnter(); };
  Label4.onMouseLeave = [this] { Label4MouseLeave(); };
  Label5.onMouseLeave = [this] { Label5MouseLeave(); };
  Label4.handCursor = true;
  Label5.handCursor = true;
  router_.paint = [this](HDC dc, const RECT& clip) { Paint(dc, clip); };
  // A press and release on the bare panel close the window too.
  router_.onSurfaceClick = [this] { FormClick(); };

  if (g_aboutWindow == nullptr) g_aboutWindow = this;
}

TForm2::~TForm2() {
  if (g_aboutWindow == this) g_aboutWindow = nullptr;
}

void TForm2::PlaceLabels() {
  const auto centre = [](win::Label& label, int top) { label.SetPosition(CentredLabelLeft(label.Width()), top); };
  centre(Label1, 16);
  Label2.SetPosition(111, 64);
  centre(Label3, 88);
  centre(Label4, 104);
  Label7.SetPosition(111, 136);
  centre(Label5, 152);
  centre(Label6, 192);
}

void TForm2::FormClick() {
  ModalResult = IDCANCEL;
  win::Application::Instance().EndModal(*this);
}

void TForm2::Label4Click() { OpenLink(win::Widen(MailLink(kContactAddress))); }

void TForm2::Label5Click() { OpenLink(win::Widen(kHomePage)); }

void TForm2::Underline(win::Label& label, bool underline) {
  win::FontSpec font = label.Font();
  font.underline = underline;
  label.SetFont(font);
  label.SetSize(label.Width(), kTextHeight);
}

void TForm2::SetStayOnTop(bool onTop) {
  SetWindowPos(Handle(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm2::BringToFront() {
  HWND target = Handle();
  if (!IsWindowEnabled(target)) {
    // Another modal window opened over this one has the input; raising a disabled window
    // would only hide that one.
    HWND last = GetLastActivePopup(GetWindow(Handle(), GW_OWNER));
    if (last != nullptr && IsWindowVisible(last) && IsWindowEnabled(last)) target = last;
  }
  SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(target);
}

void TForm2::Paint(HDC dc, const RECT& clip) const {
  win::PaintPanel(Handle(), dc, clip, win::ColorRef(colours::kWhite), win::Bevel::Lowered, win::Bevel::Raised);
  Panel1.PaintControls(dc, clip);
}

LRESULT TForm2::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto handled = router_.Route(message, wParam, lParam)) return *handled;
  switch (message) {
    case WM_COMMAND:
      // Escape and Enter reach the modal window as the dialog commands: keyboard users
      // close it the way a click does.
      if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) FormClick();
      return 0;
    case WM_CLOSE:
      // Left to the default, Alt+F4 would destroy the window under its own modal loop.
      FormClick();
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

void TForm1::Oprogramie1Click() {
  // The tray menu stays usable while the About window is open: a second request brings the
  // open one forward rather than stacking another modal loop on it.
  if (TForm2* open = CurrentAboutWindow()) {
    open->BringToFront();
    return;
  }
  win::Application& app = win::Application::Instance();
  const auto about = std::make_unique<TForm2>(app.TaskbarWindow());
  about->SetStayOnTop(StayOnTop());
  app.RunModal(*about);
}  // destroyed here, after its own modal loop, exactly once

}  // namespace wolumetr
