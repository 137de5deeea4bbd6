#include "declaration/time_count.h"

#include <algorithm>

namespace vormel::declaration {

void TimeCount::stop(long long now) { counted_ += std::max(0LL, now - from_); }

void TimeCount::toggle_pause(long long now) {
  if (running()) {
    stop(now);
    user_paused_ = true;
  } else if (user_paused_) {
    user_paused_ = false;
    if (!idle_) from_ = now;
  }
}

void TimeCount::key_pressed(long long at) {
  last_key_ = std::max(last_key_, at);
  if (idle_) {
    idle_ = false;
    if (!user_paused_) from_ = last_key_;
  }
}

void TimeCount::tick(long long now) {
  if (running() && idle_minutes_ > 0 && now - last_key_ >= idle_minutes_ * 60LL) {
    stop(now);
    idle_ = true;
  }
}

long long TimeCount::take(long long now) {
  if (running()) {
    stop(now);
    from_ = now;
  }
  const long long t = counted_;
  counted_ = 0;
  return t;
}

}  // namespace vormel::declaration
