// The window base: what it does with its handle when the system destroys the window, and
// what it tells the owner when it shows or hides.
#include <gtest/gtest.h>

#include "win/window.h"

namespace wolumetr::test {
namespace {

const win::WindowClass kPlainClass{L"WolumetrPlainWindow"};

// A popup (owned when `owner` is given) or a child of `parent`; counts the owned windows'
// visibility notices it receives.
class Plain final : public win::Window {
 public:
  explicit Plain(HWND owner = nullptr, DWORD style = WS_POPUP) {
    Create(kPlainClass, style, 0, RECT{10, 10, 60, 40}, owner, L"plain");
  }
  int notices = 0;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == OwnedVisibilityMessage()) ++notices;
    return Default(message, wParam, lParam);
  }
};

TEST(Window, ForgetsItsHandleWhenDestroyedWithItsParent) {
  Plain parent;
  Plain child(parent.Handle(), WS_CHILD | WS_VISIBLE);
  ASSERT_NE(child.Handle(), nullptr);
  DestroyWindow(parent.Handle());
  EXPECT_EQ(child.Handle(), nullptr);
  EXPECT_EQ(parent.Handle(), nullptr);
  EXPECT_FALSE(child.IsVisible());
}

TEST(Window, TellsItsOwnerWhenItsVisibilityChanges) {
  Plain owner;
  Plain owned(owner.Handle());
  owned.SetVisible(true);
  owned.SetVisible(true);  // no change, no notice
  EXPECT_EQ(owner.notices, 1);
  owned.SetVisible(false);
  EXPECT_EQ(owner.notices, 2);
}

}  // namespace
}  // namespace wolumetr::test
