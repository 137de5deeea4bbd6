// Frames compared with their reviewed copies in tests/entry/frames/NAME.txt. A copy starts
// with a line giving the frame's place, size and window, then its rows as drawn. With
// VORMEL_WRITE_GOLDEN=1 in the environment a missing or different copy is (re)written, to
// be reviewed before it is committed.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "core/cp850.h"
#include "entry/frame.h"

namespace frame_golden {

inline std::string render(const vormel::entry::Frame& f) {
  std::ostringstream out;
  out << "origin " << f.top() << "," << f.left() << "  " << f.height() << " rows x " << f.width() << "  window "
      << f.window() << " type " << f.window_type() << (f.uses_tel3() ? "  third colour TEL3" : "") << "\n";
  for (const std::string& row : f.rows()) {
    std::string line = vormel::core::cp850::to_utf8(row);
    out << line << "|\n";  // the bar shows where each row ends
  }
  return out.str();
}

inline void expect_matches(const std::string& name, const vormel::entry::Frame& f) {
  const std::string path = std::string(FRAMES_GOLDEN_DIR) + "/" + name + ".txt";
  const std::string got = render(f);
  std::ifstream in(path, std::ios::binary);
  std::stringstream want;
  if (in) want << in.rdbuf();
  if (want.str() == got) return;
  const char* write = std::getenv("VORMEL_WRITE_GOLDEN");
  if (write && std::string(write) == "1") {
    std::ofstream(path, std::ios::binary) << got;
    return;
  }
  ADD_FAILURE() << "frame " << name << " differs from " << path << "\n--- reviewed\n" << want.str() << "--- drawn\n" << got;
}

}  // namespace frame_golden
