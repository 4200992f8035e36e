// The Options window.
#include "settings/options_form.h"

#include <commctrl.h>

#include <stdexcept>

#include "common/dpi.h"
#include "settings/options_layout.h"
#include "settings/options_rules.h"
#include "settings/save_picture.h"
#include "win/error_box.h"
#include "win/fonts.h"
#include "win/private_messages.h"
#include "win/rect_ref.h"
#include "win/system_libraries.h"
#include "win/text.h"

namespace wolumetr {
namespace {

const win::WindowClass kOptionsClass{L"TForm3", nullptr, 0};
constexpr UINT kSaveHintId = 1;
// The combo box's list opens below its 21-pixel field.
constexpr int kComboListHeight = 120;

win::FontSpec FormFont(int dpi) { return win::FontSpec{win::kPanelFace, 8, false, false, dpi}; }
win::FontSpec FieldFont(int dpi) { return win::FontSpec{L"Arial", 10, true, false, dpi}; }

const wchar_t* const kNoRightsText =
    L"Brak uprawnień do rejestru: nie można zmienić uruchamiania programu przy starcie systemu";

enum class ControlFont { Form, Field };

// The window's controls in tab order (the order of creation: as they read, row by row), each at its
// design-time place. The save picture's stand-in comes last.
struct ControlRow {
  HWND TForm3::*control;
  const wchar_t* className;
  DWORD style;
  int id;
  Rect place;
  ControlFont font;
  bool subclassed;  // keys and focus handled by ControlProc
};

constexpr DWORD kCheckBox = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kField = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kSpinner = WS_TABSTOP | UDS_ARROWKEYS;
constexpr DWORD kList = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;

// clang-format off
const ControlRow kControls[] = {
    {&TForm3::CheckBox2, WC_BUTTONW,    kCheckBox, kCheckBox2, {34, 16, 51, 33},    ControlFont::Form,  false},
    {&TForm3::Edit1,     WC_EDITW,      kField,    kEdit1,     {80, 37, 129, 58},   ControlFont::Field, true},
    {&TForm3::CheckBox3, WC_BUTTONW,    kCheckBox, kCheckBox3, {211, 17, 227, 34},  ControlFont::Form,  false},
    {&TForm3::Edit2,     WC_EDITW,      kField,    kEdit2,     {256, 37, 305, 58},  ControlFont::Field, true},
    {&TForm3::CheckBox4, WC_BUTTONW,    kCheckBox, kCheckBox4, {34, 90, 50, 107},   ControlFont::Form,  false},
    {&TForm3::CheckBox1, WC_BUTTONW,    kCheckBox, kCheckBox1, {211, 90, 227, 107}, ControlFont::Form,  false},
    {&TForm3::CheckBox5, WC_BUTTONW,    kCheckBox, kCheckBox5, {80, 140, 96, 157},  ControlFont::Form,  false},
    {&TForm3::UpDown1,   UPDOWN_CLASSW, kSpinner,  kUpDown1,   {121, 211, 137, 235}, ControlFont::Form, true},
    {&TForm3::UpDown2,   UPDOWN_CLASSW, kSpinner,  kUpDown2,   {201, 211, 217, 235}, ControlFont::Form, true},
    {&TForm3::ComboBox1, WC_COMBOBOXW,  kList,     kComboBox1, {113, 275, 264, 275 + kComboListHeight},
     ControlFont::Form, false},
};
// clang-format on

// The yellow captions, in painting order.
struct LabelRow {
  std::unique_ptr<win::Label> TForm3::*label;
  int left;
  int top;
  const wchar_t* text;
};

// clang-format off
const LabelRow kLabels[] = {
    {&TForm3::Label6,  51,  18,  L"Autoodświerzanie (w sek)"},
    {&TForm3::Label7,  227, 18,  L"Półprzezroczyste okno"},
    {&TForm3::Label10, 51,  91,  L"Zawsze na wierzchu"},
    {&TForm3::Label9,  227, 92,  L"Zapamiętaj położenie"},
    {&TForm3::Label8,  102, 141, L"Uruchamiaj program przy starcie systemu"},
    {&TForm3::Label95, 145, 174, L"Widok dysków :"},
    {&TForm3::Label1,  113, 195, L"Ilość kolumn :"},
    {&TForm3::Label2,  193, 195, L"Ilość rzędów :"},
    {&TForm3::Label3,  145, 216, L"1"},
    {&TForm3::Label4,  225, 216, L"1"},
    {&TForm3::Label11, 113, 256, L"Sposób wyświetlania programu :"},
};
// clang-format on

// The caption beside each control, which is its name for screen readers (the controls show no
// text of their own). The fields share their check box's caption.
const struct {
  HWND TForm3::*control;
  std::unique_ptr<win::Label> TForm3::*caption;
} kNamedBy[] = {
    {&TForm3::CheckBox2, &TForm3::Label6},  {&TForm3::Edit1, &TForm3::Label6},
    {&TForm3::CheckBox3, &TForm3::Label7},  {&TForm3::Edit2, &TForm3::Label7},
    {&TForm3::CheckBox4, &TForm3::Label10}, {&TForm3::UpDown1, &TForm3::Label1},
    {&TForm3::UpDown2, &TForm3::Label2},    {&TForm3::CheckBox1, &TForm3::Label9},
    {&TForm3::CheckBox5, &TForm3::Label8},  {&TForm3::ComboBox1, &TForm3::Label11},
};

}  // namespace

TForm3::TForm3(win::WindowHost& host, OptionsHost& main, OptionsServices services)
    : ModalWindow(host, services.system, services.dpi), main_(main), services_(std::move(services)) {
  win::lazy::InitCommonControls(ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS);
  // Centred on the primary screen, whatever the main window's place.
  const Size size = OptionsWindowSize(Dpi());
  const int left = (GetSystemMetrics(SM_CXSCREEN) - size.width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - size.height) / 2;
  Router().clickableOnly = true;  // the labels take no press: only the save picture does
  Open(win::WindowSpec{kOptionsClass, WS_POPUP | WS_CLIPCHILDREN, WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_CONTROLPARENT,
                       RECT{left, top, left + size.width, top + size.height}, host.TaskbarWindow(), L"opcje", 190});
  FormCreate();
}

void TForm3::Recolour(const Palette& colours) {
  fieldBrush_.reset(CreateSolidBrush(win::ColorRef(colours.fieldBack)));
  navyBrush_.reset(CreateSolidBrush(win::ColorRef(colours.panel)));
  // The field being typed in keeps its own text colour.
  edit1Color_ = win::ColorRef(GetFocus() == Edit1 ? colours.fieldActiveText : colours.fieldText);
  edit2Color_ = win::ColorRef(GetFocus() == Edit2 ? colours.fieldActiveText : colours.fieldText);
  for (const LabelRow& row : kLabels) (this->*row.label)->SetColor(win::ColorRef(colours.caption));
  Image1->SetPalette(SavePicturePalette(colours));
}

TForm3::~TForm3() {
  // The controls go while the object they report to still exists.
  closeRequested_ = true;
  hints_.reset();
  Destroy();
}

HWND TForm3::AddControl(const wchar_t* className, DWORD style, int id, const RECT& place) {
  HWND control = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (control == nullptr) throw std::runtime_error("Cannot create a window");
  return control;
}

void TForm3::CreateControls() {
  for (const ControlRow& row : kControls) {
    HWND control = AddControl(row.className, row.style, row.id, win::ToRECT(ScaledPlace(row.place, Dpi())));
    this->*row.control = control;
    if (row.subclassed) {
      win::lazy::SetWindowSubclass(control, &TForm3::ControlProc, static_cast<UINT_PTR>(row.id),
                                   reinterpret_cast<DWORD_PTR>(this));
    }
  }
  SendMessageW(Edit2, EM_LIMITTEXT, 3, 0);

  // The design-time states that FormCreate starts from.
  SetChecked(CheckBox2, true);
  SetText(Edit1, L"5");
  SetChecked(CheckBox3, true);
  SetText(Edit2, L"190");
  for (HWND upDown : {UpDown1, UpDown2}) {
    SendMessageW(upDown, UDM_SETRANGE32, 1, 1);
    SetPosition(upDown, 1);
  }
  for (const wchar_t* item : {L"Tylko na pasku tray", L"Tylko na pasku zadań", L"Na pasku tray i pasku zadań"}) {
    SendMessageW(ComboBox1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  SendMessageW(ComboBox1, CB_SETCURSEL, 0, 0);

  for (const LabelRow& row : kLabels) {
    auto& label = this->*row.label;
    label = std::make_unique<win::Label>(Panel1, FormFont(Dpi()), win::ColorRef(Colours().caption));
    label->SetText(row.text);
  }

  Image1 = std::make_unique<win::PatternImage>(Panel1, ScalePattern(SavePicturePattern(), Dpi()),
                                               SavePicturePalette(Colours()));
  Image1->handCursor = true;
  Image1->hint = L"Zapisz zmiany i zamknij ustawienia";
  Image1->onClick = [this] { Image1Click(); };
  hints_ = std::make_unique<win::Tooltips>(Handle());
  hints_->Create();  // the common controls are loaded for this window anyway
  Image1Focus = std::make_unique<win::FocusStandIn>(Panel1, *Image1, Image1->hint);

  for (const auto& named : kNamedBy) {
    win::NameForScreenReaders(this->*named.control, win::NameFromCaption((this->*named.caption)->Text()));
  }
  buttons_ = std::make_unique<win::WindowlessButtons>(
      std::vector<win::WindowlessButtons::Button>{{Image1.get(), Image1->hint}});
}

void TForm3::LayOut(int dpi) {
  const HFONT formFont = win::SharedFont(FormFont(dpi));
  const HFONT fieldFont = win::SharedFont(FieldFont(dpi));
  for (const ControlRow& row : kControls) {
    HWND control = this->*row.control;
    const Rect place = ScaledPlace(row.place, dpi);
    SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(row.font == ControlFont::Field ? fieldFont : formFont),
                 FALSE);
  }
  // The selection field is 21 pixels high at 96 dpi, like the window's design, whatever the
  // system's frame. Corrected from the height set rather than the one read back: Wine reads
  // back two more than it was given.
  const int fieldHeight = ScaleToDpi(kOptionsComboFieldHeight, dpi);
  LRESULT itemHeight = SendMessageW(ComboBox1, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int attempt = 0; attempt < 3 && itemHeight != CB_ERR; ++attempt) {
    RECT comboRect;
    GetWindowRect(ComboBox1, &comboRect);
    const LONG excess = comboRect.bottom - comboRect.top - fieldHeight;
    if (excess == 0 || itemHeight - excess <= 0) break;
    itemHeight -= excess;
    SendMessageW(ComboBox1, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
  }

  for (const LabelRow& row : kLabels) {
    auto& label = this->*row.label;
    label->SetFont(FormFont(dpi));
    label->SetPosition(ScaleToDpi(row.left, dpi), ScaleToDpi(row.top, dpi));
  }
  PixelPattern picture = ScalePattern(SavePicturePattern(), dpi);
  if (static_cast<int>(picture.size()) != Image1->Height()) Image1->SetPattern(std::move(picture));
  const Point picturePlace = ScaleToDpi(kSavePicturePlace, dpi);
  Image1->SetPosition(picturePlace.x, picturePlace.y);
  Image1Focus->FollowControl();
  hints_->SetTool(kSaveHintId, Image1->Bounds(), Image1->hint);
  const Size size = OptionsWindowSize(dpi);
  SetSize(size.width, size.height);
}

void TForm3::FormCreate() {
  const RegistrationState registration = ReadRegistration(services_.runKeys, services_.executablePath);
  SetChecked(CheckBox5, registration.registered);
  const OptionsSnapshot main = main_.OptionsState();
  // Without tiles the spinners have nothing to count; keep their range valid.
  const int maximum = main.driveCount > 0 ? main.driveCount : 1;
  SendMessageW(UpDown1, UDM_SETRANGE32, 1, maximum);
  SendMessageW(UpDown2, UDM_SETRANGE32, 1, maximum);
  SetChecked(CheckBox1, main.settings.rememberPosition);
  if (main.settings.alphaBlend) {
    SetChecked(CheckBox3, true);
    EnableWindow(Edit2, TRUE);
    SetText(Edit2, std::to_wstring(main.settings.alpha));
  } else {
    SetChecked(CheckBox3, false);
    EnableWindow(Edit2, FALSE);
    SetText(Edit2, L"190");
  }
  SetText(Edit1, std::to_wstring(main.settings.refreshIntervalMs / 1000));
  SetChecked(CheckBox2, main.settings.autoRefresh);
  EnableWindow(Edit1, main.settings.autoRefresh ? TRUE : FALSE);
  SetChecked(CheckBox4, main.settings.onTop);
  // A stored grid wider than the tiles shows in the labels; the spinners stop at their limit.
  SetPosition(UpDown1, main.settings.gridColumns);
  SetPosition(UpDown2, main.settings.gridRows);
  Label3->SetText(std::to_wstring(main.settings.gridColumns));
  Label4->SetText(std::to_wstring(main.settings.gridRows));
  SendMessageW(ComboBox1, CB_SETCURSEL, static_cast<WPARAM>(DisplayModeItem(main.displayMode)), 0);
  // A value of ours that holds no string is reported, and then treated as not starting this
  // program: the rest of the window still shows the main window's state.
  if (registration.invalidType) ReportFailure(InvalidDataType(kRunValueName).what());
}

void TForm3::OnShow() { SetFocus(CheckBox2); }  // the first control in the tab order

bool TForm3::Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TForm3::SetChecked(HWND box, bool checked) {
  SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::wstring TForm3::Text(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void TForm3::SetText(HWND control, const std::wstring& text) { SetWindowTextW(control, text.c_str()); }

int TForm3::Position(HWND upDown) { return static_cast<int>(SendMessageW(upDown, UDM_GETPOS32, 0, 0)); }

void TForm3::SetPosition(HWND upDown, int position) { SendMessageW(upDown, UDM_SETPOS32, 0, position); }

void TForm3::SetFieldColor(HWND edit, COLORREF color) {
  COLORREF& current = edit == Edit1 ? edit1Color_ : edit2Color_;
  if (current == color) return;
  current = color;
  InvalidateRect(edit, nullptr, TRUE);
}

void TForm3::CheckBox2Click() {
  const bool on = Checked(CheckBox2);
  EnableWindow(Edit1, on ? TRUE : FALSE);
  main_.SetAutoRefresh(on);
}

void TForm3::CheckBox3Click() {
  if (Checked(CheckBox3)) {
    EnableWindow(Edit2, TRUE);
    main_.SetAlphaBlend(true, main_.OptionsState().settings.alpha);
    if (OpacityFieldIsZero(win::Narrow(Text(Edit2)))) main_.SetAlphaBlend(false, main_.OptionsState().settings.alpha);
  } else {
    main_.SetAlphaBlend(false, main_.OptionsState().settings.alpha);
    EnableWindow(Edit2, FALSE);
  }
}

void TForm3::CheckBox4Click() {
  main_.SetStayOnTop(Checked(CheckBox4));
  // The main window now heads the stay-on-top windows; this window, in use, stays above it.
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm3::CheckBox1Click() { main_.SetRememberPosition(Checked(CheckBox1)); }

void TForm3::Edit1KeyPress(wchar_t& key) {
  if (key != L'\r') return;
  key = 0;  // handled: the field keeps the focus and does not beep
  ValidateInterval();
}

void TForm3::Edit2KeyPress(wchar_t& key) {
  if (key != L'\r') return;
  key = 0;
  ValidateOpacity();
}

void TForm3::ShowInvalidNumber() {
  const std::wstring text = win::Widen(kInvalidNumberText);
  const std::wstring caption = win::Widen(kInvalidNumberCaption);
  const UINT flags = MB_OK | MB_ICONERROR;
  services_.system.ShowMessageBox(Handle(), text, caption, flags);
}

void TForm3::ValidateInterval() {
  const IntervalCheck check = CheckIntervalField(win::Narrow(Text(Edit1)));
  if (check.invalid) ShowInvalidNumber();
  if (check.replacement) SetText(Edit1, win::Widen(*check.replacement));
  if (check.invalid) SetFocus(Edit1);
  main_.RestartRefreshTimer(check.intervalMs);
  SetFieldColor(Edit1, win::ColorRef(Colours().fieldText));
}

void TForm3::ValidateOpacity() {
  const OpacityCheck check = CheckOpacityField(win::Narrow(Text(Edit2)));
  if (check.invalid) ShowInvalidNumber();
  if (check.replacement) SetText(Edit2, win::Widen(*check.replacement));
  if (check.invalid) SetFocus(Edit2);
  main_.SetAlphaBlend(main_.OptionsState().settings.alphaBlend, check.alpha);
  SetFieldColor(Edit2, win::ColorRef(Colours().fieldText));
}

void TForm3::UpDown1Click() {
  const std::int32_t driveCount = main_.OptionsState().driveCount;
  if (driveCount <= 0) return;
  const std::int32_t columns = Position(UpDown1);
  const std::int32_t rows = OtherSideFor(columns, driveCount);
  Label3->SetText(std::to_wstring(columns));
  SetPosition(UpDown2, rows);
  Label4->SetText(std::to_wstring(rows));
  main_.SetGrid(columns, rows);
}

void TForm3::UpDown2Click() {
  const std::int32_t driveCount = main_.OptionsState().driveCount;
  if (driveCount <= 0) return;
  const std::int32_t rows = Position(UpDown2);
  const std::int32_t columns = OtherSideFor(rows, driveCount);
  Label4->SetText(std::to_wstring(rows));
  SetPosition(UpDown1, columns);
  Label3->SetText(std::to_wstring(columns));
  main_.SetGrid(columns, rows);
}

void TForm3::ComboBox1Change() {
  const int item = static_cast<int>(SendMessageW(ComboBox1, CB_GETCURSEL, 0, 0));
  if (!DisplayModeEffectFor(item)) return;  // nothing selected
  main_.ChooseDisplayMode(static_cast<std::uint8_t>(item));
}

void TForm3::Image1Click() {
  OptionsValues values;
  // Both numbers first: a field that is not a number stops the save before anything is written.
  values.alpha = FieldNumber(win::Narrow(Text(Edit2)));
  values.intervalSeconds = FieldNumber(win::Narrow(Text(Edit1)));
  values.alphaBlend = Checked(CheckBox3);
  values.onTop = Checked(CheckBox4);
  values.rememberPosition = Checked(CheckBox1);
  values.displayModeItem = static_cast<std::int32_t>(SendMessageW(ComboBox1, CB_GETCURSEL, 0, 0));
  values.columns = Position(UpDown1);
  values.rows = Position(UpDown2);
  values.autoRefresh = Checked(CheckBox2);

  if (!ApplyRegistration(services_.runKeys, services_.executablePath, Checked(CheckBox5))) {
    ReportFailure(win::Narrow(kNoRightsText));
  }
  // The file and the window's place as they are now: while the box was up, the tray menu could
  // move the window or close the program, which saves its place.
  const OptionsSnapshot now = main_.OptionsState();
  values.left = now.settings.left;
  values.top = now.settings.top;
  SettingsFile settings(services_.settings, services_.settingsPath);
  WriteOptions(settings, values);
  settings.Commit();
  EndModal();
}

void TForm3::OnCommand(int id, int code) {
  switch (id) {
    case kCheckBox2:
      if (code == BN_CLICKED) CheckBox2Click();
      break;
    case kCheckBox3:
      if (code == BN_CLICKED) CheckBox3Click();
      break;
    case kCheckBox4:
      if (code == BN_CLICKED) CheckBox4Click();
      break;
    case kCheckBox1:
      if (code == BN_CLICKED) CheckBox1Click();
      break;
    case kEdit1:
      if (code == EN_SETFOCUS) Edit1Enter();
      break;
    case kEdit2:
      if (code == EN_SETFOCUS) Edit2Enter();
      break;
    case kComboBox1:
      if (code == CBN_SELCHANGE) ComboBox1Change();
      break;
    default: break;
  }
}

LRESULT CALLBACK TForm3::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data) {
  auto* self = reinterpret_cast<TForm3*>(data);
  const auto control = static_cast<int>(id);
  const bool field = control == kEdit1 || control == kEdit2;
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = win::lazy::DefSubclassProc(hwnd, message, wParam, lParam);
      if (!field) return code | DLGC_WANTARROWS;  // the arrow keys turn the spinner
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg != nullptr && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN) {
        code |= DLGC_WANTMESSAGE;  // Enter belongs to the field, not to the dialog keys
      }
      return code;
    }
    case WM_CHAR: {
      if (!field) break;
      auto key = static_cast<wchar_t>(wParam);
      win::Guarded([&] {
        if (control == kEdit1) {
          self->Edit1KeyPress(key);
        } else {
          self->Edit2KeyPress(key);
        }
      });
      if (key == 0) return 0;
      wParam = key;
      break;
    }
    case WM_KILLFOCUS: {
      // Leaving for another control of the window is an exit; switching to another program is not.
      const auto next = reinterpret_cast<HWND>(wParam);
      if (field && !self->Closing() && !self->closeRequested_ && next != nullptr && IsChild(self->Handle(), next)) {
        PostMessageW(self->Handle(), win::kControlLeftMessage, id, 0);
      }
      break;
    }
    case WM_NCDESTROY: win::lazy::RemoveWindowSubclass(hwnd, &TForm3::ControlProc, id); break;
    default: break;
  }
  return win::lazy::DefSubclassProc(hwnd, message, wParam, lParam);
}

void TForm3::PaintOver(HDC dc) const {
  if (Image1Focus) Image1Focus->PaintFocus(dc);
}

std::optional<LRESULT> TForm3::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0) OnCommand(LOWORD(wParam), HIWORD(wParam));
      return std::nullopt;
    case WM_VSCROLL:
      if (LOWORD(wParam) == SB_THUMBPOSITION) {
        if (reinterpret_cast<HWND>(lParam) == UpDown1) UpDown1Click();
        if (reinterpret_cast<HWND>(lParam) == UpDown2) UpDown2Click();
      }
      return 0;
    case win::kControlLeftMessage:
      if (!Closing() && !closeRequested_) {
        if (static_cast<int>(wParam) == kEdit1) Edit1Exit();
        if (static_cast<int>(wParam) == kEdit2) Edit2Exit();
      }
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      const auto control = reinterpret_cast<HWND>(lParam);
      const auto dc = reinterpret_cast<HDC>(wParam);
      if (control == Edit1 || control == Edit2) {
        SetTextColor(dc, FieldColor(control));
        SetBkColor(dc, win::ColorRef(Colours().fieldBack));
        return reinterpret_cast<LRESULT>(fieldBrush_.get());
      }
      SetTextColor(dc, win::ColorRef(Colours().caption));
      SetBkColor(dc, win::ColorRef(Colours().panel));
      return reinterpret_cast<LRESULT>(navyBrush_.get());
    }
    default: return std::nullopt;
  }
}

}  // namespace wolumetr
