// The Options window in-process: its look, how it fills from and acts on the main window, the
// number fields, the spinners, the display-mode list and the save with the Run-key value.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "display/grid_layout.h"
#include "saved_options.h"
#include "settings/options_form.h"
#include "settings/run_registration.h"
#include "win/application.h"
#include "win/com_ref.h"
#include "win/text.h"
#include "win_test_support.h"

namespace wolumetr::test {
namespace {

const wchar_t* const kRunPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kExe[] = "C:\\Program Files\\Wolumetr test\\wolumetr.exe";
const char kQuotedExe[] = "\"C:\\Program Files\\Wolumetr test\\wolumetr.exe\"";

// The "Wolumetr" value of a hive, as a string; "<type N>" for another type; nullopt when absent.
std::optional<std::string> RunValueOf(HKEY hive) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegGetValueW(hive, kRunPath, L"Wolumetr", RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (type != REG_SZ) return "<type " + std::to_string(type) + ">";
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  RegGetValueW(hive, kRunPath, L"Wolumetr", RRF_RT_REG_SZ, nullptr, data.data(), &size);
  data.resize(wcslen(data.c_str()));
  return win::Narrow(data);
}

void SetRunValue(HKEY hive, const std::string& data) {
  const std::wstring wide = win::Widen(data);
  RegSetKeyValueW(hive, kRunPath, L"Wolumetr", REG_SZ, wide.c_str(),
                  static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

void RemoveRunValue(HKEY hive) { RegDeleteKeyValueW(hive, kRunPath, L"Wolumetr"); }

const wchar_t* const kApprovedPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
// Task Manager's switch for the user's entry: 3 disabled, 2 enabled, then a time stamp.
void SetApproval(BYTE first) {
  const BYTE bytes[12] = {first};
  RegSetKeyValueW(HKEY_CURRENT_USER, kApprovedPath, L"Wolumetr", REG_BINARY, bytes, sizeof bytes);
}

// Both hives' values as they were before the test, put back after it.
class RunValueSandbox {
 public:
  RunValueSandbox() : machine_(RunValueOf(HKEY_LOCAL_MACHINE)), user_(RunValueOf(HKEY_CURRENT_USER)) {
    RegCreateKeyExW(HKEY_CURRENT_USER, kRunPath, 0, nullptr, 0, KEY_READ, nullptr, &userKey_, nullptr);
    RemoveRunValue(HKEY_LOCAL_MACHINE);
    RemoveRunValue(HKEY_CURRENT_USER);
  }
  ~RunValueSandbox() {
    Restore(HKEY_LOCAL_MACHINE, machine_);
    Restore(HKEY_CURRENT_USER, user_);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kApprovedPath, L"Wolumetr");
    if (userKey_ != nullptr) RegCloseKey(userKey_);
  }
  RunValueSandbox(const RunValueSandbox&) = delete;
  RunValueSandbox& operator=(const RunValueSandbox&) = delete;

 private:
  static void Restore(HKEY hive, const std::optional<std::string>& value) {
    RemoveRunValue(hive);
    if (value && value->rfind("<type", 0) != 0) SetRunValue(hive, *value);
  }
  std::optional<std::string> machine_, user_;
  HKEY userKey_ = nullptr;
};

// The real registry, with the machine's key closed to writing (a user without administrator
// rights), or with keys that refuse values.
class RestrictedRunKeys final : public RunKeyRegistry {
 public:
  bool denyMachine = true;
  bool denyUser = false;
  bool refuseValues = false;

  std::unique_ptr<RunKey> Open(RunHive hive, bool forWriting) override {
    if (forWriting && ((hive == RunHive::LocalMachine && denyMachine) || (hive == RunHive::CurrentUser && denyUser))) {
      return nullptr;
    }
    auto key = real_.Open(hive, forWriting);
    if (key && refuseValues) return std::make_unique<Refusing>(std::move(key));
    return key;
  }

 private:
  class Refusing final : public RunKey {
   public:
    explicit Refusing(std::unique_ptr<RunKey> key) : key_(std::move(key)) {}
    RunValue Read(const std::string& name) override { return key_->Read(name); }
    bool Write(const std::string&, const std::string&) override { return false; }
    bool Remove(const std::string& name) override { return key_->Remove(name); }

   private:
    std::unique_ptr<RunKey> key_;
  };
  win::SystemRunKeys real_;
};

void ClickSavePicture(TForm3& f) { Click(f.Handle(), POINT{f.Image1->Left() + 7, f.Image1->Top() + 7}); }

// A real click on one of an up-down control's arrows.
void ClickArrow(HWND upDown, bool up) {
  RECT r;
  GetClientRect(upDown, &r);
  Click(upDown, POINT{r.right / 2, up ? 3 : r.bottom - 3});
  Pump(20);
}

void Type(win::NumberField& field, const std::wstring& text) {
  field.SetText(text);
  SendMessageW(field.Handle(), WM_CHAR, L'\r', 0);
}

// The text colour a field is painted in: the window's answer to the field's WM_CTLCOLOREDIT.
COLORREF PaintedText(const TForm3& f, const win::NumberField& field) {
  const win::MemoryDc dc(CreateCompatibleDC(nullptr));
  SendMessageW(f.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()),
               reinterpret_cast<LPARAM>(field.Handle()));
  return GetTextColor(dc.get());
}

RECT ClientRect(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return client;
}

class OptionsWindow : public ::testing::Test, protected MainWindowFixture {
 protected:
  void SetUp() override {
    for (std::uint8_t d = 3; d <= 8; ++d) drives.drives[d] = {400, 1000, "Dysk"};
  }
  void TearDown() override {
    options.reset();
    form.reset();
  }

  TForm3& Open(RunKeyRegistry& keys, int dpi = 0) {
    options = std::make_unique<TForm3>(host, *form,
                                       OptionsServices{keys, kExe, store, form->SettingsPath(), TestSystem(), dpi});
    return *options;
  }
  TForm3& Open() { return Open(systemKeys); }

  std::string SavedSettings() const { return Settings().value_or("<no file>"); }

  RecordingHost host;
  RunValueSandbox sandbox;
  win::SystemRunKeys systemKeys;
  std::unique_ptr<TForm3> options;
  // The "not a number" boxes.
  const std::vector<BoxCall>& boxes = TestSystem().boxes;
};

TEST_F(OptionsWindow, LooksAsDesigned) {
  Start();
  TForm3& f = Open();
  HWND w = f.Handle();
  EXPECT_EQ(f.Width(), 370);
  EXPECT_EQ(f.Height(), 319);
  EXPECT_EQ(ClientRect(w).right, 370);
  EXPECT_EQ(ClientRect(w).bottom, 319);
  EXPECT_EQ(f.Left(), (1280 - 370) / 2);
  EXPECT_EQ(f.Top(), (1024 - 319) / 2);
  EXPECT_FALSE(GetWindowLongPtrW(w, GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_SYSMENU));
  EXPECT_TRUE(ExStyle(w) & WS_EX_LAYERED);
  EXPECT_TRUE(ExStyle(w) & WS_EX_TOPMOST);
  EXPECT_EQ(Alpha(w), 190);
  EXPECT_EQ(GetWindow(w, GW_OWNER), Taskbar());
  wchar_t title[16];
  GetWindowTextW(w, title, 16);
  EXPECT_STREQ(title, L"opcje");

  // Controls in tab order, each at its place, named for screen readers by the caption beside it.
  const struct {
    HWND control;
    RECT place;
    const wchar_t* name;
  } controls[] = {
      // clang-format off
      {f.CheckBox2.Handle(), {34, 16, 51, 33},     L"Autoodświerzanie (w sek)"},
      {f.Edit1.Handle(),     {80, 37, 129, 58},    L"Autoodświerzanie (w sek)"},
      {f.CheckBox3.Handle(), {211, 17, 227, 34},   L"Półprzezroczyste okno"},
      {f.Edit2.Handle(),     {256, 37, 305, 58},   L"Półprzezroczyste okno"},
      {f.CheckBox4.Handle(), {34, 90, 50, 107},    L"Zawsze na wierzchu"},
      {f.CheckBox1.Handle(), {211, 90, 227, 107},  L"Zapamiętaj położenie"},
      {f.CheckBox5.Handle(), {80, 140, 96, 157},   L"Uruchamiaj program przy starcie systemu"},
      {f.UpDown1.Handle(),   {121, 211, 137, 235}, L"Ilość kolumn"},
      {f.UpDown2.Handle(),   {201, 211, 217, 235}, L"Ilość rzędów"},
      {f.ComboBox1.Handle(), {113, 275, 264, 296}, L"Sposób wyświetlania programu"},
      // clang-format on
      // Last, the save picture's stand-in: of no size, at the picture.
      {f.Image1Focus->Handle(), {345, 290, 345, 290}, nullptr},
  };
  HWND child = GetWindow(w, GW_CHILD);
  for (const auto& c : controls) {
    while (child != nullptr && !(GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP))
      child = GetWindow(child, GW_HWNDNEXT);
    EXPECT_EQ(child, c.control) << "tab order at control " << GetDlgCtrlID(c.control);
    const RECT r = ChildRect(w, c.control);
    EXPECT_TRUE(EqualRect(&r, &c.place)) << GetDlgCtrlID(c.control) << ": " << r.left << "," << r.top << " "
                                         << r.right - r.left << "x" << r.bottom - r.top;
    if (c.name != nullptr) {
      EXPECT_EQ(ScreenReaderName(c.control), c.name);
    }
    child = child != nullptr ? GetWindow(child, GW_HWNDNEXT) : nullptr;
  }
  for (const win::CheckBox* box : {&f.CheckBox2, &f.CheckBox3, &f.CheckBox4, &f.CheckBox1, &f.CheckBox5}) {
    EXPECT_EQ(box->Text(), L"") << "no caption";
  }
  for (const win::NumberField* field : {&f.Edit1, &f.Edit2}) {
    EXPECT_FALSE(GetWindowLongPtrW(field->Handle(), GWL_STYLE) & WS_BORDER);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(field->Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"Arial");
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(PaintedText(f, *field), win::ColorRef(colours::kYellow));
  }
  EXPECT_EQ(SendMessageW(f.Edit2.Handle(), EM_GETLIMITTEXT, 0, 0), 3);
  EXPECT_GT(SendMessageW(f.Edit1.Handle(), EM_GETLIMITTEXT, 0, 0), 1000);
  EXPECT_TRUE(GetWindowLongPtrW(f.ComboBox1.Handle(), GWL_STYLE) & CBS_DROPDOWNLIST);
  ASSERT_EQ(SendMessageW(f.ComboBox1.Handle(), CB_GETCOUNT, 0, 0), 3);
  const wchar_t* const items[] = {L"Tylko na pasku tray", L"Tylko na pasku zadań", L"Na pasku tray i pasku zadań"};
  for (int i = 0; i < 3; ++i) {
    wchar_t text[64];
    SendMessageW(f.ComboBox1.Handle(), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, items[i]);
  }

  const struct {
    const win::Label* label;
    int left, top;
    const wchar_t* text;
  } labels[] = {
      {f.Label6.get(), 51, 18, L"Autoodświerzanie (w sek)"},
      {f.Label7.get(), 227, 18, L"Półprzezroczyste okno"},
      {f.Label10.get(), 51, 91, L"Zawsze na wierzchu"},
      {f.Label9.get(), 227, 92, L"Zapamiętaj położenie"},
      {f.Label8.get(), 102, 141, L"Uruchamiaj program przy starcie systemu"},
      {f.Label95.get(), 145, 174, L"Widok dysków :"},
      {f.Label1.get(), 113, 195, L"Ilość kolumn :"},
      {f.Label2.get(), 193, 195, L"Ilość rzędów :"},
      {f.Label3.get(), 145, 216, nullptr},
      {f.Label4.get(), 225, 216, nullptr},
      {f.Label11.get(), 113, 256, L"Sposób wyświetlania programu :"},
  };
  for (const auto& l : labels) {
    EXPECT_EQ(l.label->Left(), l.left);
    EXPECT_EQ(l.label->Top(), l.top);
    if (l.text != nullptr) {
      EXPECT_EQ(l.label->Text(), l.text);
    }
    EXPECT_EQ(l.label->Color(), RGB(255, 255, 0));
    EXPECT_FALSE(l.label->onClick);
  }
  EXPECT_EQ(f.Image1->Left(), 345);
  EXPECT_EQ(f.Image1->Top(), 290);
  EXPECT_EQ(f.Image1->Width(), 14);
  EXPECT_EQ(f.Image1->Height(), 14);
  EXPECT_TRUE(f.Image1->handCursor);
  EXPECT_EQ(f.Image1->hint, L"Zapisz zmiany i zamknij ustawienia");
  EXPECT_EQ(f.Image1->PixelAt(13, 0), CLR_INVALID) << "transparent corner";
  EXPECT_NE(f.Image1->PixelAt(0, 13), CLR_INVALID);
}

// Every control with a size, every caption and the save picture, with their places.
std::vector<Placed> Layout(const TForm3& f) {
  std::vector<Placed> placed;
  for (HWND child = GetWindow(f.Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const RECT r = ChildRect(f.Handle(), child);
    if (!IsRectEmpty(&r)) placed.push_back({"control " + std::to_string(GetDlgCtrlID(child)), r});
  }
  for (const win::GraphicControl* control : f.Panel1.Controls()) {
    const auto* label = dynamic_cast<const win::Label*>(control);
    placed.push_back(
        {label != nullptr ? win::Narrow(label->Text()) : "save picture", control->Bounds(), label != nullptr});
  }
  return placed;
}

TEST_F(OptionsWindow, OpensAtTheMainWindowsScaleWithItsCaptionsApartAndFollowsAMoveAndBack) {
  Start();
  const std::vector<Placed> design = Layout(Open());
  ExpectApart(design, ClientRect(options->Handle()));
  // The window's sizes are the layout's, tested with it; the captions are as wide as the fonts make them.
  for (const int dpi : {120, 192, 144}) {
    SCOPED_TRACE(dpi);
    TForm3& f = Open(systemKeys, dpi);
    ExpectScaledFrom(design, Layout(f), dpi);
    ExpectApart(Layout(f), ClientRect(f.Handle()));
  }
  TForm3& scaled = *options;
  EXPECT_EQ(scaled.Left(), (1280 - scaled.Width()) / 2);
  LOGFONTW field{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(scaled.Edit1.Handle(), WM_GETFONT, 0, 0)), sizeof field, &field);
  EXPECT_EQ(field.lfHeight, -MulDiv(10, 144, 72));
  // The picture drawn for the scale, its corners as sharp as at 96.
  EXPECT_EQ(scaled.Image1->PixelAt(scaled.Image1->Width() - 1, 0), CLR_INVALID) << "transparent corner";
  EXPECT_EQ(scaled.Image1->PixelAt(0, scaled.Image1->Height() - 1), win::ColorRef(colours::kTeal));

  const std::vector<Placed> at144 = Layout(scaled);
  TForm3& f = Open();
  ExpectDpiRoundTrip(
      f, [&f] { return Layout(f); }, 144, Size{555, 479}, at144);
}

TEST_F(OptionsWindow, FillsItsControlsFromTheMainWindow) {
  // Main window state as start-up left it.
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\nDysk3=E:\\\r\n");
  TForm1& m = Start();
  {
    TForm3& f = Open();
    EXPECT_TRUE(f.CheckBox2.Checked());
    EXPECT_TRUE(IsWindowEnabled(f.Edit1.Handle()));
    EXPECT_EQ(f.Edit1.Text(), L"5");
    EXPECT_TRUE(f.CheckBox3.Checked());
    EXPECT_EQ(f.Edit2.Text(), L"190");
    EXPECT_FALSE(f.CheckBox4.Checked());
    EXPECT_FALSE(f.CheckBox1.Checked());
    EXPECT_FALSE(f.CheckBox5.Checked());
    EXPECT_EQ(f.UpDown1.Position(), 3);
    EXPECT_EQ(f.UpDown2.Position(), 1);
    EXPECT_EQ(f.Label3->Text(), L"3");
    EXPECT_EQ(f.Label4->Text(), L"1");
    int low = 0, high = 0;
    SendMessageW(f.UpDown1.Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 1);
    EXPECT_EQ(high, 3);
    EXPECT_EQ(f.ComboBox1.Selected(), 0);
    options.reset();
  }
  // Everything changed, and a grid wider than the tiles.
  m.SetAlphaBlend(false, 100);
  m.SetAutoRefresh(false);
  m.Timer1->SetInterval(7999);
  m.SetStayOnTop(true);
  m.RememberPosition = true;
  m.GridColumns = 10;
  m.DisplayMode = 2;
  SetRunValue(HKEY_LOCAL_MACHINE, kQuotedExe);
  {
    TForm3& f = Open();
    EXPECT_FALSE(f.CheckBox2.Checked());
    EXPECT_FALSE(IsWindowEnabled(f.Edit1.Handle()));
    EXPECT_EQ(f.Edit1.Text(), L"7");
    EXPECT_FALSE(f.CheckBox3.Checked());
    EXPECT_FALSE(IsWindowEnabled(f.Edit2.Handle()));
    EXPECT_EQ(f.Edit2.Text(), L"190") << "whatever the main window's level";
    EXPECT_TRUE(f.CheckBox4.Checked());
    EXPECT_TRUE(f.CheckBox1.Checked());
    EXPECT_TRUE(f.CheckBox5.Checked());
    EXPECT_EQ(f.Label3->Text(), L"10");
    EXPECT_EQ(f.UpDown1.Position(), 3) << "the spinner stops at its limit";
    EXPECT_EQ(f.ComboBox1.Selected(), 2);
    options.reset();
  }
  // A mode outside the list, the user's own registration, and another copy's machine entry.
  m.DisplayMode = 3;
  m.SetAlphaBlend(true, 77);
  SetRunValue(HKEY_LOCAL_MACHINE, "D:\\Inny\\wolumetr.exe");
  SetRunValue(HKEY_CURRENT_USER, kExe);
  {
    TForm3& f = Open();
    EXPECT_EQ(f.ComboBox1.Selected(), CB_ERR);
    EXPECT_EQ(f.Edit2.Text(), L"77");
    EXPECT_TRUE(f.CheckBox5.Checked());
    options.reset();
  }
  // The user's own form of the command, and the entry switched off in Task Manager.
  SetRunValue(HKEY_CURRENT_USER, "\"%ProgramFiles%\\Wolumetr test\\WOLUMETR.exe\" /min");
  for (const BYTE approval : {2, 3}) {
    SetApproval(approval);
    TForm3& f = Open();
    EXPECT_EQ(f.CheckBox5.Checked(), approval == 2) << int{approval};
    options.reset();
  }
  RemoveRunValue(HKEY_CURRENT_USER);
  TForm3& f = Open();
  EXPECT_FALSE(f.CheckBox5.Checked()) << "another copy's entry leaves the box clear";
}

TEST_F(OptionsWindow, TickHandlersActOnTheMainWindowAtOnce) {
  TForm1& m = Start();
  ShowWindow(m.Handle(), SW_SHOWNA);
  TForm3& f = Open();
  for (const bool autoRefresh : {false, true}) {  // the box starts ticked
    ValidateRect(m.Handle(), nullptr);
    SendMessageW(f.CheckBox2.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(m.Timer1->Enabled(), autoRefresh);
    EXPECT_EQ(m.Image3->Visible(), !autoRefresh);
    EXPECT_TRUE(RepaintQueued(m.Handle(), m.Image3->Bounds())) << "the refresh caption shown or hidden is painted";
    EXPECT_EQ(m.PopupMenu1.Item(kOdwierz1).visible, !autoRefresh);
    EXPECT_EQ(IsWindowEnabled(f.Edit1.Handle()) != FALSE, autoRefresh);
  }

  SendMessageW(f.CheckBox3.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(ExStyle(m.Handle()) & WS_EX_LAYERED);
  EXPECT_FALSE(IsWindowEnabled(f.Edit2.Handle()));
  SendMessageW(f.CheckBox3.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(ExStyle(m.Handle()) & WS_EX_LAYERED);
  EXPECT_TRUE(IsWindowEnabled(f.Edit2.Handle()));

  SendMessageW(f.CheckBox4.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(ExStyle(m.Handle()) & WS_EX_TOPMOST);
  EXPECT_TRUE(ExStyle(f.Handle()) & WS_EX_TOPMOST);
  bool optionsAbove = false;
  for (HWND above = GetWindow(m.Handle(), GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV)) {
    optionsAbove = optionsAbove || above == f.Handle();
  }
  EXPECT_TRUE(optionsAbove) << "the window in use stays above the main window";
  SendMessageW(f.CheckBox4.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(ExStyle(m.Handle()) & WS_EX_TOPMOST);

  SendMessageW(f.CheckBox1.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(m.RememberPosition);
  SendMessageW(f.CheckBox1.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(m.RememberPosition);

  // The start-with-system box acts only at the save.
  SendMessageW(f.CheckBox5.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(f.CheckBox5.Checked());
  EXPECT_EQ(RunValueOf(HKEY_CURRENT_USER), std::nullopt);
}

TEST_F(OptionsWindow, IntervalFieldIsCheckedOnEnter) {
  TForm1& m = Start();
  TForm3& f = Open();
  const struct {
    const wchar_t* typed;
    const wchar_t* shown;
    std::uint32_t interval;
    size_t boxes;
  } cases[] = {{L"12", L"12", 12000, 0}, {L"0", L"60", 60000, 0}, {L"abc", L"60", 60000, 1}};
  for (const auto& c : cases) {
    m.Timer1->SetEnabled(false);
    Type(f.Edit1, c.typed);
    EXPECT_EQ(f.Edit1.Text(), c.shown) << c.typed;
    EXPECT_EQ(m.Timer1->Interval(), c.interval) << c.typed;
    EXPECT_TRUE(m.Timer1->Running()) << "the check always starts the timer";
    EXPECT_EQ(boxes.size(), c.boxes) << c.typed;
    EXPECT_EQ(PaintedText(f, f.Edit1), win::ColorRef(colours::kYellow));
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, L"Nieprawidlowa liczba w polu");
  EXPECT_EQ(boxes[0].caption, L"Blad");
  EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

TEST_F(OptionsWindow, OpacityFieldIsCheckedOnEnter) {
  TForm1& m = Start();
  TForm3& f = Open();
  const struct {
    const wchar_t* typed;
    const wchar_t* shown;
    int alpha;
  } cases[] = {{L"300", L"255", 255}, {L"-1", L"-1", 255}, {L"abc", L"190", 190}};
  for (const auto& c : cases) {
    Type(f.Edit2, c.typed);
    EXPECT_EQ(f.Edit2.Text(), c.shown) << c.typed;
    EXPECT_EQ(Alpha(m.Handle()), c.alpha) << c.typed;
    EXPECT_TRUE(m.AlphaBlend());
  }
  EXPECT_EQ(boxes.size(), 1u);
  // 0 makes the main window invisible; clearing and ticking the box again leaves it opaque.
  Type(f.Edit2, L"0");
  EXPECT_TRUE(ExStyle(m.Handle()) & WS_EX_LAYERED);
  EXPECT_EQ(Alpha(m.Handle()), 0);
  SendMessageW(f.CheckBox3.Handle(), BM_CLICK, 0, 0);
  SendMessageW(f.CheckBox3.Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(m.AlphaBlend());
  EXPECT_FALSE(ExStyle(m.Handle()) & WS_EX_LAYERED);
  // Semi-transparency off at opening: the field shows 190, ticking keeps the main window's level,
  // and the save stores the field's.
  options.reset();
  m.SetAlphaBlend(false, 60);
  TForm3& g = Open();
  SendMessageW(g.CheckBox3.Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(m.AlphaBlend());
  EXPECT_EQ(Alpha(m.Handle()), 60);
  EXPECT_EQ(g.Edit2.Text(), L"190");
  ClickSavePicture(g);
  EXPECT_NE(SavedSettings().find("Przezroczystosc=1\r\nPoziomprzezr=190\r\n"), std::string::npos) << SavedSettings();
}

TEST_F(OptionsWindow, FieldsTurnWhiteWhileFocusedAndAreCheckedWhenLeftForAnotherControl) {
  TForm1& m = Start();
  m.SetVisible(true);
  TForm3& f = Open();
  f.SetVisible(true);
  SetForegroundWindow(f.Handle());
  Pump(50);
  SetFocus(f.Edit1.Handle());
  EXPECT_EQ(PaintedText(f, f.Edit1), win::ColorRef(colours::kWhite));
  f.Edit1.SetText(L"abc");
  SetFocus(f.CheckBox3.Handle());
  Pump(50);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(f.Edit1.Text(), L"60");
  EXPECT_EQ(GetFocus(), f.Edit1.Handle()) << "the focus goes back to the field";
  EXPECT_EQ(PaintedText(f, f.Edit1), win::ColorRef(colours::kYellow));
  EXPECT_EQ(m.Timer1->Interval(), 60000u);

  // Leaving while clearing automatic refresh: the field's check runs first, then the box stops the timer.
  f.Edit1.SetText(L"9");
  SetFocus(f.CheckBox2.Handle());
  Pump(50);
  EXPECT_EQ(m.Timer1->Interval(), 9000u);
  SendMessageW(f.CheckBox2.Handle(), BM_CLICK, 0, 0);
  Pump(50);
  EXPECT_FALSE(m.Timer1->Enabled());

  // Enter in the opacity field checks it and leaves the focus there.
  SetFocus(f.Edit2.Handle());
  f.Edit2.SetText(L"999");
  SendMessageW(f.Edit2.Handle(), EM_SETSEL, 3, 3);
  MSG enter{f.Edit2.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_TRUE(SendMessageW(f.Edit2.Handle(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
              DLGC_WANTMESSAGE);
  SendMessageW(f.Edit2.Handle(), WM_CHAR, L'\r', 0);
  EXPECT_EQ(f.Edit2.Text(), L"255");
  EXPECT_EQ(GetFocus(), f.Edit2.Handle());
  EXPECT_EQ(Alpha(m.Handle()), 255);
  EXPECT_EQ(boxes.size(), 1u);

  // Switching to another program (the focus goes to another thread's window: no handle here)
  // is no exit from the field: a half-typed number is not checked.
  f.Edit2.SetText(L"x");
  SendMessageW(f.Edit2.Handle(), WM_KILLFOCUS, 0, 0);
  Pump(50);
  EXPECT_EQ(boxes.size(), 1u);
  EXPECT_EQ(f.Edit2.Text(), L"x");
}

TEST_F(OptionsWindow, SpinnersKeepTheGridJustLargeEnough) {
  WriteSettings(
      "[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\nDysk3=E:\\\r\nDysk4=F:\\\r\n"
      "[Program]\r\nIlosc kolumn=4\r\nIlosc wierszy=1\r\n");
  TForm1& m = Start();
  TForm3& f = Open();
  ClickArrow(f.UpDown1.Handle(), false);
  EXPECT_EQ(f.UpDown1.Position(), 3);
  EXPECT_EQ(f.Label3->Text(), L"3");
  EXPECT_EQ(f.UpDown2.Position(), 2);
  EXPECT_EQ(f.Label4->Text(), L"2");
  EXPECT_EQ(m.GridColumns, 3);
  EXPECT_EQ(m.GridRows, 2);
  const Size threeByTwo = WindowSizeFor(Grid{3, 2});
  EXPECT_EQ(m.Width(), threeByTwo.width);
  EXPECT_EQ(m.Height(), threeByTwo.height);
  ClickArrow(f.UpDown2.Handle(), true);
  EXPECT_EQ(f.UpDown2.Position(), 3);
  EXPECT_EQ(m.GridRows, 3);
  EXPECT_EQ(m.GridColumns, 2) << "3x3 leaves a whole column spare";
  EXPECT_EQ(f.Label3->Text(), L"2");
  EXPECT_EQ(m.Width(), WindowSizeFor(Grid{2, 3}).width);
  // The arrow keys turn a spinner that has the focus.
  f.SetVisible(true);
  SetFocus(f.UpDown1.Handle());
  MSG down{f.UpDown1.Handle(), WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
  win::Application::Instance().Dispatch(down);
  Pump(20);
  EXPECT_EQ(f.UpDown1.Position(), 1);
  EXPECT_EQ(m.GridColumns, 1);
  EXPECT_EQ(m.GridRows, 4);
  SendMessageW(f.UpDown1.Handle(), WM_KEYUP, VK_DOWN, 0);
  ClickArrow(f.UpDown1.Handle(), true);
  EXPECT_EQ(m.GridColumns, 2);
  // At the top of the range the spinner stays at the drive count.
  for (int i = 0; i < 3; ++i) ClickArrow(f.UpDown2.Handle(), true);
  EXPECT_EQ(f.UpDown2.Position(), 4);
  EXPECT_EQ(m.GridColumns, 1);
  EXPECT_EQ(m.GridRows, 4);
}

TEST_F(OptionsWindow, SpinnersWithOneOrNoDrive) {
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\n");
  TForm1& m = Start();
  {
    TForm3& f = Open();
    ClickArrow(f.UpDown1.Handle(), true);
    ClickArrow(f.UpDown2.Handle(), true);
    EXPECT_EQ(f.UpDown1.Position(), 1);
    EXPECT_EQ(f.UpDown2.Position(), 1);
    EXPECT_EQ(m.GridColumns, 1);
    EXPECT_EQ(m.GridRows, 1);
    options.reset();
  }
  form.reset();
  WriteSettings("[Program]\r\nIlosc kolumn=5\r\n");
  TForm1& empty = Start();
  TForm3& f = Open();
  ClickArrow(f.UpDown1.Handle(), true);
  ClickArrow(f.UpDown2.Handle(), true);
  EXPECT_EQ(empty.GridColumns, 5) << "without tiles the spinners change nothing";
  EXPECT_EQ(f.Label3->Text(), L"5");
}

TEST_F(OptionsWindow, DisplayModeListActsAtOnce) {
  TForm1& m = Start();
  m.SetVisible(true);
  TForm3& f = Open();
  f.SetVisible(true);
  HWND taskbar = Taskbar();
  SetFocus(f.ComboBox1.Handle());
  SendMessageW(f.ComboBox1.Handle(), WM_KEYDOWN, VK_DOWN, 0);  // to "Tylko na pasku zadań"
  EXPECT_EQ(f.ComboBox1.Selected(), 1);
  EXPECT_TRUE(IsWindowVisible(taskbar));
  EXPECT_FALSE(m.TrayIcon1->Visible());
  EXPECT_EQ(m.DisplayMode, 1);
  EXPECT_EQ(GetForegroundWindow(), f.Handle()) << "the list keeps the focus";
  SendMessageW(f.ComboBox1.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_TRUE(IsWindowVisible(taskbar));
  EXPECT_TRUE(m.TrayIcon1->Visible());
  EXPECT_EQ(m.DisplayMode, 2);
  SendMessageW(f.ComboBox1.Handle(), WM_KEYDOWN, VK_HOME, 0);
  EXPECT_FALSE(IsWindowVisible(taskbar));
  EXPECT_TRUE(m.TrayIcon1->Visible());
  EXPECT_EQ(m.DisplayMode, 0);
  EXPECT_FALSE(Settings().has_value()) << "nothing is stored before the save";

  // A refused tray icon: the error is shown and the mode stays as it was.
  SendMessageW(f.ComboBox1.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  ASSERT_EQ(m.DisplayMode, 1);
  ErrorRecorder errors;
  TestSystem().notifyIcon = [](DWORD, NOTIFYICONDATAW&) -> BOOL { return FALSE; };
  SendMessageW(f.ComboBox1.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  TestSystem().notifyIcon = nullptr;
  ASSERT_EQ(errors.messages.size(), 1u);
  EXPECT_EQ(errors.messages[0], "Cannot create shell notification icon.");
  EXPECT_EQ(m.DisplayMode, 1);
}

TEST_F(OptionsWindow, SaveStoresItsKeysRegistersAndCloses) {
  WriteSettings("; mine\r\n[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\n");
  TForm1& m = Start();
  m.SetPosition(412, 300);
  {
    TForm3& f = Open();
    SendMessageW(f.CheckBox5.Handle(), BM_CLICK, 0, 0);
    SendMessageW(f.CheckBox4.Handle(), BM_CLICK, 0, 0);
    f.Edit1.SetText(L"$10");  // typed, never checked: stored as read, not applied
    ClickSavePicture(f);
    EXPECT_TRUE(host.Ended(f));
    OptionsRecord saved = ExampleOptions();
    saved.onTop = true;
    saved.intervalSeconds = 16;
    EXPECT_EQ(SavedSettings(), "; mine\r\n[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\n" + SavedOptionsText(saved));
    EXPECT_EQ(m.Timer1->Interval(), 5000u);
    EXPECT_EQ(RunValueOf(HKEY_CURRENT_USER), kQuotedExe) << "per user only";
    EXPECT_EQ(RunValueOf(HKEY_LOCAL_MACHINE), std::nullopt) << "never machine-wide, though the key is writable";
    options.reset();
  }
  // The next opening finds the registration; saving with the box clear removes it.
  TForm3& f = Open();
  EXPECT_TRUE(f.CheckBox5.Checked());
  SendMessageW(f.CheckBox5.Handle(), BM_CLICK, 0, 0);
  ClickSavePicture(f);
  EXPECT_EQ(RunValueOf(HKEY_CURRENT_USER), std::nullopt);
}

TEST_F(OptionsWindow, KeyboardAloneTogglesSavesAndCloses) {
  Start();
  enum Focus { box, picture, list, field, spinner };
  const struct {
    Focus focus;
    WPARAM key;
    bool saved, closed, toggled;
  } cases[] = {
      {box, VK_SPACE, false, false, true},     {box, VK_RETURN, true, true, false},
      {picture, VK_RETURN, true, true, false}, {picture, VK_SPACE, true, true, false},
      {list, VK_RETURN, true, true, false},    {field, VK_RETURN, false, false, false},
      {field, VK_ESCAPE, false, true, false},  {spinner, VK_ESCAPE, false, true, false},
  };
  for (const auto& c : cases) {
    DeleteFileW(folder.File(L"wolumetr.ini").c_str());
    TForm3& f = Open();
    f.SetVisible(true);
    const HWND controls[] = {f.CheckBox4.Handle(), f.Image1Focus->Handle(), f.ComboBox1.Handle(), f.Edit1.Handle(),
                             f.UpDown1.Handle()};
    HWND focus = controls[c.focus];
    SetFocus(focus);
    const bool onTop = f.CheckBox4.Checked();
    PressKey(f.Handle(), c.key);
    const std::string what = std::to_string(GetDlgCtrlID(focus)) + " key " + std::to_string(c.key);
    EXPECT_EQ(Settings().has_value(), c.saved) << what;
    EXPECT_EQ(host.Ended(f), c.closed) << what;
    EXPECT_EQ(f.CheckBox4.Checked() != onTop, c.toggled) << what;
    options.reset();
  }
}

// Each control's name is checked with its place (LooksAsDesigned).
TEST_F(OptionsWindow, ScreenReadersCanPressTheSavePicture) {
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\n");
  Start();
  TForm3& f = Open();
  const win::ComRef<IAccessible> object = f.AccessibleObject();
  ASSERT_TRUE(object);
  long count = 0;
  EXPECT_EQ(object->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 1 + ChildWindowCount(f.Handle())) << "the picture, then the controls as the system has them";
  const Spoken save = Ask(*object.get(), 1);
  EXPECT_EQ(save.role, ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(save.name, L"Zapisz zmiany i zamknij ustawienia");
  EXPECT_EQ(save.action, L"Naciśnij");
  ASSERT_EQ(object->accDoDefaultAction(Child(1)), S_OK);
  EXPECT_FALSE(host.Ended(f)) << "run later, from the window's loop";
  Pump(50);
  EXPECT_TRUE(host.Ended(f));
  EXPECT_NE(SavedSettings().find("Autoodswierzanie=1"), std::string::npos);
}

TEST_F(OptionsWindow, SaveWithAFieldThatIsNotANumberWritesNothing) {
  Start();
  TForm3& f = Open();
  SendMessageW(f.CheckBox5.Handle(), BM_CLICK, 0, 0);
  ErrorRecorder errors;
  f.Edit1.SetText(L"5 s");
  ClickSavePicture(f);
  f.Edit1.SetText(L"5");
  f.Edit2.SetText(L"x");
  ClickSavePicture(f);
  const std::vector<std::string> expected{"'5 s' is not a valid integer value.", "'x' is not a valid integer value."};
  EXPECT_EQ(errors.messages, expected);
  EXPECT_FALSE(Settings().has_value());
  EXPECT_EQ(RunValueOf(HKEY_CURRENT_USER), std::nullopt);
  EXPECT_FALSE(host.Ended(f));
}

TEST_F(OptionsWindow, WithoutRightsToTheMachineKeyTheUserKeyIsUsed) {
  Start();
  RestrictedRunKeys keys;
  SetRunValue(HKEY_LOCAL_MACHINE, "D:\\Inny\\wolumetr.exe");
  {
    TForm3& f = Open(keys);
    EXPECT_FALSE(f.CheckBox5.Checked());
    SendMessageW(f.CheckBox5.Handle(), BM_CLICK, 0, 0);
    ClickSavePicture(f);
    EXPECT_TRUE(host.Ended(f));
    EXPECT_EQ(RunValueOf(HKEY_CURRENT_USER), kQuotedExe);
    EXPECT_EQ(RunValueOf(HKEY_LOCAL_MACHINE), "D:\\Inny\\wolumetr.exe");
    options.reset();
  }
  {
    TForm3& f = Open(keys);
    EXPECT_TRUE(f.CheckBox5.Checked());
    options.reset();
  }
  // Neither key may be written: the user is told, and the settings are still stored.
  RemoveRunValue(HKEY_CURRENT_USER);
  keys.denyUser = true;
  TForm3& f = Open(keys);
  SendMessageW(f.CheckBox5.Handle(), BM_CLICK, 0, 0);
  ErrorRecorder errors;
  // What the file takes while the box is up (the tray menu's "Zamknij" saves the place) stays,
  // and the place saved is where the tray menu moved the window meanwhile.
  TestSystem().whileErrorBoxIsUp = [&] {
    WriteSettings(Settings().value_or("") + "[Inne]\r\nKlucz=1\r\n");
    form->SetPosition(640, 480);
  };
  ClickSavePicture(f);
  ASSERT_EQ(errors.messages.size(), 1u);
  EXPECT_EQ(errors.messages[0],
            "Brak uprawnień do rejestru: nie można zmienić uruchamiania programu przy starcie systemu.");
  EXPECT_NE(Settings().value_or("").find("[Inne]\r\nKlucz=1\r\n"), std::string::npos);
  EXPECT_NE(Settings().value_or("").find("Polozenie X=640\r\nPolozenie Y=480\r\n"), std::string::npos);
  EXPECT_TRUE(host.Ended(f));
  EXPECT_EQ(RunValueOf(HKEY_CURRENT_USER), std::nullopt);
}

TEST_F(OptionsWindow, RunValueFaults) {
  Start();
  // A value that holds no string: reported at the opening, the window still shows the state.
  const DWORD number = 1;
  RegSetKeyValueW(HKEY_CURRENT_USER, kRunPath, L"Wolumetr", REG_DWORD, &number, sizeof number);
  {
    ErrorRecorder errors;
    TForm3& f = Open();
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_EQ(errors.messages[0], "Invalid data type for 'Wolumetr'");
    EXPECT_FALSE(f.CheckBox5.Checked());
    EXPECT_EQ(f.Edit1.Text(), L"5");
    SendMessageW(f.CheckBox5.Handle(), BM_CLICK, 0, 0);
    ClickSavePicture(f);
    EXPECT_EQ(RunValueOf(HKEY_CURRENT_USER), kQuotedExe) << "replaced by the path";
    options.reset();
  }
  // Any program of the user may write the value with an odd byte count or no terminator: it is
  // read as far as it makes whole characters, at once.
  const std::wstring quoted = win::Widen(kQuotedExe);
  for (const std::size_t extraByte : {1u, 0u}) {
    std::string bytes(reinterpret_cast<const char*>(quoted.data()), quoted.size() * sizeof(wchar_t));
    bytes.append(extraByte, 'x');
    RegSetKeyValueW(HKEY_CURRENT_USER, kRunPath, L"Wolumetr", REG_SZ, bytes.data(), static_cast<DWORD>(bytes.size()));
    EXPECT_TRUE(Open().CheckBox5.Checked()) << extraByte;
    options.reset();
  }
  // A key that refuses the value stops the save before the settings file.
  RemoveRunValue(HKEY_CURRENT_USER);
  ASSERT_TRUE(folder.Read(L"wolumetr.ini").has_value());
  DeleteFileW(folder.File(L"wolumetr.ini").c_str());
  RestrictedRunKeys refusing;
  refusing.denyMachine = false;
  refusing.refuseValues = true;
  TForm3& f = Open(refusing);
  SendMessageW(f.CheckBox5.Handle(), BM_CLICK, 0, 0);
  ErrorRecorder errors;
  ClickSavePicture(f);
  ASSERT_EQ(errors.messages.size(), 1u);
  EXPECT_EQ(errors.messages[0], "Failed to set data for 'Wolumetr'");
  EXPECT_FALSE(Settings().has_value());
  EXPECT_FALSE(host.Ended(f));
}

TEST_F(OptionsWindow, UnwritableSettingsFileKeepsTheWindowOpen) {
  WriteSettings("[Wyglad]\r\nPoziomprzezr=100\r\n");
  Start();
  TForm3& f = Open();
  win::KernelHandle lock = win::OwnFileHandle(CreateFileW(folder.File(L"wolumetr.ini").c_str(), GENERIC_READ,
                                                          FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);
  ErrorRecorder errors;
  ClickSavePicture(f);
  lock.reset();
  ASSERT_EQ(errors.messages.size(), 1u);
  EXPECT_EQ(errors.messages[0], "Unable to write to " + win::Narrow(folder.File(L"wolumetr.ini")) + ".");
  EXPECT_EQ(SavedSettings(), "[Wyglad]\r\nPoziomprzezr=100\r\n");
  EXPECT_FALSE(host.Ended(f));
}

}  // namespace
}  // namespace wolumetr::test
