#pragma once
// When the drives are measured: at most one refresh in progress, and any number of requests
// that come while it runs fold into exactly one more once it ends. A timer tick that finds a
// slow drive still answering thus never piles up work behind it.
namespace wolumetr {

class RefreshSchedule {
 public:
  // True: start a refresh now. False: one is running; another follows when it ends.
  bool Request();
  // The refresh in progress ended. True: start the one requested meanwhile now.
  bool Finish();
  bool Running() const { return running_; }
  bool Pending() const { return pending_; }
  // The round in progress has kept the user waiting (it outlasted its first slow-round tick);
  // until it ends, screen readers read the window as busy.
  void MarkSlow() { slow_ = running_; }
  bool Slow() const { return slow_; }

 private:
  bool running_ = false;
  bool pending_ = false;
  bool slow_ = false;
};

}  // namespace wolumetr
