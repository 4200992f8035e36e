// The main window in-process: start-up settings, tile layout, close and the error box.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>
#include <tlhelp32.h>

#include "app/settings_at_start.h"
#include "common/dpi.h"
#include "display/grid_layout.h"
#include "memory_settings_store.h"
#include "win/application.h"
#include "win/com_ref.h"
#include "win/error_box.h"
#include "win/handles.h"
#include "win/system_info.h"
#include "win/text.h"
#include "win/window_dpi.h"
#include "win_test_support.h"

namespace wolumetr::test {
namespace {

// The hint window that `owner` owns, if it has one yet.
HWND HintWindowOf(HWND owner) {
  for (HWND tips : OwnWindows(TOOLTIPS_CLASSW)) {
    if (GetWindow(tips, GW_OWNER) == owner) return tips;
  }
  return nullptr;
}

class MainWindow : public ::testing::Test, protected MainWindowFixture {
 protected:
  void SetUp() override {
    drives.drives[3] = {400, 1000, "System"};
    drives.drives[4] = {1, 3, "Dane"};
    drives.drives[5] = {0, 1024, ""};
  }
};

TEST_F(MainWindow, StartsWithDefaultsWhenThereIsNoSettingsFile) {
  TForm1& f = Start();
  EXPECT_TRUE(ExStyle(f.Handle()) & WS_EX_LAYERED);
  EXPECT_EQ(Alpha(f.Handle()), 190);
  EXPECT_FALSE(ExStyle(f.Handle()) & WS_EX_TOPMOST);
  EXPECT_FALSE(f.RememberPosition);
  EXPECT_TRUE(f.Timer1->Enabled());
  EXPECT_EQ(f.Timer1->Interval(), 5000u);
  EXPECT_FALSE(f.Image3->Visible());
  EXPECT_FALSE(f.PopupMenu1.Item(kOdwierz1).visible);
  EXPECT_EQ(f.DriveCount(), 0);
  // No tile: the design size stays, centred on the 1280x1024 work area.
  EXPECT_EQ((Size{f.Width(), f.Height()}), (Size{501, 286}));
  EXPECT_EQ((Point{f.Left(), f.Top()}), (Point{640 - 250, 512 - 143}));
  EXPECT_EQ((Point{f.DragAnchorX, f.DragAnchorY}), (Point{f.Left(), f.Top()}));
  EXPECT_FALSE(Settings().has_value()) << "start-up writes nothing";
  // Brought back after an upgrade, a crash or a hang, with the switch that tells it so; not after a reboot.
  EXPECT_EQ(TestSystem().restartRegistrations,
            (std::vector<std::pair<std::wstring, DWORD>>{{L"/restarted", RESTART_NO_REBOOT}}));
  EXPECT_TRUE(f.TrayIcon1->Visible());
  // The tray's picture is the icon's own image for the small-icon size at the system's scale.
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(f.TrayIcon1->Icon(), &info));
  BITMAP colour{};
  GetObjectW(info.hbmColor, sizeof colour, &colour);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_EQ(colour.bmWidth, GetSystemMetricsForDpi(SM_CXSMICON, static_cast<UINT>(win::SystemDpi())));
}

TEST_F(MainWindow, StartUpReadsTheSettingsFileOnceAndLaterShowsReadItAfresh) {
  MemorySettingsStore files;
  const std::string path = win::Narrow(folder.File(L"wolumetr.ini"));
  files.Put(path, "[Wyglad]\r\nPoziomprzezr=200\r\n[Dyski]\r\nDysk1=C:\\\r\n[Polozenie]\r\nPasek=2\r\n");
  StartupSnapshot snapshot(files);
  ASSERT_TRUE(ReadSettingsAtStart(snapshot, path, TestSystem(), TestHost().Title()));
  form = std::make_unique<TForm1>(
      TestHost(), MainWindowServices{snapshot, sharedDrives, SharedTestSystem(), folder.Path(), &snapshot});
  form->FormCreate();
  form->SetVisible(true);
  EXPECT_EQ(files.load_count(), 1) << "settings, tiles and the first display mode from one reading";
  EXPECT_EQ(Alpha(form->Handle()), 200);
  EXPECT_EQ(form->DriveCount(), 1);
  EXPECT_EQ(form->DisplayMode, 2);
  files.Put(path, "[Polozenie]\r\nPasek=1\r\n");
  form->SetVisible(false);
  form->SetVisible(true);
  EXPECT_EQ(files.load_count(), 2);
  EXPECT_EQ(form->DisplayMode, 1);
}

TEST_F(MainWindow, AnUnreadableSettingsFileAtStartIsRetriedOrGivenUpNeverTakenForAFirstRun) {
  const std::wstring file = folder.File(L"wolumetr.ini");
  const std::string stored = "[Dyski]\r\nDysk1=C:\\\r\n";
  FakeSystem& system = TestSystem();
  auto lock = [&] {
    return win::OwnFileHandle(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  };
  auto read = [&](StartupSnapshot& snapshot) {
    return ReadSettingsAtStart(snapshot, win::Narrow(file), system, TestHost().Title());
  };

  // Held open without sharing: asked, retried, given up; the file as it was.
  WriteSettings(stored);
  win::KernelHandle held = lock();
  ASSERT_TRUE(held);
  system.answers = {IDRETRY, IDCANCEL};
  StartupSnapshot givenUp(store);
  EXPECT_FALSE(read(givenUp));
  ASSERT_EQ(system.boxes.size(), 2u);
  EXPECT_EQ(system.boxes[0].flags & 0xF, static_cast<UINT>(MB_RETRYCANCEL));
  EXPECT_NE(system.boxes[0].text.find(file), std::wstring::npos) << "names the file";
  held.reset();
  EXPECT_EQ(Settings().value(), stored);

  // Let go while the box is up: the retry reads it.
  held = lock();
  system.Reset();
  system.onBox = [&](const BoxCall&) { held.reset(); };
  system.answers = {IDRETRY};
  StartupSnapshot retried(store);
  EXPECT_TRUE(read(retried));
  EXPECT_EQ(system.boxes.size(), 1u);
  EXPECT_EQ(retried.Load(win::Narrow(file)), stored);

  // A folder of that name is no file to wait for: asked at once.
  DeleteFileW(file.c_str());
  ASSERT_TRUE(CreateDirectoryW(file.c_str(), nullptr));
  system.Reset();
  system.answers = {IDCANCEL};
  StartupSnapshot folderNamedSo(store);
  const ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(read(folderNamedSo));
  EXPECT_LT(GetTickCount64() - start, 200u) << "no retries on access denied";
  EXPECT_EQ(system.boxes.size(), 1u);
  RemoveDirectoryW(file.c_str());
}

TEST_F(MainWindow, AppliesStoredLookAndTimer) {
  WriteSettings(
      "[Wyglad]\r\nPrzezroczystosc=2\r\nPoziomprzezr=300\r\nNa wierzchu=1\r\n"
      "[Program]\r\nAutoodswierzanie=0\r\nCzas odswierzania=0\r\n");
  TForm1& f = Start();
  EXPECT_EQ(Alpha(f.Handle()), 44);
  EXPECT_TRUE(ExStyle(f.Handle()) & WS_EX_TOPMOST);
  EXPECT_FALSE(f.Timer1->Enabled());
  EXPECT_FALSE(f.Timer1->Running());
  EXPECT_TRUE(f.Image3->Visible());
  EXPECT_TRUE(f.PopupMenu1.Item(kOdwierz1).visible);
}

TEST_F(MainWindow, TimerIntervalEdgeValues) {
  const struct {
    const char* stored;
    std::uint32_t interval;
    bool running;
  } cases[] = {{"0", 0, false}, {"-3", 0, false}, {"2", 2000, true}, {"$7FFFFFFF", 0xFFFFFFFFu, true}};
  for (const auto& c : cases) {
    WriteSettings(std::string("[Program]\r\nCzas odswierzania=") + c.stored + "\r\n");
    TForm1& f = Start();
    EXPECT_EQ(f.Timer1->Interval(), c.interval) << c.stored;
    EXPECT_EQ(f.Timer1->Running(), c.running) << c.stored;
    EXPECT_FALSE(f.PopupMenu1.Item(kOdwierz1).visible) << c.stored;
    form.reset();
  }
}

TEST_F(MainWindow, OpaqueWhenTransparencyIsOff) {
  WriteSettings("[Wyglad]\r\nPrzezroczystosc=0\r\n");
  TForm1& f = Start();
  EXPECT_FALSE(ExStyle(f.Handle()) & WS_EX_LAYERED);
}

TEST_F(MainWindow, SizeAndPlaceForDriveAndGridConfigurations) {
  const struct {
    const char* ini;
    int count, columns, rows, width, height, left, top;
  } cases[] = {
      {"[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\nDysk3=E:\\\r\n", 3, 3, 1, 259, 97, 511, 464},
      {"[Dyski]\r\nDysk1=C:\\\r\nDysk2=0\r\nDysk3=d:\\\r\n", 2, 2, 1, 178, 97, 551, 464},
      {"[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\nDysk3=E:\\\r\nDysk4=C:\\\r\nDysk5=D:\\\r\n"
       "[Program]\r\nIlosc kolumn=2\r\nIlosc wierszy=2\r\n",
       5, 5, 1, 421, 97, 430, 464},
      {"[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\nDysk3=E:\\\r\n[Program]\r\nIlosc kolumn=10\r\nIlosc wierszy=1\r\n", 3,
       10, 1, 826, 97, 227, 464},
      {"[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\n[Program]\r\nIlosc kolumn=4\r\nIlosc wierszy=4\r\n", 2, 4, 4, 340, 340,
       470, 342},
      {"[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\nDysk3=E:\\\r\n[Program]\r\nIlosc kolumn=3\r\n", 3, 3, 1, 259, 97, 511,
       464},
      {"[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\n[Program]\r\nIlosc kolumn=-4\r\nIlosc wierszy=-4\r\n", 2, 2, 1, 178, 97,
       551, 464},
      {"[Dyski]\r\nDysk1=C:\\\r\n[Polozenie]\r\nZapamietaj pol=1\r\nPolozenie Y=300\r\n", 1, 1, 1, 97, 97, 10, 300},
      {"[Dyski]\r\nDysk1=C:\\\r\n[Polozenie]\r\nZapamietaj pol=0\r\nPolozenie X=5\r\nPolozenie Y=6\r\n", 1, 1, 1, 97,
       97, 592, 464},
      // A remembered place that no monitor shows any more is replaced by centring.
      {"[Dyski]\r\nDysk1=C:\\\r\n[Polozenie]\r\nZapamietaj pol=1\r\nPolozenie X=-5000\r\nPolozenie Y=10\r\n", 1, 1, 1,
       97, 97, 592, 464},
  };
  for (const auto& c : cases) {
    WriteSettings(c.ini);
    TForm1& f = Start();
    EXPECT_EQ(f.DriveCount(), c.count) << c.ini;
    EXPECT_EQ(f.GridColumns, c.columns) << c.ini;
    EXPECT_EQ(f.GridRows, c.rows) << c.ini;
    EXPECT_EQ((Size{f.Width(), f.Height()}), (Size{c.width, c.height})) << c.ini;
    EXPECT_EQ((Point{f.Left(), f.Top()}), (Point{c.left, c.top})) << c.ini;
    // The images follow the size: close glyph top right, hide top left, refresh bottom left.
    EXPECT_EQ(f.Image1->Left(), c.width - 10);
    EXPECT_EQ(f.Image1->Top(), 2);
    EXPECT_EQ(f.Image2->Left(), 2);
    EXPECT_EQ(f.Image3->Top(), c.height - 12);
    form.reset();
  }
}

TEST_F(MainWindow, TilesFollowTheSlotsAndTheGrid) {
  WriteSettings(
      "[Dyski]\r\nDysk1=C:\\\r\nDysk2=0\r\nDysk3=d:\\\r\nDysk4=c:\r\nDysk5=\r\nDysk6=C:\\\r\nDysk7=E:\\\r\n"
      "Dysk8=D:\\\r\nDysk9=C:\\\r\nDysk19=D:\\\r\n[Program]\r\nIlosc kolumn=4\r\nIlosc wierszy=2\r\n");
  TForm1& f = Start();
  ASSERT_EQ(f.DriveCount(), 8);
  const struct {
    std::uint8_t number;
    const wchar_t* letter;
    const wchar_t* volume;
  } tiles[] = {{3, L"C", L"System"}, {4, L"D", L"Dane"}, {0, L"C", L""},     {0, L"", L""},
               {3, L"C", L"System"}, {5, L"E", L""},     {4, L"D", L"Dane"}, {3, L"C", L"System"}};
  for (int t = 0; t < 8; ++t) {
    EXPECT_EQ(f.Tiles.Tile(t).driveNumber, tiles[t].number) << t;
    EXPECT_EQ(f.Tiles.Tile(t).letter->Text(), tiles[t].letter) << t;
    EXPECT_EQ(f.Tiles.Tile(t).volume->Text(), tiles[t].volume) << t;
  }
  // Tile 7 of the 4x2 grid: column 3, row 1.
  EXPECT_EQ(f.Tiles.Tile(7).pie->Left(), 259);
  EXPECT_EQ(f.Tiles.Tile(7).pie->Top(), 97);
  EXPECT_EQ(f.Tiles.Tile(7).pie->Width(), 65);
  EXPECT_EQ(f.Tiles.Tile(7).volume->Left(), 273);
  EXPECT_EQ(f.Tiles.Tile(7).volume->Width(), 51);
  EXPECT_EQ(f.Tiles.Tile(7).total->Top(), 113);
  EXPECT_EQ(f.Tiles.Tile(7).used->Top(), 129);
  EXPECT_EQ(f.Tiles.Tile(7).free->Left(), 259);
  EXPECT_EQ(f.Tiles.Tile(7).free->Top(), 145);
  // Pies lie under everything else on the panel.
  const auto& order = f.Panel1.Controls();
  for (int t = 0; t < 8; ++t) {
    EXPECT_LT(std::find(order.begin(), order.end(), f.Tiles.Tile(t).pie.get()) - order.begin(), 8);
  }
}

TEST_F(MainWindow, HintsComeWhenTheMouseFirstReachesAGlyphAndFollowTheGlyphs) {
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\nDysk3=E:\\\r\n");
  TForm1& f = Start();
  f.SetVisible(true);
  EXPECT_EQ(HintWindowOf(f.Handle()), nullptr) << "made before the mouse came";
  const POINT bare{f.Image1->Left() - 20, 4};
  ASSERT_EQ(f.Panel1.ControlAt(bare), nullptr);
  SendMessageW(f.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(bare.x, bare.y));
  EXPECT_EQ(HintWindowOf(f.Handle()), nullptr) << "made for the bare surface";
  SendMessageW(f.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(f.Image1->Left() + 2, f.Image1->Top() + 2));
  HWND tips = HintWindowOf(f.Handle());
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
  // The hint `id` covers `glyph` and says `text`.
  auto expectTool = [&](UINT id, const win::GraphicControl& glyph, const wchar_t* text) {
    wchar_t buffer[80] = {};
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = f.Handle();
    info.uId = id;
    info.lpszText = buffer;
    EXPECT_TRUE(SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) << id;
    EXPECT_TRUE(EqualRect(&info.rect, &glyph.Bounds())) << id;
    EXPECT_EQ(std::wstring(buffer), text);
  };
  expectTool(1, *f.Image1, L"Zamknij program");
  // A narrower grid moves the glyphs, and their hints with them.
  f.GridColumns = 1;
  f.GridRows = 3;
  f.ArrangeTiles();
  expectTool(2, *f.Image2, L"Ukryj (Minimalizuj)");
}

TEST_F(MainWindow, MeasuresEveryTileOnceAtStartAndInOrderOnRefresh) {
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\nDysk2=Q:\\\r\nDysk3=D:\\\r\n");
  TForm1& f = Start();
  drives.calls.clear();
  f.RefreshAllDrives();
  ASSERT_TRUE(WaitForRefresh());
  const std::vector<std::string> expected{"free 3", "total 3", "free 17", "total 17", "free 4", "total 4"};
  EXPECT_EQ(drives.calls, expected);
  EXPECT_EQ(f.Tiles.Tile(0).pie->Angles().EndAngle(), 216);  // 60 % used
  EXPECT_EQ(f.Tiles.Tile(2).pie->Angles().EndAngle(), 241);  // free 1 of 3: 67 % used
  // The unmeasurable drive shows no figures and no wedge.
  EXPECT_EQ(f.Tiles.Tile(1).total->Text(), L"");
  EXPECT_EQ(f.Tiles.Tile(1).used->Text(), L"");
  EXPECT_EQ(f.Tiles.Tile(1).pie->Brush().style, static_cast<UINT>(BS_HOLLOW));
}

// Tells the window it now sits on a monitor of `dpi`, as Windows does when it crosses to one;
// the suggested place is (left, top).
void ChangeScale(TForm1& f, int dpi, int left, int top) {
  RECT suggested{left, top, left + ScaleToDpi(f.Width(), dpi), top + ScaleToDpi(f.Height(), dpi)};
  SendMessageW(f.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

std::string DriveSlots(int count) {
  std::string ini = "[Dyski]\r\n";
  for (int k = 1; k <= count; ++k) ini += "Dysk" + std::to_string(k) + "=C:\\\r\n";
  return ini;
}

TEST_F(MainWindow, SizeAndPlacesFollowTheScale) {
  // The sizes at every scale are the layout's, tested with it; here the window takes them.
  constexpr int dpi = 144;
  const struct {
    std::string ini;
    int tiles;
    Size size;
  } cases[] = {{DriveSlots(18), 18, {756, 390}}, {"", 0, {752, 429}}};  // no tile: the design size scaled
  for (const auto& c : cases) {
    WriteSettings(c.ini);
    TForm1& f = Start();
    ChangeScale(f, dpi, 100, 50);
    SCOPED_TRACE(std::to_string(c.tiles) + " tiles");
    EXPECT_EQ(f.Dpi(), dpi);
    EXPECT_EQ((Size{f.Width(), f.Height()}), c.size);
    EXPECT_EQ((Point{f.Left(), f.Top()}), (Point{100, 50}));
    // Glyphs drawn for the scale, in the corners inside the bevel.
    const int inset = 2 * ScaleToDpi(1, dpi);
    EXPECT_EQ((Size{f.Image1->Width(), f.Image1->Height()}), ScaleToDpi(Size{8, 9}, dpi));
    EXPECT_EQ((Size{f.Image3->Width(), f.Image3->Height()}), ScaleToDpi(Size{39, 10}, dpi));
    EXPECT_EQ(f.Image1->Left(), c.size.width - f.Image1->Width() - inset);
    EXPECT_EQ(f.Image2->Left(), inset);
    EXPECT_EQ(f.Image3->Top(), c.size.height - f.Image3->Height() - inset);
    if (c.tiles > 0) {
      // The last tile's cell ends at the window's bottom right corner.
      const DriveTile& last = f.Tiles.Tile(c.tiles - 1);
      EXPECT_EQ(last.pie->Width(), ScaleToDpi(65, dpi));
      EXPECT_EQ(last.volume->Width(), ScaleToDpi(51, dpi));
      EXPECT_EQ(last.pie->Left() + ScaleToDpi(81, dpi), c.size.width);
      EXPECT_EQ(last.pie->Top() + ScaleToDpi(81, dpi), c.size.height);
      EXPECT_EQ(last.total->Font().dpi, dpi);
    }
    form.reset();
  }
}

// Every glyph and tile control as placed; the labels that fit their text.
std::vector<Placed> Layout(const TForm1& f) {
  std::vector<Placed> placed{
      {"close", f.Image1->Bounds()}, {"hide", f.Image2->Bounds()}, {"refresh", f.Image3->Bounds()}};
  for (int t = 0; t < f.DriveCount(); ++t) {
    const DriveTile& tile = f.Tiles.Tile(t);
    const std::string name = "tile " + std::to_string(t) + " ";
    placed.push_back({name + "pie", tile.pie->Bounds()});
    placed.push_back({name + "volume", tile.volume->Bounds()});
    placed.push_back({name + "letter", tile.letter->Bounds(), true});
    placed.push_back({name + "total", tile.total->Bounds(), true});
    placed.push_back({name + "used", tile.used->Bounds(), true});
    placed.push_back({name + "free", tile.free->Bounds(), true});
  }
  return placed;
}

TEST_F(MainWindow, AMoveToAnotherScaleAndBackRedoesTheLayoutWithoutLeaking) {
  drives.drives[3] = {400LL << 30, 1000LL << 30, "System"};
  WriteSettings(DriveSlots(3));
  std::vector<Placed> at144;
  {
    TForm1& there = Start();
    ASSERT_TRUE(WaitForRefresh());
    ChangeScale(there, 144, 0, 0);
    at144 = Layout(there);
    form.reset();
  }
  TForm1& f = Start();
  f.SetVisible(true);
  ASSERT_TRUE(WaitForRefresh());
  ExpectDpiRoundTrip(
      f, [&f] { return Layout(f); }, 144, Size{390, 146}, at144);
  EXPECT_EQ(f.Tiles.Tile(0).total->Font().dpi, 96);
}

TEST_F(MainWindow, LabelsOfATileKeepApartFromEachOtherAndTheNeighboursAtEveryScale) {
  // The widest figures a tile shows: a 16 TB drive (sizes stop at GB) with eights.
  for (std::uint8_t n = 0; n <= 26; ++n) drives.drives[n] = {8888LL << 30, 16384LL << 30, "Wwwwwwwwwwwwwww"};
  WriteSettings(
      "[Dyski]\r\nDysk1=W:\\\r\nDysk2=W:\\\r\nDysk3=W:\\\r\nDysk4=W:\\\r\n"
      "[Program]\r\nIlosc kolumn=2\r\nIlosc wierszy=2\r\n");
  int hoverWidthAt96 = 0;
  for (int dpi : {96, 120, 144, 192}) {
    TForm1& f = Start();
    ASSERT_TRUE(WaitForRefresh());
    ChangeScale(f, dpi, 0, 0);
    ASSERT_EQ(f.Tiles.Tile(0).total->Text(), L"16384" + win::Widen(win::UserDecimalSeparator()) + L"00 GB");
    std::vector<Placed> labels;
    for (const Placed& p : Layout(f)) {
      if (p.name.find("pie") == std::string::npos && p.name.find("tile") == 0) labels.push_back(p);
    }
    ASSERT_EQ(labels.size(), 20u);
    RECT client;
    GetClientRect(f.Handle(), &client);
    SCOPED_TRACE(std::to_string(dpi) + " dpi");
    ExpectApart(labels, client);
    // Under the mouse a size grows to Arial 14 bold as much at every scale as at 96 dpi: in
    // proportion, give or take the rounding of glyph widths. Away from it, it is as it was.
    win::Label& total = *f.Tiles.Tile(0).total;
    const int width = total.Width();
    SendMessageW(f.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(total.Left() + 2, total.Top() + 2));
    ASSERT_EQ(total.Font().name, L"Arial");
    EXPECT_EQ(total.Font().points, 14);
    EXPECT_TRUE(total.Font().bold);
    EXPECT_EQ(total.Font().dpi, dpi);
    EXPECT_GT(total.Width(), width);
    if (dpi == 96) hoverWidthAt96 = total.Width();
    const int expected = ScaleToDpi(hoverWidthAt96, dpi);
    EXPECT_NEAR(total.Width(), expected, 2 + expected / 20) << dpi << " dpi";
    SendMessageW(f.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 90));  // the bare panel
    EXPECT_EQ(total.Font().name, win::kPanelFace);
    EXPECT_EQ(total.Font().points, 8);
    EXPECT_EQ(total.Width(), width);
    form.reset();
  }
}

const char kRemembered[] =
    "; mine\r\n[Polozenie]\r\nZapamietaj pol=1\r\nPolozenie X=100\r\nPolozenie Y=200\r\n"
    "[Inne]\r\nklucz=wartość\r\n";

// A temporary file as a killed save leaves it, written `ageSeconds` ago.
void LeaveTemporary(const TempFolder& folder, const std::wstring& name, int ageSeconds) {
  folder.Write(name, "[Polozenie]\r\n");
  win::KernelHandle file = win::OwnFileHandle(
      CreateFileW(folder.File(name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
  t.QuadPart -= static_cast<ULONGLONG>(ageSeconds) * 10'000'000;
  const FILETIME then{t.LowPart, t.HighPart};
  SetFileTime(file.get(), nullptr, nullptr, &then);
}

// A process of the session other than this one (whose own saves use its number).
DWORD AnotherRunningProcess() {
  const win::KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ProcessID != 0 && entry.th32ProcessID != GetCurrentProcessId()) return entry.th32ProcessID;
  }
  ADD_FAILURE() << "no other process";
  return 0;
}

TEST_F(MainWindow, CloseCommandAndCloseGlyphSaveTheRememberedPosition) {
  for (bool viaGlyph : {false, true}) {
    WriteSettings(std::string(kRemembered) + "[Dyski]\r\nDysk1=C:\\\r\n");
    LeaveTemporary(folder, L"wolumetr.ini.~4242.tmp", 120);
    LeaveTemporary(folder, L"wolumetr.ini.~4343.tmp", 5);
    const std::wstring running = L"wolumetr.ini.~" + std::to_wstring(AnotherRunningProcess()) + L".tmp";
    LeaveTemporary(folder, running, 120);
    TForm1& f = Start();
    f.SetPosition(321, 123);
    if (viaGlyph) {
      Click(f.Handle(), POINT{f.Image1->Left() + 3, f.Image1->Top() + 3});
    } else {
      f.PopupMenu1.Activate(kZamknij1);
    }
    EXPECT_EQ(Settings().value(),
              "; mine\r\n[Polozenie]\r\nZapamietaj pol=1\r\nPolozenie X=321\r\nPolozenie Y=123\r\n"
              "[Inne]\r\nklucz=wartość\r\n[Dyski]\r\nDysk1=C:\\\r\n");
    EXPECT_FALSE(folder.Read(L"wolumetr.ini.~4242.tmp")) << "a killed save's leftover is swept";
    EXPECT_TRUE(folder.Read(L"wolumetr.ini.~4343.tmp")) << "a young one may be another instance's save";
    EXPECT_TRUE(folder.Read(running)) << "so is an old-looking one whose process runs (a clock that lags)";
    EXPECT_TRUE(win::Application::Instance().Terminated());
    EXPECT_FALSE(f.IsVisible());
    form.reset();
  }
}

TEST_F(MainWindow, ClosingWithoutTheCommandSavesNothing) {
  WriteSettings(kRemembered);
  TForm1& f = Start();
  f.SetPosition(321, 123);
  SendMessageW(f.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(Settings().value(), kRemembered);
}

TEST_F(MainWindow, CloseWritesNothingWhenThePositionIsNotRemembered) {
  TForm1& f = Start();
  f.PopupMenu1.Activate(kZamknij1);
  EXPECT_FALSE(Settings().has_value());
}

TEST_F(MainWindow, FailedSaveShowsTheErrorKeepsTheFileAndTheProgramOpen) {
  WriteSettings(kRemembered);
  TForm1& f = Start();
  f.SetPosition(321, 123);
  // Another program holds the file open: it cannot be replaced.
  win::KernelHandle lock = win::OwnFileHandle(CreateFileW(folder.File(L"wolumetr.ini").c_str(), GENERIC_READ,
                                                          FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);
  ErrorRecorder errors;
  const std::string failure = "Unable to write to " + win::Narrow(folder.File(L"wolumetr.ini"));
  // While the box is up its loop still runs the tray menu: the same failure again, and a second
  // close that would now succeed, change nothing and stack no box.
  TestSystem().whileErrorBoxIsUp = [&] {
    win::ReportError(failure);
    lock.reset();
    f.PopupMenu1.Activate(kZamknij1);
  };
  Click(f.Handle(), POINT{f.Image1->Left() + 3, f.Image1->Top() + 3});
  ASSERT_EQ(errors.messages.size(), 1u);
  EXPECT_EQ(errors.messages[0], failure + ".");
  EXPECT_EQ(Settings().value(), kRemembered);
  EXPECT_FALSE(win::Application::Instance().Terminated());
  // Once the box is gone, closing works again.
  f.PopupMenu1.Activate(kZamknij1);
  EXPECT_TRUE(win::Application::Instance().Terminated());
  EXPECT_NE(Settings().value(), kRemembered);
}

TEST_F(MainWindow, StartingLeavesTheKeyboardWhereTheUserIsTyping) {
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\n[Polozenie]\r\nPasek=2\r\n");
  HWND typing = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(typing);
  ASSERT_EQ(GetForegroundWindow(), typing);
  TForm1& f = Start();
  PostQuitMessage(0);  // the loop ends as soon as it has shown the window
  win::Application::Instance().Run(f);
  EXPECT_TRUE(f.IsVisible());
  EXPECT_TRUE(IsWindowVisible(Taskbar()));
  EXPECT_EQ(GetForegroundWindow(), typing);
  EXPECT_EQ(GetActiveWindow(), typing);
  DestroyWindow(typing);
}

TEST_F(MainWindow, MenuHoldsEveryItemInOrder) {
  TForm1& f = Start();
  std::vector<std::wstring> captions;
  for (const auto& item : f.PopupMenu1.Items()) captions.push_back(item.caption);
  const std::vector<std::wstring> expected{L"Ukryj",       L"-",        L"Opcje",  L"-",           L"Ustaw dyski",
                                           L"-",           L"Odświerz", L"-",      L"Wyrównaj do", L"-",
                                           L"O programie", L"-",        L"Zamknij"};
  EXPECT_EQ(captions, expected);
  EXPECT_EQ(f.PopupMenu1.Item(kWyrwnajdo1).submenu.size(), 9u);
  EXPECT_EQ(f.PopupMenu1.Item(krodekekranu1).caption, L"Środek ekranu");
  EXPECT_TRUE(f.PopupMenu1.Item(kUkryj1).autoCheck);
}

// A command opens its window modally over the disabled main window; the ones that cannot open a
// second window grey their item meanwhile, About raises the open one. Closing destroys the window,
// gives the main window back and stores nothing.
TEST_F(MainWindow, AMenuCommandOpensItsWindowModallyWithItsItemGreyed) {
  const struct {
    UINT command;
    const wchar_t* windowClass;
    bool greyed;
    const wchar_t* focusedClass;  // nullptr: not checked
  } cases[] = {{kOpcje1, L"TForm3", true, nullptr},
               {kUstawdyski1, L"TForm4", true, L"WolumetrStringGrid"},
               {kOprogramie1, L"TForm2", false, nullptr}};
  const std::string stored = "[Dyski]\r\nDysk1=C:\\\r\n";
  WriteSettings(stored);
  for (const auto& c : cases) {
    TForm1& m = Start();
    m.SetVisible(true);
    const int runsBefore = TestHost().modalRuns;
    bool visible = false, mainEnabled = true, itemEnabled = c.greyed, focused = false;
    int open = 0;
    const InLoop step([&] {
      HWND window = FindOwnWindow(c.windowClass);
      visible = window != nullptr && IsWindowVisible(window);
      mainEnabled = IsWindowEnabled(m.Handle()) != FALSE;
      itemEnabled = m.PopupMenu1.Item(c.command).enabled;
      wchar_t name[32] = {};
      GetClassNameW(GetFocus(), name, 32);
      focused = c.focusedClass == nullptr || std::wstring(name) == c.focusedClass;
      m.PopupMenu1.Activate(c.command);  // no second window
      open = static_cast<int>(OwnWindows(c.windowClass).size());
      if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
    });
    m.PopupMenu1.Activate(c.command);
    EXPECT_EQ(TestHost().modalRuns - runsBefore, 1) << c.command;
    EXPECT_TRUE(visible) << c.command;
    EXPECT_FALSE(mainEnabled) << c.command;
    EXPECT_EQ(itemEnabled, !c.greyed) << c.command;
    EXPECT_TRUE(focused) << c.command;
    EXPECT_EQ(open, 1) << c.command;
    EXPECT_TRUE(m.PopupMenu1.Item(c.command).enabled) << c.command;
    EXPECT_TRUE(IsWindowEnabled(m.Handle())) << c.command;
    EXPECT_EQ(FindOwnWindow(c.windowClass), nullptr) << c.command << ": destroyed when the modal loop returns";
    EXPECT_FALSE(win::Application::Instance().Terminated()) << c.command;
    EXPECT_EQ(Settings(), stored) << c.command << ": closing without the save stores nothing";
    form.reset();
  }
}

// The main window's object as a screen reader gets it. Wine 8 answers the window's message but
// cannot hand a program's own object across (E_NOINTERFACE): then it is taken directly.
win::ComRef<IAccessible> AccessibleOf(const TForm1& f) {
  EXPECT_NE(SendMessageW(f.Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), 0);
  EXPECT_EQ(SendMessageW(f.Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_WINDOW)), 0) << "the system's";
  win::ComRef<IAccessible> object;
  if (FAILED(AccessibleObjectFromWindow(f.Handle(), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(object.put())))) {
    object = f.AccessibleObject();
  }
  return object;
}

TEST_F(MainWindow, ScreenReadersHearEveryTileAndGlyph) {
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\n");
  win::ComScope com;
  TForm1& f = Start();
  f.SetAutoRefresh(false);  // the refresh caption shows
  const win::ComRef<IAccessible> object = AccessibleOf(f);
  ASSERT_TRUE(object);
  long count = 0;
  ASSERT_EQ(object->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 2 + 3);

  const auto figures = [&](int t, const wchar_t* percent) {
    const DriveTile& tile = f.Tiles.Tile(t);
    return std::wstring(L"Zajęte ") + percent + L" %, pojemność " + tile.total->Text() + L", zajęte " +
           tile.used->Text() + L", wolne " + tile.free->Text();
  };
  const std::wstring none = L"<none>";
  const Spoken expected[] = {
      {ROLE_SYSTEM_LISTITEM, L"Dysk C: System", figures(0, L"60"), STATE_SYSTEM_READONLY, none},
      {ROLE_SYSTEM_LISTITEM, L"Dysk D: Dane", figures(1, L"67"), STATE_SYSTEM_READONLY, none},
      {ROLE_SYSTEM_PUSHBUTTON, L"Zamknij program", none, 0, L"Naciśnij"},
      {ROLE_SYSTEM_PUSHBUTTON, L"Ukryj (Minimalizuj)", none, 0, L"Naciśnij"},
      {ROLE_SYSTEM_PUSHBUTTON, L"Odświerz", none, 0, L"Naciśnij"},
  };
  for (long id = 1; id <= 5; ++id) EXPECT_EQ(Ask(*object.get(), id), expected[id - 1]) << id;
  EXPECT_NE(f.Tiles.Tile(0).total->Text(), L"");
  // Where a tile is: from its pie's corner on the screen.
  long left = 0, top = 0, width = 0, height = 0;
  ASSERT_EQ(object->accLocation(&left, &top, &width, &height, Child(1)), S_OK);
  EXPECT_EQ(left, f.Left() + f.Tiles.Tile(0).pie->Left());
  EXPECT_EQ(top, f.Top() + f.Tiles.Tile(0).pie->Top());
  VARIANT hit;
  ASSERT_EQ(object->accHitTest(f.Left() + f.Image1->Left() + 2, f.Top() + f.Image1->Top() + 2, &hit), S_OK);
  EXPECT_EQ(hit.vt, VT_I4);
  EXPECT_EQ(hit.lVal, 3);
  // The window itself is the system's client object; a child past the glyphs does not exist.
  EXPECT_EQ(Ask(*object.get(), CHILDID_SELF).role, ROLE_SYSTEM_CLIENT);
  BSTR text = nullptr;
  EXPECT_EQ(object->get_accName(Child(6), &text), E_INVALIDARG);
  EXPECT_EQ(object->accDoDefaultAction(Child(1)), DISP_E_MEMBERNOTFOUND) << "a tile has no action";

  // Pressing the refresh caption measures the drives, as its click does.
  drives.calls.clear();
  ASSERT_EQ(object->accDoDefaultAction(Child(5)), S_OK);
  Pump(50);
  ASSERT_TRUE(WaitForRefresh());
  EXPECT_FALSE(drives.calls.empty());
  // Hidden with automatic refresh on, it says so.
  f.SetAutoRefresh(true);
  EXPECT_EQ(Ask(*object.get(), 5).state, STATE_SYSTEM_INVISIBLE);

  // A client holding the object past the window learns that it is gone, already while the
  // window's members go (the tray icon's removal waits for the shell's process).
  f.TrayIcon1->SetVisible(true);
  HRESULT whileGoing = S_OK;
  TestSystem().notifyIcon = [&](DWORD message, NOTIFYICONDATAW&) {
    if (message == NIM_DELETE) whileGoing = object->get_accChildCount(&count);
    return TRUE;
  };
  form.reset();
  EXPECT_EQ(whileGoing, RPC_E_DISCONNECTED);
  EXPECT_EQ(object->get_accChildCount(&count), RPC_E_DISCONNECTED);
}

// The tiles whose value changed, and CHILDID_SELF for each change of the window's own state.
std::vector<LONG>& ValueChanges() {
  static std::vector<LONG> changes;
  return changes;
}

void CALLBACK RecordValueChange(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
  const bool tile = event == EVENT_OBJECT_VALUECHANGE, window = event == EVENT_OBJECT_STATECHANGE;
  if ((tile || window) && object == OBJID_CLIENT) ValueChanges().push_back(child);
}

TEST_F(MainWindow, AValueChangeIsAnnouncedForEachChangedTileOnly) {
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\nDysk2=D:\\\r\nDysk3=E:\\\r\n");
  TForm1& f = Start();
  const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                             RecordValueChange, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  const auto refresh = [&] {
    Pump(50);
    ValueChanges().clear();
    f.RefreshAllDrives();
    EXPECT_TRUE(WaitForRefresh());
    Pump(100);  // out-of-context events come as messages
    return ValueChanges();
  };
  EXPECT_EQ(refresh(), std::vector<LONG>{}) << "nothing changed";
  drives.drives[4].free = 2;  // D: only
  EXPECT_EQ(refresh(), std::vector<LONG>{2});
  drives.drives[3].free = 100;
  drives.drives[5].free = 512;
  EXPECT_EQ(refresh(), (std::vector<LONG>{1, 3}));
  EXPECT_EQ(refresh(), std::vector<LONG>{}) << "nothing changed";

  // A round still waiting for a drive at the first slow-round tick: the window reads as busy on
  // top of its other states until the drive answers, and the timer then ticks once a second.
  const win::ComRef<IAccessible> object = f.AccessibleObject();
  const long idle = Ask(*object.get(), CHILDID_SELF).state;
  f.SetAutoRefresh(false);  // no other timer ticks
  drives.Hold(4);
  drives.drives[4].free = 3;
  ValueChanges().clear();
  f.RefreshAllDrives();
  int ticks = 0;
  for (const ULONGLONG end = GetTickCount64() + 1300; GetTickCount64() < end; Sleep(5)) {
    for (MSG msg; PeekMessageW(&msg, f.Handle(), WM_TIMER, WM_TIMER, PM_REMOVE); ++ticks) DispatchMessageW(&msg);
  }
  EXPECT_LE(ticks, 3);
  EXPECT_EQ(Ask(*object.get(), CHILDID_SELF).state, idle | STATE_SYSTEM_BUSY);
  drives.Release(4);
  EXPECT_TRUE(WaitForRefresh());
  Pump(100);
  EXPECT_EQ(ValueChanges(), (std::vector<LONG>{CHILDID_SELF, 2, CHILDID_SELF}));
  // One that ends before that tick (a drive answering in 10 to 100 ms) says nothing of it.
  drives.Hold(4);
  drives.drives[4].free = 4;
  ValueChanges().clear();
  f.RefreshAllDrives();
  EXPECT_EQ(Ask(*object.get(), CHILDID_SELF).state, idle);
  drives.Release(4);
  EXPECT_TRUE(WaitForRefresh());
  Pump(100);
  EXPECT_EQ(ValueChanges(), std::vector<LONG>{2});
  UnhookWinEvent(hook);
}

}  // namespace
}  // namespace wolumetr::test
