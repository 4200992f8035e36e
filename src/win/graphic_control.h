#pragma once
// Windowless controls painted by their parent surface (labels, images, pie gauges): no
// window handles of their own, one double-buffered paint for the whole surface.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace wolumetr::win {

class GraphicControl;

// The client area of a window seen as the parent of windowless controls.
class Surface {
 public:
  explicit Surface(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND Handle() const { return hwnd_; }

  void Add(GraphicControl& control);
  void Remove(GraphicControl& control);
  void SendToBack(GraphicControl& control);
  void Invalidate(const RECT& rect);

  // Paints the controls meeting `clip`, back to front, onto `dc` (client coordinates).
  void PaintControls(HDC dc, const RECT& clip) const;
  // The topmost visible control under a client point, or nullptr for the bare surface.
  GraphicControl* ControlAt(POINT client) const;
  const std::vector<GraphicControl*>& Controls() const { return controls_; }
  // Answers WM_SETCURSOR over the client area: the hand over controls that ask for it, the
  // arrow elsewhere.
  void SetCursorAtPointer() const;

 private:
  HWND hwnd_;
  std::vector<GraphicControl*> controls_;  // back to front
};

class GraphicControl {
 public:
  explicit GraphicControl(Surface& parent);
  virtual ~GraphicControl();
  GraphicControl(const GraphicControl&) = delete;
  GraphicControl& operator=(const GraphicControl&) = delete;

  const RECT& Bounds() const { return bounds_; }
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.right - bounds_.left; }
  int Height() const { return bounds_.bottom - bounds_.top; }
  void SetBounds(int left, int top, int width, int height);
  void SetPosition(int left, int top) { SetBounds(left, top, Width(), Height()); }
  void SetSize(int width, int height) { SetBounds(Left(), Top(), width, height); }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // Marks this control's rectangle for repainting (the surface below is repainted too).
  void Invalidate() const;

  // Draws the control; it must not draw outside Bounds(), as nothing clips it.
  virtual void Paint(HDC dc) const = 0;

  // Mouse behaviour. A click is a left press and release over the same control.
  std::function<void()> onClick;
  std::function<void()> onMouseEnter;
  std::function<void()> onMouseLeave;
  bool handCursor = false;
  std::wstring hint;

 private:
  Surface& parent_;
  RECT bounds_{0, 0, 0, 0};
  bool visible_ = true;
};

}  // namespace wolumetr::win
