#pragma once
// The Drive selection window: 18 slots in a grid, a choice of fixed drives beside it, and
// the save that rewrites the drive list and restarts the program so that it takes effect.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "drives/drive_looks.h"
#include "drives/drive_slots.h"
#include "drives/drive_window_layout.h"
#include "settings/drive_list.h"
#include "settings/settings_store.h"
#include "win/accessible_window.h"
#include "win/colour_ref.h"
#include "win/handles.h"
#include "win/label.h"
#include "win/modal_window.h"
#include "win/native_controls.h"
#include "win/panel_button.h"
#include "win/string_grid.h"
#include "win/system_seam.h"
#include "win/window_host.h"

namespace wolumetr {

// What the window works on: the settings file, whether the program monitors any drive now
// (Cancel then simply closes; otherwise the program cannot go on without one), the system
// calls for the drives, the boxes and the restart, and the main window's place when it is to be
// remembered (saved with the list, so that the restarted program appears there).
struct DriveSelectionServices {
  SettingsStore& settings;
  std::string settingsPath;
  bool drivesMonitored = false;
  std::shared_ptr<win::SystemSeam> system;  // shared with the gatherer's thread
  std::function<std::optional<Point>()> placeToKeep;
  int dpi = 0;  // the scale it opens at: the main window's; 0 is the system's
};

inline constexpr int kComboBox1Id = 101;
inline constexpr wchar_t kNoDriveCaption[] = L"Informacja";
inline constexpr wchar_t kNoDriveMessage[] =
    L"Program do działania musi mieć ustawiony przynajmniej jeden dysk.\r\n"
    L"Naciśniej OK jeżeli chcesz ponownie ustawić dyski\r\n"
    L"Naciśnij Anuluj aby wyjść z programu";
inline constexpr char kRestartFailedMessage[] =
    "Nie udało się ponownie uruchomić programu. Nowa lista dysków została zapisana i zacznie "
    "obowiązywać przy następnym uruchomieniu";

class TForm4 final : public win::ModalWindow {
 public:
  // Creates the window (hidden, owned by the host's taskbar window), then runs FormCreate.
  TForm4(win::WindowHost& host, DriveSelectionServices services);

  // Components.
  win::Surface& Panel1 = PanelSurface();  // declared before every control painted on it
  std::unique_ptr<win::Label> Label2;
  std::unique_ptr<win::StringGrid> StringGrid1;
  std::unique_ptr<win::Label> Label1;
  win::DropList ComboBox1;
  std::unique_ptr<win::PanelButton> Panel2;
  std::unique_ptr<win::PanelButton> Panel3;
  HIMAGELIST ImageList1 = nullptr;  // the shell's small icons, shared: never destroyed here

  // Handlers.
  void FormCreate();
  bool StringGrid1SelectCell(int column, int row);
  void ComboBox1Change();
  void StringGrid1DropDown();
  void ComboBox1CloseUp();
  void StringGrid1DrawCell(HDC dc, GridCell cell, const RECT& rect, win::GridCellState state);
  void Panel2Click();
  void Panel3Click();

  // What the window holds.
  DriveRows Slots() const;
  // The text an item of ComboBox1 shows beside its icon.
  std::wstring ComboItemCaption(int index) const;

 protected:
  void OnShow() override;

 private:
  void CreateControls() override;
  win::AccessibleItems* Items() override { return buttons_.get(); }
  // Enter and Escape, as the dialog keys send them, are the two buttons; an open list keeps them.
  void OnOk() override { Panel2Click(); }
  void OnCancel() override { Panel3Click(); }
  HWND FirstFocus() const override { return StringGrid1->Handle(); }
  // The warning box: Cancel ends the program, OK leaves the window open.
  void AskForADrive();
  void SelectChoiceFor(int row);
  void CentreOnDesktop();
  void LayOut(int dpi) override;
  int DroppedHeight() const;
  void Recolour(const Palette& colours) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DrawItem(const DRAWITEMSTRUCT& item);
  // A drive as both lists show it: its icon, if it has one, and its text beside.
  void DrawDrive(HDC dc, const RECT& rect, std::optional<int> icon, const std::wstring& text) const;
  // From what the gathering brought back, never from the shell or the disk.
  std::optional<int> IconIndex(const std::wstring& path) const;
  void GatherDriveLooks();

  DriveSelectionServices services_;
  std::vector<std::string> choices_;
  std::set<std::string> fixed_;  // roots of the fixed drives, as the system said when the window opened
  std::map<std::string, DriveLook> looks_;
  std::unique_ptr<DriveLookGatherer> gatherer_;
  DriveWindowDesign design_;
  int imageWidth_ = 16;
  bool listFromGrid_ = false;                        // the open list was opened from the grid's keyboard
  std::unique_ptr<win::WindowlessButtons> buttons_;  // the two panel buttons, for screen readers
};

}  // namespace wolumetr
