#pragma once
// The Options window: works on the main window's live state and stores it only when the user
// clicks the save picture.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "settings/options_host.h"
#include "settings/settings_store.h"
#include "settings/start_with_system.h"
#include "win/accessible_window.h"
#include "win/colour_ref.h"
#include "win/focus_stand_in.h"
#include "win/handles.h"
#include "win/label.h"
#include "win/modal_window.h"
#include "win/pattern_image.h"
#include "win/system_seam.h"
#include "win/tooltips.h"
#include "win/window_host.h"

namespace wolumetr {

struct OptionsServices {
  RunKeyRegistry& runKeys;
  std::string executablePath;  // UTF-8, as the system reports it for the running process
  SettingsStore& settings;
  std::string settingsPath;
  win::SystemSeam& system;  // the "not a number" box
  int dpi = 0;              // the scale it opens at: the main window's; 0 is the system's
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

class TForm3 final : public win::ModalWindow {
 public:
  // Creates the window (hidden, owned by the host's taskbar window) and its controls, then runs
  // FormCreate.
  TForm3(win::WindowHost& host, OptionsHost& main, OptionsServices services);
  ~TForm3() override;

  // Components, in tab order, then the labels and the save picture.
  win::Surface& Panel1 = PanelSurface();
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
  std::unique_ptr<win::Label> Label6, Label7, Label10, Label9, Label8, Label95, Label1, Label2, Label3, Label4, Label11;
  std::unique_ptr<win::PatternImage> Image1;
  std::unique_ptr<win::FocusStandIn> Image1Focus;  // the picture's place in the tab order

  // Handlers.
  void FormCreate();
  void CheckBox2Click();
  void CheckBox3Click();
  void CheckBox4Click();
  void CheckBox1Click();
  void Edit1Enter() { SetFieldColor(Edit1, win::ColorRef(Colours().fieldActiveText)); }
  void Edit2Enter() { SetFieldColor(Edit2, win::ColorRef(Colours().fieldActiveText)); }
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

 protected:
  void OnShow() override;

 private:
  void CreateControls() override;
  win::AccessibleItems* Items() override { return buttons_.get(); }
  // Enter saves as the picture does; Escape and the system's close keep what was applied and
  // store nothing (there is no cancel), as the base does.
  void OnOk() override { Image1Click(); }
  // Coming back to the window puts the focus back on the control that had it.
  HWND FirstFocus() const override { return CheckBox2; }
  void LayOut(int dpi) override;
  void Recolour(const Palette& colours) override;
  void PaintOver(HDC dc) const override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  HWND AddControl(const wchar_t* className, DWORD style, int id, const RECT& place);
  void SetFieldColor(HWND edit, COLORREF color);
  void ShowInvalidNumber();
  void OnCommand(int id, int code);
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data);

  OptionsHost& main_;
  OptionsServices services_;
  win::BrushHandle fieldBrush_{CreateSolidBrush(win::ColorRef(Colours().fieldBack))};
  win::BrushHandle navyBrush_{CreateSolidBrush(win::ColorRef(Colours().panel))};
  COLORREF edit1Color_ = win::ColorRef(Colours().fieldText);
  COLORREF edit2Color_ = win::ColorRef(Colours().fieldText);
  std::unique_ptr<win::Tooltips> hints_;
  bool closeRequested_ = false;
  std::unique_ptr<win::WindowlessButtons> buttons_;  // the save picture, for screen readers
};

}  // namespace wolumetr
