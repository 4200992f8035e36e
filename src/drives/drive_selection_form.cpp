#include "drives/drive_selection_form.h"

#include <chrono>
#include <initializer_list>
#include <utility>

#include "common/dpi.h"
#include "common/drive_slots.h"
#include "win/error_box.h"
#include "win/fonts.h"
#include "win/private_messages.h"
#include "win/system_libraries.h"
#include "win/text.h"

namespace wolumetr {
namespace {

const win::WindowClass kFormClass{L"TForm4", nullptr, 0};

constexpr int kDropDownCount = 8;
constexpr BYTE kAlpha = 210;
constexpr std::chrono::milliseconds kLooksWait{300};

win::FontSpec LabelFont(int dpi) { return win::FontSpec{L"Arial", 8, false, false, dpi}; }
win::FontSpec ButtonFont(int dpi) { return win::FontSpec{L"Arial", 9, false, false, dpi}; }
HFONT WindowFont(int dpi) { return win::SharedFont(win::FontSpec{.dpi = dpi}); }

// The drawing rule of both lists: fill with the brush the control chose for the item's state.
void FillWithCurrentBrush(HDC dc, const RECT& rect) {
  FillRect(dc, &rect, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
}

void TextAt(HDC dc, int x, int y, const std::wstring& text) {
  TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

win::GridColours SlotColours(const Palette& p) {
  return {win::ColorRef(p.slotCell),       win::ColorRef(p.slotHeader),    win::ColorRef(p.listText),
          win::ColorRef(p.selection),      win::ColorRef(p.selectionText), win::ColorRef(p.gridLine),
          win::ColorRef(p.gridHeaderLine), win::ColorRef(p.focusInk),      win::ColorRef(p.focusGround)};
}

win::BevelColours Bevels(const Palette& p) { return {win::ColorRef(p.bevelLight), win::ColorRef(p.bevelShadow)}; }

// The window's texts and buttons: what each says and where the design puts it.
struct SelectionLabel {
  std::unique_ptr<win::Label> TForm4::*label;
  const wchar_t* text;
  Colour Palette::*colour;
  Point DriveWindowDesign::*place;
};
const SelectionLabel kSelectionLabels[] = {
    {&TForm4::Label2, L"Proszę wybrać dyski do monitorowania :", &Palette::caption, &DriveWindowDesign::headingPlace},
    {&TForm4::Label1, L"Zmień na :", &Palette::note, &DriveWindowDesign::changeLabelPlace},
};

struct SelectionButton {
  std::unique_ptr<win::PanelButton> TForm4::*button;
  const wchar_t* caption;
  void (TForm4::*onClick)();
  Point DriveWindowDesign::*place;
};
const SelectionButton kSelectionButtons[] = {
    {&TForm4::Panel2, L"Zapisz zmiany", &TForm4::Panel2Click, &DriveWindowDesign::savePlace},
    {&TForm4::Panel3, L"Anuluj", &TForm4::Panel3Click, &DriveWindowDesign::cancelPlace},
};

}  // namespace

// The window --------------------------------------------------------------------------------

TForm4::TForm4(win::WindowHost& host, DriveSelectionServices services)
    : ModalWindow(host, *services.system, services.dpi),
      services_(std::move(services)),
      design_(DriveWindowDesignAt(Dpi())) {
  win::StayInApartment();  // the shell's drive icons
  // Designed as 330x412; FormCreate sizes it from the grid.
  const Size designed = ScaleToDpi(Size{330, 412}, Dpi());
  Open(win::WindowRequest{kFormClass, WS_POPUP | WS_CLIPCHILDREN, WS_EX_LAYERED | WS_EX_CONTROLPARENT,
                          RECT{0, 0, designed.width, designed.height}, host.TaskbarWindow(), L"Wybór dysków", kAlpha});
  FormCreate();
}

void TForm4::Recolour(const Palette& colours) {
  for (const SelectionLabel& row : kSelectionLabels) (this->*row.label)->SetColor(win::ColorRef(colours.*row.colour));
  for (const SelectionButton& row : kSelectionButtons) {
    (this->*row.button)
        ->SetColors(win::ColorRef(colours.buttonText), win::ColorRef(colours.buttonFace), Bevels(colours));
  }
  StringGrid1->SetColours(SlotColours(colours));
  ComboBox1.SetListColours({std::nullopt, win::ColorRef(colours.slotCell)});
}

// Created for Dpi(); LayOut places them, at start as at every later scale.
void TForm4::CreateControls() {
  for (const SelectionLabel& row : kSelectionLabels) {
    auto& label = this->*row.label;
    label = std::make_unique<win::Label>(Panel1, LabelFont(Dpi()), win::ColorRef(Colours().*row.colour));
    label->SetText(row.text);
  }
  StringGrid1 = std::make_unique<win::StringGrid>(Handle(), design_.gridPlace, design_.grid, WindowFont(Dpi()),
                                                  SlotColours(Colours()));
  StringGrid1->onSelectCell = [this](GridCell cell) { return StringGrid1SelectCell(cell.column, cell.row); };
  StringGrid1->onDropDown = [this] { StringGrid1DropDown(); };
  StringGrid1->onDrawCell = std::bind_front(&TForm4::StringGrid1DrawCell, this);

  ComboBox1.ownerDrawn = true;
  ComboBox1.tabStop = false;
  ComboBox1.itemHeight = design_.itemHeight;  // the selection field and every item alike
  ComboBox1.onChange = [this] { ComboBox1Change(); };
  ComboBox1.onCloseUp = [this] { ComboBox1CloseUp(); };
  ComboBox1.onDrawItem = [this](const DRAWITEMSTRUCT& item) { DrawItem(item); };
  ComboBox1.Create(Handle(), Controls(), kComboBox1Id, Rect{0, 0, design_.buttonSize.width, DroppedHeight()});
  ComboBox1.SetFont(WindowFont(Dpi()));
  ComboBox1.SetVisibleItems(kDropDownCount);
  ComboBox1.SetListColours({std::nullopt, win::ColorRef(Colours().slotCell)});

  for (const SelectionButton& row : kSelectionButtons) {
    auto& button = this->*row.button;
    button =
        std::make_unique<win::PanelButton>(Panel1, row.caption, ButtonFont(Dpi()), win::ColorRef(Colours().buttonText),
                                           win::ColorRef(Colours().buttonFace), Bevels(Colours()));
    button->onClick = [this, onClick = row.onClick] { (this->*onClick)(); };
  }

  // Screen readers name the lists by the captions above them, and see the panel buttons.
  win::NameForScreenReaders(StringGrid1->Handle(), win::NameFromCaption(Label2->Text()));
  win::NameForScreenReaders(ComboBox1.Handle(), win::NameFromCaption(Label1->Text()));
  buttons_ = std::make_unique<win::WindowlessButtons>(std::vector<win::WindowlessButtons::Button>{
      {Panel2.get(), Panel2->Caption()}, {Panel3.get(), Panel3->Caption()}});
}

void TForm4::FormCreate() {
  // 1. The shell's small icons, shared with every program.
  ImageList1 = services_.system->SmallIcons();
  int iconWidth = 0;
  int iconHeight = 0;
  if (ImageList1 != nullptr && win::lazy::ImageList_GetIconSize(ImageList1, &iconWidth, &iconHeight) && iconWidth > 0) {
    imageWidth_ = iconWidth;
  }

  // 2. The choices: "[brak]" and every fixed drive.
  std::vector<LogicalDrive> drives;
  for (std::string& root : SplitDriveStrings(win::Narrow(services_.system->LogicalDriveStrings()))) {
    const bool fixed = services_.system->IsFixedDrive(root);
    if (fixed) fixed_.insert(root);
    drives.push_back(LogicalDrive{std::move(root), fixed});
  }
  choices_ = DriveChoices(drives);
  ComboBox1.Clear();
  for (const std::string& choice : choices_) ComboBox1.Add(win::Widen(choice));

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

  // 5. The window, as large as the cells since it was made, in the middle of the desktop.
  CentreOnDesktop();

  // 6. Row 1 selected, and its drive in the choice.
  StringGrid1->MoveTo(GridCell{StringGrid1->Current().column, 1});
  SelectChoiceFor(1);
}

int TForm4::DroppedHeight() const {
  // The combo box's window height includes its dropped-down list.
  const int item = design_.itemHeight;
  return item + ScaleToDpi(8, Dpi()) + kDropDownCount * item + ScaleToDpi(2, Dpi());
}

void TForm4::LayOut(int dpi) {
  design_ = DriveWindowDesignAt(dpi);
  for (const SelectionLabel& row : kSelectionLabels) {
    auto& label = this->*row.label;
    label->SetFont(LabelFont(dpi));
    label->SetPosition((design_.*row.place).x, (design_.*row.place).y);
  }
  StringGrid1->Rescale(design_.grid, WindowFont(dpi));
  StringGrid1->SetPosition(design_.gridPlace);
  ComboBox1.SetFont(WindowFont(dpi));
  // Owner-drawn items are measured once, when the box is made: later scales are set here.
  ComboBox1.itemHeight = design_.itemHeight;
  for (const int part : {-1, 0}) {
    if (ComboBox1.ItemHeight(part) != design_.itemHeight) ComboBox1.SetItemHeight(part, design_.itemHeight);
  }
  ComboBox1.SetPlace(Rect{design_.comboPlace.x, design_.comboPlace.y, design_.comboPlace.x + design_.buttonSize.width,
                          design_.comboPlace.y + DroppedHeight()});
  for (const SelectionButton& row : kSelectionButtons) {
    auto& button = this->*row.button;
    button->SetFont(ButtonFont(dpi));
    button->SetBounds((design_.*row.place).x, (design_.*row.place).y, design_.buttonSize.width,
                      design_.buttonSize.height);
  }
  SetSize(design_.windowSize.width, design_.windowSize.height);
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
  ComboBox1.Select(index);
}

bool TForm4::StringGrid1SelectCell(int, int row) {
  if (row >= 1) SelectChoiceFor(row);
  return true;
}

void TForm4::StringGrid1DropDown() {
  // The list of drives opens from the grid; once it closes, the keyboard is back on the grid.
  listFromGrid_ = true;
  SetFocus(ComboBox1.Handle());
  ComboBox1.ShowList(true);
}

void TForm4::ComboBox1CloseUp() {
  if (std::exchange(listFromGrid_, false)) SetFocus(StringGrid1->Handle());
}

void TForm4::ComboBox1Change() {
  const int row = StringGrid1->Row();
  const int index = ComboBox1.Selected();
  if (row < 1 || index < 0 || index >= static_cast<int>(choices_.size())) return;
  StringGrid1->SetCell(1, row, win::Widen(choices_[static_cast<std::size_t>(index)]));
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
  // Only a drive root is asked about: "[brak]", a share or a folder in a slot gets no look.
  const auto ask = [&](const std::string& root) {
    if (!IsDriveRoot(root) || !asked.emplace(root, true).second) return;
    roots.push_back({root, fixed_.contains(root)});
  };
  for (const std::string& choice : choices_) ask(choice);
  for (int slot = 1; slot <= kDriveSlotCount; ++slot) ask(win::Narrow(StringGrid1->Cell(1, slot)));
  gatherer_ = std::make_unique<DriveLookGatherer>(
      services_.system, std::move(roots), [window = Handle()] { PostMessageW(window, win::kDriveLooksMessage, 0, 0); });
  // Drives that answer at once are drawn with their icons from the first paint.
  gatherer_->Wait(kLooksWait);
  looks_ = gatherer_->Looks();
}

std::optional<int> TForm4::IconIndex(const std::wstring& path) const {
  const auto look = looks_.find(win::Narrow(path));
  return look == looks_.end() ? std::nullopt : look->second.icon;
}

void TForm4::DrawDrive(HDC dc, const RECT& rect, std::optional<int> icon, const std::wstring& text) const {
  FillWithCurrentBrush(dc, rect);
  if (icon && ImageList1 != nullptr) {
    win::lazy::ImageList_Draw(ImageList1, *icon, dc, rect.left + design_.iconLeft, rect.top, ILD_TRANSPARENT);
  }
  TextAt(dc, rect.left + imageWidth_ + design_.textGap, rect.top, text);
}

void TForm4::StringGrid1DrawCell(HDC dc, GridCell cell, const RECT& rect, win::GridCellState) {
  const std::wstring& text = StringGrid1->Cell(cell.column, cell.row);
  if (cell.row >= 1 && cell.column == 1 && text != win::Widen(kNoDriveText)) {
    DrawDrive(dc, rect, IconIndex(text), text);
    return;
  }
  FillWithCurrentBrush(dc, rect);
  TextAt(dc, rect.left + design_.textGap, rect.top, text);
}

std::wstring TForm4::ComboItemCaption(int index) const {
  if (index < 0 || index >= static_cast<int>(choices_.size())) return {};
  const std::string& root = choices_[static_cast<std::size_t>(index)];
  const auto look = looks_.find(root);
  const bool isFixed = fixed_.contains(root);
  return win::Widen(ChoiceCaption(root, isFixed, isFixed && look != looks_.end() ? look->second.label : std::nullopt));
}

void TForm4::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  {
    win::SavedDcState saved(dc);
    IntersectClipRect(dc, item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom);
    SelectObject(dc, WindowFont(Dpi()));
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, win::ColorRef(selected ? Colours().selection : Colours().slotCell));
    SetTextColor(dc, win::ColorRef(selected ? Colours().selectionText : Colours().listText));
    SetBkMode(dc, TRANSPARENT);
    const int index = static_cast<int>(item.itemID);
    if (index < 0) {
      FillWithCurrentBrush(dc, item.rcItem);
    } else if (index < static_cast<int>(choices_.size())) {
      // "[brak]" has no look, so no icon, only its place.
      DrawDrive(dc, item.rcItem, IconIndex(win::Widen(choices_[static_cast<std::size_t>(index)])),
                ComboItemCaption(index));
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
    Host().Terminate();
  } else {
    ReportFailure(kRestartFailedMessage);
  }
  EndModal();
}

void TForm4::Panel3Click() {
  if (services_.drivesMonitored) {
    EndModal();
    return;
  }
  AskForADrive();
}

void TForm4::AskForADrive() {
  if (services_.system->ShowMessageBox(Handle(), kNoDriveMessage, kNoDriveCaption, MB_ICONWARNING | MB_OKCANCEL) ==
      IDCANCEL) {
    Host().Terminate();
  }
}

std::optional<LRESULT> TForm4::OnMessage(UINT message, WPARAM, LPARAM) {
  switch (message) {
    case win::kDriveLooksMessage:
      // The rest of the icons and labels: the lists are drawn again with them.
      if (!gatherer_) return 0;
      looks_ = gatherer_->Looks();
      InvalidateRect(StringGrid1->Handle(), nullptr, FALSE);
      InvalidateRect(ComboBox1.Handle(), nullptr, FALSE);
      return 0;
    case WM_SETFOCUS: SetFocus(StringGrid1->Handle()); return 0;
    default: return std::nullopt;
  }
}

}  // namespace wolumetr
