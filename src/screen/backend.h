// Where the screen goes and the keys come from: the terminal or a headless run.
#pragma once
#include <optional>
#include <string>

#include "core/keys.h"
#include "screen/grid.h"

namespace vormel::screen {

// Thrown by the headless back end when the program waits for a key and the script has
// no more: the program then writes its final screen and ends with status 3.
struct ScriptExhausted {};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual void present(const Frame& frame) = 0;
  // A key, or nothing when `timeout_ms` passed first (0 = just look; -1 = wait for ever).
  // `idle` is true when the program is waiting for the user (not just looking for an Esc
  // during some work): a headless run whose script is over ends there.
  virtual std::optional<core::Key> read_key(int timeout_ms, bool idle) = 0;
  virtual void bell() = 0;
  // Keys typed ahead are dropped (before a question, so no stray key answers it).
  virtual void clear_typeahead() = 0;
  // The system clipboard where there is one; CP850 text. get gives nullopt when the back
  // end has no clipboard of its own (the program then uses its own).
  virtual void clipboard_set(const std::string& cp850_text) = 0;
  virtual std::optional<std::string> clipboard_get() = 0;
};

}  // namespace vormel::screen
