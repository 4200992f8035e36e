// The Drive selection window in-process: slots, choices, saving, cancelling, the restart and
// the two ways it opens.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <optional>
#include <thread>

#include "common/dpi.h"
#include "drives/drive_selection_form.h"
#include "win/application.h"
#include "win/com_ref.h"
#include "win/fonts.h"
#include "win/handles.h"
#include "win/instance_handover.h"
#include "win/text.h"
#include "win_test_support.h"

namespace wolumetr::test {
namespace {

void Key(const win::StringGrid& grid, WPARAM key) { SendMessageW(grid.Handle(), WM_KEYDOWN, key, 0); }

// The user picks item `index` in the combo box.
void Pick(TForm4& form, int index) {
  SendMessageW(form.ComboBox1.Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(kComboBox1Id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(form.ComboBox1.Handle()));
}

class DriveSelectionWindow : public ::testing::Test, protected MainWindowFixture {
 protected:
  void SetUp() override {
    system.drives = {{{"C:\\", true}, {"D:\\", false}, {"E:\\", true}, {"Q:\\", true}}};
    system.labels = {{"C:\\", "System"}, {"E:\\", ""}};
    drives.drives[3] = {400, 1000, "System"};
  }
  void TearDown() override {
    window.reset();
    form.reset();
  }
  // For the main window as it is, or, with `drivesMonitored` given, as if it had or had no tiles.
  TForm4& Open(std::optional<bool> drivesMonitored = std::nullopt, int dpi = 0) {
    if (!form) Start();
    window = std::make_unique<TForm4>(
        host, DriveSelectionServices{store, form->SettingsPath(), drivesMonitored.value_or(form->DriveCount() > 0),
                                     SharedTestSystem(), nullptr, dpi});
    return *window;
  }
  bool Terminated() const { return win::Application::Instance().Terminated(); }
  // How often the warning box was shown, each time with its text and caption.
  int Asked() const {
    for (const BoxCall& box : system.boxes) {
      EXPECT_EQ(box.text, kNoDriveMessage);
      EXPECT_EQ(box.caption, L"Informacja");
      EXPECT_EQ(box.flags, static_cast<UINT>(MB_ICONWARNING | MB_OKCANCEL));
    }
    return static_cast<int>(system.boxes.size());
  }

  FakeSystem& system = TestSystem();
  RecordingHost host;
  std::unique_ptr<TForm4> window;
};

const char kStored[] =
    "[Dyski]\r\nDysk1=C:\\\r\nDysk2=0\r\nDysk4=\r\nDysk5=e:\\\r\nDysk6=X:\\sieć\r\nDysk7=D:\\\r\nDysk19=Q:\\\r\n";

TEST_F(DriveSelectionWindow, IsBuiltAsDesignedAndSizedFromTheGrid) {
  WriteSettings(kStored);
  TForm4& f = Open();
  HWND h = f.Handle();
  EXPECT_EQ(f.Width(), 281);
  EXPECT_EQ(f.Height(), 417);
  EXPECT_EQ(f.Left(), (1280 - 281) / 2) << "centred on the desktop";
  EXPECT_EQ(f.Top(), (1024 - 417) / 2);
  EXPECT_FALSE(GetWindowLongPtrW(h, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_BORDER));
  EXPECT_EQ(Alpha(h), 210);
  EXPECT_EQ(GetWindow(h, GW_OWNER), Taskbar());

  const RECT grid = ChildRect(h, f.StringGrid1->Handle());
  EXPECT_EQ(grid.left, 24);
  EXPECT_EQ(grid.top, 32);
  EXPECT_EQ(f.StringGrid1->Width(), 96);
  EXPECT_EQ(f.StringGrid1->Height(), 361);
  // The right column follows the grid's width.
  EXPECT_EQ(f.Label1->Left(), 144);
  EXPECT_EQ(ChildRect(h, f.ComboBox1.Handle()).left, 144);
  EXPECT_EQ(f.Panel2->Left(), 144);
  EXPECT_EQ(f.Panel3->Left(), 144);
  EXPECT_FALSE(GetWindowLongPtrW(f.ComboBox1.Handle(), GWL_STYLE) & WS_TABSTOP);

  EXPECT_EQ(f.StringGrid1->Cell(1, 0), L"Dysk");
  EXPECT_EQ(f.StringGrid1->Cell(0, 18), L"18");
  EXPECT_EQ(f.Slots(), Rows({"C:\\", "[brak]", "[brak]", "", "e:\\", "X:\\sieć", "D:\\"}));

  // Choices: "[brak]" and the fixed drives in order, each with its label when it can be read.
  EXPECT_EQ(SendMessageW(f.ComboBox1.Handle(), CB_GETCOUNT, 0, 0), 4);
  const wchar_t* captions[] = {L"[brak]", L"C:\\ (System)", L"E:\\ ()", L"Q:\\"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.ComboItemCaption(i), captions[i]);
  EXPECT_EQ(SendMessageW(f.ComboBox1.Handle(), CB_GETITEMHEIGHT, 0, 0), 16);

  EXPECT_EQ(f.StringGrid1->Row(), 1);
  EXPECT_EQ(f.ComboBox1.Selected(), 1);
}

std::vector<Placed> Layout(const TForm4& f) {
  const HWND h = f.Handle();
  return {{"heading", f.Label2->Bounds(), true},
          {"grid", ChildRect(h, f.StringGrid1->Handle())},
          {"change label", f.Label1->Bounds(), true},
          {"combo box", ChildRect(h, f.ComboBox1.Handle())},
          {"save", f.Panel2->Bounds()},
          {"cancel", f.Panel3->Bounds()}};
}

SIZE Extent(const win::FontSpec& font, const std::wstring& text) {
  const win::MemoryDc dc(CreateCompatibleDC(nullptr));
  SelectObject(dc.get(), win::SharedFont(font));
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

TEST_F(DriveSelectionWindow, OpensAtTheMainWindowsScaleWithItsTextsInsideAndFollowsAMoveAndBack) {
  // The window's sizes are the layout's, tested with it; the texts are as wide as the fonts make them.
  for (const int dpi : {120, 192, 144}) {
    SCOPED_TRACE(dpi);
    TForm4& f = Open(std::nullopt, dpi);
    EXPECT_EQ(SendMessageW(f.ComboBox1.Handle(), CB_GETITEMHEIGHT, 0, 0), ScaleToDpi(16, dpi));
    RECT client;
    GetClientRect(f.Handle(), &client);
    ExpectApart(Layout(f), client);
    for (const win::PanelButton* button : {f.Panel2.get(), f.Panel3.get()}) {
      const SIZE caption = Extent(button->Font(), button->Caption());
      EXPECT_LT(caption.cx, button->Width() - 2) << win::Narrow(button->Caption());
      EXPECT_LT(caption.cy, button->Height() - 2) << win::Narrow(button->Caption());
    }
  }
  const std::vector<Placed> at144 = Layout(*window);
  TForm4& f = Open();
  ExpectDpiRoundTrip(
      f, [&f] { return Layout(f); }, 144, Size{423, 635}, at144);
  EXPECT_EQ(SendMessageW(f.ComboBox1.Handle(), CB_GETITEMHEIGHT, 0, 0), 16);
  // The list's items, measured once when it was made, are measured again for the new scale.
  RECT suggested{f.Left(), f.Top(), f.Left() + 423, f.Top() + 635};
  SendMessageW(f.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(SendMessageW(f.ComboBox1.Handle(), CB_GETITEMHEIGHT, 0, 0), ScaleToDpi(16, 144));
}

TEST_F(DriveSelectionWindow, LabelsAreReadOnceOffTheWindowsThreadAndASlowOneComesLater) {
  WriteSettings(std::string(kStored) + "Dysk8=\\\\host\\share\\\r\n");
  std::atomic<int> reads = 0;
  win::KernelHandle answer{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  HANDLE answerEvent = answer.get();
  system.beforeLabel = [&reads, answerEvent](const std::string& root) {
    ++reads;
    if (root == "C:\\") WaitForSingleObject(answerEvent, 5000);  // a disk spinning up
  };
  const ULONGLONG start = GetTickCount64();
  TForm4& f = Open();
  EXPECT_LT(GetTickCount64() - start, 2000u) << "the window waited for the slow drive";
  EXPECT_EQ(f.ComboItemCaption(1), L"C:\\") << "no label until the drive answers";
  SetEvent(answerEvent);
  const ULONGLONG end = GetTickCount64() + 5000;
  while (f.ComboItemCaption(1) != L"C:\\ (System)" && GetTickCount64() < end) Pump(10);
  EXPECT_EQ(f.ComboItemCaption(1), L"C:\\ (System)");
  EXPECT_EQ(f.ComboItemCaption(2), L"E:\\ ()");
  EXPECT_EQ(reads, 3) << "one read per fixed drive";
  // A slot that is no drive root ("", a folder, a share) is never asked about, not even for its icon.
  EXPECT_EQ(system.IconsAsked(), (std::vector<std::string>{"C:\\", "E:\\", "Q:\\", "e:\\", "D:\\"}));
  // Drawing both lists asks nothing again.
  f.SetVisible(true);
  SendMessageW(f.ComboBox1.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(50);
  SendMessageW(f.ComboBox1.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(reads, 3);
  system.beforeLabel = nullptr;
}

TEST_F(DriveSelectionWindow, SelectingARowShowsItsDriveAndPickingFillsTheSlot) {
  WriteSettings(kStored);
  TForm4& f = Open();
  win::StringGrid& grid = *f.StringGrid1;
  const int expected[] = {0, 0, -1, 2, -1, -1, 0};  // rows 2 to 8: [brak], [brak], "", e:\, X:\sieć, D:\, [brak]
  for (int row = 2; row <= 8; ++row) {
    Key(grid, VK_DOWN);
    ASSERT_EQ(grid.Row(), row);
    EXPECT_EQ(f.ComboBox1.Selected(), expected[row - 2]) << "row " << row;
  }
  Key(grid, VK_HOME);
  Key(grid, VK_UP);
  EXPECT_EQ(grid.Row(), 1) << "the header never becomes the selected row";
  EXPECT_EQ(SendMessageW(grid.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB, DLGC_WANTTAB);

  // The mouse: a slot row is selected, the header is not.
  Click(grid.Handle(), POINT{50, 5 * 19 + 9});
  EXPECT_EQ(grid.Row(), 5);
  EXPECT_EQ(f.ComboBox1.Selected(), 2);
  EXPECT_EQ(GetFocus(), grid.Handle());
  Click(grid.Handle(), POINT{50, 9});
  EXPECT_EQ(grid.Row(), 5);
  // Typing never edits a cell.
  SendMessageW(grid.Handle(), WM_CHAR, L'x', 0);
  EXPECT_EQ(grid.Cell(1, 5), L"e:\\");
  EXPECT_EQ(f.Slots(), Rows({"C:\\", "[brak]", "[brak]", "", "e:\\", "X:\\sieć", "D:\\"}))
      << "selecting changes no slot";

  grid.MoveTo(GridCell{0, 3});
  Pick(f, 3);
  grid.MoveTo(GridCell{0, 5});
  Pick(f, 0);
  EXPECT_EQ(f.Slots(), Rows({"C:\\", "[brak]", "Q:\\", "", "[brak]", "X:\\sieć", "D:\\"}));
  EXPECT_EQ(Settings().value(), kStored) << "nothing is written before saving";
}

TEST_F(DriveSelectionWindow, SavingRewritesTheListStartsANewInstanceAndEnds) {
  const std::string others = "; ręcznie\r\n[Program]\r\nIlosc kolumn=2\r\n";
  WriteSettings(others + "[Dyski]\r\nDysk1=C:\\\r\nDysk3=D:\\\r\nDysk19=E:\\\r\nDysk3=F:\\\r\n");
  TForm4& f = Open();
  EXPECT_EQ(f.Slots(), Rows({"C:\\", "[brak]", "D:\\"}));
  f.StringGrid1->MoveTo(GridCell{0, 5});
  Pick(f, 1);  // the same drive twice
  Click(f.Handle(), Middle(*f.Panel2));
  EXPECT_EQ(Settings().value(), others + "[Dyski]\r\nDysk19=E:\\\r\nDysk1=C:\\\r\nDysk2=D:\\\r\nDysk3=C:\\\r\n");
  EXPECT_EQ(system.launches, 1);
  EXPECT_EQ(Asked(), 0);
  EXPECT_TRUE(host.Ended(f));
  EXPECT_TRUE(Terminated());
}

TEST_F(DriveSelectionWindow, TheRestartsSaveHoldsTheRememberedPlace) {
  for (const char* remember : {"1", "0"}) {
    WriteSettings(std::string("[Polozenie]\r\nZapamietaj pol=") + remember + "\r\n[Dyski]\r\nDysk1=C:\\\r\n");
    TForm1& main = Start();
    main.SetPosition(321, 123);  // dragged since the start
    TestHost().onModal = [&](win::Window& shown) {
      auto& f = dynamic_cast<TForm4&>(shown);
      Pick(f, 2);
      Click(f.Handle(), Middle(*f.Panel2));
    };
    main.PopupMenu1.Activate(kUstawdyski1);
    const std::string place = *remember == '1' ? "Polozenie X=321\r\nPolozenie Y=123\r\n" : "";
    EXPECT_EQ(Settings().value(),
              std::string("[Polozenie]\r\nZapamietaj pol=") + remember + "\r\n" + place + "[Dyski]\r\nDysk1=E:\\\r\n");
    form.reset();
  }
  EXPECT_EQ(system.launches, 2);
}

TEST_F(DriveSelectionWindow, ARestartThatCannotStartIsReportedAndTheProgramGoesOn) {
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\n");
  TForm4& f = Open();
  f.StringGrid1->MoveTo(GridCell{0, 2});
  Pick(f, 3);
  system.failLaunch = true;  // the exe moved or renamed meanwhile, or its start refused
  ErrorRecorder errors;
  Click(f.Handle(), Middle(*f.Panel2));
  EXPECT_EQ(system.launches, 1);
  EXPECT_EQ(errors.messages, (std::vector<std::string>{std::string(kRestartFailedMessage) + "."}));
  EXPECT_EQ(Settings().value(), "[Dyski]\r\nDysk1=C:\\\r\nDysk2=Q:\\\r\n") << "saved for the next start";
  EXPECT_TRUE(host.Ended(f));
  EXPECT_FALSE(Terminated());
}

// The real start: a program that cannot be started leaves no hand-over behind; one that started
// keeps it held until this process ends, and the next instance waits for that, briefly.
TEST(InstanceHandOver, HeldOnlyWhenTheNextInstanceStarted) {
  auto waitedMs = [] {
    DWORD ms = 0;
    std::thread next([&] {
      const DWORD start = GetTickCount();
      win::WaitForPredecessor(400);
      ms = GetTickCount() - start;
    });
    next.join();
    return ms;
  };
  EXPECT_FALSE(win::StartSuccessor(L"C:\\nie ma\\wolumetr.exe"));
  EXPECT_LT(waitedMs(), 200u);
  wchar_t system32[MAX_PATH] = {};
  GetSystemDirectoryW(system32, MAX_PATH);
  ASSERT_TRUE(win::StartSuccessor(std::wstring(system32) + L"\\hostname.exe"));
  EXPECT_GE(waitedMs(), 350u);
}

TEST_F(DriveSelectionWindow, SavingNoDriveAsksAndKeepsTheStoredList) {
  const std::string stored = "[Dyski]\r\nDysk1=C:\\\r\nDysk2=E:\\\r\n";
  WriteSettings(stored);
  TForm4& f = Open();
  for (int row : {1, 2}) {
    f.StringGrid1->MoveTo(GridCell{1, row});
    Pick(f, 0);
  }
  system.answers = {IDOK, IDCANCEL};
  Click(f.Handle(), Middle(*f.Panel2));
  EXPECT_EQ(Asked(), 1);
  EXPECT_FALSE(host.Ended(f)) << "OK returns to the window";
  EXPECT_FALSE(Terminated());
  EXPECT_EQ(f.Slots(), Rows({}));
  EXPECT_EQ(Settings().value(), stored);
  Click(f.Handle(), Middle(*f.Panel2));
  EXPECT_EQ(Asked(), 2);
  EXPECT_TRUE(Terminated()) << "Cancel ends the program";
  EXPECT_EQ(Settings().value(), stored) << "with the old list intact";
  EXPECT_EQ(system.launches, 0);
}

TEST_F(DriveSelectionWindow, AFailedWriteLeavesTheFileTheWindowOpenAndNothingRestarted) {
  const std::string stored = "[Dyski]\r\nDysk1=C:\\\r\nDysk3=E:\\\r\n";
  WriteSettings(stored);
  TForm4& f = Open();
  f.StringGrid1->MoveTo(GridCell{0, 2});
  Pick(f, 3);
  ErrorRecorder errors;
  {
    // Another program holds the file open: it cannot be replaced.
    win::KernelHandle lock = win::OwnFileHandle(CreateFileW(folder.File(L"wolumetr.ini").c_str(), GENERIC_READ,
                                                            FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    Click(f.Handle(), Middle(*f.Panel2));
  }
  ASSERT_EQ(errors.messages.size(), 1u);
  EXPECT_EQ(errors.messages[0], "Unable to write to " + win::Narrow(folder.File(L"wolumetr.ini")) + ".");
  EXPECT_EQ(Settings().value(), stored);
  EXPECT_EQ(system.launches, 0);
  EXPECT_FALSE(host.Ended(f));
  EXPECT_FALSE(Terminated());
  EXPECT_EQ(f.Slots(), Rows({"C:\\", "Q:\\", "E:\\"}));
}

TEST_F(DriveSelectionWindow, CancelClosesWhenDrivesAreMonitoredAndAsksWhenNone) {
  WriteSettings(kStored);
  Start();
  ASSERT_GT(form->DriveCount(), 0);
  TForm4& f = Open();
  Pick(f, 2);
  Click(f.Handle(), Middle(*f.Panel3));
  EXPECT_TRUE(host.Ended(f));
  EXPECT_EQ(Asked(), 0);
  EXPECT_EQ(Settings().value(), kStored);

  TForm4& g = Open(false);  // as when the window opened at start-up
  system.answers = {IDOK, IDOK, IDCANCEL};
  Click(g.Handle(), Middle(*g.Panel3));
  Click(g.Handle(), Middle(*g.Panel3));
  EXPECT_EQ(Asked(), 2);
  EXPECT_FALSE(host.Ended(g));
  EXPECT_FALSE(Terminated());
  Click(g.Handle(), Middle(*g.Panel3));
  EXPECT_TRUE(Terminated());
  EXPECT_EQ(Settings().value(), kStored);
}

TEST_F(DriveSelectionWindow, ScreenReadersHearTheListsByTheirCaptionsAndCanPressThePanelButtons) {
  WriteSettings(kStored);
  TForm4& f = Open();
  // The window's thread stays in the apartment this window entered, also when it closes: an
  // object marshalled meanwhile stays connected for the screen reader that holds it.
  EXPECT_GT(SendMessageW(form->Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)), 0);
  EXPECT_EQ(ScreenReaderName(f.StringGrid1->Handle()), L"Proszę wybrać dyski do monitorowania");
  EXPECT_EQ(ScreenReaderName(f.ComboBox1.Handle()), L"Zmień na");
  const win::ComRef<IAccessible> object = f.AccessibleObject();
  ASSERT_TRUE(object);
  long count = 0;
  EXPECT_EQ(object->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 2 + ChildWindowCount(f.Handle())) << "the buttons, then the lists as the system has them";
  const wchar_t* const names[] = {L"Zapisz zmiany", L"Anuluj"};
  for (long id = 1; id <= 2; ++id) {
    const Spoken button = Ask(*object.get(), id);
    EXPECT_EQ(button.role, ROLE_SYSTEM_PUSHBUTTON) << id;
    EXPECT_EQ(button.name, names[id - 1]);
    EXPECT_EQ(button.action, L"Naciśnij") << id;
  }
  ASSERT_EQ(object->accDoDefaultAction(Child(2)), S_OK);
  Pump(50);
  EXPECT_TRUE(host.Ended(f)) << "as the cancel's click";
  EXPECT_EQ(Settings().value(), kStored);
  window.reset();
  EXPECT_EQ(win::lazy::CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
}

TEST_F(DriveSelectionWindow, StartUpWithoutADriveAsksBeforeTheMainWindowShowsAndRestartsOnSave) {
  bool mainVisible = true;
  TestHost().onModal = [&](win::Window& shown) {
    auto& f = dynamic_cast<TForm4&>(shown);
    HWND main = FindOwnWindow(L"TForm1");
    mainVisible = main == nullptr || IsWindowVisible(main);
    EXPECT_EQ(f.Slots(), Rows({}));
    f.StringGrid1->MoveTo(GridCell{0, 2});
    Pick(f, 2);
    Click(f.Handle(), Middle(*f.Panel2));
  };
  TForm1& main = Start();
  EXPECT_EQ(TestHost().modalRuns, 1);
  EXPECT_FALSE(mainVisible);
  EXPECT_EQ(Settings().value(), "[Dyski]\r\nDysk1=E:\\\r\n");
  EXPECT_EQ(system.launches, 1);
  EXPECT_TRUE(Terminated());
  win::Application::Instance().Run(main);
  EXPECT_FALSE(main.IsVisible()) << "the ended instance never shows its main window";
}

TEST_F(DriveSelectionWindow, CellsAndListItemsAreDrawnInTheirStateColoursWithDriveIcons) {
  WriteSettings(kStored);
  TForm4& f = Open();
  const win::StringGrid& grid = *f.StringGrid1;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, 96, -361, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win::BitmapHandle picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::MemoryDc dc(CreateCompatibleDC(nullptr));
  win::SelectObjectScope select(dc.get(), picture.get());
  grid.PaintTo(dc.get());
  auto pixel = [&](int x, int y) {
    const COLORREF bgr = static_cast<const COLORREF*>(bits)[y * 96 + x];
    return RGB(GetBValue(bgr), GetGValue(bgr), GetRValue(bgr));
  };
  // How many pixels of `r` are `colour`.
  auto count = [&](const RECT& r, COLORREF colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += pixel(x, y) == colour;
    }
    return n;
  };
  EXPECT_EQ(pixel(28, 16), win::ColorRef(colours::kSkyBlue));
  EXPECT_EQ(pixel(28, 19 + 16), GetSysColor(COLOR_HIGHLIGHT)) << "selected row 1";
  EXPECT_EQ(pixel(93, 3 * 19 + 16), win::ColorRef(colours::kPaleBlue));
  // C:\ in row 1 has its icon at the cell's left edge; "[brak]" in row 2 has none.
  EXPECT_GT(16 * 16 - count(RECT{31 + 2, 19, 31 + 2 + 16, 19 + 16}, GetSysColor(COLOR_HIGHLIGHT)), 20) << "icon ink";
  for (int y = 2 * 19; y < 2 * 19 + 18; ++y) EXPECT_EQ(pixel(33, y), win::ColorRef(colours::kPaleBlue)) << y;
  // The text begins past the 16-pixel icon and its gap.
  int textLeft = 31 + 2 + 16;
  while (textLeft < 96 && count(RECT{textLeft, 19, textLeft + 1, 19 + 18}, GetSysColor(COLOR_HIGHLIGHT)) == 18) {
    ++textLeft;
  }
  EXPECT_GE(textLeft, 31 + 16 + 4);
  EXPECT_LE(textLeft, 31 + 16 + 4 + 2);
  // The selected slot's text, in the highlight's text colour.
  EXPECT_GT(count(RECT{textLeft, 19, 96, 19 + 18}, GetSysColor(COLOR_HIGHLIGHTTEXT)), 3);
  // The drive list's texts, past the icons: "[brak]" in the window text colour, and C:\ (row 1's
  // drive) selected.
  COMBOBOXINFO combo{sizeof combo, {}, {}, 0, nullptr, nullptr, nullptr};
  GetComboBoxInfo(f.ComboBox1.Handle(), &combo);
  const ClientPicture list(combo.hwndList);
  EXPECT_GT(list.Count(RECT{16 + 4, 0, 200, 16}, GetSysColor(COLOR_WINDOWTEXT)), 3) << "[brak]";
  EXPECT_GT(list.Count(RECT{16 + 4, 16, 200, 32}, GetSysColor(COLOR_HIGHLIGHTTEXT)), 3) << "C:\\";
}

}  // namespace
}  // namespace wolumetr::test
