#include <gtest/gtest.h>

#include "about/about_layout.h"
#include "about/about_links.h"
#include "display_printers.h"
#include "wolumetr_version.h"

namespace wolumetr {
namespace {

// The heading is spelt out in the portable core (the fuzzers build it apart from this project); the version
// record and the manifest are made from project(... VERSION).
TEST(AboutLinks, HeadingShowsTheBuildsVersion) { EXPECT_EQ(kAboutHeading, "Wolumetr v" WOLUMETR_VERSION_SHOWN); }

TEST(AboutLinks, MailLinkCarriesTheSubject) {
  EXPECT_EQ(MailLink(kContactAddress), "mailto:wolumetr@example.org?subject=Temacik");
  EXPECT_EQ(MailLink("a.b@c.pl"), "mailto:a.b@c.pl?subject=Temacik");
}

TEST(AboutLinks, AddressShownWithoutScheme) {
  const struct {
    const char* url;
    const char* shown;
  } cases[] = {
      {"https://wolumetr.example.org/", "wolumetr.example.org"},
      {"http://www.example.org", "www.example.org"},
      {"https://example.org/wolumetr/", "example.org/wolumetr/"},
      {"example.org/", "example.org"},
      {"/", "/"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(AddressWithoutScheme(c.url), c.shown) << c.url;
  EXPECT_EQ(AddressWithoutScheme(kHomePage), "wolumetr.example.org");
}

TEST(AboutLayout, LabelsCentreOnTheMiddleLine) {
  EXPECT_EQ(CentredLabelLeft(100), 108);
  EXPECT_EQ(CentredLabelLeft(101), 108);  // the odd pixel goes to the right half
  EXPECT_EQ(CentredLabelLeft(0), 158);
  EXPECT_EQ(CentredLabelLeft(316), 0);
  EXPECT_EQ(CentredLabelLeft(400), -42);
  // Drawn at another scale, around the middle of the scaled window.
  const struct {
    int dpi;
    Size client;
    int leftOf100;
  } scales[] = {{96, {316, 218}, 108}, {120, {395, 273}, 147}, {144, {474, 327}, 187}, {192, {632, 436}, 266}};
  for (const auto& s : scales) {
    EXPECT_EQ(AboutClientSize(s.dpi), s.client) << s.dpi;
    EXPECT_EQ(CentredLabelLeft(100, s.dpi), s.leftOf100) << s.dpi;
  }
}

TEST(AboutLayout, WindowCentresOnTheVirtualScreen) {
  const Size window = kAboutClientSize;
  const struct {
    Rect screen;
    Point place;
  } cases[] = {
      {{0, 0, 1280, 1024}, {482, 403}},
      {{0, 0, 1281, 1025}, {482, 403}},
      {{0, 0, 3200, 1200}, {1442, 491}},      // two monitors side by side
      {{-1920, 0, 1280, 1080}, {-478, 431}},  // a monitor left of the primary one
      {{0, -1024, 1280, 1024}, {482, -109}},  // a monitor above
      {{0, 0, 300, 200}, {0, 0}},             // smaller than the window: pinned to the corner
      {{-500, -400, -200, -200}, {-500, -400}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AboutWindowPlace(c.screen, window), c.place)
        << c.screen.left << "," << c.screen.top << "," << c.screen.right << "," << c.screen.bottom;
  }
}

}  // namespace
}  // namespace wolumetr
