#pragma once
// The main window: a borderless, semi-transparent navy panel with one tile per drive.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/main_accessibility.h"
#include "display/drive_queries.h"
#include "display/drive_worker.h"
#include "display/refresh_schedule.h"
#include "display/tile_grid.h"
#include "settings/options_host.h"
#include "settings/settings_store.h"
#include "settings/startup_snapshot.h"
#include "win/graphic_control.h"
#include "win/panel_window.h"
#include "win/pattern_image.h"
#include "win/popup_menu.h"
#include "win/private_messages.h"
#include "win/system_seam.h"
#include "win/timer.h"
#include "win/tooltips.h"
#include "win/tray_icon.h"
#include "win/window_host.h"

namespace wolumetr {

enum class Placement;

struct MainWindowServices {
  SettingsStore& settings;
  std::shared_ptr<DriveQueries> drives;  // shared with the drive worker, which may outlive the window
  // Handed on to the tray icon and every window the menu opens; shared with the threads that
  // hand a drive to the shell, which may outlive the window.
  std::shared_ptr<win::SystemSeam> system;
  std::wstring programDir;             // empty: the folder of the running executable
  StartupSnapshot* startup = nullptr;  // the start-up's one reading of `settings`, released at the first show
};

// Menu command identifiers of PopupMenu1.
enum MenuCommand : UINT {
  kUkryj1 = 100,
  kOpcje1,
  kUstawdyski1,
  kOdwierz1,
  kWyrwnajdo1,
  kLewyGrnybrzeg1,
  kLewyrodkowybrzeg1,
  kLewyDolnybrzeg1,
  krodkowyGrnybrzeg1,
  krodekekranu1,
  krodkowyDolnybrzeg1,
  kPrawyGrnybrzeg1,
  kPrawyrodkowybrzeg1,
  kPrawyDolnybrzeg1,
  kOprogramie1,
  kZamknij1,
};

// Posted by the drive worker when answers wait to be taken.
using win::kDriveAnswersMessage;

class TForm1 final : public win::PanelWindow, public OptionsHost {
 public:
  // Creates the native window and its components; FormCreate, run next, reads the settings
  // and builds the tiles (and may hold up the start with the Drive selection window).
  TForm1(win::WindowHost& host, MainWindowServices services);

  // Fields.
  std::int32_t DragAnchorX = 0;
  std::int32_t DragAnchorY = 0;
  win::Surface& Panel1 = PanelSurface();  // the client area; declared before every control painted on it
  TileGrid Tiles;                         // the drive tiles' labels and pies, on Panel1
  std::wstring ProgramDir;
  bool RememberPosition = false;
  std::int32_t GridColumns = 0;
  std::int32_t GridRows = 0;
  std::uint8_t DisplayMode = 0;
  std::int32_t DriveCount() const { return Tiles.Count(); }

  // Components.
  std::unique_ptr<win::PatternImage> Image1;  // close
  std::unique_ptr<win::PatternImage> Image2;  // hide
  std::unique_ptr<win::PatternImage> Image3;  // refresh caption
  std::unique_ptr<win::TrayIcon> TrayIcon1;
  std::unique_ptr<win::Timer> Timer1;
  win::PopupMenu PopupMenu1;

  // Handlers.
  void FormCreate();
  void FormShow();
  void ArrangeTiles();
  // Asks the drive worker for a refresh, or for one more after the one in progress; the
  // figures arrive with kDriveAnswersMessage.
  void RefreshAllDrives();
  // A refresh asked for has yet to show all its figures.
  bool Refreshing() const { return refreshes_.Running(); }
  // Shows one drive's answer in its tile: angles, size texts, volume name; repaints what changed
  // and tells the accessibility clients.
  void RefreshDrive(const DriveAnswer& answer);
  void Timer1Timer() { RefreshAllDrives(); }
  void Odwierz1Click() { RefreshAllDrives(); }
  void Zamknij1Click();
  // Closed from outside, by Restart Manager: as "Zamknij", without a box.
  void CloseQuietly();
  void Ukryj1Click();
  void Opcje1Click();
  void Ustawdyski1Click();
  void Oprogramie1Click();
  // Opens the menu from the tray icon; true when it was dismissed without a choice.
  bool TrayIcon1Popup(POINT at);
  // Opens the tile's drive in the file manager, off the window's thread.
  void TileDblClick(std::int32_t tile);
  void FormMouseDown(bool leftHeld, int x, int y);
  void FormMouseMove(bool leftHeld, int x, int y);
  void Align(Placement placement);
  void WMSysCommand(WPARAM command, LPARAM lParam);

  // Window properties that start-up and the Options window set.
  void SetAlphaBlend(bool enabled, std::uint8_t alpha) override;
  bool AlphaBlend() const { return alphaBlend_; }
  void SetStayOnTop(bool onTop) override;
  bool StayOnTop() const { return onTop_; }
  // Automatic refresh on or off: the timer, Image3 and "Odświerz" switch together.
  void SetAutoRefresh(bool enabled) override;

  // The rest of what the Options window may do.
  OptionsSnapshot OptionsState() const override;
  void RestartRefreshTimer(std::uint32_t intervalMs) override;
  void SetRememberPosition(bool remember) override { RememberPosition = remember; }
  void SetGrid(std::int32_t columns, std::int32_t rows) override;
  void ChooseDisplayMode(std::uint8_t item) override;

  std::string SettingsPath() const;

 protected:
  void OnShow() override { FormShow(); }

 private:
  void CreateControls() override;
  win::AccessibleItems* Items() override { return accessibility_.get(); }
  void BuildMenu();
  // Shows the taskbar button and the tray icon as display mode `mode` wants them: the taskbar
  // step first, the tray step second.
  void ApplyDisplayMode(std::uint8_t mode);
  // Brings the window back by the start-up rule (centred on the work area) when no monitor
  // shows enough of it to grab; centres it in any case when `always`.
  void KeepOnScreen(bool always = false);
  void PlaceImages();
  // Lays out the tiles, glyphs and fonts for `dpi`, and the window's size with them. The size
  // comes from the layout, which scales the design lengths one by one and so may differ from the
  // suggested one by a pixel.
  void LayOut(int dpi) override;
  void Recolour(const Palette& colours) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void ShowDriveSelection();
  void Close();
  // When position memory is on; throws what the settings file's write throws.
  void SaveRememberedPosition();
  void StartFirstRound();
  void StartRefresh();
  void AwaitRound(std::chrono::milliseconds wait);
  void ApplyDriveAnswers();
  // Takes what came of a slow round; at the first tick the window reads as busy.
  void SlowRoundTick();
  // Screen readers hear when the window starts or stops waiting for a drive.
  void TellWhetherBusy();

  MainWindowServices services_;
  RefreshSchedule refreshes_;
  std::vector<std::string> tileDrives_;  // read once, before the window: the tiles and every round
  std::shared_ptr<std::atomic<HWND>> answersTo_ = std::make_shared<std::atomic<HWND>>(nullptr);
  std::unique_ptr<DriveWorker> driveWorker_;
  bool slowRoundTimer_ = false;
  bool toldBusy_ = false;  // what screen readers last heard of the window's state
  std::unique_ptr<win::Tooltips> hints_;
  std::string decimalSeparator_ = ".";
  bool dragging_ = false;
  bool alphaBlend_ = false;
  std::uint8_t alpha_ = 255;
  bool onTop_ = false;
  std::unique_ptr<MainAccessibility> accessibility_;  // the glyphs and tiles as screen readers hear them
};

}  // namespace wolumetr
