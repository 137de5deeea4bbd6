// The storage layer's messages on the screen: the progress box, OK boxes, the status
// line and the waits that Esc ends.
#pragma once
#include "screen/ui.h"
#include "storage/reporter.h"

namespace vormel::screen {

class ScreenReporter : public storage::Reporter {
 public:
  explicit ScreenReporter(Ui& ui) : ui_(ui) {}
  void progress(const std::string& text) override;
  void close_progress() override;
  void message(const std::string& text) override;
  void status(const std::string& text, bool centred) override;
  void clear_status() override;
  bool wait(int ms) override;
  void reset_message_size() override { ui_.TAM_OLD = 0; }

 private:
  Ui& ui_;
  bool progress_open_ = false;
};

}  // namespace vormel::screen
