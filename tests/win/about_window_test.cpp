// The About window in-process: its look, which clicks close it, the links handed to the
// shell, and "O programie" from the main window's menu with its modal loop.
#include <gtest/gtest.h>
#include <objbase.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "about/about_form.h"
#include "common/dpi.h"
#include "win/application.h"
#include "win/system_seam.h"
#include "win/text.h"
#include "win_test_support.h"

namespace wolumetr::test {
namespace {

const std::wstring kMailLink = L"mailto:wolumetr@example.org?subject=Temacik";
const std::wstring kWebLink = L"https://wolumetr.example.org/";

void Press(HWND hwnd, POINT p) { SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y)); }
void Release(HWND hwnd, POINT p) { SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y)); }
void MoveTo(HWND hwnd, POINT p) { SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); }

class AboutWindow : public ::testing::Test {
 protected:
  HWND Owner() const { return Taskbar(); }
  // What the links handed to the shell.
  std::vector<std::wstring>& links = TestSystem().opened;
};

TEST_F(AboutWindow, LooksAsDesigned) {
  TForm2 f(TestHost(), TestSystem());
  EXPECT_EQ(CurrentAboutWindow(), &f);
  EXPECT_FALSE(f.IsVisible());
  EXPECT_EQ(GetWindow(f.Handle(), GW_OWNER), Owner());

  RECT client;
  GetClientRect(f.Handle(), &client);
  EXPECT_EQ(client.right, 316);
  EXPECT_EQ(client.bottom, 218);
  // No border: the window is its client area, centred on the 1280x1024 screen.
  EXPECT_EQ(f.Left(), 482);
  EXPECT_EQ(f.Top(), 403);
  EXPECT_EQ(f.Width(), 316);
  EXPECT_EQ(f.Height(), 218);
  const LONG_PTR style = GetWindowLongPtrW(f.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_BORDER));
  const LONG_PTR ex = ExStyle(f.Handle());
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_FALSE(ex & WS_EX_TOPMOST);
  EXPECT_EQ(Alpha(f.Handle()), 200);

  constexpr int kCentred = -1;
  const struct {
    const win::Label& label;
    const wchar_t* text;
    int top, left, points, height;
    bool bold, hand;
  } labels[] = {
      {f.Label1, L"Wolumetr v1.8.4", 16, kCentred, 16, 24, true, false},
      {f.Label2, L"Autor programu:", 64, 111, 10, 16, false, false},
      {f.Label3, L"Zespół Wolumetr", 88, kCentred, 10, 16, false, false},
      {f.Label4, L"wolumetr@example.org", 104, kCentred, 10, 16, false, true},
      {f.Label7, L"Opis programu:", 136, 111, 10, 16, false, false},
      {f.Label5, L"wolumetr.example.org", 152, kCentred, 10, 16, false, true},
      {f.Label6, L"Program udostępniany na licencji MIT", 192, kCentred, 10, 16, false, false},
  };
  for (const auto& l : labels) {
    const win::Label& label = l.label;
    EXPECT_EQ(label.Text(), l.text);
    EXPECT_EQ(label.Top(), l.top) << label.Text().size();
    EXPECT_EQ(label.Height(), l.height) << l.top;
    if (l.left == kCentred) {
      // The middle on x = 158 (an odd width puts the extra pixel right of it).
      EXPECT_EQ(label.Left(), 158 - label.Width() / 2) << l.top;
    } else {
      EXPECT_EQ(label.Left(), l.left) << l.top;
    }
    EXPECT_GT(label.Width(), 0) << l.top;
    EXPECT_LE(label.Left() + label.Width(), 316) << l.top;
    EXPECT_EQ(label.Font().name, L"Arial") << l.top;
    EXPECT_EQ(label.Font().points, l.points) << l.top;
    EXPECT_EQ(label.Font().bold, l.bold) << l.top;
    EXPECT_FALSE(label.Font().underline) << l.top;
    EXPECT_EQ(label.Color(), GetSysColor(COLOR_WINDOWTEXT)) << l.top;
    EXPECT_EQ(label.handCursor, l.hand) << l.top;
  }
}

std::vector<Placed> Layout(TForm2& f) {
  std::vector<Placed> placed;
  for (const win::Label* label : {&f.Label1, &f.Label2, &f.Label3, &f.Label4, &f.Label7, &f.Label5, &f.Label6}) {
    placed.push_back({win::Narrow(label->Text()), label->Bounds()});
  }
  return placed;
}

TEST_F(AboutWindow, OpensAtTheMainWindowsScaleWithItsLabelsApartAndFollowsAMoveAndBack) {
  // The window's sizes are the layout's, tested with it; the labels are as wide as the fonts make them.
  for (const int dpi : {120, 144, 192}) {
    SCOPED_TRACE(dpi);
    TForm2 f(TestHost(), TestSystem(), dpi);
    RECT client;
    GetClientRect(f.Handle(), &client);
    // Rows scale; a centred label's middle stays on the window's.
    EXPECT_EQ(f.Label6.Height(), ScaleToDpi(16, dpi));
    EXPECT_EQ(f.Label6.Left(), client.right / 2 - f.Label6.Width() / 2);
    ExpectApart(Layout(f), client);
  }
  std::vector<Placed> at144;
  {
    TForm2 scaled(TestHost(), TestSystem(), 144);
    at144 = Layout(scaled);
  }
  TForm2 f(TestHost(), TestSystem(), 96);
  ExpectDpiRoundTrip(
      f, [&f] { return Layout(f); }, 144, Size{474, 327}, at144);
}

TEST_F(AboutWindow, ClicksCloseEverywhereButTheLinks) {
  enum Where { Heading, AuthorCaption, Author, Mail, DescriptionCaption, Web, Licence, EmptyPanel, Bevel, Outside };
  const auto at = [](TForm2& f, Where w) {
    const POINT places[] = {Middle(f.Label1), Middle(f.Label2), Middle(f.Label3), Middle(f.Label4), Middle(f.Label7),
                            Middle(f.Label5), Middle(f.Label6), POINT{20, 120},   POINT{0, 217},    POINT{400, 120}};
    return places[w];
  };
  const struct {
    Where down, up;
    bool closes;
    const std::wstring* link;
  } cases[] = {
      {Heading, Heading, true, nullptr},
      {AuthorCaption, AuthorCaption, true, nullptr},
      {Author, Author, true, nullptr},
      {DescriptionCaption, DescriptionCaption, true, nullptr},
      {Licence, Licence, true, nullptr},
      {EmptyPanel, EmptyPanel, true, nullptr},
      {Bevel, Bevel, true, nullptr},
      {Mail, Mail, false, &kMailLink},
      {Web, Web, false, &kWebLink},
      // A click is a press and a release over the same thing.
      {Mail, Heading, false, nullptr},
      {Heading, Web, false, nullptr},
      {EmptyPanel, Heading, false, nullptr},
      {Heading, EmptyPanel, false, nullptr},
      {EmptyPanel, Outside, false, nullptr},
  };
  for (const auto& c : cases) {
    links.clear();
    RecordingHost host;
    TForm2 f(host, TestSystem());
    Press(f.Handle(), at(f, c.down));
    Release(f.Handle(), at(f, c.up));
    EXPECT_EQ(host.Ended(f), c.closes) << c.down << " -> " << c.up;
    const std::vector<std::wstring> expected =
        c.link ? std::vector<std::wstring>{*c.link} : std::vector<std::wstring>{};
    EXPECT_EQ(links, expected) << c.down << " -> " << c.up;
    // Whatever the shell shows for the link belongs to this window.
    if (c.link) {
      EXPECT_EQ(TestSystem().openOwners.back(), f.Handle());
    }
  }

  // The keyboard and the system close command end it the same way, and nothing is destroyed
  // under the loop that still runs it.
  const std::pair<UINT, WPARAM> commands[] = {{WM_COMMAND, IDCANCEL}, {WM_COMMAND, IDOK}, {WM_CLOSE, 0}};
  for (const auto& [message, wParam] : commands) {
    RecordingHost host;
    TForm2 f(host, TestSystem());
    SendMessageW(f.Handle(), message, wParam, 0);
    EXPECT_TRUE(host.Ended(f)) << message << " " << wParam;
    EXPECT_TRUE(IsWindow(f.Handle())) << message;
  }
  EXPECT_EQ(CurrentAboutWindow(), nullptr);
  EXPECT_TRUE(OwnWindows(L"TForm2").empty());
}

TEST_F(AboutWindow, TabReachesTheLinksAndEnterOpensTheFocusedOne) {
  // Keys pressed in turn from a fresh window: focus after each, window closed, links opened.
  const struct {
    std::vector<WPARAM> keys;
    int focused;  // 4 or 5: that link's stand-in; 0: none
    bool closes;
    std::vector<std::wstring> opened;
  } cases[] = {
      {{VK_TAB, VK_RETURN}, 4, false, {kMailLink}},
      {{VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_SPACE}, 5, false, {kWebLink}},
      {{VK_TAB, VK_ESCAPE}, 4, true, {}},
      {{VK_RETURN}, 0, true, {}},
  };
  for (const auto& c : cases) {
    links.clear();
    RecordingHost host;
    TForm2 f(host, TestSystem());
    f.SetVisible(true);
    SetFocus(f.Handle());
    for (const WPARAM key : c.keys) PressKey(f.Handle(), key);
    HWND expected = c.focused == 4 ? f.Label4Focus->Handle() : c.focused == 5 ? f.Label5Focus->Handle() : f.Handle();
    EXPECT_EQ(GetFocus(), expected) << c.keys.size() << " keys";
    EXPECT_EQ(host.Ended(f), c.closes) << c.keys.size() << " keys";
    EXPECT_EQ(links, c.opened) << c.keys.size() << " keys";
  }
}

TEST_F(AboutWindow, AScreenReaderHearsTheTextsInReadingOrderAndFollowsALink) {
  links.clear();
  RecordingHost host;
  TForm2 f(host, TestSystem());
  f.SetVisible(true);
  const win::ComRef<IAccessible> object = f.AccessibleObject();
  ASSERT_TRUE(object);
  const win::Label* const order[] = {&f.Label1, &f.Label2, &f.Label3, &f.Label4, &f.Label7, &f.Label5, &f.Label6};
  long count = 0;
  ASSERT_EQ(object->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 7 + ChildWindowCount(f.Handle())) << "the texts, then the links' places in the tab order";
  for (long id = 1; id <= 7; ++id) {
    const Spoken s = Ask(*object.get(), id);
    const bool link = order[id - 1] == &f.Label4 || order[id - 1] == &f.Label5;
    EXPECT_EQ(s.name, order[id - 1]->Text()) << id;
    EXPECT_EQ(s.role, link ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT) << id;
    EXPECT_EQ(s.action, link ? L"Przejdź" : L"<none>") << id;
  }
  ASSERT_EQ(object->accDoDefaultAction(Child(6)), S_OK);
  EXPECT_EQ(object->accDoDefaultAction(Child(1)), DISP_E_MEMBERNOTFOUND) << "a text has no action";
  Pump(50);
  EXPECT_EQ(links, std::vector<std::wstring>{kWebLink});
  EXPECT_FALSE(host.Ended(f));
}

TEST_F(AboutWindow, LinksUnderlineUnderTheMouse) {
  RecordingHost host;
  TForm2 f(host, TestSystem());
  const int mailWidth = f.Label4.Width();
  const auto underlined = [&f] { return std::pair{f.Label4.Font().underline, f.Label5.Font().underline}; };
  MoveTo(f.Handle(), Middle(f.Label4));
  EXPECT_EQ(underlined(), std::pair(true, false));
  EXPECT_EQ(f.Label4.Width(), mailWidth);
  EXPECT_EQ(f.Label4.Height(), 16);
  MoveTo(f.Handle(), Middle(f.Label5));
  EXPECT_EQ(underlined(), std::pair(false, true));
  MoveTo(f.Handle(), Middle(f.Label1));
  EXPECT_EQ(underlined(), std::pair(false, false));
  EXPECT_FALSE(f.Label1.Font().underline);
  MoveTo(f.Handle(), Middle(f.Label5));
  SendMessageW(f.Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(underlined(), std::pair(false, false));
  // Pressing the link keeps the hover state; leaving it while held still restores it.
  MoveTo(f.Handle(), Middle(f.Label4));
  Press(f.Handle(), Middle(f.Label4));
  MoveTo(f.Handle(), POINT{20, 120});
  EXPECT_EQ(underlined(), std::pair(false, false));
  Release(f.Handle(), POINT{20, 120});
  EXPECT_TRUE(links.empty());
  EXPECT_FALSE(host.Ended(f));
}

class AboutCommand : public ::testing::Test, protected MainWindowFixture {
 protected:
  std::vector<std::wstring>& links = TestSystem().opened;
};

TEST_F(AboutCommand, OpensModallyRaisesTheOpenOneOnASecondRequestAndDestroysItOnce) {
  // Tray only and on top: the taskbar button comes with the modal window, and the window
  // must not open hidden behind the main window.
  WriteSettings("[Dyski]\r\nDysk1=C:\\\r\n[Wyglad]\r\nNa wierzchu=1\r\n[Program]\r\nPasek=0\r\n");
  drives.drives[3] = {400, 1000, "System"};
  TForm1& f = Start();
  f.SetVisible(true);
  ASSERT_EQ(f.DisplayMode, 0);
  HWND taskbar = Taskbar();
  ASSERT_FALSE(IsWindowVisible(taskbar));
  // The main window went to a monitor at 150 %: the About window opens at its scale.
  RECT suggested{f.Left(), f.Top(), f.Left() + f.Width(), f.Top() + f.Height()};
  SendMessageW(f.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  // Should the modal loop not end as it must, every About window closes after a while (again and
  // again, innermost first) so that the test fails instead of hanging.
  bool broken = false;
  const InLoop breaker(
      [&] {
        for (HWND hwnd : OwnWindows(L"TForm2")) {
          broken = true;
          PostMessageW(hwnd, WM_CLOSE, 0, 0);
        }
      },
      5000, true);

  bool ranInLoop = false;
  const InLoop check([&] {
    ranInLoop = true;
    TForm2* about = CurrentAboutWindow();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->Width(), 474) << "drawn at the main window's 144 dpi";
    EXPECT_TRUE(IsWindowEnabled(about->Handle()));
    EXPECT_TRUE(IsWindowVisible(taskbar)) << "the taskbar button appears";
    EXPECT_TRUE(ExStyle(about->Handle()) & WS_EX_TOPMOST);

    // The second request (from the tray menu) returns at once and opens nothing more.
    f.PopupMenu1.Activate(kOprogramie1);
    EXPECT_EQ(CurrentAboutWindow(), about);
    EXPECT_EQ(GetForegroundWindow(), about->Handle());

    Click(about->Handle(), Middle(about->Label4));
    EXPECT_EQ(links, std::vector<std::wstring>{kMailLink});
    Click(about->Handle(), Middle(about->Label1));
  });
  f.PopupMenu1.Activate(kOprogramie1);

  EXPECT_TRUE(ranInLoop);
  EXPECT_FALSE(broken) << "the heading click did not end the modal loop";
  EXPECT_EQ(CurrentAboutWindow(), nullptr);
  EXPECT_TRUE(f.IsVisible());
}

}  // namespace
}  // namespace wolumetr::test
