#include "win/string_grid.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "win/handles.h"
#include "win/panel_paint.h"

namespace wolumetr::win {
namespace {

const WindowClass kGridClass{L"WolumetrStringGrid", nullptr, 0};

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

StringGrid::StringGrid(HWND parent, Point position, GridMetrics metrics, HFONT font, GridColours colours)
    : metrics_(std::move(metrics)), font_(font), colours_(colours) {
  cells_.assign(static_cast<std::size_t>(metrics_.rowCount), std::vector<std::wstring>(metrics_.columnWidths.size()));
  current_ = GridCell{0, std::min(metrics_.fixedRows, metrics_.rowCount - 1)};
  Create(kGridClass, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0,
         RECT{position.x, position.y, position.x + GridWidth(metrics_), position.y + GridHeight(metrics_)}, parent,
         L"");
}

void StringGrid::Rescale(GridMetrics metrics, HFONT font) {
  if (metrics.rowCount != metrics_.rowCount || metrics.columnWidths.size() != metrics_.columnWidths.size()) {
    throw std::invalid_argument("A rescaled grid keeps its rows and columns");
  }
  metrics_ = std::move(metrics);
  font_ = font;
  Fit();
}

void StringGrid::Fit() {
  SetSize(GridWidth(metrics_), GridHeight(metrics_));
  InvalidateRect(Handle(), nullptr, FALSE);
}

const std::wstring& StringGrid::Cell(int column, int row) const {
  return cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
}

void StringGrid::SetCell(int column, int row, std::wstring text) {
  std::wstring& cell = cells_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
  if (cell == text) return;
  cell = std::move(text);
  const RECT r = ToRECT(CellBounds(metrics_, GridCell{column, row}));
  InvalidateRect(Handle(), &r, FALSE);
}

bool StringGrid::MoveTo(GridCell cell) {
  if (cell.row < metrics_.fixedRows || cell.row >= metrics_.rowCount || cell.column < 0 ||
      cell.column >= static_cast<int>(metrics_.columnWidths.size())) {
    return false;
  }
  if (cell == current_) return true;
  if (onSelectCell && !onSelectCell(cell)) return false;
  InvalidateRow(current_.row);
  current_ = cell;
  InvalidateRow(current_.row);
  return true;
}

void StringGrid::InvalidateRow(int row) const {
  const int pitch = metrics_.rowHeight + metrics_.lineWidth;
  const RECT r{0, row * pitch, GridWidth(metrics_), (row + 1) * pitch};
  InvalidateRect(Handle(), &r, FALSE);
}

GridCellState StringGrid::StateOf(GridCell cell) const {
  if (cell.row < metrics_.fixedRows) return GridCellState::Fixed;
  return cell.row == current_.row ? GridCellState::Selected : GridCellState::Normal;
}

void StringGrid::PaintTo(HDC dc) const {
  SelectObjectScope font(dc, font_);
  SelectObjectScope brush(dc, GetStockObject(DC_BRUSH));
  SetBkMode(dc, TRANSPARENT);
  const int columns = static_cast<int>(metrics_.columnWidths.size());
  for (int row = 0; row < metrics_.rowCount; ++row) {
    for (int column = 0; column < columns; ++column) {
      const GridCell cell{column, row};
      const GridCellState state = StateOf(cell);
      const RECT r = ToRECT(CellBounds(metrics_, cell));
      COLORREF back = colours_.cell;
      COLORREF text = colours_.text;
      if (state == GridCellState::Fixed) {
        back = colours_.fixed;
      } else if (state == GridCellState::Selected) {
        back = colours_.selected;
        text = colours_.selectedText;
      }
      {
        SavedDcState saved(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        SetTextColor(dc, text);
        FillSolid(dc, r, back);  // leaves `back` as the DC brush's colour, for onDrawCell
        const std::wstring& content = Cell(column, row);
        TextOutW(dc, r.left + 2, r.top + 2, content.c_str(), static_cast<int>(content.size()));
        if (onDrawCell) onDrawCell(dc, cell, r, state);
      }
      // The cell's lines: right and bottom, darker around the header.
      const COLORREF line = state == GridCellState::Fixed ? colours_.fixedLine : colours_.line;
      FillSolid(dc, RECT{r.right, r.top, r.right + metrics_.lineWidth, r.bottom + metrics_.lineWidth}, line);
      FillSolid(dc, RECT{r.left, r.bottom, r.right, r.bottom + metrics_.lineWidth}, line);
    }
  }
  if (GetFocus() == Handle() && current_.row >= metrics_.fixedRows) {
    const Rect first = CellBounds(metrics_, GridCell{0, current_.row});
    const Rect last = CellBounds(metrics_, GridCell{columns - 1, current_.row});
    const RECT row{first.left, first.top, last.right, last.bottom};
    SetTextColor(dc, colours_.focusInk);
    SetBkColor(dc, colours_.focusGround);
    DrawFocusRect(dc, &row);
  }
}

void StringGrid::OnKey(WPARAM key) {
  const bool ctrl = KeyDown(VK_CONTROL);
  GridKey move;
  switch (key) {
    case VK_UP: move = GridKey::Up; break;
    case VK_DOWN: move = GridKey::Down; break;
    case VK_LEFT: move = GridKey::Left; break;
    case VK_RIGHT: move = GridKey::Right; break;
    case VK_PRIOR: move = GridKey::PageUp; break;
    case VK_NEXT: move = GridKey::PageDown; break;
    case VK_HOME: move = ctrl ? GridKey::CtrlHome : GridKey::Home; break;
    case VK_END: move = ctrl ? GridKey::CtrlEnd : GridKey::End; break;
    case VK_TAB: move = KeyDown(VK_SHIFT) ? GridKey::ShiftTab : GridKey::Tab; break;
    default: return;
  }
  MoveTo(MoveCurrentCell(metrics_, current_, move));
}

LRESULT StringGrid::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      // Painted off screen as a whole, so that moving the selection never flickers.
      backBuffer_.Paint(Handle(), [this](HDC dc, const RECT&) { PaintTo(dc); });
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_GETDLGCODE:
      // Arrows and Tab move between cells instead of leaving the grid.
      return DLGC_WANTARROWS | DLGC_WANTTAB;
    case WM_KEYDOWN:
      if (wParam == VK_F4 && onDropDown) {
        onDropDown();
        return 0;
      }
      OnKey(wParam);
      return 0;
    case WM_SYSKEYDOWN:
      // The default handling still sees the key: Alt, released after it, must not enter menu mode.
      if (wParam == VK_DOWN && onDropDown) onDropDown();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRow(current_.row); return 0;
    case WM_LBUTTONDOWN: {
      SetFocus(Handle());
      const auto cell = CellAt(metrics_, Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (cell && cell->row >= metrics_.fixedRows) {
        MoveTo(*cell);
        tracking_ = true;
        SetCapture(Handle());
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (tracking_ && (wParam & MK_LBUTTON) != 0) {
        // Dragging over the rows moves the selection with the mouse, inside the grid's bounds.
        const int x = std::clamp(GET_X_LPARAM(lParam), 0, GridWidth(metrics_) - 1);
        const int y = std::clamp(GET_Y_LPARAM(lParam), 0, GridHeight(metrics_) - 1);
        const auto cell = CellAt(metrics_, Point{x, y});
        if (cell && cell->row >= metrics_.fixedRows) MoveTo(*cell);
      }
      return 0;
    case WM_LBUTTONUP:
      tracking_ = false;
      if (GetCapture() == Handle()) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED: tracking_ = false; return 0;
    case WM_MOUSEWHEEL:
      MoveTo(MoveCurrentCell(metrics_, current_, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? GridKey::Up : GridKey::Down));
      return 0;
    default: break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace wolumetr::win
