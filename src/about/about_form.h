#pragma once
// The About window: the program's name and version, its authors, and two links handed to
// the shell. Modal, created for one showing and closed by a click anywhere but the links.
#include <windows.h>

#include <memory>

#include "win/accessible_window.h"
#include "win/focus_stand_in.h"
#include "win/label.h"
#include "win/modal_window.h"
#include "win/system_seam.h"
#include "win/window_host.h"

namespace wolumetr {

class TForm2 final : public win::ModalWindow {
 public:
  // Creates the hidden window centred on the desktop, owned by the host's taskbar window.
  // The links go to the shell through `system`. It is drawn at `dpi`, the main window's;
  // 0 takes the owner's.
  TForm2(win::WindowHost& host, win::SystemSeam& system, int dpi = 0);
  ~TForm2() override;

  win::Surface& Panel1 = PanelSurface();           // the client area; declared before the labels painted on it
  win::Label Label1;                               // heading
  win::Label Label2;                               // "Autor programu:"
  win::Label Label3;                               // the authors
  win::Label Label4;                               // mail link
  win::Label Label5;                               // web link
  win::Label Label6;                               // licence line
  win::Label Label7;                               // "Opis programu:"
  std::unique_ptr<win::FocusStandIn> Label4Focus;  // the links' places in the tab order
  std::unique_ptr<win::FocusStandIn> Label5Focus;

  void FormClick() { EndModal(); }
  void Label4Click();
  void Label5Click();

  // Follows the main window's stay-on-top setting so that it never opens hidden behind it.
  void SetStayOnTop(bool onTop);
  // Raises the window, or the window that holds the input above it, to the foreground.
  void BringToFront();

  // Screen readers get the texts in reading order, the two links as links.

 private:
  void Underline(win::Label& label, bool underline);
  void OpenLink(const std::wstring& target);
  void CreateControls() override;
  win::AccessibleItems* Items() override { return texts_.get(); }
  void LayOut(int dpi) override;
  void Recolour(const Palette& colours) override;
  void PaintOver(HDC dc) const override;

  std::unique_ptr<win::AccessibleItems> texts_;
};

// The About window that is open now, or nullptr: one program-wide reference, set while a
// window exists and cleared when it is destroyed.
TForm2* CurrentAboutWindow();

}  // namespace wolumetr
