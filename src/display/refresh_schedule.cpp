#include "display/refresh_schedule.h"

namespace wolumetr {

bool RefreshSchedule::Request() {
  if (running_) {
    pending_ = true;
    return false;
  }
  running_ = true;
  return true;
}

bool RefreshSchedule::Finish() {
  if (!running_) return false;
  slow_ = false;  // a follow-up is a round of its own
  if (pending_) {
    pending_ = false;
    return true;  // still running: the follow-up starts at once
  }
  running_ = false;
  return false;
}

}  // namespace wolumetr
