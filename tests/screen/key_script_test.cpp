#include "screen/key_script.h"

#include <gtest/gtest.h>

namespace vormel::screen {
namespace {

using core::Key;

TEST(KeyScript, ParsesTextKeysWaitsAndDumps) {
  std::string error = "stale";
  const auto steps = parse_key_script("<Alt+I>Jo\xC3\xA3o\r\n<Enter><Wait 250>\n1<Lt>2>\t<Dump tela-1>", &error);
  EXPECT_EQ(error, "");
  const std::vector<uint32_t> presses = {Key::alt('I').code, 'J', 'o', 0xC6 /* ã */, 'o', Key::Enter,
                                         '1', '<', '2', '>', Key::Tab};
  ASSERT_EQ(steps.size(), presses.size() + 2);
  size_t p = 0;
  for (size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE(i);
    if (i == 6) {
      EXPECT_EQ(steps[i].kind, ScriptStep::Wait);
      EXPECT_EQ(steps[i].millis, 250);
    } else if (i == steps.size() - 1) {
      EXPECT_EQ(steps[i].kind, ScriptStep::Dump);
      EXPECT_EQ(steps[i].name, "tela-1");
    } else {
      EXPECT_EQ(steps[i].kind, ScriptStep::Press);
      EXPECT_EQ(steps[i].key.code, presses[p++]);
    }
  }
}

TEST(KeyScript, ErrorsNameLineAndColumn) {
  struct Case {
    const char* script;
    const char* where;
    const char* what;
  };
  const std::vector<Case> cases = {
      {"ab\n\xC3\xA7<Foo>", "line 2, column 2: ", "unknown key <Foo>"},
      {"abc <Enter", "line 1, column 5: ", "without"},
      {"a<Enter\n>", "line 1, column 2: ", "without"},
      {"\r\n\r\nx\xE2\x82\xAC", "line 3, column 2: ", "U+20AC"},
      {"<Wait x>", "line 1, column 1: ", "milliseconds"},
      {"<Wait>", "line 1, column 1: ", "milliseconds"},
      {"<Dump ../x>", "line 1, column 1: ", "file name"},
      {"ok\xC3", "line 1, column 3: ", "UTF-8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    std::string error;
    EXPECT_TRUE(parse_key_script(c.script, &error).empty());
    EXPECT_EQ(error.rfind(c.where, 0), 0u) << error;
    EXPECT_NE(error.find(c.what), std::string::npos) << error;
  }
}

TEST(KeyScript, HandsOutStepsInOrder) {
  KeyScript script(parse_key_script("ab", nullptr));
  ASSERT_FALSE(script.exhausted());
  EXPECT_EQ(script.peek()->key.code, 'a');
  EXPECT_EQ(script.peek()->key.code, 'a');
  script.pop();
  EXPECT_EQ(script.peek()->key.code, 'b');
  script.pop();
  EXPECT_TRUE(script.exhausted());
  EXPECT_EQ(script.peek(), nullptr);
  script.pop();
  EXPECT_TRUE(script.exhausted());
}

}  // namespace
}  // namespace vormel::screen
