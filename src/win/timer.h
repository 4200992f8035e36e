#pragma once
#include <windows.h>

#include <cstdint>

namespace wolumetr::win {

// A window timer with an enabled state and an interval; an interval of 0 never fires.
class Timer {
 public:
  // Like a fresh timer component: enabled, one second, running as soon as it exists.
  Timer(HWND owner, UINT_PTR id) : owner_(owner), id_(id) { Update(); }
  ~Timer() { Stop(); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  bool Enabled() const { return enabled_; }
  std::uint32_t Interval() const { return interval_; }
  bool Running() const { return running_; }
  void SetEnabled(bool enabled);
  void SetInterval(std::uint32_t milliseconds);

 private:
  void Update();
  void Stop();
  HWND owner_;
  UINT_PTR id_;
  bool enabled_ = true;
  std::uint32_t interval_ = 1000;
  bool running_ = false;
};

}  // namespace wolumetr::win
