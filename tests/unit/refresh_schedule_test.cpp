#include "display/refresh_schedule.h"

#include <gtest/gtest.h>

#include <string>

namespace wolumetr {
namespace {

struct ScheduleCase {
  const char* events;  // R: a refresh is asked for; F: the one in progress ended
  const char* starts;  // per event, 1 where a refresh starts at once
  bool running;
  bool pending;
};

TEST(RefreshSchedule, RequestsWhileOneRunsFoldIntoExactlyOneMore) {
  const ScheduleCase cases[] = {
      {"R", "1", true, false},
      {"RF", "10", false, false},
      {"RR", "10", true, true},
      {"RRF", "101", true, false},
      {"RRRRF", "10001", true, false},  // three asks during one refresh: one follow-up
      {"RRRRFF", "100010", false, false},
      {"RFRF", "1010", false, false},
      {"RRFRF", "10101", true, false},  // asked again during the follow-up
      {"F", "0", false, false},         // an end with nothing running starts nothing
      {"RFF", "100", false, false},
  };
  for (const ScheduleCase& c : cases) {
    RefreshSchedule schedule;
    std::string starts;
    for (const char* e = c.events; *e; ++e) starts += (*e == 'R' ? schedule.Request() : schedule.Finish()) ? '1' : '0';
    EXPECT_EQ(starts, c.starts) << c.events;
    EXPECT_EQ(schedule.Running(), c.running) << c.events;
    EXPECT_EQ(schedule.Pending(), c.pending) << c.events;
  }
}

}  // namespace
}  // namespace wolumetr
