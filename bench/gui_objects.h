#pragma once
// How many GDI and USER objects this process holds.
//
// Windows answers GetGuiResources. Wine's GetGuiResources is a stub that returns 0, so there
// the objects are counted by probing: Wine keeps this process's GDI objects in a table of
// 65536 entries and takes a handle value with an empty upper word as "the object in entry
// n", so GetObjectType over 1..65535 finds every live GDI object (DCs included). USER objects
// are the process's windows (enumerated), menus and icons/cursors; Wine takes user handles
// with an empty generation as well, and IsMenu and win32u's NtUserGetIconSize answer only
// for objects of the calling process, without asking the server, so a probe over the user
// handle range counts exactly ours.
#include <string>

namespace wolumetr::bench {

struct GuiObjects {
  long gdi = 0;
  long user = 0;
};

bool RunningOnWine();
GuiObjects CountGuiObjects();
// One line on how the counting is done here.
std::string CountingMethod();

}  // namespace wolumetr::bench
