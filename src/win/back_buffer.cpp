#include "win/back_buffer.h"

#include <algorithm>

namespace wolumetr::win {

void BackBuffer::Paint(HWND hwnd, const std::function<void(HDC dc, const RECT& clip)>& paint) {
  PaintDc dc(hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  if (!bitmap_ || size_.cx != client.right || size_.cy != client.bottom) {
    memory_.reset();  // a bitmap cannot be deleted while a DC holds it
    bitmap_.reset(CreateCompatibleBitmap(dc.get(), std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1)));
    size_ = SIZE{client.right, client.bottom};
  }
  // The DC is kept with the bitmap from paint to paint rather than made for each (a few per
  // cent of the main window's paint under Wine); every paint starts from the same DC state.
  if (!memory_) {
    memory_.reset(CreateCompatibleDC(dc.get()));
    SelectObject(memory_.get(), bitmap_.get());
  }
  const RECT& invalid = dc.Invalid();
  {
    SavedDcState saved(memory_.get());
    paint(memory_.get(), invalid);
  }
  BitBlt(dc.get(), invalid.left, invalid.top, invalid.right - invalid.left, invalid.bottom - invalid.top, memory_.get(),
         invalid.left, invalid.top, SRCCOPY);
}

}  // namespace wolumetr::win
