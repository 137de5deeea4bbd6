// The time spent on a declaration, which the office may charge by the minute: counted
// while it is open, paused by Alt+H until Alt+H again, and paused after some minutes
// without a key until the next key.
#pragma once

namespace vormel::declaration {

class TimeCount {
 public:
  // `now` in seconds; `idle_minutes` 0 never pauses by itself.
  TimeCount(long long now, int idle_minutes) : from_(now), last_key_(now), idle_minutes_(idle_minutes) {}

  // Alt+H: a running count pauses, a paused one runs again.
  void toggle_pause(long long now);
  // A key: an idle pause ends there.
  void key_pressed(long long at);
  // The timer: after the idle minutes without a key the count pauses (what ran until
  // now is still counted).
  void tick(long long now);
  // The seconds counted since the last take.
  long long take(long long now);

  bool paused_by_user() const { return user_paused_; }
  bool idle() const { return idle_; }

 private:
  bool running() const { return !user_paused_ && !idle_; }
  void stop(long long now);

  long long from_;          // start of the stretch being counted
  long long counted_ = 0;   // counted and not taken yet
  long long last_key_;
  int idle_minutes_;
  bool user_paused_ = false, idle_ = false;
};

}  // namespace vormel::declaration
