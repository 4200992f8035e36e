// Refresh, paint and handle counts of a real main window with 18 tiles on the machine's own
// drives, each against a baseline measured in the same process:
//   refresh: one RefreshAllDrives, until its figures are shown, against the 36
//            GetDiskFreeSpaceExW calls it makes;
//   paint:   one full WM_PAINT against the same pies, texts and glyphs drawn straight into a
//            memory DC;
//   handles: GDI and USER objects, threads and kernel handles after the first refresh, after
//            10,000 refreshes and after 200 openings and closings of each modal window.
//
//   bench_in_process [runs [row...]]    (rows: refresh, start-up, paint, handles; default all)
//
// Prints "sample <row> <program> <baseline> <unit>" per run, "part paint window-cycle <us>" (the
// window system's own share of a paint, timed on a bare window of the same size and kind),
// "part start-up build|volume-names|disk-queries <us>" (building a hidden main window with the
// same tiles, and the system calls for its figures) and "info" and "handles <stage> <gdi>
// <user> <threads> <kernel handles>" lines.
#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/glyphs.h"
#include "app/main_form.h"
#include "display/drive_table.h"
#include "display/pie_points.h"
#include "display/system_drive_queries.h"
#include "gui_objects.h"
#include "kernel_handles.h"
#include "settings/file_settings_store.h"
#include "win/application.h"
#include "win/colour_ref.h"
#include "win/error_box.h"
#include "win/fonts.h"
#include "win/handles.h"
#include "win/panel_paint.h"
#include "win/text.h"

namespace wolumetr::bench {
namespace {

constexpr int kTiles = 18;
constexpr int kRefreshesPerSample = 100;
constexpr int kPaintsPerSample = 200;
constexpr int kBuildsPerSample = 10;
constexpr int kSoakRefreshes = 10000;
constexpr int kModalRounds = 200;

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

// Microseconds per call of each body, timed call by call in rotating order, so that whatever
// else the machine does at the time weighs on all of them alike.
std::vector<double> Interleaved(int count, const std::vector<std::function<void()>>& bodies) {
  std::vector<double> total(bodies.size());
  for (int i = 0; i < count; ++i) {
    for (size_t k = 0; k < bodies.size(); ++k) {
      const size_t b = (k + static_cast<size_t>(i)) % bodies.size();
      const double start = Now();
      bodies[b]();
      total[b] += Now() - start;
    }
  }
  for (double& t : total) t = t * 1e6 / count;
  return total;
}

void Pump(int milliseconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) win::Application::Instance().Dispatch(msg);
    Sleep(1);
  } while (GetTickCount64() < end);
}

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "bench_in_process: %s\n", what.c_str());
  std::exit(1);
}

// The machine's fixed drives, repeated to fill 18 slots.
std::vector<std::string> FixedDriveRoots() {
  std::vector<std::string> roots;
  const DWORD mask = GetLogicalDrives();
  for (int n = 2; n < 26; ++n) {
    if ((mask & (1u << n)) == 0) continue;
    const std::string root = RootPathOf(static_cast<std::uint8_t>(n + 1));
    if (GetDriveTypeW(win::Widen(root).c_str()) == DRIVE_FIXED) roots.push_back(root);
  }
  if (roots.empty()) Fail("no fixed drive to measure");
  return roots;
}

class BenchFolder {
 public:
  BenchFolder() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::wstring(temp) + L"wolumetr-bench-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~BenchFolder() {
    DeleteFileW((path_ + L"wolumetr.ini").c_str());
    RemoveDirectoryW(path_.c_str());
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;
  const std::wstring& Path() const { return path_; }

  void WriteSettings(const std::string& text) const {
    win::KernelHandle file = win::OwnFileHandle(CreateFileW((path_ + L"wolumetr.ini").c_str(), GENERIC_WRITE, 0,
                                                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
      Fail("cannot write the settings file");
    }
  }

 private:
  std::wstring path_;
};

// The glyph's picture as the program keeps it: a top-down 32-bit DIB, ink on black.
win::BitmapHandle PatternBitmap(const std::vector<std::string>& pattern) {
  const int height = static_cast<int>(pattern.size());
  const int width = static_cast<int>(pattern.front().size());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  win::BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) Fail("cannot make a glyph bitmap");
  auto* pixels = static_cast<std::uint32_t*>(bits);
  const Colour teal = GlyphPalette().front().colour;
  const std::uint32_t ink = (std::uint32_t{teal.r} << 16) | (std::uint32_t{teal.g} << 8) | teal.b;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels[y * width + x] = pattern[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#' ? ink : 0;
    }
  }
  return bitmap;
}

// Everything the main window's paint draws, prepared beforehand and drawn straight into a
// memory DC: the panel, 18 pies, the labels' texts and the three glyphs.
class BarePaint {
 public:
  explicit BarePaint(const TForm1& form) {
    RECT client;
    GetClientRect(form.Handle(), &client);
    size_ = SIZE{client.right, client.bottom};
    win::ScreenDc screen;
    dc_.reset(CreateCompatibleDC(screen.get()));
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), size_.cx, size_.cy));
    SelectObject(dc_.get(), bitmap_.get());
    pen_.reset(CreatePen(PS_SOLID, 1, RGB(255, 255, 0)));
    const LOGBRUSH solid{BS_SOLID, RGB(0, 0, 255), 0};
    const LOGBRUSH hollow{BS_HOLLOW, RGB(0, 0, 255), 0};
    solidBrush_.reset(CreateBrushIndirect(&solid));
    hollowBrush_.reset(CreateBrushIndirect(&hollow));
    for (int t = 0; t < form.DriveCount(); ++t) {
      const DriveTile& tile = form.Tiles.Tile(t);
      const TPie& pie = *tile.pie;
      Wedge p;
      p.x = pie.Left();
      p.y = pie.Top();
      p.call = ComputePieCall(pie.Width(), pie.Height(), pie.Angles().StartAngle(), pie.Angles().EndAngle());
      p.solid = pie.Brush().style == BS_SOLID;
      pies_.push_back(p);
      for (const win::Label* each :
           {tile.letter.get(), tile.volume.get(), tile.total.get(), tile.used.get(), tile.free.get()}) {
        const win::Label& label = *each;
        if (!label.Text().empty()) texts_.push_back(Text{label.Text(), label.Bounds(), win::SharedFont(label.Font())});
      }
    }
    const std::pair<const win::PatternImage*, const std::vector<std::string>*> glyphs[] = {
        {form.Image1.get(), &CloseGlyph()}, {form.Image2.get(), &HideGlyph()}, {form.Image3.get(), &RefreshGlyph()}};
    for (const auto& [image, pattern] : glyphs) {
      if (!image->Visible()) continue;
      glyphs_.push_back(Glyph{});
      Glyph& g = glyphs_.back();
      g.bounds = image->Bounds();
      g.dc.reset(CreateCompatibleDC(dc_.get()));
      g.bitmap = PatternBitmap(*pattern);
      SelectObject(g.dc.get(), g.bitmap.get());
    }
  }

  size_t PieCount() const { return pies_.size(); }
  size_t TextCount() const { return texts_.size(); }
  size_t GlyphCount() const { return glyphs_.size(); }

  void Draw() const {
    HDC dc = dc_.get();
    const RECT all{0, 0, size_.cx, size_.cy};
    SetDCBrushColor(dc, win::ColorRef(colours::kNavy));
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    win::DrawBevels(dc, all, win::Bevel::Raised, win::Bevel::Lowered,
                    win::BevelColours{GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)});
    SelectObject(dc, pen_.get());
    for (const Wedge& p : pies_) {
      SelectObject(dc, p.solid ? solidBrush_.get() : hollowBrush_.get());
      ::Pie(dc, p.x + p.call.left, p.y + p.call.top, p.x + p.call.right, p.y + p.call.bottom, p.x + p.call.first.x,
            p.y + p.call.first.y, p.x + p.call.second.x, p.y + p.call.second.y);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    for (const Text& t : texts_) {
      SelectObject(dc, t.font);
      RECT r = t.bounds;
      DrawTextW(dc, t.text.c_str(), static_cast<int>(t.text.size()), &r,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
    for (const Glyph& g : glyphs_) {
      GdiTransparentBlt(dc, g.bounds.left, g.bounds.top, g.bounds.right - g.bounds.left, g.bounds.bottom - g.bounds.top,
                        g.dc.get(), 0, 0, g.bounds.right - g.bounds.left, g.bounds.bottom - g.bounds.top, RGB(0, 0, 0));
    }
    GdiFlush();
  }

 private:
  struct Wedge {
    int x = 0;
    int y = 0;
    PieCall call;
    bool solid = true;
  };
  struct Text {
    std::wstring text;
    RECT bounds;
    HFONT font;
  };
  struct Glyph {
    RECT bounds{};
    win::MemoryDc dc;
    win::BitmapHandle bitmap;
  };
  SIZE size_{};
  win::MemoryDc dc_;
  win::BitmapHandle bitmap_;
  win::PenHandle pen_;
  win::BrushHandle solidBrush_;
  win::BrushHandle hollowBrush_;
  std::vector<Wedge> pies_;
  std::vector<Text> texts_;
  std::vector<Glyph> glyphs_;
};

// The window system's own part of a paint: a window of the main window's size and kind
// (borderless, alpha-blended) whose paint only copies a ready picture to the screen.
class PaintCycle {
 public:
  explicit PaintCycle(const TForm1& form) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WolumetrBenchPaintCycle";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, form.Width(),
                            form.Height(), nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    BYTE alpha = 255;
    GetLayeredWindowAttributes(form.Handle(), nullptr, &alpha, nullptr);
    SetLayeredWindowAttributes(hwnd_, 0, alpha, LWA_ALPHA);
    win::ScreenDc screen;
    memory_.reset(CreateCompatibleDC(screen.get()));
    bitmap_.reset(CreateCompatibleBitmap(screen.get(), form.Width(), form.Height()));
    SelectObject(memory_.get(), bitmap_.get());
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  }
  ~PaintCycle() { DestroyWindow(hwnd_); }
  PaintCycle(const PaintCycle&) = delete;
  PaintCycle& operator=(const PaintCycle&) = delete;

  void Paint() const {
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    GdiFlush();
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) return 1;
    if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
    const auto* self = reinterpret_cast<const PaintCycle*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (self != nullptr) {
      BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
             ps.rcPaint.bottom - ps.rcPaint.top, self->memory_.get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    }
    EndPaint(hwnd, &ps);
    return 0;
  }

  HWND hwnd_ = nullptr;
  win::MemoryDc memory_;
  win::BitmapHandle bitmap_;
};

// A refresh as the user sees it: asked for, measured on the drive worker, shown.
class Refresher {
 public:
  explicit Refresher(TForm1& form) : form_(form) {}
  void operator()() const {
    form_.RefreshAllDrives();
    // Waits for the worker's signal as the program's own loop does, in one GetMessage.
    MSG msg;
    while (form_.Refreshing() && GetMessageW(&msg, form_.Handle(), kDriveAnswersMessage, kDriveAnswersMessage) > 0) {
      win::Application::Instance().Dispatch(msg);
    }
  }

 private:
  TForm1& form_;
};

// What a refresh may change on screen: every text and every gauge.
std::vector<std::wstring> Figures(const TForm1& form) {
  std::vector<std::wstring> figures;
  for (int t = 0; t < form.DriveCount(); ++t) {
    const DriveTile& tile = form.Tiles.Tile(t);
    const TPie& pie = *tile.pie;
    figures.push_back(tile.total->Text() + L"|" + tile.used->Text() + L"|" + tile.free->Text() + L"|" +
                      std::to_wstring(pie.Angles().StartAngle()) + L"|" + std::to_wstring(pie.Angles().EndAngle()) +
                      L"|" + std::to_wstring(pie.Brush().style));
  }
  return figures;
}

bool UpdatePending(HWND hwnd) { return GetUpdateRect(hwnd, nullptr, FALSE) != FALSE; }

// Closes the modal window that the main window's menu command opens, from inside its modal
// loop: a message posted before the command is dispatched by that loop.
class ModalCloser {
 public:
  explicit ModalCloser(const TForm1& form) : form_(form) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WolumetrBenchCloser";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~ModalCloser() { DestroyWindow(hwnd_); }
  ModalCloser(const ModalCloser&) = delete;
  ModalCloser& operator=(const ModalCloser&) = delete;

  // Runs a command that shows a modal window and returns once that window has been closed.
  void OpenAndClose(const std::function<void()>& command) {
    closed_ = false;
    PostMessageW(hwnd_, WM_APP, 0, 0);
    command();
    if (!closed_) Fail("a modal window did not open");
    Pump(0);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP) return DefWindowProcW(hwnd, message, wParam, lParam);
    auto* self = reinterpret_cast<ModalCloser*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    self->CloseModal();
    return 0;
  }

  static BOOL CALLBACK FindModal(HWND hwnd, LPARAM lParam) {
    auto* self = reinterpret_cast<ModalCloser*>(lParam);
    if (hwnd != self->form_.Handle() && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) &&
        GetWindow(hwnd, GW_OWNER) == win::Application::Instance().TaskbarWindow()) {
      self->modal_ = hwnd;
      return FALSE;
    }
    return TRUE;
  }

  void CloseModal() {
    modal_ = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindModal, reinterpret_cast<LPARAM>(this));
    if (modal_ == nullptr) {
      PostMessageW(hwnd_, WM_APP, 0, 0);  // not shown yet: look again on the next turn
      return;
    }
    closed_ = true;
    PostMessageW(modal_, WM_CLOSE, 0, 0);
  }

  const TForm1& form_;
  HWND hwnd_ = nullptr;
  HWND modal_ = nullptr;
  bool closed_ = false;
};

long ThreadCount() {
  win::KernelHandle snapshot{CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0)};
  if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return -1;
  long count = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  return count;
}

void PrintHandles(const char* stage) {
  const GuiObjects objects = CountGuiObjects();
  std::printf("handles %s %ld %ld %ld %ld\n", stage, objects.gdi, objects.user, ThreadCount(), CountKernelHandles());
  std::fflush(stdout);
}

// The system's own calls, but a message box means the program reported a failure.
class FailOnBoxes final : public win::SystemSeam {
 public:
  int ShowMessageBox(HWND, const std::wstring& text, const std::wstring&, UINT) override {
    Fail("the program reported: " + win::Narrow(text));
  }
};

int Run(int runs, const std::vector<std::wstring>& rows) {
  const auto wanted = [&rows](const wchar_t* row) {
    return rows.empty() || std::find(rows.begin(), rows.end(), row) != rows.end();
  };
  static FailOnBoxes system;
  win::Application& app = win::Application::Instance();
  app.SetSystem(&system);
  app.SetTitle(L"Wolumetr");

  const std::vector<std::string> roots = FixedDriveRoots();
  std::string ini = "[Dyski]\r\n";
  for (int k = 1; k <= kTiles; ++k) {
    ini += "Dysk" + std::to_string(k) + "=" + roots[static_cast<size_t>(k - 1) % roots.size()] + "\r\n";
  }
  // Manual refresh: no timer tick lands inside a measurement, and all three glyphs show.
  ini += "[Program]\r\nAutoodswierzanie=0\r\n";
  BenchFolder folder;
  folder.WriteSettings(ini);

  win::FileSettingsStore store;
  // The program keeps its seam to the end; so does this one.
  const std::shared_ptr<win::SystemSeam> seam(std::shared_ptr<void>(), &system);
  auto drives = std::make_shared<win::SystemDriveQueries>(seam);
  TForm1 form(win::Application::Instance(), MainWindowServices{store, drives, seam, folder.Path()});
  form.FormCreate();
  if (form.DriveCount() != kTiles) Fail("the main window did not get 18 tiles");
  form.SetVisible(true);
  Pump(300);
  HWND hwnd = form.Handle();
  const Refresher refreshAndShow(form);

  // The calls a refresh makes, bare: free then total of each tile's drive.
  std::vector<std::wstring> tileRoots;
  for (int t = 0; t < form.DriveCount(); ++t) {
    tileRoots.push_back(win::Widen(RootPathOf(form.Tiles.Tile(t).driveNumber)));
  }
  auto bareQueries = [&tileRoots] {
    for (const std::wstring& root : tileRoots) {
      for (int call = 0; call < 2; ++call) {
        ULARGE_INTEGER available{}, total{};
        GetDiskFreeSpaceExW(root.c_str(), &available, &total, nullptr);
      }
    }
  };

  // Refresh.
  refreshAndShow();
  bareQueries();
  for (int run = 0; run < (wanted(L"refresh") ? runs : 0); ++run) {
    const auto t = Interleaved(kRefreshesPerSample, {[&refreshAndShow] { refreshAndShow(); }, bareQueries});
    std::printf("sample refresh %.2f %.2f us\n", t[0], t[1]);
    std::fflush(stdout);
  }
  // Repaints: a refresh whose figures are all as before must not ask for one.
  int unchanged = 0, unchangedWithRepaint = 0, changed = 0;
  for (int i = 0; i < (wanted(L"refresh") ? 200 : 0); ++i) {
    Pump(0);
    ValidateRect(hwnd, nullptr);
    const auto before = Figures(form);
    refreshAndShow();
    const bool repaint = UpdatePending(hwnd);  // the window is shown: every repaint asked for lands here
    if (Figures(form) == before) {
      ++unchanged;
      if (repaint) ++unchangedWithRepaint;
    } else {
      ++changed;
    }
  }
  std::printf("info refresh a repaint was asked for by %d of %d refreshes that changed nothing (%d saw new figures)\n",
              unchangedWithRepaint, unchanged, changed);

  // Where start-up time goes: building a main window with the same 18 tiles, hidden (as
  // before its first show), against the system calls that building makes for the figures.
  auto build = [&store, &drives, &folder, &seam] {
    TForm1 another(win::Application::Instance(), MainWindowServices{store, drives, seam, folder.Path()});
    another.FormCreate();
  };
  auto volumeNames = [&tileRoots] {
    for (const std::wstring& root : tileRoots) {
      wchar_t name[MAX_PATH + 1];
      GetVolumeInformationW(root.c_str(), name, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0);
    }
  };
  build();
  for (int run = 0; run < (wanted(L"start-up") ? runs : 0); ++run) {
    const auto t = Interleaved(kBuildsPerSample, {build, volumeNames, bareQueries});
    std::printf("part start-up build %.2f us\n", t[0]);
    std::printf("part start-up volume-names %.2f us\n", t[1]);
    std::printf("part start-up disk-queries %.2f us\n", t[2]);
    std::fflush(stdout);
  }

  // Paint.
  BarePaint bare(form);
  std::printf("info paint %zu pies, %zu texts, %zu glyphs, %ldx%ld\n", bare.PieCount(), bare.TextCount(),
              bare.GlyphCount(), static_cast<long>(form.Width()), static_cast<long>(form.Height()));
  auto fullPaint = [hwnd] {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    GdiFlush();
  };
  PaintCycle cycle(form);
  fullPaint();
  bare.Draw();
  cycle.Paint();
  for (int run = 0; run < (wanted(L"paint") ? runs : 0); ++run) {
    const auto t = Interleaved(kPaintsPerSample, {fullPaint, [&bare] { bare.Draw(); }, [&cycle] { cycle.Paint(); }});
    std::printf("sample paint %.2f %.2f us\n", t[0], t[1]);
    std::printf("part paint window-cycle %.2f us\n", t[2]);
    std::fflush(stdout);
  }

  if (!wanted(L"handles")) return 0;
  // Handles.
  std::printf("info handles %s; %s\n", CountingMethod().c_str(), KernelHandleCountingMethod().c_str());
  refreshAndShow();
  fullPaint();
  Pump(50);
  PrintHandles("first-refresh");
  for (int i = 1; i <= kSoakRefreshes; ++i) {
    refreshAndShow();
    if (i % 100 == 0) {
      fullPaint();
      Pump(0);
    }
  }
  Pump(50);
  PrintHandles("after-refreshes");
  ModalCloser closer(form);
  const std::array<std::pair<const char*, std::function<void()>>, 3> windows{{
      {"options", [&form] { form.Opcje1Click(); }},
      {"drive-selection", [&form] { form.Ustawdyski1Click(); }},
      {"about", [&form] { form.Oprogramie1Click(); }},
  }};
  // The first opening of each window creates what the program keeps for the rest of its run
  // (shared fonts, the shell's icon list); growth is counted from there.
  for (const auto& [name, command] : windows) closer.OpenAndClose(command);
  Pump(50);
  PrintHandles("first-openings");
  for (const auto& [name, command] : windows) {
    for (int i = 0; i < kModalRounds; ++i) closer.OpenAndClose(command);
    Pump(50);
    PrintHandles((std::string("after-") + name).c_str());
  }
  return 0;
}

}  // namespace
}  // namespace wolumetr::bench

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? _wtoi(argv[1]) : 9;
  return wolumetr::bench::Run(runs > 0 ? runs : 9, std::vector<std::wstring>(argv + std::min(argc, 2), argv + argc));
}
