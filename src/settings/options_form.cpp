// The Options window.
#include "settings/options_form.h"

#include <commctrl.h>

#include <stdexcept>

#include "app/main_form.h"
#include "settings/options_rules.h"
#include "settings/run_registration.h"
#include "settings/save_picture.h"
#include "win/application.h"
#include "win/panel_paint.h"
#include "win/error_box.h"
#include "win/fonts.h"
#include "win/system_info.h"
#include "win/system_libraries.h"
#include "win/text.h"

namespace wolumetr {
namespace {

const win::WindowClass kOptionsClass{L"TForm3", nullptr, 0};
constexpr COLORREF kLabelYellow = win::ColorRef(colours::kYellow);
constexpr COLORREF kNavy = win::ColorRef(colours::kNavy);
constexpr UINT kSaveHintId = 1;
// A field's exit runs once the focus has settled on the next control.
constexpr UINT kFieldExitMessage = WM_APP + 1;
// The combo box's list opens below its 21-pixel field.
constexpr int kComboListHeight = 120;

const win::FontSpec kFormFont{L"MS Sans Serif", 8, false, false};
const win::FontSpec kFieldFont{L"Arial", 10, true, false};

const wchar_t* const kNoRightsText =
    L"Brak uprawnień do rejestru: nie można zmienić uruchamiania programu przy starcie systemu";

TForm3::MessageBoxCall& MessageBoxHook() {
  static TForm3::MessageBoxCall call;
  return call;
}

}  // namespace

TForm3::MessageBoxCall TForm3::SetMessageBoxCall(MessageBoxCall call) {
  MessageBoxCall previous = std::move(MessageBoxHook());
  MessageBoxHook() = std::move(call);
  return previous;
}

TForm3::TForm3(TForm1& main, OptionsServices services) : main_(main), services_(std::move(services)) {
  win::lazy::InitCommonControls(ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS);
  fieldBrush_.reset(CreateSolidBrush(kFieldBlue));
  navyBrush_.reset(CreateSolidBrush(kNavy));
  win::Application& app = win::Application::Instance();
  // Centred on the primary screen, whatever the main window's place.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kOptionsWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kOptionsHeight) / 2;
  Create(kOptionsClass, WS_POPUP | WS_CLIPCHILDREN, WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_CONTROLPARENT,
         RECT{left, top, left + kOptionsWidth, top + kOptionsHeight}, app.TaskbarWindow(), L"opcje");
  SetLayeredWindowAttributes(Handle(), 0, 190, LWA_ALPHA);
  Panel1.Attach(Handle());
  router_.paint = [this](HDC dc, const RECT& clip) { Paint(dc, clip); };
  router_.clickableOnly = true;  // the labels take no press: only the save picture does
  CreateControls();
  FormCreate();
}

TForm3::~TForm3() {
  // The controls go while the object they report to still exists.
  closeRequested_ = true;
  hints_.reset();
  Destroy();
  Panel1.Attach(nullptr);
}

HWND TForm3::AddControl(const wchar_t* className, DWORD style, int id, int left, int top, int width, int height) {
  HWND control = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, left, top, width, height, Handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                 nullptr);
  if (control == nullptr) throw std::runtime_error("Cannot create a window");
  return control;
}

std::unique_ptr<win::Label> TForm3::AddLabel(int left, int top, const std::wstring& text) {
  auto label = std::make_unique<win::Label>(Panel1, kFormFont, kLabelYellow);
  label->SetText(text);
  label->SetPosition(left, top);
  return label;
}

void TForm3::CreateControls() {
  // Creation order is the tab order.
  CheckBox2 = AddControl(WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX, kCheckBox2, 34, 16, 17, 17);
  Edit1 = AddControl(WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, kEdit1, 80, 37, 49, 21);
  CheckBox3 = AddControl(WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX, kCheckBox3, 211, 17, 16, 17);
  Edit2 = AddControl(WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, kEdit2, 256, 37, 49, 21);
  CheckBox4 = AddControl(WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX, kCheckBox4, 34, 90, 16, 17);
  UpDown1 = AddControl(UPDOWN_CLASSW, WS_TABSTOP | UDS_ARROWKEYS, kUpDown1, 121, 211, 16, 24);
  UpDown2 = AddControl(UPDOWN_CLASSW, WS_TABSTOP | UDS_ARROWKEYS, kUpDown2, 201, 211, 16, 24);
  CheckBox1 = AddControl(WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX, kCheckBox1, 211, 90, 16, 17);
  CheckBox5 = AddControl(WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX, kCheckBox5, 80, 140, 16, 17);
  ComboBox1 = AddControl(WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kComboBox1, 113, 275, 151,
                         kComboListHeight);

  const HFONT formFont = win::SharedFont(kFormFont);
  for (HWND control : {CheckBox2, CheckBox3, CheckBox4, UpDown1, UpDown2, CheckBox1, CheckBox5, ComboBox1}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(formFont), FALSE);
  }
  const HFONT fieldFont = win::SharedFont(kFieldFont);
  for (HWND field : {Edit1, Edit2}) {
    SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(fieldFont), FALSE);
    win::lazy::SetWindowSubclass(field, &TForm3::ControlProc, static_cast<UINT_PTR>(GetDlgCtrlID(field)),
                      reinterpret_cast<DWORD_PTR>(this));
  }
  for (HWND upDown : {UpDown1, UpDown2}) {
    win::lazy::SetWindowSubclass(upDown, &TForm3::ControlProc, static_cast<UINT_PTR>(GetDlgCtrlID(upDown)),
                      reinterpret_cast<DWORD_PTR>(this));
  }
  SendMessageW(Edit2, EM_LIMITTEXT, 3, 0);
  // The selection field is 21 pixels high, like the window's design, whatever the system's frame.
  for (int attempt = 0; attempt < 2; ++attempt) {
    RECT comboRect;
    GetWindowRect(ComboBox1, &comboRect);
    const LONG excess = comboRect.bottom - comboRect.top - 21;
    const LRESULT itemHeight = SendMessageW(ComboBox1, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (excess == 0 || itemHeight == CB_ERR || itemHeight - excess <= 0) break;
    SendMessageW(ComboBox1, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight - excess);
  }

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

  Label6 = AddLabel(51, 18, L"Autoodświerzanie (w sek)");
  Label7 = AddLabel(227, 18, L"Półprzezroczyste okno");
  Label10 = AddLabel(51, 91, L"Zawsze na wierzchu");
  Label9 = AddLabel(227, 92, L"Zapamiętaj położenie");
  Label8 = AddLabel(102, 141, L"Uruchamiaj program przy starcie systemu");
  Label95 = AddLabel(145, 174, L"Widok dysków :");
  Label1 = AddLabel(113, 195, L"Ilość kolumn :");
  Label2 = AddLabel(193, 195, L"Ilość rzędów :");
  Label3 = AddLabel(145, 216, L"1");
  Label4 = AddLabel(225, 216, L"1");
  Label11 = AddLabel(113, 256, L"Sposób wyświetlania programu :");

  Image1 = std::make_unique<win::PatternImage>(Panel1, SavePicturePattern(), SavePicturePalette());
  Image1->SetPosition(345, 290);
  Image1->handCursor = true;
  Image1->hint = L"Zapisz zmiany i zamknij ustawienia";
  Image1->onClick = [this] { Image1Click(); };
  hints_ = std::make_unique<win::Tooltips>(Handle());
  hints_->Create();  // the common controls are loaded for this window anyway
  hints_->SetTool(kSaveHintId, Image1->Bounds(), Image1->hint);
}

void TForm3::FormCreate() {
  const RegistrationState registration = ReadRegistration(services_.runKeys, services_.executablePath);
  SetChecked(CheckBox5, registration.registered);
  // Without tiles the spinners have nothing to count; keep their range valid.
  const int maximum = main_.DriveCount > 0 ? main_.DriveCount : 1;
  SendMessageW(UpDown1, UDM_SETRANGE32, 1, maximum);
  SendMessageW(UpDown2, UDM_SETRANGE32, 1, maximum);
  SetChecked(CheckBox1, main_.RememberPosition);
  if (main_.AlphaBlend()) {
    SetChecked(CheckBox3, true);
    EnableWindow(Edit2, TRUE);
    SetText(Edit2, std::to_wstring(main_.AlphaBlendValue()));
  } else {
    SetChecked(CheckBox3, false);
    EnableWindow(Edit2, FALSE);
    SetText(Edit2, L"190");
  }
  SetText(Edit1, std::to_wstring(main_.Timer1->Interval() / 1000));
  const bool autoRefresh = main_.Timer1->Enabled();
  SetChecked(CheckBox2, autoRefresh);
  EnableWindow(Edit1, autoRefresh ? TRUE : FALSE);
  SetChecked(CheckBox4, main_.StayOnTop());
  // A stored grid wider than the tiles shows in the labels; the spinners stop at their limit.
  SetPosition(UpDown1, main_.GridColumns);
  SetPosition(UpDown2, main_.GridRows);
  Label3->SetText(std::to_wstring(main_.GridColumns));
  Label4->SetText(std::to_wstring(main_.GridRows));
  SendMessageW(ComboBox1, CB_SETCURSEL, static_cast<WPARAM>(DisplayModeItem(main_.DisplayMode)), 0);
  // A value of ours that holds no string is reported, and then treated as not starting this
  // program: the rest of the window still shows the main window's state.
  if (registration.invalidType) win::ReportError(InvalidDataType(kRunValueName).what());
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

int TForm3::Position(HWND upDown) {
  return static_cast<int>(SendMessageW(upDown, UDM_GETPOS32, 0, 0));
}

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
    main_.SetAlphaBlend(true, main_.AlphaBlendValue());
    if (OpacityFieldIsZero(win::Narrow(Text(Edit2)))) main_.SetAlphaBlend(false, main_.AlphaBlendValue());
  } else {
    main_.SetAlphaBlend(false, main_.AlphaBlendValue());
    EnableWindow(Edit2, FALSE);
  }
}

void TForm3::CheckBox4Click() {
  main_.SetStayOnTop(Checked(CheckBox4));
  // The main window now heads the stay-on-top windows; this window, in use, stays above it.
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm3::CheckBox1Click() { main_.RememberPosition = Checked(CheckBox1); }

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
  if (MessageBoxHook()) {
    MessageBoxHook()(Handle(), text, caption, flags);
  } else {
    MessageBoxW(Handle(), text.c_str(), caption.c_str(), flags);
  }
}

void TForm3::ValidateInterval() {
  const IntervalCheck check = CheckIntervalField(win::Narrow(Text(Edit1)));
  if (check.invalid) ShowInvalidNumber();
  if (check.replacement) SetText(Edit1, win::Widen(*check.replacement));
  if (check.invalid) SetFocus(Edit1);
  win::Timer& timer = *main_.Timer1;
  timer.SetEnabled(false);
  timer.SetInterval(check.intervalMs);
  timer.SetEnabled(true);
  SetFieldColor(Edit1, kFieldYellow);
}

void TForm3::ValidateOpacity() {
  const OpacityCheck check = CheckOpacityField(win::Narrow(Text(Edit2)));
  if (check.invalid) ShowInvalidNumber();
  if (check.replacement) SetText(Edit2, win::Widen(*check.replacement));
  if (check.invalid) SetFocus(Edit2);
  main_.SetAlphaBlend(main_.AlphaBlend(), check.alpha);
  SetFieldColor(Edit2, kFieldYellow);
}

void TForm3::SetColumns(std::int32_t columns) {
  SetPosition(UpDown1, columns);
  Label3->SetText(std::to_wstring(columns));
  main_.GridColumns = columns;
}

void TForm3::SetRows(std::int32_t rows) {
  SetPosition(UpDown2, rows);
  Label4->SetText(std::to_wstring(rows));
  main_.GridRows = rows;
}

void TForm3::UpDown1Click() {
  if (main_.DriveCount <= 0) return;
  const std::int32_t columns = Position(UpDown1);
  Label3->SetText(std::to_wstring(columns));
  main_.GridColumns = columns;
  SetRows(OtherSideFor(columns, main_.DriveCount));
  main_.ArrangeTiles();
}

void TForm3::UpDown2Click() {
  if (main_.DriveCount <= 0) return;
  const std::int32_t rows = Position(UpDown2);
  Label4->SetText(std::to_wstring(rows));
  main_.GridRows = rows;
  SetColumns(OtherSideFor(rows, main_.DriveCount));
  main_.ArrangeTiles();
}

void TForm3::ComboBox1Change() {
  const int item = static_cast<int>(SendMessageW(ComboBox1, CB_GETCURSEL, 0, 0));
  const std::optional<DisplayModeEffect> effect = DisplayModeEffectFor(item);
  if (!effect) return;
  // Taskbar step first, tray step second; the mode is stored only when both took effect.
  // The button appears without activating the taskbar window, so the list keeps the focus.
  ShowWindow(win::Application::Instance().TaskbarWindow(), effect->taskbarButton ? SW_SHOWNA : SW_HIDE);
  main_.TrayIcon1->SetVisible(effect->trayIcon);
  main_.DisplayMode = static_cast<std::uint8_t>(item);
}

void TForm3::Image1Click() {
  OptionsValues values;
  // Both numbers first: a field that is not a number stops the save before anything is written.
  values.alpha = FieldNumber(win::Narrow(Text(Edit2)));
  values.intervalSeconds = FieldNumber(win::Narrow(Text(Edit1)));
  values.alphaBlend = Checked(CheckBox3);
  values.onTop = Checked(CheckBox4);
  values.rememberPosition = Checked(CheckBox1);
  values.left = main_.Left();
  values.top = main_.Top();
  values.displayModeItem = static_cast<std::int32_t>(SendMessageW(ComboBox1, CB_GETCURSEL, 0, 0));
  values.columns = Position(UpDown1);
  values.rows = Position(UpDown2);
  values.autoRefresh = Checked(CheckBox2);

  SettingsFile settings(main_.Settings(), main_.SettingsPath());
  WriteOptions(settings, values);
  if (!ApplyRegistration(services_.runKeys, services_.executablePath, Checked(CheckBox5))) {
    win::ReportError(win::Narrow(kNoRightsText));
  }
  settings.Commit();
  RequestClose();
}

void TForm3::RequestClose() {
  closeRequested_ = true;
  win::Application::Instance().EndModal(*this);
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
    default:
      break;  // IDOK and IDCANCEL from the dialog keys: the window has no default buttons
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
      if (field && !self->closeRequested_ && next != nullptr && IsChild(self->Handle(), next)) {
        PostMessageW(self->Handle(), kFieldExitMessage, id, 0);
      }
      break;
    }
    case WM_NCDESTROY:
      win::lazy::RemoveWindowSubclass(hwnd, &TForm3::ControlProc, id);
      break;
    default:
      break;
  }
  return win::lazy::DefSubclassProc(hwnd, message, wParam, lParam);
}

void TForm3::Paint(HDC dc, const RECT& clip) {
  win::PaintPanel(Handle(), dc, clip, kNavy, win::Bevel::Raised, win::Bevel::Lowered);
  Panel1.PaintControls(dc, clip);
}

LRESULT TForm3::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto handled = router_.Route(message, wParam, lParam)) return *handled;
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0) OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_VSCROLL:
      if (LOWORD(wParam) == SB_THUMBPOSITION) {
        if (reinterpret_cast<HWND>(lParam) == UpDown1) UpDown1Click();
        if (reinterpret_cast<HWND>(lParam) == UpDown2) UpDown2Click();
      }
      return 0;
    case kFieldExitMessage:
      if (!closeRequested_) {
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
        SetBkColor(dc, kFieldBlue);
        return reinterpret_cast<LRESULT>(fieldBrush_.get());
      }
      SetTextColor(dc, kLabelYellow);
      SetBkColor(dc, kNavy);
      return reinterpret_cast<LRESULT>(navyBrush_.get());
    }
    case WM_ACTIVATE:
      // Coming back to the window puts the focus back on the control that had it.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Handle(), focus)) lastFocus_ = focus;
      } else {
        SetFocus(lastFocus_ != nullptr && IsWindow(lastFocus_) ? lastFocus_ : CheckBox2);
      }
      return 0;
    case WM_CLOSE:
      // There is no cancel: closing keeps what was applied and stores nothing.
      RequestClose();
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

void TForm1::Opcje1Click() {
  win::ItemDisabledScope disabled(PopupMenu1, kOpcje1);
  win::SystemRunKeys runKeys;
  TForm3 options(*this, OptionsServices{runKeys, win::Narrow(win::ExecutablePath())});
  win::Application::Instance().RunModal(options);
}

}  // namespace wolumetr
