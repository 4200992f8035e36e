#pragma once
// The main window: a borderless, semi-transparent navy panel with one tile per drive.
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "common/drive_slots.h"
#include "display/drive_queries.h"
#include "display/pies.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"
#include "win/control_router.h"
#include "win/graphic_control.h"
#include "win/handles.h"
#include "win/label.h"
#include "win/pattern_image.h"
#include "win/popup_menu.h"
#include "win/timer.h"
#include "win/tooltips.h"
#include "win/tray_icon.h"
#include "win/window.h"

namespace wolumetr {

enum class Placement;

struct MainWindowServices {
  SettingsStore& settings;
  DriveQueries& drives;
  std::wstring programDir;  // empty: the folder of the running executable
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

class TForm1 final : public win::Window {
 public:
  // Creates the native window, then runs FormCreate.
  explicit TForm1(MainWindowServices services);
  ~TForm1() override;

  // Fields.
  std::int32_t DragAnchorX = 0;
  std::int32_t DragAnchorY = 0;
  win::Surface Panel1;  // the client area; declared before every control painted on it
  std::array<std::unique_ptr<win::Label>, kDriveSlotCount> DriveLetterLabels;
  std::array<std::unique_ptr<win::Label>, kDriveSlotCount> VolumeLabels;
  std::array<std::unique_ptr<win::Label>, kDriveSlotCount> TotalLabels;
  std::array<std::unique_ptr<win::Label>, kDriveSlotCount> UsedLabels;
  std::array<std::unique_ptr<win::Label>, kDriveSlotCount> FreeLabels;
  std::array<std::unique_ptr<TPie>, kDriveSlotCount> Pies;
  std::wstring ProgramDir;
  bool RememberPosition = false;
  std::int32_t DriveCount = 0;
  std::int32_t GridColumns = 0;
  std::int32_t GridRows = 0;
  std::array<std::uint8_t, kDriveSlotCount> DriveNumbers{};
  std::uint8_t DisplayMode = 0;

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
  void BuildDriveTiles();
  void ArrangeTiles();
  void RefreshDrive(std::uint8_t driveNumber, std::int32_t tile);
  void RefreshAllDrives();
  void Timer1Timer() { RefreshAllDrives(); }
  void Odwierz1Click() { RefreshAllDrives(); }
  void Zamknij1Click();
  void Ukryj1Click();
  void Opcje1Click();
  void Ustawdyski1Click();
  void Oprogramie1Click();
  void Image1Click() { PopupMenu1.Activate(kZamknij1); }
  void Image2Click() { PopupMenu1.Activate(kUkryj1); }
  void Image3Click() { PopupMenu1.Activate(kOdwierz1); }
  void TrayIcon1Click() { PopupMenu1.Activate(kUkryj1); }
  void SizeLabelMouseEnter(win::Label& label);
  void SizeLabelMouseLeave(win::Label& label);
  void FormMouseDown(bool leftHeld, int x, int y);
  void FormMouseMove(bool leftHeld, int x, int y);
  void Align(Placement placement);
  void WMSysCommand(WPARAM command, LPARAM lParam);

  // Window properties that start-up and the Options window set.
  void SetAlphaBlend(bool enabled, std::uint8_t alpha);
  bool AlphaBlend() const { return alphaBlend_; }
  std::uint8_t AlphaBlendValue() const { return alpha_; }
  void SetStayOnTop(bool onTop);
  bool StayOnTop() const { return onTop_; }
  // Automatic refresh on or off: the timer, Image3 and "Odświerz" switch together.
  void SetAutoRefresh(bool enabled);

  std::string SettingsPath() const;
  SettingsStore& Settings() const { return services_.settings; }
  const std::string& DecimalSeparator() const { return decimalSeparator_; }

  // Start-up found no drive configured: the Drive selection window takes over.
  void RunStartupDriveSelection();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnShow() override { FormShow(); }

 private:
  void CreateComponents();
  void BuildMenu();
  void Paint(HDC dc, const RECT& clip);
  void UpdateHints();
  void Close();

  MainWindowServices services_;
  std::unique_ptr<win::Tooltips> hints_;
  std::string decimalSeparator_ = ".";
  win::ControlRouter router_{Panel1};
  bool dragging_ = false;
  bool alphaBlend_ = false;
  std::uint8_t alpha_ = 255;
  bool onTop_ = false;
};

}  // namespace wolumetr
