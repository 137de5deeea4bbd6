// The terminal back end: ncursesw output in UTF-8, raw key bytes decoded by KeyDecoder,
// xterm mouse clicks, the system clipboard through the terminal (OSC 52) where it has one.
#pragma once
#include <optional>
#include <string>

#include "screen/backend.h"
#include "screen/key_decoder.h"

namespace vormel::screen {

// The smallest terminal the program runs in: the menu bar, 25 rows, the status bar.
inline constexpr int kMinTermRows = 27;
inline constexpr int kMinTermCols = 80;

// Size of the controlling terminal of standard output; nullopt when it is no terminal.
struct TermSize {
  int rows = 0, cols = 0;
};
std::optional<TermSize> terminal_size();

class TerminalBackend : public Backend {
 public:
  TerminalBackend();  // starts curses; the caller has checked the size
  ~TerminalBackend() override;
  TerminalBackend(const TerminalBackend&) = delete;
  TerminalBackend& operator=(const TerminalBackend&) = delete;

  void present(const Frame& frame) override;
  std::optional<core::Key> read_key(int timeout_ms, bool idle) override;
  void bell() override;
  void clear_typeahead() override;
  void clipboard_set(const std::string& cp850_text) override;
  std::optional<std::string> clipboard_get() override { return std::nullopt; }

 private:
  void setup_colours();
  short pair_for(unsigned char attr);
  bool fill_decoder(int timeout_ms);
  void show_too_small();

  KeyDecoder decoder_;
  bool full_colour_ = false;
  bool too_small_ = false;
  Frame last_;
};

}  // namespace vormel::screen
