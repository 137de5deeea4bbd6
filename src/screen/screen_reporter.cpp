#include "screen/screen_reporter.h"

#include <chrono>
#include <thread>
#include <vector>

#include "core/text.h"

namespace vormel::screen {

void ScreenReporter::progress(const std::string& text) {
  if (progress_open_) FECHAJAN(ui_, 10);
  MENS(ui_, 13, text);
  progress_open_ = true;
}

void ScreenReporter::close_progress() {
  if (!progress_open_) return;
  FECHAJAN(ui_, 10);
  progress_open_ = false;
}

namespace {

// Long messages (full paths, mostly) go on several lines of the box, broken after a
// blank or a "/" where there is one.
std::vector<std::string> wrapped(const std::string& text, size_t width = 70) {
  std::vector<std::string> lines;
  std::string rest = text;
  while (rest.size() > width) {
    size_t cut = rest.find_last_of(" /", width - 1);
    cut = (cut == std::string::npos || cut < width / 2) ? width : cut + 1;
    lines.push_back(core::rtrim(rest.substr(0, cut)));
    rest = rest.substr(cut);
  }
  lines.push_back(rest);
  return lines;
}

}  // namespace

void ScreenReporter::message(const std::string& text) {
  close_progress();  // the box goes over a clean screen
  AVISOSN(ui_, wrapped(text), 0);
}

void ScreenReporter::status(const std::string& text, bool centred) {
  ui_.con.status_text(centred ? core::pad_center(text, 80) : text);
}

void ScreenReporter::clear_status() { ui_.con.status_text(""); }

bool ScreenReporter::wait(int ms) {
  auto start = std::chrono::steady_clock::now();
  auto key = ui_.con.inkey(ms);
  if (key && *key == core::Key(core::Key::Esc)) return true;
  // A key other than Esc is dropped; the wait still lasts its time.
  auto left = std::chrono::milliseconds(ms) - (std::chrono::steady_clock::now() - start);
  if (left > std::chrono::milliseconds(0)) std::this_thread::sleep_for(left);
  return false;
}

}  // namespace vormel::screen
