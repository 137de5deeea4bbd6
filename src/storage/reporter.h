// How the storage layer speaks to the user without drawing: the screen toolkit
// implements this (progress box, OK box, status line, the wait that Esc ends).
#pragma once
#include <string>
#include <vector>

namespace vormel::storage {

class Reporter {
 public:
  virtual ~Reporter() = default;
  virtual void progress(const std::string& text) = 0;  // the small "please wait" box
  virtual void close_progress() = 0;
  virtual void message(const std::string& text) = 0;   // an OK box
  virtual void status(const std::string& text, bool centred) = 0;
  virtual void clear_status() = 0;
  // Waits about `ms` milliseconds; true when the user pressed Esc meanwhile (any other
  // key pressed is read and dropped).
  virtual bool wait(int ms) = 0;
  // The next message box is drawn anew (TAM_OLD := 0).
  virtual void reset_message_size() = 0;
};

// For batch work and tests: keeps the last texts, sleeps for real, never sees Esc.
class QuietReporter : public Reporter {
 public:
  void progress(const std::string& text) override { last_progress = text; }
  void close_progress() override {}
  void message(const std::string& text) override { messages.push_back(text); }
  void status(const std::string& text, bool) override { last_status = text; }
  void clear_status() override { last_status.clear(); }
  bool wait(int ms) override;
  void reset_message_size() override {}

  std::string last_progress, last_status;
  std::vector<std::string> messages;
};

}  // namespace vormel::storage
