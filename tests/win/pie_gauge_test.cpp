// The pie gauge control and the tiles' refresh: what repaints, what is drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "display/drive_usage.h"
#include "display/pies.h"
#include "win/application.h"
#include "win/system_info.h"
#include "win/text.h"
#include "win_test_support.h"

namespace wolumetr::test {
namespace {

// A surface with no window: controls paint only where a test draws them.
struct Detached {
  win::Surface surface;
};

TEST(TAngles, NotifiesOnlyOnRealChangesAndAssignSendsOnePerChangedAngle) {
  TAngles a;
  EXPECT_EQ(a.StartAngle(), 0);
  EXPECT_EQ(a.EndAngle(), 0);
  int notes = 0;
  a.OnChange = [&](TAngles& sender) {
    EXPECT_EQ(&sender, &a);
    ++notes;
  };
  a.SetStart(0);
  a.SetEnd(0);
  EXPECT_EQ(notes, 0);
  a.SetStart(450);  // stored as given, never normalised
  EXPECT_EQ(a.StartAngle(), 450);
  EXPECT_EQ(notes, 1);
  TAngles b;
  b.SetStart(450);
  b.SetEnd(-90);
  a.Assign(b);
  EXPECT_EQ(notes, 2);  // only the end angle changed
  b.SetStart(1);
  b.SetEnd(2);
  a.Assign(b);
  EXPECT_EQ(notes, 4);
  a.Assign(b);
  EXPECT_EQ(notes, 4);
}

TEST(TPie, DefaultsAndRepaintRequests) {
  // On a shown window what the pie asks to repaint stays in the window's update region.
  const win::ChildWindow window(CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, -3000, -3000, 120, 120,
                                                nullptr, nullptr, nullptr, nullptr));
  win::Surface surface(window.get());
  Pump(30);
  ValidateRect(window.get(), nullptr);
  TPie pie(surface);
  const auto repainted = [&] {
    const bool queued = RepaintQueued(window.get(), RECT{0, 0, pie.Width(), pie.Height()});
    ValidateRect(window.get(), nullptr);
    return queued;
  };
  EXPECT_EQ(pie.Width(), 100);
  EXPECT_EQ(pie.Height(), 100);
  EXPECT_EQ(pie.Angles().StartAngle(), 180);
  EXPECT_EQ(pie.Angles().EndAngle(), 90);
  EXPECT_EQ(pie.Pen().color, RGB(0, 0, 0));
  EXPECT_EQ(pie.Pen().width, 1);
  EXPECT_EQ(pie.Brush().color, RGB(255, 255, 255));
  EXPECT_EQ(pie.Brush().style, static_cast<UINT>(BS_SOLID));
  EXPECT_TRUE(repainted());  // the constructor's angles

  pie.Angles().SetStart(180);
  pie.SetPen(pie.Pen());
  pie.SetBrush(pie.Brush());
  EXPECT_FALSE(repainted()) << "nothing changed, nothing repaints";
  pie.Angles().SetEnd(91);
  EXPECT_TRUE(repainted());
  pie.SetPen(PenStyle{RGB(255, 255, 0)});  // only the colour differs
  EXPECT_TRUE(repainted());
  pie.SetBrush(BrushStyle{RGB(0, 0, 255)});
  EXPECT_TRUE(repainted());
  // SetAngles always repaints, even with equal values.
  TAngles same;
  same.SetStart(180);
  same.SetEnd(91);
  pie.SetAngles(same);
  EXPECT_TRUE(repainted());
}

// Paints one pie on a white 65x65 bitmap and counts the blue pixels.
int BluePixels(int start, int end, UINT brushStyle) {
  Detached d;
  TPie pie(d.surface);
  pie.SetSize(65, 65);
  pie.SetBrush(BrushStyle{RGB(0, 0, 255), brushStyle});
  pie.SetPen(PenStyle{RGB(255, 255, 0), 1, PS_SOLID, R2_COPYPEN});
  pie.Angles().SetStart(start);
  pie.Angles().SetEnd(end);
  win::ScreenDc screen;
  win::MemoryDc dc(CreateCompatibleDC(screen.get()));
  win::BitmapHandle bitmap(CreateCompatibleBitmap(screen.get(), 65, 65));
  win::SelectObjectScope select(dc.get(), bitmap.get());
  RECT all{0, 0, 65, 65};
  FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  pie.Paint(dc.get());
  int blue = 0;
  for (int y = 0; y < 65; ++y) {
    for (int x = 0; x < 65; ++x) blue += GetPixel(dc.get(), x, y) == RGB(0, 0, 255);
  }
  return blue;
}

TEST(TPie, WedgeAreaFollowsTheAngles) {
  const int full = BluePixels(0, 360, BS_SOLID);
  EXPECT_GT(full, 2800);  // about pi * 31.5^2 inside the outline
  EXPECT_EQ(BluePixels(0, 0, BS_SOLID), full) << "coinciding rays draw the whole ellipse";
  const int half = BluePixels(0, 180, BS_SOLID);
  EXPECT_NEAR(half, full / 2, full / 20);
  const int quarter = BluePixels(0, 90, BS_SOLID);
  EXPECT_NEAR(quarter, full / 4, full / 20);
  EXPECT_EQ(BluePixels(0, 0, BS_HOLLOW), 0) << "the empty gauge shows only its outline";
}

class TileRefresh : public ::testing::Test, protected MainWindowFixture {};

// The slowest message round trip another thread sees over `milliseconds` while this thread
// dispatches messages, as the program's loop does.
// A window that waited for a held drive would not answer before the drive is released, long after
// the probe; a busy machine makes an answering one take tens of milliseconds.
constexpr DWORD kAnswering = 250;

DWORD SlowestRoundTripMs(HWND window, int milliseconds) {
  std::atomic<bool> done = false;
  DWORD slowest = 0;
  std::thread prober([&] {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    while (GetTickCount64() < end) {
      const ULONGLONG start = GetTickCount64();
      DWORD_PTR result = 0;
      if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) slowest = 5000;
      slowest = std::max(slowest, static_cast<DWORD>(GetTickCount64() - start));
      Sleep(10);
    }
    done = true;
  });
  while (!done) Pump(5);
  prober.join();
  return slowest;
}

TEST_F(TileRefresh, ASlowDriveNeverHoldsUpTheWindowAndRefreshesAskedMeanwhileFoldIntoOne) {
  drives.drives[3] = {400, 1000, "System"};
  drives.drives[4] = {1, 3, "Dane"};
  // No timer: only the refreshes the test asks for.
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\n[Program]\r\nAutoodswierzanie=0\r\n");
  drives.Hold(4);
  const ULONGLONG start = GetTickCount64();
  TForm1& f = Start();
  EXPECT_LT(GetTickCount64() - start, 2000u) << "start-up waited for the slow drive";
  f.SetVisible(true);
  const DriveTile& slow = f.Tiles.Tile(1);
  EXPECT_EQ(f.Tiles.Tile(0).pie->Angles().EndAngle(), 216) << "the quick drive is shown measured";
  EXPECT_EQ(f.Tiles.Tile(0).volume->Text(), L"System");
  EXPECT_LT(SlowestRoundTripMs(f.Handle(), 600), kAnswering);
  // Until it answers, the slow drive shows the unmeasured look.
  EXPECT_EQ(slow.pie->Brush().style, static_cast<UINT>(BS_HOLLOW));
  EXPECT_EQ(slow.total->Text(), L"");
  EXPECT_EQ(slow.volume->Text(), L"");
  drives.Release(4);
  ASSERT_TRUE(WaitForRefresh());
  EXPECT_EQ(slow.pie->Angles().EndAngle(), 241);
  EXPECT_EQ(slow.volume->Text(), L"Dane");
  const std::vector<std::string> startup{"free 3", "total 3", "volume c:\\", "free 4", "total 4", "volume d:\\"};
  EXPECT_EQ(drives.calls, startup);

  // Three refreshes asked while the first waits on the drive: exactly one more follows.
  // The quick drive answers only after the refresh stopped waiting, and the round then hangs.
  drives.calls.clear();
  drives.Hold(3);
  drives.Hold(4);
  drives.drives[3].free = 500;
  drives.drives[4].free = 2;
  f.RefreshAllDrives();
  f.Timer1Timer();
  f.Odwierz1Click();
  drives.Release(3);
  EXPECT_LT(SlowestRoundTripMs(f.Handle(), 300), kAnswering);
  EXPECT_EQ(slow.pie->Angles().EndAngle(), 241) << "the previous figures stay until the drive answers";
  EXPECT_EQ(f.Tiles.Tile(0).pie->Angles().EndAngle(), 180) << "the answers before the hung drive are shown";
  EXPECT_EQ(drives.Calls(), (std::vector<std::string>{"free 3", "total 3", "free 4"}));
  drives.Release(4);
  ASSERT_TRUE(WaitForRefresh());
  EXPECT_EQ(slow.pie->Angles().EndAngle(), ComputeTileFigures(2, 3).endAngle);
  const std::vector<std::string> twice{"free 3", "total 3", "free 4", "total 4",
                                       "free 3", "total 3", "free 4", "total 4"};
  EXPECT_EQ(drives.calls, twice);
  Pump(100);
  EXPECT_EQ(drives.calls.size(), twice.size()) << "a third refresh ran";

  // A full queue loses the worker's posted messages: a slow round's end is still taken, on the
  // slow-round timer, however long the round ran.
  const auto onlyTheTimer = [&](ULONGLONG ms) {
    const ULONGLONG until = GetTickCount64() + ms;
    MSG msg;
    while (Busy() && GetTickCount64() < until) {
      while (PeekMessageW(&msg, f.Handle(), kDriveAnswersMessage, kDriveAnswersMessage, PM_REMOVE)) {
      }
      if (PeekMessageW(&msg, f.Handle(), WM_TIMER, WM_TIMER, PM_REMOVE)) {
        DispatchMessageW(&msg);
      } else {
        Sleep(1);
      }
    }
  };
  drives.Hold(4);
  f.RefreshAllDrives();
  onlyTheTimer(300);
  drives.Release(4);
  onlyTheTimer(3000);
  EXPECT_FALSE(Busy());
}

TEST_F(TileRefresh, FiguresPerDriveAndUnchangedRefreshRepaintsNothing) {
  drives.drives[3] = {30, 100, "System"};
  drives.drives[4] = {0, 0, "Zero"};         // reports a total of 0 bytes
  drives.drives[5] = {1024, 1024, "Pusty"};  // empty volume
  drives.drives[6] = {0, 1152, "Pełny"};     // full volume
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\nDysk3=E:\\\r\nDysk4=F:\\\r\nDysk5=Q:\\\r\n");
  TForm1& f = Start();
  f.SetVisible(true);
  Pump(100);
  // Each tile shows its drive's figures (worked out and tested with the figures), in the user's
  // decimal separator; Q: cannot be measured.
  for (int t = 0; t < 5; ++t) {
    const FakeDrives::Drive drive = t < 4 ? drives.drives[static_cast<std::uint8_t>(3 + t)] : FakeDrives::Drive{};
    const TileFigures shown = ComputeTileFigures(drive.free, drive.total, win::UserDecimalSeparator());
    const DriveTile& tile = f.Tiles.Tile(t);
    EXPECT_EQ(tile.pie->Angles().StartAngle(), 0) << t;
    EXPECT_EQ(tile.pie->Angles().EndAngle(), shown.endAngle) << t;
    EXPECT_EQ(tile.pie->Brush().style, static_cast<UINT>(shown.showWedge ? BS_SOLID : BS_HOLLOW)) << t;
    EXPECT_EQ(tile.total->Text(), win::Widen(shown.total)) << t;
    EXPECT_EQ(tile.used->Text(), win::Widen(shown.used)) << t;
    EXPECT_EQ(tile.free->Text(), win::Widen(shown.free)) << t;
  }

  // Nothing changed on the disks: no repaint is requested at all.
  ValidateRect(f.Handle(), nullptr);
  f.RefreshAllDrives();
  ASSERT_TRUE(WaitForRefresh());
  RECT dirty;
  EXPECT_FALSE(GetUpdateRect(f.Handle(), &dirty, FALSE));

  // A drive that fills up repaints its own tile only.
  drives.drives[3].free = 10;
  f.RefreshAllDrives();
  ASSERT_TRUE(WaitForRefresh());
  EXPECT_EQ(f.Tiles.Tile(0).pie->Angles().EndAngle(), 324);
  ASSERT_TRUE(GetUpdateRect(f.Handle(), &dirty, FALSE));
  EXPECT_LE(dirty.right, 16 + 81);

  // New sizes with the same share: the pie stays, and the three texts ask for their own repaint.
  ValidateRect(f.Handle(), nullptr);
  drives.drives[3].free = 20;
  drives.drives[3].total = 200;
  f.RefreshAllDrives();
  ASSERT_TRUE(WaitForRefresh());
  for (const auto* label : {f.Tiles.Tile(0).total.get(), f.Tiles.Tile(0).used.get(), f.Tiles.Tile(0).free.get()}) {
    EXPECT_TRUE(RepaintQueued(f.Handle(), label->Bounds())) << win::Narrow(label->Text());
  }
}

TEST_F(TileRefresh, AHiddenWindowQueuesNoRepaintsAndIsPaintedWholeWhenShown) {
  drives.drives[3] = {30, 100, "System"};
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\nDysk2=C:\\\r\n");
  TForm1& f = Start();  // built hidden, as at start-up
  RECT dirty;
  EXPECT_FALSE(GetUpdateRect(f.Handle(), &dirty, FALSE)) << "building the tiles queued repaints";
  drives.drives[3].free = 10;
  f.RefreshAllDrives();
  ASSERT_TRUE(WaitForRefresh());
  EXPECT_EQ(f.Tiles.Tile(0).pie->Angles().EndAngle(), 324);
  EXPECT_FALSE(GetUpdateRect(f.Handle(), &dirty, FALSE)) << "a hidden refresh queued repaints";
  // Showing makes the whole window invalid: the new figures are painted with the rest.
  ShowWindow(f.Handle(), SW_SHOWNA);
  RECT client;
  GetClientRect(f.Handle(), &client);
  ASSERT_TRUE(GetUpdateRect(f.Handle(), &dirty, FALSE));
  EXPECT_TRUE(EqualRect(&dirty, &client));
}

TEST_F(TileRefresh, RefreshImageAndMenuItemWorkOnlyWithAutomaticRefreshOff) {
  drives.drives[3] = {30, 100, ""};
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\n[Program]\r\nAutoodswierzanie=0\r\n");
  TForm1& f = Start();
  f.SetVisible(true);
  Pump(50);
  drives.calls.clear();
  // A real click on the refresh caption.
  Click(f.Handle(), POINT{f.Image3->Left() + 5, f.Image3->Top() + 4});
  ASSERT_TRUE(WaitForRefresh());
  EXPECT_EQ(drives.calls, (std::vector<std::string>{"free 3", "total 3"}));
  f.PopupMenu1.Activate(kOdwierz1);
  ASSERT_TRUE(WaitForRefresh());
  EXPECT_EQ(drives.calls.size(), 4u);
  // The timer is off: nothing else measures.
  Pump(300);
  EXPECT_EQ(drives.calls.size(), 4u);
}

TEST_F(TileRefresh, TimerMeasuresEveryInterval) {
  drives.drives[3] = {30, 100, ""};
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\n[Program]\r\nCzas odswierzania=1\r\n");
  TForm1& f = Start();
  f.SetVisible(true);
  drives.calls.clear();
  Pump(2600);
  EXPECT_GE(drives.calls.size(), 4u);
  EXPECT_LE(drives.calls.size(), 6u);
}

}  // namespace
}  // namespace wolumetr::test
