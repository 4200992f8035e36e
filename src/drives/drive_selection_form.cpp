#include "drives/drive_selection_form.h"

#include <shellapi.h>

#include <chrono>
#include <initializer_list>
#include <stdexcept>
#include <utility>

#include "common/dpi.h"
#include "win/application.h"
#include "win/error_box.h"
#include "win/fonts.h"
#include "win/panel_paint.h"
#include "win/system_libraries.h"
#include "win/system_palette.h"
#include "win/text.h"
#include "win/window_dpi.h"

namespace wolumetr {
namespace {

const win::WindowClass kFormClass{L"TForm4", nullptr, 0};

constexpr int kDropDownCount = 8;
constexpr BYTE kAlpha = 210;
constexpr UINT kDriveLooksMessage = WM_APP + 15;  // the gathering thread has every answer
constexpr std::chrono::milliseconds kLooksWait{300};

win::FontSpec LabelFont(int dpi) { return win::FontSpec{L"Arial", 8, false, false, dpi}; }
win::FontSpec ButtonFont(int dpi) { return win::FontSpec{L"Arial", 9, false, false, dpi}; }
HFONT WindowFont(int dpi) {
  win::FontSpec font;
  font.dpi = dpi;
  return win::SharedFont(font);
}

// The drawing rule of both lists: fill with the brush the control chose for the item's state.
void FillWithCurrentBrush(HDC dc, const RECT& rect) {
  FillRect(dc, &rect, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
}

void TextAt(HDC dc, int x, int y, const std::wstring& text) {
  TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

// The window --------------------------------------------------------------------------------

TForm4::TForm4(DriveSelectionServices services)
    : services_(std::move(services)),
      dpi_(services_.dpi > 0 ? services_.dpi : win::SystemDpi()),
      design_(DriveWindowDesignAt(dpi_)) {
  win::StayInApartment();  // the shell's drive icons
  win::Application& app = win::Application::Instance();
  app.Initialize();
  // Designed as 330x412; FormCreate sizes it from the grid.
  const Size designed = ScaleToDpi(Size{330, 412}, dpi_);
  Create(kFormClass, WS_POPUP | WS_CLIPCHILDREN, WS_EX_LAYERED | WS_EX_CONTROLPARENT,
         RECT{0, 0, designed.width, designed.height}, app.TaskbarWindow(), L"Wybór dysków");
  SetLayeredWindowAttributes(Handle(), 0, kAlpha, LWA_ALPHA);
  Panel1.Attach(Handle());
  router_.paint = [this](HDC dc, const RECT& clip) { Paint(dc, clip); };
  CreateComponents();
  ApplyPalette();
  FormCreate();
}

void TForm4::ApplyPalette() {
  palette_ = win::CurrentPalette();
  Label2->SetColor(win::ColorRef(palette_.caption));
  Label1->SetColor(win::ColorRef(palette_.note));
  for (win::PanelButton* button : {Panel2.get(), Panel3.get()}) {
    button->SetColors(win::ColorRef(palette_.buttonText), win::ColorRef(palette_.buttonFace));
  }
  StringGrid1->color = win::ColorRef(palette_.slotCell);
  StringGrid1->fixedColor = win::ColorRef(palette_.slotHeader);
  comboBrush_.reset(CreateSolidBrush(win::ColorRef(palette_.slotCell)));
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

TForm4::~TForm4() = default;

// Created at their places for dpi_, the right column where the grid's width puts it.
void TForm4::CreateComponents() {
  const DriveWindowLayout layout =
      LayoutAroundGrid(design_.grid, design_.gridPlace.x, design_.gridPlace.y, design_.buttonSize.width);
  const int right = layout.rightColumnLeft;
  Label2 = std::make_unique<win::Label>(Panel1, LabelFont(dpi_), win::ColorRef(colours::kYellow));
  Label2->SetText(L"Proszę wybrać dyski do monitorowania :");
  Label2->SetPosition(design_.headingPlace.x, design_.headingPlace.y);

  StringGrid1 = std::make_unique<win::StringGrid>(Handle(), design_.gridPlace, design_.grid, WindowFont(dpi_));
  StringGrid1->color = kSlotColor;
  StringGrid1->fixedColor = kHeaderColor;
  StringGrid1->onSelectCell = [this](GridCell cell) { return StringGrid1SelectCell(cell.column, cell.row); };
  StringGrid1->onDropDown = [this] { StringGrid1DropDown(); };
  StringGrid1->onDrawCell = [this](HDC dc, GridCell cell, const RECT& rect, win::GridCellState state) {
    StringGrid1DrawCell(dc, cell.column, cell.row, rect, state);
  };

  Label1 = std::make_unique<win::Label>(Panel1, LabelFont(dpi_), win::ColorRef(colours::kWhite));
  Label1->SetText(L"Zmień na :");
  Label1->SetPosition(right, design_.changeLabelTop);

  ComboBox1.reset(CreateWindowExW(0, WC_COMBOBOXW, L"",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                      CBS_HASSTRINGS,
                                  right, design_.comboTop, design_.buttonSize.width, DroppedHeight(), Handle(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboBox1Id)),
                                  GetModuleHandleW(nullptr), nullptr));
  if (!ComboBox1) throw std::runtime_error("Cannot create a window");
  SendMessageW(ComboBox1.get(), WM_SETFONT, reinterpret_cast<WPARAM>(WindowFont(dpi_)), FALSE);
  SendMessageW(ComboBox1.get(), CB_SETMINVISIBLE, kDropDownCount, 0);

  Panel2 = std::make_unique<win::PanelButton>(Panel1, L"Zapisz zmiany", ButtonFont(dpi_),
                                              win::ColorRef(colours::kYellow), win::ColorRef(colours::kNavy));
  Panel2->SetBounds(right, design_.saveTop, design_.buttonSize.width, design_.buttonSize.height);
  Panel2->onClick = [this] { Panel2Click(); };
  Panel3 = std::make_unique<win::PanelButton>(Panel1, L"Anuluj", ButtonFont(dpi_), win::ColorRef(colours::kYellow),
                                              win::ColorRef(colours::kNavy));
  Panel3->SetBounds(right, design_.cancelTop, design_.buttonSize.width, design_.buttonSize.height);
  Panel3->onClick = [this] { Panel3Click(); };

  // Screen readers name the lists by the captions above them, and see the panel buttons.
  win::NameForScreenReaders(StringGrid1->Handle(), win::NameFromCaption(Label2->Text()));
  win::NameForScreenReaders(ComboBox1.get(), win::NameFromCaption(Label1->Text()));
  buttons_ = std::make_unique<win::WindowlessButtons>(std::vector<win::WindowlessButtons::Button>{
      {Panel2.get(), Panel2->Caption()}, {Panel3.get(), Panel3->Caption()}});
  accessible_ = std::make_unique<win::AccessibleWindow>(Handle(), *buttons_);
}

void TForm4::FormCreate() {
  // 1. The shell's small icons, shared with every program.
  SHFILEINFOW info{};
  ImageList1 = reinterpret_cast<HIMAGELIST>(
      win::lazy::SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  int iconWidth = 0;
  int iconHeight = 0;
  if (ImageList1 != nullptr && win::lazy::ImageList_GetIconSize(ImageList1, &iconWidth, &iconHeight) && iconWidth > 0) {
    imageWidth_ = iconWidth;
  }

  // 2. The choices: "[brak]" and every fixed drive.
  std::vector<LogicalDrive> drives;
  for (std::string& root : SplitDriveStrings(win::Narrow(services_.system->LogicalDriveStrings()))) {
    const bool fixed = services_.system->IsFixedDrive(root);
    fixed_[root] = fixed;
    drives.push_back(LogicalDrive{std::move(root), fixed});
  }
  choices_ = DriveChoices(drives);
  SendMessageW(ComboBox1.get(), CB_RESETCONTENT, 0, 0);
  for (const std::string& choice : choices_) {
    SendMessageW(ComboBox1.get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(choice).c_str()));
  }

  // 3. The header.
  StringGrid1->SetCell(0, 0, L"NR");
  StringGrid1->SetCell(1, 0, L"Dysk");

  // 4. The slots as stored.
  {
    SettingsFile settings(services_.settings, services_.settingsPath);
    const DriveRows rows = LoadDriveSlots(settings);
    for (int slot = 1; slot <= kDriveSlotCount; ++slot) {
      StringGrid1->SetCell(0, slot, std::to_wstring(slot));
      StringGrid1->SetCell(1, slot, win::Widen(rows[static_cast<std::size_t>(slot - 1)]));
    }
  }

  GatherDriveLooks();

  // 5. Grid and window exactly as large as the cells.
  LayOut();
  CentreOnDesktop();

  // 6. Row 1 selected, and its drive in the choice.
  StringGrid1->MoveTo(GridCell{StringGrid1->Current().column, 1});
  SelectChoiceFor(1);
}

int TForm4::DroppedHeight() const {
  // The combo box's window height includes its dropped-down list.
  const int item = design_.itemHeight;
  return item + ScaleToDpi(8, dpi_) + kDropDownCount * item + ScaleToDpi(2, dpi_);
}

void TForm4::LayOut() {
  design_ = DriveWindowDesignAt(dpi_);
  const DriveWindowLayout layout =
      LayoutAroundGrid(design_.grid, design_.gridPlace.x, design_.gridPlace.y, design_.buttonSize.width);
  const int right = layout.rightColumnLeft;
  for (win::Label* label : {Label2.get(), Label1.get()}) {
    win::FontSpec font = label->Font();
    font.dpi = dpi_;
    label->SetFont(font);
  }
  Label2->SetPosition(design_.headingPlace.x, design_.headingPlace.y);
  Label1->SetPosition(right, design_.changeLabelTop);
  StringGrid1->Rescale(design_.grid, WindowFont(dpi_));
  StringGrid1->SetPosition(design_.gridPlace);
  SendMessageW(ComboBox1.get(), WM_SETFONT, reinterpret_cast<WPARAM>(WindowFont(dpi_)), FALSE);
  // Owner-drawn items are measured once, when the box is made: later scales are set here.
  for (const WPARAM part : {static_cast<WPARAM>(-1), WPARAM{0}}) {
    if (SendMessageW(ComboBox1.get(), CB_GETITEMHEIGHT, part, 0) != design_.itemHeight) {
      SendMessageW(ComboBox1.get(), CB_SETITEMHEIGHT, part, design_.itemHeight);
    }
  }
  SetWindowPos(ComboBox1.get(), nullptr, right, design_.comboTop, design_.buttonSize.width, DroppedHeight(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  for (win::PanelButton* button : {Panel2.get(), Panel3.get()}) button->SetFont(ButtonFont(dpi_));
  Panel2->SetBounds(right, design_.saveTop, design_.buttonSize.width, design_.buttonSize.height);
  Panel3->SetBounds(right, design_.cancelTop, design_.buttonSize.width, design_.buttonSize.height);
  SetSize(layout.width, layout.height);
}

// Moved to a monitor of another scale: the size follows from the scale as it does when the
// window opens; the place is the one suggested.
void TForm4::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  LayOut();
  SetPosition(suggested.left, suggested.top);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TForm4::CentreOnDesktop() {
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  SetPosition(desktop.left + (desktop.right - desktop.left - Width()) / 2,
              desktop.top + (desktop.bottom - desktop.top - Height()) / 2);
}

void TForm4::OnShow() {
  CentreOnDesktop();
  // The grid comes first in the tab order: it has the focus whenever the window shows.
  SetFocus(StringGrid1->Handle());
}

void TForm4::SelectChoiceFor(int row) {
  const int index = FindChoice(choices_, win::Narrow(StringGrid1->Cell(1, row)));
  // Setting the selection from code is no pick of the user's: no CBN_SELCHANGE follows.
  SendMessageW(ComboBox1.get(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool TForm4::StringGrid1SelectCell(int, int row) {
  if (row >= 1) SelectChoiceFor(row);
  return true;
}

void TForm4::StringGrid1DropDown() {
  // The list of drives opens from the grid; once it closes, the keyboard is back on the grid.
  listFromGrid_ = true;
  SetFocus(ComboBox1.get());
  SendMessageW(ComboBox1.get(), CB_SHOWDROPDOWN, TRUE, 0);
}

void TForm4::ComboBox1CloseUp() {
  if (std::exchange(listFromGrid_, false)) SetFocus(StringGrid1->Handle());
}

void TForm4::ComboBox1Change() {
  const int row = StringGrid1->Row();
  const int index = ComboItemIndex();
  if (row < 1 || index < 0 || index >= static_cast<int>(choices_.size())) return;
  StringGrid1->SetCell(1, row, win::Widen(choices_[static_cast<std::size_t>(index)]));
}

int TForm4::ComboItemIndex() const {
  return static_cast<int>(SendMessageW(ComboBox1.get(), CB_GETCURSEL, 0, 0));
}

DriveRows TForm4::Slots() const {
  DriveRows rows;
  for (int slot = 1; slot <= kDriveSlotCount; ++slot) {
    rows[static_cast<std::size_t>(slot - 1)] = win::Narrow(StringGrid1->Cell(1, slot));
  }
  return rows;
}

void TForm4::GatherDriveLooks() {
  // Every drive the lists may show: the choices, and the slots' drives that are not among them.
  std::vector<DriveLookGatherer::Root> roots;
  std::map<std::string, bool> asked;
  const auto ask = [&](const std::string& root) {
    if (root == kNoDriveText || NamesNetworkOrDevicePath(root) || !asked.emplace(root, true).second) return;
    const auto fixed = fixed_.find(root);
    roots.push_back({root, fixed != fixed_.end() && fixed->second});
  };
  for (const std::string& choice : choices_) ask(choice);
  for (int slot = 1; slot <= kDriveSlotCount; ++slot) ask(win::Narrow(StringGrid1->Cell(1, slot)));
  gatherer_ = std::make_unique<DriveLookGatherer>(services_.system, std::move(roots), [window = Handle()] {
    PostMessageW(window, kDriveLooksMessage, 0, 0);
  });
  // Drives that answer at once are drawn with their icons from the first paint.
  gatherer_->Wait(kLooksWait);
  looks_ = gatherer_->Looks();
}

std::optional<int> TForm4::IconIndex(const std::wstring& path) const {
  const auto look = looks_.find(win::Narrow(path));
  return look == looks_.end() ? std::nullopt : look->second.icon;
}

void TForm4::StringGrid1DrawCell(HDC dc, int column, int row, const RECT& rect, win::GridCellState) {
  FillWithCurrentBrush(dc, rect);
  const std::wstring& text = StringGrid1->Cell(column, row);
  if (row >= 1 && column == 1 && text != win::Widen(kNoDriveText)) {
    FillWithCurrentBrush(dc, rect);
    const std::optional<int> icon = IconIndex(text);
    if (icon && ImageList1 != nullptr) {
      win::lazy::ImageList_Draw(ImageList1, *icon, dc, rect.left + design_.iconLeft, rect.top, ILD_TRANSPARENT);
    }
    TextAt(dc, rect.left + imageWidth_ + design_.textGap, rect.top, text);
    return;
  }
  TextAt(dc, rect.left + design_.textGap, rect.top, text);
}

std::wstring TForm4::ComboItemCaption(int index) const {
  if (index < 0 || index >= static_cast<int>(choices_.size())) return {};
  const std::string& root = choices_[static_cast<std::size_t>(index)];
  if (index == 0) return win::Widen(root);
  const auto fixed = fixed_.find(root);
  const auto look = looks_.find(root);
  const bool isFixed = fixed != fixed_.end() && fixed->second;
  return win::Widen(
      ChoiceCaption(root, isFixed, isFixed && look != looks_.end() ? look->second.label : std::nullopt));
}

void TForm4::ComboBox1DrawItem(HDC dc, int index, const RECT& rect, UINT) {
  const int textLeft = rect.left + imageWidth_ + design_.textGap;
  if (index == 0) {
    FillWithCurrentBrush(dc, rect);
    TextAt(dc, textLeft, rect.top, ComboItemCaption(0));
    return;
  }
  if (index < 0 || index >= static_cast<int>(choices_.size())) return;
  const std::optional<int> icon = IconIndex(win::Widen(choices_[static_cast<std::size_t>(index)]));
  FillWithCurrentBrush(dc, rect);
  if (icon && ImageList1 != nullptr) {
    win::lazy::ImageList_Draw(ImageList1, *icon, dc, rect.left + design_.iconLeft, rect.top, ILD_TRANSPARENT);
  }
  TextAt(dc, textLeft, rect.top, ComboItemCaption(index));
}

void TForm4::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  {
    win::SavedDcState saved(dc);
    IntersectClipRect(dc, item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom);
    SelectObject(dc, WindowFont(dpi_));
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHT) : win::ColorRef(palette_.slotCell));
    SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    if (static_cast<int>(item.itemID) >= 0) {
      ComboBox1DrawItem(dc, static_cast<int>(item.itemID), item.rcItem, item.itemState);
    } else {
      FillWithCurrentBrush(dc, item.rcItem);
    }
  }
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(dc, &item.rcItem);
}

void TForm4::Panel2Click() {
  const DriveRows rows = Slots();
  if (AllSlotsEmpty(rows)) {
    // Nothing to keep: the stored list stays as it is whatever the answer.
    AskForADrive();
    return;
  }
  {
    SettingsFile settings(services_.settings, services_.settingsPath);
    // Throws before anything is restarted when the file cannot be written.
    SaveDriveSlots(settings, rows, services_.placeToKeep ? services_.placeToKeep() : std::nullopt);
  }
  // This instance ends only when the next one has started; otherwise it goes on, and the
  // saved list takes effect at the next start.
  if (services_.system->StartNewInstance()) {
    win::Application::Instance().Terminate();
  } else {
    win::ReportError(kRestartFailedMessage);
  }
  Close();
}

void TForm4::Panel3Click() {
  if (services_.drivesMonitored) {
    Close();
    return;
  }
  AskForADrive();
}

void TForm4::AskForADrive() {
  if (services_.system->ShowMessageBox(Handle(), kNoDriveMessage, kNoDriveCaption, MB_ICONWARNING | MB_OKCANCEL) ==
      IDCANCEL) {
    win::Application::Instance().Terminate();
  }
}

void TForm4::Close() {
  closed_ = true;
  win::Application::Instance().EndModal(*this);
}

void TForm4::Paint(HDC dc, const RECT& clip) {
  win::PaintPanel(Handle(), dc, clip, win::ColorRef(palette_.panel), win::Bevel::Raised, win::Bevel::Lowered);
  Panel1.PaintControls(dc, clip);
}

LRESULT TForm4::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto handled = router_.Route(message, wParam, lParam)) return *handled;
  if (accessible_) {
    if (const auto answered = accessible_->Route(message, wParam, lParam)) return *answered;
  }
  switch (message) {
    case kDriveLooksMessage:
      // The rest of the icons and labels: the lists are drawn again with them.
      if (!gatherer_) return 0;
      looks_ = gatherer_->Looks();
      InvalidateRect(StringGrid1->Handle(), nullptr, FALSE);
      InvalidateRect(ComboBox1.get(), nullptr, FALSE);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kComboBox1Id && HIWORD(wParam) == CBN_SELCHANGE) ComboBox1Change();
      if (LOWORD(wParam) == kComboBox1Id && HIWORD(wParam) == CBN_CLOSEUP) ComboBox1CloseUp();
      // Enter and Escape, as the dialog keys send them, are the two buttons; an open list keeps them.
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) Panel2Click();
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) Panel3Click();
      return 0;
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_COMBOBOX) break;
      item->itemHeight = static_cast<UINT>(design_.itemHeight);  // the selection field and every item alike
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_COMBOBOX) break;
      DrawItem(*item);
      return TRUE;
    }
    case WM_CTLCOLORLISTBOX:
      SetBkColor(reinterpret_cast<HDC>(wParam), win::ColorRef(palette_.slotCell));
      return reinterpret_cast<LRESULT>(comboBrush_.get());
    case WM_ACTIVATE:
      // Not a dialog: keep track of the focused control across activations by hand.
      focus_.OnActivate(Handle(), wParam, StringGrid1->Handle());
      return 0;
    case WM_SETFOCUS:
      SetFocus(StringGrid1->Handle());
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace wolumetr
