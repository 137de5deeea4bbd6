#include "screen/headless_backend.h"

#include <chrono>
#include <fstream>
#include <thread>

namespace vormel::screen {

HeadlessBackend::HeadlessBackend(KeyScript script, std::filesystem::path dump_dir)
    : script_(std::move(script)), dir_(std::move(dump_dir)) {}

void HeadlessBackend::dump(const std::string& name) const {
  std::ofstream out(dir_ / (name + ".txt"), std::ios::binary | std::ios::trunc);
  out << last_.dump_utf8();
}

std::optional<core::Key> HeadlessBackend::read_key(int timeout_ms, bool idle) {
  for (;;) {
    const ScriptStep* step = script_.peek();
    if (!step) {
      if (idle) throw ScriptExhausted{};
      return std::nullopt;
    }
    switch (step->kind) {
      case ScriptStep::Dump:
        dump(step->name);
        script_.pop();
        continue;
      case ScriptStep::Press: {
        core::Key k = step->key;
        script_.pop();
        return k;
      }
      case ScriptStep::Wait: {
        if (wait_left_ms_ < 0) wait_left_ms_ = step->millis;
        if (timeout_ms >= 0 && timeout_ms < wait_left_ms_) {
          std::this_thread::sleep_for(std::chrono::milliseconds(timeout_ms));
          wait_left_ms_ -= timeout_ms;
          return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(wait_left_ms_));
        wait_left_ms_ = -1;
        script_.pop();
        continue;
      }
    }
  }
}

}  // namespace vormel::screen
