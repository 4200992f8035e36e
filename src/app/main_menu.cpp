// The main window's popup menu and its commands, the secondary windows among them.
#include <iterator>
#include <memory>

#include "about/about_form.h"
#include "app/main_form.h"
#include "app/placement.h"
#include "drives/drive_selection_form.h"
#include "settings/options_form.h"
#include "settings/run_registration.h"
#include "settings/startup_settings.h"
#include "win/error_box.h"
#include "win/system_info.h"
#include "win/text.h"

namespace wolumetr {
namespace {

win::MenuItem Item(UINT id, const wchar_t* caption, std::function<void()> onClick) {
  win::MenuItem item;
  item.id = id;
  item.caption = caption;
  item.onClick = std::move(onClick);
  return item;
}

}  // namespace

void TForm1::BuildMenu() {
  const win::MenuItem separator = Item(0, L"-", nullptr);
  win::MenuItem hide = Item(kUkryj1, L"Ukryj", [this] { Ukryj1Click(); });
  hide.autoCheck = true;
  win::MenuItem refresh = Item(kOdwierz1, L"Odświerz", [this] { Odwierz1Click(); });
  refresh.visible = false;
  win::MenuItem align = Item(kWyrwnajdo1, L"Wyrównaj do", nullptr);
  // In the order of the placements and of their command identifiers.
  const wchar_t* const placements[] = {
      L"Lewy - Górny brzeg",     L"Lewy - Środkowy brzeg",  L"Lewy - Dolny brzeg",
      L"Środkowy - Górny brzeg", L"Środek ekranu",          L"Środkowy - Dolny brzeg",
      L"Prawy - Górny brzeg",    L"Prawy - Środkowy brzeg", L"Prawy - Dolny brzeg",
  };
  for (UINT k = 0; k < std::size(placements); ++k) {
    const auto where = static_cast<Placement>(k);
    align.submenu.push_back(Item(kLewyGrnybrzeg1 + k, placements[k], [this, where] { Align(where); }));
  }
  PopupMenu1.SetItems({
      hide,
      separator,
      Item(kOpcje1, L"Opcje", [this] { Opcje1Click(); }),
      separator,
      Item(kUstawdyski1, L"Ustaw dyski", [this] { Ustawdyski1Click(); }),
      separator,
      refresh,
      separator,
      align,
      separator,
      Item(kOprogramie1, L"O programie", [this] { Oprogramie1Click(); }),
      separator,
      Item(kZamknij1, L"Zamknij", [this] { Zamknij1Click(); }),
  });
}

void TForm1::Ukryj1Click() {
  const bool hide = PopupMenu1.Item(kUkryj1).checked;
  if (DisplayMode == 0) {
    SetVisible(!hide);
  } else if (hide) {
    Host().Minimize(*this);
  } else {
    Host().Restore(*this);
  }
  if (!hide) Host().BringToFront();
}

void TForm1::Opcje1Click() {
  win::ItemDisabledScope disabled(PopupMenu1, kOpcje1);
  win::SystemRunKeys runKeys;
  TForm3 options(Host(), *this,
                 OptionsServices{runKeys, win::Narrow(win::ExecutablePath()), services_.settings, SettingsPath(),
                                 *services_.system, Dpi()});
  Host().RunModal(options);
}

void TForm1::Ustawdyski1Click() {
  win::ItemDisabledScope disabled(PopupMenu1, kUstawdyski1);
  ShowDriveSelection();
}

void TForm1::ShowDriveSelection() {
  auto placeToKeep = [this]() -> std::optional<Point> {
    if (!RememberPosition) return std::nullopt;
    return Point{Left(), Top()};
  };
  TForm4 form(Host(), DriveSelectionServices{services_.settings, SettingsPath(), DriveCount() > 0, services_.system,
                                             placeToKeep, Dpi()});
  Host().RunModal(form);
}

void TForm1::Align(Placement placement) {
  // On the primary monitor's work area, whichever monitor the window is on. A move onto a monitor
  // of another scale lays the window out again at its size there (WM_DPICHANGED, during the
  // move): the placement is then made once more, so a right or bottom edge still ends flush.
  for (int pass = 0; pass < 2; ++pass) {
    const Size size{Width(), Height()};
    const Point p = PlaceWindow(placement, services_.system->WorkArea(), size, Point{Left(), Top()});
    SetPosition(p.x, p.y);
    if (Width() == size.width && Height() == size.height) break;
  }
}

void TForm1::Oprogramie1Click() {
  // The tray menu stays usable while the About window is open: a second request brings the
  // open one forward rather than stacking another modal loop on it.
  if (TForm2* open = CurrentAboutWindow()) {
    open->BringToFront();
    return;
  }
  const auto about = std::make_unique<TForm2>(Host(), *services_.system, Dpi());
  about->SetStayOnTop(StayOnTop());
  Host().RunModal(*about);
}  // destroyed here, after its own modal loop, exactly once

bool TForm1::TrayIcon1Popup(POINT at) {
  // Owned by the tray's own window: it stays enabled while a modal window is open.
  return PopupMenu1.Popup(TrayIcon1->MessageWindow(), at) == win::MenuOutcome::Dismissed;
}

void TForm1::SaveRememberedPosition() {
  if (!RememberPosition) return;
  SettingsFile settings(services_.settings, SettingsPath());
  WriteRememberedPosition(settings, Left(), Top());
  settings.Commit();
}

void TForm1::Zamknij1Click() {
  // The failed save's box runs a message loop in which the tray menu and the close glyph still
  // work: a second close there must not save again and stack a second box on the first.
  win::ItemDisabledScope closing(PopupMenu1, kZamknij1);
  // A failed save keeps the program open and the file as it was.
  if (win::Guarded([&] { SaveRememberedPosition(); })) Close();
}

void TForm1::CloseQuietly() {
  try {
    SaveRememberedPosition();
  } catch (...) {
    // Nobody is there to answer a box, and the file is replaced whole or not at all: the old
    // one stays as it was.
  }
  Close();
}

}  // namespace wolumetr
