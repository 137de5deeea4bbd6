// Turns the raw bytes a terminal sends (xterm, tmux, Linux console; UTF-8 locale) into keys.
// Pure: no I/O and no clock. The caller feeds what it read and drains next(); when
// pending() stays true for the escape delay it calls next(false) to settle a lone ESC.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/keys.h"

namespace vormel::screen {

class KeyDecoder {
 public:
  void feed(std::string_view bytes);

  // The next complete key, or nothing when the buffer is empty or holds only the start
  // of a sequence. With more_may_come false the input has been idle long enough: a lone
  // ESC becomes Esc, ESC + character becomes Alt+character, a broken sequence is dropped.
  std::optional<core::Key> next(bool more_may_come = true);

  // Bytes are waiting that next(true) could not settle yet.
  bool pending() const { return start_ < buffer_.size(); }

 private:
  std::string buffer_;
  size_t start_ = 0;
  bool in_paste_ = false;
};

}  // namespace vormel::screen
