#pragma once
// The Options window: works on the main window's live state and stores it only when the user
// clicks the save picture.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "settings/options_host.h"
#include "settings/settings_store.h"
#include "settings/start_with_system.h"
#include "win/accessible_window.h"
#include "win/focus_stand_in.h"
#include "win/label.h"
#include "win/modal_window.h"
#include "win/native_controls.h"
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

class TForm3 final : public win::ModalWindow {
 public:
  // Creates the window (hidden, owned by the host's taskbar window) and its controls, then runs
  // FormCreate.
  TForm3(win::WindowHost& host, OptionsHost& main, OptionsServices services);

  // Components, in tab order, then the labels and the save picture.
  win::Surface& Panel1 = PanelSurface();
  win::CheckBox CheckBox2;
  win::NumberField Edit1;
  win::CheckBox CheckBox3;
  win::NumberField Edit2;
  win::CheckBox CheckBox4;
  win::CheckBox CheckBox1;
  win::CheckBox CheckBox5;
  win::Spinner UpDown1;
  win::Spinner UpDown2;
  win::DropList ComboBox1;
  std::unique_ptr<win::Label> Label6, Label7, Label10, Label9, Label8, Label95, Label1, Label2, Label3, Label4, Label11;
  std::unique_ptr<win::PatternImage> Image1;
  std::unique_ptr<win::FocusStandIn> Image1Focus;  // the picture's place in the tab order

  // Handlers.
  void FormCreate();
  void CheckBox2Click();
  void CheckBox3Click();
  void CheckBox4Click();
  void CheckBox1Click();
  void Edit1Enter() { SetFieldColor(Edit1, Colours().fieldActiveText); }
  void Edit2Enter() { SetFieldColor(Edit2, Colours().fieldActiveText); }
  // Enter in the field, or the field left for another control.
  void Edit1Exit();
  void Edit2Exit();
  void UpDown1Click() { GridSpun(true); }
  void UpDown2Click() { GridSpun(false); }
  void ComboBox1Change();
  void Image1Click();

 protected:
  void OnShow() override;

 private:
  void CreateControls() override;
  win::AccessibleItems* Items() override { return buttons_.get(); }
  // Enter saves as the picture does; Escape and the system's close keep what was applied and
  // store nothing (there is no cancel), as the base does.
  void OnOk() override { Image1Click(); }
  // Coming back to the window puts the focus back on the control that had it.
  HWND FirstFocus() const override { return CheckBox2.Handle(); }
  void LayOut(int dpi) override;
  void Recolour(const Palette& colours) override;
  void PaintOver(HDC dc) const override;
  void SetFieldColor(win::NumberField& field, Colour text);
  void ShowChecked(win::NumberField& field, bool invalid, const std::optional<std::string>& replacement);
  void GridSpun(bool columnsTurned);

  OptionsHost& main_;
  OptionsServices services_;
  std::unique_ptr<win::Tooltips> hints_;
  std::unique_ptr<win::WindowlessButtons> buttons_;  // the save picture, for screen readers
};

}  // namespace wolumetr
