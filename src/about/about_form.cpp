// The About window.
#include "about/about_form.h"

#include <iterator>
#include <string>
#include <string_view>

#include "about/about_layout.h"
#include "about/about_links.h"
#include "win/colour_ref.h"
#include "win/handles.h"
#include "win/text.h"
#include "win/window_dpi.h"

namespace wolumetr {
namespace {

const win::WindowClass kAboutClass{L"TForm2", nullptr, 0};
// White, sunk into the screen where the other windows stand out of it.
const win::PanelLook kAboutLook{&Palette::aboutPanel, win::Bevel::Lowered, win::Bevel::Raised};
constexpr BYTE kAboutAlpha = 200;
constexpr int kTextHeight = 16;
constexpr int kHeadingHeight = 24;

TForm2* g_aboutWindow = nullptr;

win::FontSpec TextFont() { return win::FontSpec{L"Arial", 10, false, false}; }
win::FontSpec HeadingFont() { return win::FontSpec{L"Arial", 16, true, false}; }

// The whole virtual screen: every monitor, not only the primary one.
Rect VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return Rect{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

constexpr int kCentred = -1;  // the label's middle on the window's vertical centre line

enum class Shown { AsIs, WithoutScheme };

// The labels with their texts and places, and their clicks; a link is underlined under the mouse.
struct LabelRow {
  win::Label TForm2::*label;
  std::string_view text;
  Shown shown;
  int height;
  int left;
  int top;
  void (TForm2::*onClick)();
  bool link = false;
};

const LabelRow kLabels[] = {
    {&TForm2::Label1, kAboutHeading, Shown::AsIs, kHeadingHeight, kCentred, 16, &TForm2::FormClick},
    {&TForm2::Label2, kAboutAuthorCaption, Shown::AsIs, kTextHeight, 111, 64, &TForm2::FormClick},
    {&TForm2::Label3, kAboutAuthor, Shown::AsIs, kTextHeight, kCentred, 88, &TForm2::FormClick},
    {&TForm2::Label4, kContactAddress, Shown::AsIs, kTextHeight, kCentred, 104, &TForm2::Label4Click, true},
    {&TForm2::Label5, kHomePage, Shown::WithoutScheme, kTextHeight, kCentred, 152, &TForm2::Label5Click, true},
    {&TForm2::Label6, kLicenceLine, Shown::AsIs, kTextHeight, kCentred, 192, &TForm2::FormClick},
    {&TForm2::Label7, kAboutDescriptionCaption, Shown::AsIs, kTextHeight, 111, 136, &TForm2::FormClick},
};

// The labels are painted, not windows: screen readers get them through the window's object,
// top to bottom as they are read.
class AboutTexts final : public win::AccessibleItems {
 public:
  explicit AboutTexts(TForm2& form) : form_(form) {}
  int ItemCount() const override { return static_cast<int>(std::size(kReadingOrder)); }
  win::AccessibleItem Item(int index) const override {
    const win::Label& label = form_.*kReadingOrder[index];
    win::AccessibleItem item;
    item.role = IsLink(label) ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT;
    item.name = label.Text();
    item.bounds = label.Bounds();
    if (IsLink(label)) item.defaultAction = kFollowAction;
    return item;
  }
  void DoDefaultAction(int index) override {
    const win::Label& label = form_.*kReadingOrder[index];
    if (IsLink(label)) label.onClick();
  }

 private:
  static constexpr wchar_t kFollowAction[] = L"Przejdź";
  static constexpr win::Label TForm2::*kReadingOrder[] = {&TForm2::Label1, &TForm2::Label2, &TForm2::Label3,
                                                          &TForm2::Label4, &TForm2::Label7, &TForm2::Label5,
                                                          &TForm2::Label6};
  bool IsLink(const win::Label& label) const { return &label == &form_.Label4 || &label == &form_.Label5; }

  TForm2& form_;
};

}  // namespace

TForm2* CurrentAboutWindow() { return g_aboutWindow; }

TForm2::TForm2(win::WindowHost& host, win::SystemSeam& system, int dpi)
    : ModalWindow(host, system, dpi > 0 ? dpi : win::WindowDpi(host.TaskbarWindow()), kAboutLook),
      Label1(Panel1, HeadingFont(), win::ColorRef(Colours().aboutText)),
      Label2(Panel1, TextFont(), win::ColorRef(Colours().aboutText)),
      Label3(Panel1, TextFont(), win::ColorRef(Colours().aboutText)),
      Label4(Panel1, TextFont(), win::ColorRef(Colours().aboutText)),
      Label5(Panel1, TextFont(), win::ColorRef(Colours().aboutText)),
      Label6(Panel1, TextFont(), win::ColorRef(Colours().aboutText)),
      Label7(Panel1, TextFont(), win::ColorRef(Colours().aboutText)) {
  const Size size = AboutClientSize(Dpi());
  const Point place = AboutWindowPlace(VirtualScreen(), size);
  Open(win::WindowRequest{kAboutClass, WS_POPUP | WS_CLIPCHILDREN, WS_EX_LAYERED,
                          RECT{place.x, place.y, place.x + size.width, place.y + size.height}, host.TaskbarWindow(),
                          L"O programie", kAboutAlpha});
  if (g_aboutWindow == nullptr) g_aboutWindow = this;
}

TForm2::~TForm2() {
  if (g_aboutWindow == this) g_aboutWindow = nullptr;
}

void TForm2::CreateControls() {
  for (const LabelRow& row : kLabels) {
    win::Label& label = this->*row.label;
    const std::string text = row.shown == Shown::WithoutScheme ? AddressWithoutScheme(row.text) : std::string(row.text);
    label.SetText(win::Widen(text));
    label.onClick = [this, click = row.onClick] { (this->*click)(); };
    if (!row.link) continue;
    label.handCursor = true;
    label.onMouseEnter = [this, &label] { Underline(label, true); };
    label.onMouseLeave = [this, &label] { Underline(label, false); };
  }
  // Tab reaches the two links; Enter or Space opens the focused one.
  Label4Focus = std::make_unique<win::FocusStandIn>(Panel1, Label4, Label4.Text());
  Label5Focus = std::make_unique<win::FocusStandIn>(Panel1, Label5, Label5.Text());
  texts_ = std::make_unique<AboutTexts>(*this);
  // A press and release on the bare panel close the window too.
  Router().onSurfaceClick = [this] { FormClick(); };
}

// A link with no program registered for it simply opens nothing; the window stays. Anything
// the shell shows on the way (a choice of program, an error) belongs to this window.
void TForm2::Label4Click() { OpenLink(win::Widen(MailLink(kContactAddress))); }

void TForm2::Label5Click() { OpenLink(win::Widen(kHomePage)); }

void TForm2::OpenLink(const std::wstring& target) {
  win::StayInApartment();  // the shell wants COM on the calling thread
  System().ShellOpen(Handle(), target, SW_SHOWNORMAL, false);
}

void TForm2::Underline(win::Label& label, bool underline) {
  win::FontSpec font = label.Font();
  font.underline = underline;
  label.SetFont(font);
  label.SetSize(label.Width(), ScaleToDpi(kTextHeight, Dpi()));
}

void TForm2::LayOut(int dpi) {
  for (const LabelRow& row : kLabels) {
    win::Label& label = this->*row.label;
    win::FontSpec font = label.Font();  // a link under the mouse stays underlined
    font.dpi = dpi;
    label.SetFont(font);
    label.SetSize(label.Width(), ScaleToDpi(row.height, dpi));
    label.SetPosition(row.left == kCentred ? CentredLabelLeft(label.Width(), dpi) : ScaleToDpi(row.left, dpi),
                      ScaleToDpi(row.top, dpi));
  }
  for (auto* focus : {Label4Focus.get(), Label5Focus.get()}) {
    if (focus != nullptr) focus->FollowControl();
  }
  const Size size = AboutClientSize(dpi);
  SetSize(size.width, size.height);
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

void TForm2::Recolour(const Palette& colours) {
  for (const LabelRow& row : kLabels) (this->*row.label).SetColor(win::ColorRef(colours.aboutText));
}

void TForm2::PaintOver(HDC dc) const {
  for (const auto* link : {Label4Focus.get(), Label5Focus.get()}) {
    if (link != nullptr) link->PaintFocus(dc);
  }
}

}  // namespace wolumetr
