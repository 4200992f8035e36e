#include "win_test_support.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <map>

#include "common/dpi.h"
#include "settings/options_layout.h"
#include "win/accessible_window.h"
#include "win/application.h"
#include "win/handles.h"

namespace wolumetr::test {
namespace {

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(folder + name + L"\\");
      } else {
        SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW((folder + name).c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

std::wstring Take(BSTR text) {
  std::wstring s = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"<none>";
  SysFreeString(text);
  return s;
}

std::string Describe(const Placed& p) {
  return p.name + " [" + std::to_string(p.rect.left) + "," + std::to_string(p.rect.top) + "," +
         std::to_string(p.rect.right) + "," + std::to_string(p.rect.bottom) + ")";
}

void SendDpiChanged(HWND window, int dpi, RECT suggested) {
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  UpdateWindow(window);  // a shown window paints at each scale: back buffer and pictures made for it
}

int GdiObjectCount() {
  if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); reported > 0) {
    return static_cast<int>(reported);
  }
  // Wine reports none: count the live entries of its handle table, which takes a handle by
  // its index alone.
  int count = 0;
  for (ULONG_PTR index = 1; index < 0x10000; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
  }
  if (count == 0) ADD_FAILURE() << "no GDI objects counted: a leak would go unseen";
  return count;
}

void ExpectSame(const std::vector<Placed>& want, const std::vector<Placed>& got) {
  ASSERT_EQ(want.size(), got.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_TRUE(EqualRect(&want[i].rect, &got[i].rect)) << Describe(got[i]) << ", not " << Describe(want[i]);
  }
}

struct LoopStep {
  std::function<void()> step;
  bool repeat;
};
std::map<UINT_PTR, LoopStep>& LoopSteps() {
  static std::map<UINT_PTR, LoopStep> steps;
  return steps;
}

// Wine takes two seconds to remove the last icon of its system tray. A second icon that the
// tests never remove keeps every test's own removal quick.
class TrayKeeper final : public ::testing::Environment {
 public:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WolumetrTestTrayKeeper";
    RegisterClassW(&wc);
    HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = 99;
    data.uFlags = NIF_ICON;
    data.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    Shell_NotifyIconW(NIM_ADD, &data);
  }
};

const auto* const kTrayKeeper = ::testing::AddGlobalTestEnvironment(new TrayKeeper);  // gtest owns it

}  // namespace

TempFolder::TempFolder() {
  wchar_t temp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, temp);
  static int counter = 0;
  path_ = std::wstring(temp) + L"Wolumetr zażółć " + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(++counter) + L"\\";
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void TempFolder::Write(const std::wstring& name, const std::string& bytes) const {
  win::KernelHandle file = win::OwnFileHandle(
      CreateFileW(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file) WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::optional<std::string> TempFolder::Read(const std::wstring& name) const {
  win::KernelHandle file = win::OwnFileHandle(CreateFileW(File(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string content;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) content.append(buffer, read);
  return content;
}

HWND Taskbar() { return win::Application::Instance().TaskbarWindow(); }

RECT ChildRect(HWND parent, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::vector<HWND> OwnWindows(const wchar_t* className, const wchar_t* title) {
  struct Search {
    const wchar_t* className;
    const wchar_t* title;
    std::vector<HWND> found;
  } search{className, title, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t name[256] = {};
        wchar_t text[256] = {};
        GetClassNameW(hwnd, name, 256);
        GetWindowTextW(hwnd, text, 256);
        if (lstrcmpW(name, s->className) == 0 && (s->title == nullptr || lstrcmpW(text, s->title) == 0)) {
          s->found.push_back(hwnd);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindOwnWindow(const wchar_t* className, const wchar_t* title) {
  const std::vector<HWND> found = OwnWindows(className, title);
  return found.empty() ? nullptr : found.front();
}

void PressKey(HWND window, WPARAM key, bool alt) {
  auto dispatch = [window](MSG& msg) {
    if (IsWindow(window) && IsDialogMessageW(window, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  };
  for (const UINT up : {0u, 1u}) {
    const UINT message = alt ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
    HWND focus = GetFocus();
    // The repeat count, then the context bit for Alt and the up transition's two bits.
    const LPARAM lParam = static_cast<LPARAM>(1u | (alt ? 1u << 29 : 0u) | (up ? 3u << 30 : 0u));
    MSG msg{focus != nullptr ? focus : window, message, key, lParam, static_cast<DWORD>(GetTickCount()), {}};
    dispatch(msg);
    MSG posted;
    while (PeekMessageW(&posted, nullptr, 0, 0, PM_REMOVE)) dispatch(posted);
  }
}

ClientPicture::ClientPicture(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  width_ = client.right;
  height_ = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win::BitmapHandle picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!picture || bits == nullptr) return;
  win::MemoryDc dc(CreateCompatibleDC(nullptr));
  {
    win::SelectObjectScope select(dc.get(), picture.get());
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    GdiFlush();
    const auto* bgr = static_cast<const COLORREF*>(bits);
    for (int i = 0; i < width_ * height_; ++i)
      pixels_.push_back(RGB(GetBValue(bgr[i]), GetGValue(bgr[i]), GetRValue(bgr[i])));
  }
}

COLORREF ClientPicture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return pixels_[static_cast<std::size_t>(y * width_ + x)];
}

int ClientPicture::Count(const RECT& r, COLORREF colour) const {
  int count = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) count += At(x, y) == colour;
  }
  return count;
}

VARIANT Child(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

Spoken Ask(IAccessible& object, long id) {
  const VARIANT child = Child(id);
  const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
    BSTR t = nullptr;
    (object.*get)(child, &t);
    return Take(t);
  };
  const auto number = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) {
    VARIANT v;
    VariantInit(&v);
    (object.*get)(child, &v);
    return v.vt == VT_I4 ? v.lVal : -1L;
  };
  return {number(&IAccessible::get_accRole), text(&IAccessible::get_accName), text(&IAccessible::get_accValue),
          number(&IAccessible::get_accState), text(&IAccessible::get_accDefaultAction)};
}

int ChildWindowCount(HWND window) {
  int count = 0;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) ++count;
  return count;
}

std::wstring ScreenReaderName(HWND control) {
  if (SendMessageW(control, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)) == 0) return L"<no answer>";
  const win::ComRef<IAccessible> object = win::NamedWindowObject(control);
  return object ? Ask(*object.get(), CHILDID_SELF).name : L"<no object>";
}

bool RepaintQueued(HWND window, const RECT& r) {
  const win::GdiObject<HRGN> update(CreateRectRgn(0, 0, 0, 0));
  if (GetUpdateRgn(window, update.get(), FALSE) == NULLREGION) return false;
  const win::GdiObject<HRGN> missing(CreateRectRgnIndirect(&r));
  return CombineRgn(missing.get(), missing.get(), update.get(), RGN_DIFF) == NULLREGION;
}

void ExpectApart(const std::vector<Placed>& placed, const RECT& client) {
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const RECT& r = placed[i].rect;
    EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right && r.bottom <= client.bottom)
        << Describe(placed[i]) << " out of the window";
    for (std::size_t j = i + 1; j < placed.size(); ++j) {
      RECT both;
      EXPECT_FALSE(IntersectRect(&both, &r, &placed[j].rect))
          << Describe(placed[i]) << " meets " << Describe(placed[j]);
    }
  }
}

void ExpectScaledFrom(const std::vector<Placed>& design, const std::vector<Placed>& placed, int dpi) {
  ASSERT_EQ(design.size(), placed.size());
  for (std::size_t i = 0; i < design.size(); ++i) {
    const RECT& d = design[i].rect;
    const Rect want = ScaledPlace(Rect{d.left, d.top, d.right, d.bottom}, dpi);
    const RECT& got = placed[i].rect;
    EXPECT_EQ(got.left, want.left) << Describe(placed[i]) << " at " << dpi;
    EXPECT_EQ(got.top, want.top) << Describe(placed[i]) << " at " << dpi;
    if (design[i].sizedByText) continue;
    EXPECT_EQ(got.right, want.right) << Describe(placed[i]) << " at " << dpi;
    EXPECT_EQ(got.bottom, want.bottom) << Describe(placed[i]) << " at " << dpi;
  }
}

void ExpectDpiRoundTrip(const win::Window& window, const std::function<std::vector<Placed>()>& layout, int dpi,
                        Size sizeThere, const std::vector<Placed>& there) {
  const HWND h = window.Handle();
  const auto place = [&window] {
    return Placed{"window",
                  {window.Left(), window.Top(), window.Left() + window.Width(), window.Top() + window.Height()}};
  };
  const std::vector<Placed> home = layout();
  const RECT homeRect = place().rect;
  // Fonts made for a scale are kept for the program's life: the first trip makes them.
  SendDpiChanged(h, dpi, homeRect);
  SendDpiChanged(h, kDesignDpi, homeRect);
  const int objects = GdiObjectCount();

  const RECT thereRect{10, 20, 10 + sizeThere.width, 20 + sizeThere.height};
  SendDpiChanged(h, dpi, thereRect);
  ExpectSame({{"there", thereRect}}, {place()});
  ExpectSame(there, layout());

  SendDpiChanged(h, kDesignDpi, homeRect);
  ExpectSame({{"home", homeRect}}, {place()});
  ExpectSame(home, layout());
  EXPECT_EQ(GdiObjectCount(), objects);
}

void Pump(int milliseconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  } while (GetTickCount64() < end);
}

InLoop::InLoop(std::function<void()> step, UINT delayMs, bool repeat) : id_(SetTimer(nullptr, 0, delayMs, &Fire)) {
  LoopSteps()[id_] = {std::move(step), repeat};
}

InLoop::~InLoop() {
  KillTimer(nullptr, id_);
  LoopSteps().erase(id_);
}

void CALLBACK InLoop::Fire(HWND, UINT, UINT_PTR id, DWORD) {
  const auto it = LoopSteps().find(id);
  if (it == LoopSteps().end()) return;
  if (it->second.repeat) {
    const std::function<void()> step = it->second.step;  // the step may end the owner's life
    if (step) step();
    return;
  }
  KillTimer(nullptr, id);
  const std::function<void()> step = std::move(it->second.step);
  LoopSteps().erase(it);
  if (step) step();
}

void Click(HWND window, POINT at) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

POINT Middle(const win::GraphicControl& control) {
  return POINT{control.Left() + control.Width() / 2, control.Top() + control.Height() / 2};
}

LONG_PTR ExStyle(HWND window) { return GetWindowLongPtrW(window, GWL_EXSTYLE); }

BYTE Alpha(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  return GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) != 0 ? alpha : 0;
}

TForm1& MainWindowFixture::Start() {
  form =
      std::make_unique<TForm1>(TestHost(), MainWindowServices{store, sharedDrives, SharedTestSystem(), folder.Path()});
  form->FormCreate();
  return *form;
}

bool MainWindowFixture::WaitForRefresh(int limitMs) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(limitMs);
  // Paint messages stay queued, so a test can still see what a refresh invalidated.
  while (Busy()) {
    if (GetTickCount64() >= end) return false;
    MSG msg;
    if (PeekMessageW(&msg, form->Handle(), kDriveAnswersMessage, kDriveAnswersMessage, PM_REMOVE)) {
      DispatchMessageW(&msg);
    } else {
      Sleep(1);
    }
  }
  return true;
}

bool MainWindowFixture::Busy() const { return form->Refreshing(); }

}  // namespace wolumetr::test
