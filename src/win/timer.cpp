#include "win/timer.h"

#include <algorithm>

namespace wolumetr::win {

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Update();
}

void Timer::SetInterval(std::uint32_t milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  Update();
}

void Timer::Stop() {
  if (running_ && owner_ != nullptr) KillTimer(owner_, id_);
  running_ = false;
}

void Timer::Update() {
  Stop();
  if (!enabled_ || interval_ == 0 || owner_ == nullptr) return;
  // The system caps intervals at USER_TIMER_MAXIMUM; ask for no more than that.
  const UINT ms = static_cast<UINT>(std::min<std::uint32_t>(interval_, USER_TIMER_MAXIMUM));
  running_ = SetTimer(owner_, id_, ms, nullptr) != 0;
}

}  // namespace wolumetr::win
