#include <gtest/gtest.h>

#include "declaration/time_count.h"

namespace {

using vormel::declaration::TimeCount;

TEST(TimeCount, RunsPausesByAltHAndWhenIdleAndResumesWithAKey) {
  TimeCount t(1000, 4);
  EXPECT_EQ(t.take(1060), 60);  // a minute of work
  t.toggle_pause(1100);         // Alt+H: 40 more seconds, then nothing
  EXPECT_EQ(t.take(1500), 40);
  t.toggle_pause(1500);         // Alt+H again
  t.key_pressed(1510);
  t.tick(1700);                 // not yet 4 minutes without a key
  EXPECT_EQ(t.take(1700), 200);
  t.tick(1510 + 240);           // 4 minutes after the last key: the count stops there
  EXPECT_TRUE(t.idle());
  EXPECT_EQ(t.take(5000), 50);  // up to the pause only
  t.key_pressed(5000);          // back at work
  EXPECT_EQ(t.take(5030), 30);
}

TEST(TimeCount, AKeyDoesNotUndoAltH) {
  TimeCount t(0, 1);
  t.toggle_pause(10);
  t.key_pressed(20);
  EXPECT_TRUE(t.paused_by_user());
  EXPECT_EQ(t.take(500), 10);
  TimeCount never(0, 0);  // no idle minutes: it never pauses by itself
  never.tick(100000);
  EXPECT_EQ(never.take(100000), 100000);
}

}  // namespace
