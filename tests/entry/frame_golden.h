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

// Where a form writes a value the frame must leave the columns blank.
inline void expect_blank(const vormel::entry::Frame& f, int row, int col, int length, const std::string& what) {
  SCOPED_TRACE(what + " row " + std::to_string(row) + " col " + std::to_string(col));
  ASSERT_LT(row, f.height());
  EXPECT_EQ(f.rows()[size_t(row)].substr(size_t(col), size_t(length)), std::string(size_t(length), ' '));
}

}  // namespace frame_golden
