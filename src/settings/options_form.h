#pragma once
// The Options window: works on the main window's live state and stores it only when the user
// clicks the save picture.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "common/palette.h"
#include "settings/options_host.h"
#include "settings/settings_store.h"
#include "settings/start_with_system.h"
#include "win/accessible_window.h"
#include "win/colour_ref.h"
#include "win/control_router.h"
#include "win/focus_stand_in.h"
#include "win/focus_keeper.h"
#include "win/handles.h"
#include "win/label.h"
#include "win/pattern_image.h"
#include "win/system_seam.h"
#include "win/tooltips.h"
#include "win/window.h"

namespace wolumetr {

struct OptionsServices {
  RunKeyRegistry& runKeys;
  std::string executablePath;  // UTF-8, as the system reports it for the running process
  SettingsStore& settings;
  std::string settingsPath;
  win::SystemSeam& system;  // the "not a number" box
  int dpi = 0;  // the scale it opens at: the main window's; 0 is the system's
};

// Child control identifiers (never IDOK or IDCANCEL, which the dialog keys send).
enum OptionsControl : int {
  kCheckBox2 = 100,
  kEdit1,
  kCheckBox3,
  kEdit2,
  kCheckBox4,
  kUpDown1,
  kUpDown2,
  kCheckBox1,
  kCheckBox5,
  kComboBox1,
};

inline constexpr COLORREF kFieldBlue = win::ColorRef(colours::kBlue);
inline constexpr COLORREF kFieldYellow = win::ColorRef(colours::kYellow);
inline constexpr COLORREF kFieldWhite = win::ColorRef(colours::kWhite);

class TForm3 final : public win::Window {
 public:
  // Creates the window (hidden, owned by the application's taskbar window) and its controls,
  // then runs FormCreate.
  TForm3(OptionsHost& main, OptionsServices services);
  ~TForm3() override;

  // Components, in tab order, then the labels and the save picture.
  win::Surface Panel1;
  HWND CheckBox2 = nullptr;
  HWND Edit1 = nullptr;
  HWND CheckBox3 = nullptr;
  HWND Edit2 = nullptr;
  HWND CheckBox4 = nullptr;
  HWND CheckBox1 = nullptr;
  HWND CheckBox5 = nullptr;
  HWND UpDown1 = nullptr;
  HWND UpDown2 = nullptr;
  HWND ComboBox1 = nullptr;
  std::unique_ptr<win::Label> Label6, Label7, Label10, Label9, Label8, Label95, Label1, Label2, Label3, Label4,
      Label11;
  std::unique_ptr<win::PatternImage> Image1;
  std::unique_ptr<win::FocusStandIn> Image1Focus;  // the picture's place in the tab order

  // Handlers.
  void FormCreate();
  void CheckBox2Click();
  void CheckBox3Click();
  void CheckBox4Click();
  void CheckBox1Click();
  void Edit1Enter() { SetFieldColor(Edit1, win::ColorRef(palette_.fieldActiveText)); }
  void Edit2Enter() { SetFieldColor(Edit2, win::ColorRef(palette_.fieldActiveText)); }
  void Edit1Exit() { ValidateInterval(); }
  void Edit2Exit() { ValidateOpacity(); }
  void Edit1KeyPress(wchar_t& key);
  void Edit2KeyPress(wchar_t& key);
  void ValidateInterval();
  void ValidateOpacity();
  void UpDown1Click();
  void UpDown2Click();
  void ComboBox1Change();
  void Image1Click();

  // Control state, for the handlers and for tests.
  static bool Checked(HWND box);
  static void SetChecked(HWND box, bool checked);
  static std::wstring Text(HWND control);
  static void SetText(HWND control, const std::wstring& text);
  static int Position(HWND upDown);
  static void SetPosition(HWND upDown, int position);
  COLORREF FieldColor(HWND edit) const { return edit == Edit1 ? edit1Color_ : edit2Color_; }
  // Takes the colours afresh (high contrast switched or system colours changed).
  void ApplyPalette();
  const Palette& Colours() const { return palette_; }
  // What a screen reader gets for the window (the save picture as its one button).
  win::ComRef<IAccessible> AccessibleObject() const { return accessible_->Object(); }
  // The save or a close request ended the window's modal run.
  bool CloseRequested() const { return closeRequested_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnShow() override;

 private:
  void CreateControls();
  // Fonts, places and sizes of the controls and the window for dpi_.
  void LayOut();
  void OnDpiChanged(int dpi, const RECT& suggested) override;
  // Not while the window is being made: the controls come after it.
  void OnSystemColoursChanged() override {
    if (accessible_) ApplyPalette();
  }
  HWND AddControl(const wchar_t* className, DWORD style, int id, const RECT& place);
  void SetFieldColor(HWND edit, COLORREF color);
  void ShowInvalidNumber();
  void RequestClose();
  void OnCommand(int id, int code);
  void Paint(HDC dc, const RECT& clip);
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data);

  OptionsHost& main_;
  OptionsServices services_;
  int dpi_;
  Palette palette_ = PaletteFor(false, SystemColours{});
  win::BrushHandle fieldBrush_;
  win::BrushHandle navyBrush_;
  COLORREF edit1Color_ = kFieldYellow;
  COLORREF edit2Color_ = kFieldYellow;
  std::unique_ptr<win::Tooltips> hints_;
  win::ControlRouter router_{Panel1};
  win::FocusKeeper focus_;
  bool closeRequested_ = false;
  std::unique_ptr<win::WindowlessButtons> buttons_;  // the save picture, for screen readers
  std::unique_ptr<win::AccessibleWindow> accessible_;
};

}  // namespace wolumetr
