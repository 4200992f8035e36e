// The Options window.
#include "settings/options_form.h"

#include <commctrl.h>

#include "common/dpi.h"
#include "settings/options_layout.h"
#include "settings/options_rules.h"
#include "settings/save_picture.h"
#include "win/colour_ref.h"
#include "win/error_box.h"
#include "win/fonts.h"
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

template <auto member>
win::NativeControl& Control(TForm3& form) {
  return form.*member;
}

// The window's controls in tab order (the order of creation: as they read, row by row), each at
// its design-time place, named for screen readers by the caption beside it (the controls show
// no text of their own; a field shares its check box's caption), with what the user's change
// does. The save picture's stand-in comes last.
struct ControlRow {
  win::NativeControl& (*control)(TForm3&);
  Rect place;
  ControlFont font;
  std::unique_ptr<win::Label> TForm3::*caption;
  void (TForm3::*action)();  // nullptr: acts only at the save
};

constexpr int kFirstControlId = 100;  // never IDOK or IDCANCEL, which the dialog keys send

// clang-format off
const ControlRow kControls[] = {
    {&Control<&TForm3::CheckBox2>, {34, 16, 51, 33},     ControlFont::Form,  &TForm3::Label6,  &TForm3::CheckBox2Click},
    {&Control<&TForm3::Edit1>,     {80, 37, 129, 58},    ControlFont::Field, &TForm3::Label6,  &TForm3::Edit1Exit},
    {&Control<&TForm3::CheckBox3>, {211, 17, 227, 34},   ControlFont::Form,  &TForm3::Label7,  &TForm3::CheckBox3Click},
    {&Control<&TForm3::Edit2>,     {256, 37, 305, 58},   ControlFont::Field, &TForm3::Label7,  &TForm3::Edit2Exit},
    {&Control<&TForm3::CheckBox4>, {34, 90, 50, 107},    ControlFont::Form,  &TForm3::Label10, &TForm3::CheckBox4Click},
    {&Control<&TForm3::CheckBox1>, {211, 90, 227, 107},  ControlFont::Form,  &TForm3::Label9,  &TForm3::CheckBox1Click},
    {&Control<&TForm3::CheckBox5>, {80, 140, 96, 157},   ControlFont::Form,  &TForm3::Label8,  nullptr},
    {&Control<&TForm3::UpDown1>,   {121, 211, 137, 235}, ControlFont::Form,  &TForm3::Label1,  &TForm3::UpDown1Click},
    {&Control<&TForm3::UpDown2>,   {201, 211, 217, 235}, ControlFont::Form,  &TForm3::Label2,  &TForm3::UpDown2Click},
    {&Control<&TForm3::ComboBox1>, {113, 275, 264, 275 + kComboListHeight}, ControlFont::Form, &TForm3::Label11,
     &TForm3::ComboBox1Change},
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

}  // namespace

TForm3::TForm3(win::WindowHost& host, OptionsHost& main, OptionsServices services)
    : ModalWindow(host, services.system, services.dpi), main_(main), services_(std::move(services)) {
  win::lazy::InitCommonControls(ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS);
  // Centred on the primary screen, whatever the main window's place.
  const Size size = OptionsWindowSize(Dpi());
  const int left = (GetSystemMetrics(SM_CXSCREEN) - size.width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - size.height) / 2;
  Router().clickableOnly = true;  // the labels take no press: only the save picture does
  Open(win::WindowRequest{kOptionsClass, WS_POPUP | WS_CLIPCHILDREN,
                          WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_CONTROLPARENT,
                          RECT{left, top, left + size.width, top + size.height}, host.TaskbarWindow(), L"opcje", 190});
  FormCreate();
}

void TForm3::Recolour(const Palette& colours) {
  const win::ControlColours onPanel{win::ColorRef(colours.caption), win::ColorRef(colours.panel)};
  for (win::CheckBox* box : {&CheckBox2, &CheckBox3, &CheckBox4, &CheckBox1, &CheckBox5}) box->SetColours(onPanel);
  ComboBox1.SetColours(onPanel);
  // The field being typed in keeps its own text colour.
  for (win::NumberField* field : {&Edit1, &Edit2}) {
    SetFieldColor(*field, GetFocus() == field->Handle() ? colours.fieldActiveText : colours.fieldText);
  }
  for (const LabelRow& row : kLabels) (this->*row.label)->SetColor(win::ColorRef(colours.caption));
  if (Image1) Image1->SetPalette(SavePicturePalette(colours));
}

void TForm3::CreateControls() {
  for (const LabelRow& row : kLabels) {
    auto& label = this->*row.label;
    label = std::make_unique<win::Label>(Panel1, FormFont(Dpi()), win::ColorRef(Colours().caption));
    label->SetText(row.text);
  }
  int id = kFirstControlId;
  for (const ControlRow& row : kControls) {
    win::NativeControl& control = row.control(*this);
    control.Create(Handle(), Controls(), id++, ScaledPlace(row.place, Dpi()));
    if (row.action != nullptr) control.SetAction([this, action = row.action] { (this->*action)(); });
    win::NameForScreenReaders(control.Handle(), win::NameFromCaption((this->*row.caption)->Text()));
  }
  Edit1.onEnter = [this] { Edit1Enter(); };
  Edit2.onEnter = [this] { Edit2Enter(); };
  Edit2.SetLimit(3);
  Recolour(Colours());
  // What each control shows comes from FormCreate.
  for (const wchar_t* item : {L"Tylko na pasku tray", L"Tylko na pasku zadań", L"Na pasku tray i pasku zadań"}) {
    ComboBox1.Add(item);
  }

  Image1 = std::make_unique<win::PatternImage>(Panel1, ScalePattern(SavePicturePattern(), Dpi()),
                                               SavePicturePalette(Colours()));
  Image1->handCursor = true;
  Image1->hint = L"Zapisz zmiany i zamknij ustawienia";
  Image1->onClick = [this] { Image1Click(); };
  hints_ = std::make_unique<win::Tooltips>(Handle());
  hints_->Create();  // the common controls are loaded for this window anyway
  Image1Focus = std::make_unique<win::FocusStandIn>(Panel1, *Image1, Image1->hint);
  buttons_ = std::make_unique<win::WindowlessButtons>(
      std::vector<win::WindowlessButtons::Button>{{Image1.get(), Image1->hint}});
}

void TForm3::LayOut(int dpi) {
  const HFONT formFont = win::SharedFont(FormFont(dpi));
  const HFONT fieldFont = win::SharedFont(FieldFont(dpi));
  for (const ControlRow& row : kControls) {
    win::NativeControl& control = row.control(*this);
    control.SetPlace(ScaledPlace(row.place, dpi));
    control.SetFont(row.font == ControlFont::Field ? fieldFont : formFont);
  }
  // The selection field is 21 pixels high at 96 dpi, like the window's design, whatever the
  // system's frame. Corrected from the height set rather than the one read back: Wine reads
  // back two more than it was given.
  const int fieldHeight = ScaleToDpi(kOptionsComboFieldHeight, dpi);
  int itemHeight = ComboBox1.ItemHeight(-1);
  for (int attempt = 0; attempt < 3 && itemHeight != CB_ERR; ++attempt) {
    RECT comboRect;
    GetWindowRect(ComboBox1.Handle(), &comboRect);
    const LONG excess = comboRect.bottom - comboRect.top - fieldHeight;
    if (excess == 0 || itemHeight - excess <= 0) break;
    itemHeight -= excess;
    ComboBox1.SetItemHeight(-1, itemHeight);
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
  CheckBox5.SetChecked(registration.registered);
  const OptionsSnapshot main = main_.OptionsState();
  // Without tiles the spinners have nothing to count; keep their range valid.
  const int maximum = main.driveCount > 0 ? main.driveCount : 1;
  UpDown1.SetRange(1, maximum);
  UpDown2.SetRange(1, maximum);
  CheckBox1.SetChecked(main.settings.rememberPosition);
  CheckBox3.SetChecked(main.settings.alphaBlend);
  Edit2.SetEnabled(main.settings.alphaBlend);
  Edit2.SetText(main.settings.alphaBlend ? std::to_wstring(main.settings.alpha) : L"190");
  Edit1.SetText(std::to_wstring(main.settings.intervalSeconds));
  CheckBox2.SetChecked(main.settings.autoRefresh);
  Edit1.SetEnabled(main.settings.autoRefresh);
  CheckBox4.SetChecked(main.settings.onTop);
  // A stored grid wider than the tiles shows in the labels; the spinners stop at their limit.
  UpDown1.SetPosition(main.settings.gridColumns);
  UpDown2.SetPosition(main.settings.gridRows);
  Label3->SetText(std::to_wstring(main.settings.gridColumns));
  Label4->SetText(std::to_wstring(main.settings.gridRows));
  ComboBox1.Select(DisplayModeItem(main.settings.displayMode));
  // A value of ours that holds no string is reported, and then treated as not starting this
  // program: the rest of the window still shows the main window's state.
  if (registration.invalidType) ReportFailure(InvalidDataType(kRunValueName).what());
}

void TForm3::OnShow() { SetFocus(CheckBox2.Handle()); }  // the first control in the tab order

void TForm3::SetFieldColor(win::NumberField& field, Colour text) {
  field.SetColours({win::ColorRef(text), win::ColorRef(Colours().fieldBack)});
}

void TForm3::CheckBox2Click() {
  const bool on = CheckBox2.Checked();
  Edit1.SetEnabled(on);
  main_.SetAutoRefresh(on);
}

void TForm3::CheckBox3Click() {
  const auto level = static_cast<std::uint8_t>(main_.OptionsState().settings.alpha);  // stays as it is
  const bool on = CheckBox3.Checked();
  Edit2.SetEnabled(on);
  main_.SetAlphaBlend(on, level);
  if (on && OpacityFieldIsZero(win::Narrow(Edit2.Text()))) main_.SetAlphaBlend(false, level);
}

void TForm3::CheckBox4Click() {
  main_.SetStayOnTop(CheckBox4.Checked());
  // The main window now heads the stay-on-top windows; this window, in use, stays above it.
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm3::CheckBox1Click() { main_.SetRememberPosition(CheckBox1.Checked()); }

// Exits that come once the window is closing have nothing to check any more.
void TForm3::Edit1Exit() {
  if (Closing()) return;
  const IntervalCheck check = CheckIntervalField(win::Narrow(Edit1.Text()));
  ShowChecked(Edit1, check.invalid, check.replacement);
  main_.RestartRefreshTimer(check.intervalMs);
  SetFieldColor(Edit1, Colours().fieldText);
}

void TForm3::Edit2Exit() {
  if (Closing()) return;
  const OpacityCheck check = CheckOpacityField(win::Narrow(Edit2.Text()));
  ShowChecked(Edit2, check.invalid, check.replacement);
  main_.SetAlphaBlend(main_.OptionsState().settings.alphaBlend, check.alpha);
  SetFieldColor(Edit2, Colours().fieldText);
}

// A field that is not a number is reported and takes the focus back; either way it shows the
// text its check settled on.
void TForm3::ShowChecked(win::NumberField& field, bool invalid, const std::optional<std::string>& replacement) {
  if (invalid) {
    services_.system.ShowMessageBox(Handle(), win::Widen(kInvalidNumberText), win::Widen(kInvalidNumberCaption),
                                    MB_OK | MB_ICONERROR);
  }
  if (replacement) field.SetText(win::Widen(*replacement));
  if (invalid) SetFocus(field.Handle());
}

// The spinner turned takes the other to the fewest lines that hold every tile.
void TForm3::GridSpun(bool columnsTurned) {
  const std::int32_t driveCount = main_.OptionsState().driveCount;
  if (driveCount <= 0) return;
  const std::int32_t turned = (columnsTurned ? UpDown1 : UpDown2).Position();
  const std::int32_t other = OtherSideFor(turned, driveCount);
  (columnsTurned ? UpDown2 : UpDown1).SetPosition(other);
  const std::int32_t columns = columnsTurned ? turned : other;
  const std::int32_t rows = columnsTurned ? other : turned;
  Label3->SetText(std::to_wstring(columns));
  Label4->SetText(std::to_wstring(rows));
  main_.SetGrid(columns, rows);
}

void TForm3::ComboBox1Change() {
  const int item = ComboBox1.Selected();
  if (!DisplayModeEffectFor(item)) return;  // nothing selected
  main_.ChooseDisplayMode(static_cast<std::uint8_t>(item));
}

void TForm3::Image1Click() {
  OptionsRecord values;
  // Both numbers first: a field that is not a number stops the save before anything is written.
  values.alpha = FieldNumber(win::Narrow(Edit2.Text()));
  values.intervalSeconds = FieldNumber(win::Narrow(Edit1.Text()));
  values.alphaBlend = CheckBox3.Checked();
  values.onTop = CheckBox4.Checked();
  values.rememberPosition = CheckBox1.Checked();
  values.displayMode = ComboBox1.Selected();
  values.gridColumns = UpDown1.Position();
  values.gridRows = UpDown2.Position();
  values.autoRefresh = CheckBox2.Checked();

  if (!ApplyRegistration(services_.runKeys, services_.executablePath, CheckBox5.Checked())) {
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

void TForm3::PaintOver(HDC dc) const {
  if (Image1Focus) Image1Focus->PaintFocus(dc);
}

}  // namespace wolumetr
