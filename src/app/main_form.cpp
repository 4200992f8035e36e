#include "app/main_form.h"

#include <windowsx.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <utility>

#include "app/glyphs.h"
#include "app/placement.h"
#include "display/drive_table.h"
#include "display/grid_layout.h"
#include "resources/resource_ids.h"
#include "settings/drive_list.h"
#include "settings/options_rules.h"
#include "settings/settings_schema.h"
#include "settings/startup_settings.h"
#include "win/instance_handover.h"
#include "win/system_info.h"
#include "win/system_worker_sync.h"
#include "win/text.h"
#include "win/thread_launch.h"
#include "win/window_dpi.h"

namespace wolumetr {
namespace {

const win::WindowClass kMainClass{L"TForm1", nullptr, CS_DBLCLKS};
constexpr UINT_PTR kRefreshTimerId = 1;
constexpr std::chrono::milliseconds kStartupMeasureWait{300};
// How long a refresh waits for the drives on the window's thread before it leaves them to the
// worker: well under a frame, so the window never looks held up.
constexpr std::chrono::milliseconds kQuickRoundWait{10};
// A round still running after this shows the answers that came so far; the worker signals the
// rest one by one. A quick round is applied once, when it ends.
constexpr UINT_PTR kSlowRoundTimerId = 2;
constexpr UINT kSlowRoundMs = 100;
// After its first tick the timer only makes up for a signal lost to a full queue.
constexpr UINT kLostSignalMs = 1000;
constexpr UINT kCloseHintId = 1;
constexpr UINT kHideHintId = 2;

// The notification area draws at the system's scale, whatever monitor the window is on.
HICON SmallProgramIcon() {
  const UINT dpi = static_cast<UINT>(win::SystemDpi());
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON,
                                       GetSystemMetricsForDpi(SM_CXSMICON, dpi),
                                       GetSystemMetricsForDpi(SM_CYSMICON, dpi), LR_SHARED));
}

}  // namespace

TForm1::TForm1(win::WindowHost& host, MainWindowServices services)
    : PanelWindow(host, *services.system, 0), Tiles(Panel1), services_(std::move(services)) {
  ProgramDir = services_.programDir.empty() ? win::ExecutableFolder() : services_.programDir;
  StartFirstRound();
  // Design-time client area 501x286 at (193, 363); start-up moves and sizes it. Drawn at the
  // scale of the monitor the window is on.
  Open(win::WindowRequest{kMainClass, WS_POPUP | WS_CLIPCHILDREN, 0, RECT{193, 363, 193 + 501, 363 + 286},
                          host.TaskbarWindow(), host.Title(), std::nullopt});
}

// The drives are asked before the first window is made: the window system takes long to start
// (under Wine its first window alone takes tens of milliseconds), and the answers come meanwhile.
// The first round asks the volume names too; FormCreate waits for it.
void TForm1::StartFirstRound() {
  {
    SettingsFile settings(services_.settings, SettingsPath());
    tileDrives_ = ReadTileDrives(settings);
  }
  // Until the window exists there is no one to tell: FormCreate waits for the round itself.
  // PostMessage to a window that is gone fails harmlessly: the worker may outlive this one.
  driveWorker_ = std::make_unique<DriveWorker>(
      services_.drives,
      [to = answersTo_] {
        if (HWND window = to->load()) PostMessageW(window, kDriveAnswersMessage, 0, 0);
      },
      [](std::function<void()> body) { win::StartDetachedThread(std::move(body), win::kSmallThreadStack); },
      win::MakeSystemWorkerSync());
  refreshes_.Request();
  driveWorker_->Start(DriveJobsFor(tileDrives_, true));
}

// Tiles and images go before the surface they paint on (member order ensures it). Screen readers
// are cut off first, as their items go first: removing the tray icon waits for the shell's
// process, and a question a client asks meanwhile must not reach tiles that are going.
void TForm1::CreateControls() {
  Host().SetMainWindow(*this);
  answersTo_->store(Handle());
  Router().onSurfacePress = [this](POINT p, WPARAM keys) { FormMouseDown((keys & MK_LBUTTON) != 0, p.x, p.y); };
  // A glyph's click is its menu command's.
  auto glyph = [this](const std::vector<std::string>& pattern, const wchar_t* hint, UINT command) {
    auto image =
        std::make_unique<win::PatternImage>(Panel1, ScalePattern(pattern, Dpi()), GlyphPalette(Colours().glyphInk));
    image->handCursor = true;
    image->hint = hint;
    image->onClick = [this, command] { PopupMenu1.Activate(command); };
    return image;
  };
  Image1 = glyph(CloseGlyph(), L"Zamknij program", kZamknij1);
  Image2 = glyph(HideGlyph(), L"Ukryj (Minimalizuj)", kUkryj1);
  Image3 = glyph(RefreshGlyph(), L"", kOdwierz1);
  // Placed by LayOut, and by ArrangeTiles with the tiles.
  hints_ = std::make_unique<win::Tooltips>(Handle());

  TrayIcon1 = std::make_unique<win::TrayIcon>(SmallProgramIcon(), L"Wolumetr", *services_.system);
  TrayIcon1->onClick = [this] { PopupMenu1.Activate(kUkryj1); };
  TrayIcon1->onPopup = [this](POINT at) { return TrayIcon1Popup(at); };
  // The icon is added when the window first shows and applies the display mode (FormShow),
  // right after the window appears: adding it waits for the shell's process, some 10 ms
  // under Wine. Only a window that opens before the first show brings it in earlier.
  Timer1 = std::make_unique<win::Timer>(Handle(), kRefreshTimerId);

  // The refresh caption is read as the menu item it stands for.
  accessibility_ = std::make_unique<MainAccessibility>(
      Tiles, refreshes_,
      win::WindowlessButtons(
          {{Image1.get(), Image1->hint}, {Image2.get(), Image2->hint}, {Image3.get(), L"Odświerz"}}));
  BuildMenu();
}

void TForm1::Recolour(const Palette& colours) {
  Tiles.ApplyPalette(colours);
  for (win::PatternImage* image : {Image1.get(), Image2.get(), Image3.get()}) {
    image->SetPalette(GlyphPalette(colours.glyphInk));
  }
}

std::string TForm1::SettingsPath() const { return win::Narrow(ProgramDir) + kSettingsFileName; }

void TForm1::FormCreate() {
  decimalSeparator_ = win::UserDecimalSeparator();
  // Back after an upgrade replaced the program, or after a crash or a hang; not after a reboot,
  // where the Run value starts it at logon when the user wants that.
  services_.system->RegisterRestart(win::kRestartedSwitch, RESTART_NO_REBOOT);
  {
    SettingsFile settings(services_.settings, SettingsPath());
    const OptionsRecord s = ReadStartupSettings(settings);
    SetAlphaBlend(s.alphaBlend, OpacityFromSetting(s.alpha));
    SetStayOnTop(s.onTop);
    RememberPosition = s.rememberPosition;
    if (RememberPosition) SetPosition(s.left, s.top);
    GridColumns = s.gridColumns;
    GridRows = s.gridRows;
    SetAutoRefresh(s.autoRefresh);
    Timer1->SetInterval(RefreshIntervalMs(s.intervalSeconds));
  }
  Tiles.Build(tileDrives_, decimalSeparator_, Colours());
  ArrangeTiles();
  // A remembered place on a monitor that is gone would leave the window out of reach.
  KeepOnScreen(!RememberPosition);
  DragAnchorX = Left();
  DragAnchorY = Top();
  // Drives that answer at once are shown measured from the first paint; a slow one is not
  // waited for: its figures come when it answers.
  AwaitRound(kStartupMeasureWait);
  if (DriveCount() == 0) {
    // The tray menu is the way out while the drive selection holds up the start.
    try {
      TrayIcon1->SetVisible(true);
    } catch (const std::runtime_error&) {
      // reported when the window first shows and applies the display mode, not twice
    }
    ShowDriveSelection();
  }
}

void TForm1::SetAlphaBlend(bool enabled, std::uint8_t alpha) {
  alphaBlend_ = enabled;
  alpha_ = alpha;
  const LONG_PTR ex = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  if (enabled) {
    if ((ex & WS_EX_LAYERED) == 0) SetWindowLongPtrW(Handle(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributes(Handle(), 0, alpha, LWA_ALPHA);
  } else if ((ex & WS_EX_LAYERED) != 0) {
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void TForm1::SetStayOnTop(bool onTop) {
  onTop_ = onTop;
  const bool topMost = (GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  if (topMost == onTop) return;
  SetWindowPos(Handle(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm1::SetAutoRefresh(bool enabled) {
  Timer1->SetEnabled(enabled);
  Image3->SetVisible(!enabled);
  PopupMenu1.Item(kOdwierz1).visible = !enabled;
}

void TForm1::RefreshAllDrives() {
  if (refreshes_.Request()) StartRefresh();
}

void TForm1::StartRefresh() {
  driveWorker_->Start(DriveJobsFor(tileDrives_, false));
  // Drives that answer at once are shown before this returns: a short wait costs less than the
  // worker's posted message and a turn of the loop, and the figures come in the same paint.
  AwaitRound(kQuickRoundWait);
}

void TForm1::AwaitRound(std::chrono::milliseconds wait) {
  if (!driveWorker_->WaitForRound(wait) && !slowRoundTimer_) {
    slowRoundTimer_ = SetTimer(Handle(), kSlowRoundTimerId, kSlowRoundMs, nullptr) != 0;
  }
  ApplyDriveAnswers();  // all of a round that ended; what came so far of one that did not
}

void TForm1::RefreshDrive(const DriveAnswer& answer) {
  if (answer.tile < 0 || answer.tile >= DriveCount()) return;
  const TileGrid::Change change = Tiles.Apply(answer);
  if (const win::AccessibleWindow* window = Accessible()) MainAccessibility::TileChanged(*window, answer.tile, change);
}

void TForm1::ApplyDriveAnswers() {
  if (!driveWorker_) return;
  const DriveAnswers answers = driveWorker_->Take();
  for (const DriveAnswer& answer : answers.tiles) RefreshDrive(answer);
  if (answers.roundEnded) {
    if (slowRoundTimer_) KillTimer(Handle(), kSlowRoundTimerId);
    slowRoundTimer_ = false;
    if (refreshes_.Finish()) StartRefresh();
  }
  TellWhetherBusy();
}

// Clients hear only of the rounds that keep the user waiting for a drive: a round that ends by
// its first slow-round tick (a disk answering in 10 to 100 ms) would be a busy pair of chatter.
void TForm1::TellWhetherBusy() {
  const win::AccessibleWindow* window = Accessible();
  if (window == nullptr || toldBusy_ == refreshes_.Slow()) return;
  toldBusy_ = refreshes_.Slow();
  window->StateChanged();
}

void TForm1::SlowRoundTick() {
  if (!slowRoundTimer_) return;  // left over from a round whose end was taken
  if (!refreshes_.Slow()) {
    refreshes_.MarkSlow();
    // Each answer of a slow round is signalled: no need to wake a window ten times a second
    // while a drive hangs for hours.
    SetTimer(Handle(), kSlowRoundTimerId, kLostSignalMs, nullptr);
  }
  ApplyDriveAnswers();  // busy unless the round ended in these answers
}

void TForm1::ArrangeTiles() {
  if (DriveCount() <= 0) return;
  const Grid grid = FitGrid(GridColumns, GridRows, DriveCount());
  GridColumns = grid.columns;
  GridRows = grid.rows;
  const Size size = WindowSizeFor(grid, Tiles.Layout());
  SetSize(size.width, size.height);
  PlaceImages();
  Tiles.Arrange(grid);
  RECT whole;
  GetClientRect(Handle(), &whole);
  Panel1.Invalidate(whole);
}

void TForm1::LayOut(int dpi) {
  Tiles.SetScale(TileLayoutFor(dpi), dpi);
  Image1->SetPattern(ScalePattern(CloseGlyph(), dpi));
  Image2->SetPattern(ScalePattern(HideGlyph(), dpi));
  Image3->SetPattern(ScalePattern(RefreshGlyph(), dpi));
  if (DriveCount() > 0) {
    ArrangeTiles();
  } else {
    // The client size while no tile is shown.
    const Size size = Tiles.Layout().designWindow;
    SetSize(size.width, size.height);
    PlaceImages();
  }
}

void TForm1::PlaceImages() {
  RECT client;
  GetClientRect(Handle(), &client);
  const ImagePlaces places = ImagePlacesFor(client.right, client.bottom, Tiles.Layout());
  Image1->SetPosition(places.close.x, places.close.y);
  Image2->SetPosition(places.hide.x, places.hide.y);
  Image3->SetPosition(places.refresh.x, places.refresh.y);
  if (!hints_) return;
  hints_->SetTool(kCloseHintId, Image1->Bounds(), Image1->hint);
  hints_->SetTool(kHideHintId, Image2->Bounds(), Image2->hint);
}

void TForm1::FormShow() {
  SettingsFile settings(services_.settings, SettingsPath());
  DisplayMode = ReadDisplayMode(settings);
  // Later shows read the file as it is then.
  if (services_.startup != nullptr) std::exchange(services_.startup, nullptr)->Release();
  ApplyDisplayMode(DisplayMode);
}

void TForm1::ApplyDisplayMode(std::uint8_t mode) {
  const std::optional<DisplayModeEffect> effect = DisplayModeEffectFor(mode);
  if (!effect) return;
  // The button appears without activating the taskbar window: neither the start nor the
  // Options window's list loses the keyboard to it.
  ShowWindow(Host().TaskbarWindow(), effect->taskbarButton ? SW_SHOWNA : SW_HIDE);
  TrayIcon1->SetVisible(effect->trayIcon);
}

void TForm1::ChooseDisplayMode(std::uint8_t item) {
  // The mode changes only when both steps took effect.
  ApplyDisplayMode(item);
  DisplayMode = item;
}

OptionsSnapshot TForm1::OptionsState() const {
  // The period is the timer's, in whole seconds.
  const OptionsRecord settings{.alphaBlend = alphaBlend_,
                               .alpha = alpha_,
                               .onTop = onTop_,
                               .rememberPosition = RememberPosition,
                               .left = Left(),
                               .top = Top(),
                               .displayMode = DisplayMode,
                               .gridColumns = GridColumns,
                               .gridRows = GridRows,
                               .autoRefresh = Timer1->Enabled(),
                               .intervalSeconds = static_cast<std::int32_t>(Timer1->Interval() / 1000)};
  return {settings, DriveCount()};
}

void TForm1::RestartRefreshTimer(std::uint32_t intervalMs) {
  Timer1->SetEnabled(false);
  Timer1->SetInterval(intervalMs);
  Timer1->SetEnabled(true);
}

void TForm1::SetGrid(std::int32_t columns, std::int32_t rows) {
  GridColumns = columns;
  GridRows = rows;
  ArrangeTiles();
}

void TForm1::Close() {
  SetVisible(false);
  Host().Terminate();
}

void TForm1::TileDblClick(std::int32_t tile) {
  const std::string root = RootPathOf(Tiles.Tile(tile).driveNumber);
  if (root.empty()) return;  // a slot that names no drive letter
  // The shell asks the drive before its window opens, which may take long on a drive that sleeps
  // or is gone; the window goes on meanwhile.
  win::ShellOpenInBackground(services_.system, Handle(), win::Widen(root), SW_SHOWNORMAL);
}

void TForm1::FormMouseDown(bool leftHeld, int x, int y) {
  if (!leftHeld) return;
  DragAnchorX = x;
  DragAnchorY = y;
  dragging_ = true;
  SetCapture(Handle());
}

void TForm1::FormMouseMove(bool leftHeld, int x, int y) {
  // Only a drag that began with a press on the surface moves the window.
  if (!leftHeld || !dragging_) return;
  const Point p = DragMove(Point{Left(), Top()}, Point{DragAnchorX, DragAnchorY}, Point{x, y});
  SetLeft(p.x);
  SetTop(p.y);
}

void TForm1::KeepOnScreen(bool always) {
  const Size size{Width(), Height()};
  if (!always && IsPositionVisible(Point{Left(), Top()}, size, win::MonitorRects())) return;
  const Point centre = CentreOnWorkArea(services_.system->WorkArea(), size);
  SetPosition(centre.x, centre.y);
}

void TForm1::WMSysCommand(WPARAM command, LPARAM lParam) {
  // Minimizing the main window minimizes the whole program into its taskbar button.
  if ((command & 0xFFF0) == SC_MINIMIZE) {
    Host().Minimize(*this);
  } else {
    Default(WM_SYSCOMMAND, command, lParam);
  }
  // The exact command words only: variants with low bits set leave the button alone. Without a
  // tray icon (taskbar only) the button is the one way back from a minimize: it stays then.
  if (command == SC_MAXIMIZE || (command == SC_MINIMIZE && DisplayMode != 1)) {
    ShowWindow(Host().TaskbarWindow(), SW_HIDE);
  }
}

std::optional<LRESULT> TForm1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // of the mouse messages
  switch (message) {
    case WM_TIMER:
      if (wParam == kRefreshTimerId) Timer1Timer();
      // Until the round's end is taken: the worker's posted message may be lost to a full queue.
      if (wParam == kSlowRoundTimerId) SlowRoundTick();
      return 0;
    case kDriveAnswersMessage: ApplyDriveAnswers(); return 0;
    case WM_RBUTTONDOWN:
      if (Panel1.ControlAt(p) == nullptr) FormMouseDown((wParam & MK_LBUTTON) != 0, p.x, p.y);
      return 0;
    case WM_MOUSEMOVE:
      // The hint window comes when the mouse first reaches a control with a hint. Wine also
      // sends a move when the window shows, wherever the pointer is.
      if (const win::GraphicControl* under = Panel1.ControlAt(p); hints_ && under && !under->hint.empty()) {
        hints_->Relay(message, wParam, lParam);
      }
      // The hover stays where it was while the window is dragged or a control is held.
      Router().MouseMove(p, !dragging_ && Router().Pressed() == nullptr);
      if (dragging_) FormMouseMove((wParam & MK_LBUTTON) != 0, p.x, p.y);
      return 0;
    case WM_LBUTTONDBLCLK:
      // On a tile it opens the drive; the press that it also is goes to the controls below, so
      // no drag starts. Elsewhere it is a press like any other.
      if (const auto tile = Tiles.TileAt(p)) TileDblClick(*tile);
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // Shift+F10 opens the menu as the context-menu key does, from here on Windows and Wine alike.
      // Both keys are kept from the default handling, which would open it a second time.
      if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000) != 0) {
        SendMessageW(Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), -1);
        return 0;
      }
      if (wParam == VK_APPS) return 0;  // the menu opens on the key's release
      break;
    case WM_KEYUP:
      if (wParam == VK_APPS) {
        SendMessageW(Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), -1);
        return 0;
      }
      break;
    case WM_CONTEXTMENU: {
      POINT at = p;
      if (at.x == -1 && at.y == -1) at = POINT{Left(), Top()};  // from the keyboard
      PopupMenu1.Popup(Handle(), at);
      return 0;
    }
    case WM_SYSCOMMAND: WMSysCommand(wParam, lParam); return 0;
    case WM_DISPLAYCHANGE:
      // A monitor unplugged or a resolution changed may have left the window out of reach.
      KeepOnScreen();
      break;
    case WM_CLOSE:
      // Closing by any other way than the close command saves nothing.
      Close();
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: dragging_ = false; break;  // on to the controls' part below
    default: break;
  }
  return std::nullopt;
}

}  // namespace wolumetr
