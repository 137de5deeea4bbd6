// The headless back end: keys from a script, screens to dump files. Used by the tests
// and by anyone who wants to drive the program from a file.
#pragma once
#include <filesystem>
#include <string>

#include "screen/backend.h"
#include "screen/key_script.h"

namespace vormel::screen {

class HeadlessBackend : public Backend {
 public:
  HeadlessBackend(KeyScript script, std::filesystem::path dump_dir);

  void present(const Frame& frame) override { last_ = frame; }
  std::optional<core::Key> read_key(int timeout_ms, bool idle) override;
  void bell() override { ++bells_; }
  void clear_typeahead() override {}  // the script is what the user types next
  void clipboard_set(const std::string&) override {}
  std::optional<std::string> clipboard_get() override { return std::nullopt; }

  // Writes the last screen to DIR/NAME.txt.
  void dump(const std::string& name) const;
  const Frame& last_frame() const { return last_; }
  int bells() const { return bells_; }

 private:
  KeyScript script_;
  std::filesystem::path dir_;
  Frame last_;
  int bells_ = 0;
  long wait_left_ms_ = -1;  // what is left of the current <Wait N>
};

}  // namespace vormel::screen
