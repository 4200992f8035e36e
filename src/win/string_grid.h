#pragma once
// A string grid as a child window: text cells in rows and columns, fixed header rows, one
// current cell whose whole row is selected, keyboard and mouse moving it, no typing into
// cells. The owner can refuse a move and draw over each cell.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "win/back_buffer.h"
#include "win/grid_geometry.h"
#include "win/rect_ref.h"
#include "win/window.h"

namespace wolumetr::win {

enum class GridCellState { Normal, Fixed, Selected };

struct GridColours {
  COLORREF cell;  // normal cells
  COLORREF fixed;
  COLORREF text;
  COLORREF selected;
  COLORREF selectedText;
  COLORREF line;
  COLORREF fixedLine;  // around the header
  COLORREF focusInk;   // the focus rectangle's two colours
  COLORREF focusGround;
};

class StringGrid final : public Window {
 public:
  // The grid's size follows its metrics; `font` is shared and outlives the grid.
  StringGrid(HWND parent, Point position, GridMetrics metrics, HFONT font, GridColours colours);

  // The same grid drawn at another scale: new sizes and font, the same rows, columns, texts
  // and current cell.
  void Rescale(GridMetrics metrics, HFONT font);

  const std::wstring& Cell(int column, int row) const;
  void SetCell(int column, int row, std::wstring text);

  GridCell Current() const { return current_; }
  int Row() const { return current_.row; }
  // Moves the current cell as the user would: the owner is asked first, and a fixed row
  // never becomes current. Returns whether the move happened.
  bool MoveTo(GridCell cell);

  void SetPosition(Point position) { Window::SetPosition(position.x, position.y); }

  // Takes effect at the next paint.
  void SetColours(GridColours colours) { colours_ = colours; }

  // Asked before a cell becomes current; false keeps the current one.
  std::function<bool(GridCell)> onSelectCell;
  // Alt+Down or F4: the owner opens the list that fills the current cell.
  std::function<void()> onDropDown;
  // Runs after the grid has filled a cell and drawn its text, with the cell's colours set
  // in the DC (current brush and text colour) and drawing clipped to the cell.
  std::function<void(HDC, GridCell, const RECT&, GridCellState)> onDrawCell;

  // Paints the whole grid onto `dc` at (0, 0).
  void PaintTo(HDC dc) const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Fit();
  void InvalidateRow(int row) const;
  void OnKey(WPARAM key);
  GridCellState StateOf(GridCell cell) const;

  GridMetrics metrics_;
  HFONT font_;
  GridColours colours_;
  std::vector<std::vector<std::wstring>> cells_;  // [row][column]
  GridCell current_;
  bool tracking_ = false;
  BackBuffer backBuffer_;
};

}  // namespace wolumetr::win
