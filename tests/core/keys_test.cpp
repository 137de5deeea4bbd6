#include "core/keys.h"

#include <gtest/gtest.h>

#include <vector>

namespace vormel::core {
namespace {

TEST(KeyNames, ParsesNamesOfTheKeyScript) {
  struct Case {
    const char* name;
    Key key;
  };
  const std::vector<Case> cases = {
      {"Enter", Key::Enter},
      {"esc", Key::Esc},
      {"PGDN", Key::PgDn},
      {"F12", Key::F12},
      {"Lt", Key::ch('<')},
      {"a", Key::ch('a')},
      {"+", Key::ch('+')},
      {"<", Key::ch('<')},
      {"\xC3\xA7", Key::ch(0x87)},  // ç
      {"Alt+I", Key::alt('I')},
      {"Alt+i", Key::alt('I')},
      {"Alt+F1", Key(Key::Alt | Key::F1)},
      {"Alt+-", Key::alt('-')},
      {"Alt++", Key::alt('+')},
      {"Alt+Lt", Key::alt('<')},
      {"Ctrl+Enter", Key(Key::Ctrl | Key::Enter)},
      {"Ctrl+c", Key::ctrl('C')},
      {"Shift+Tab", Key(Key::Shift | Key::Tab)},
      {"Ctrl+Shift+Tab", Key(Key::Ctrl | Key::Shift | Key::Tab)},
      {"Shift+k", Key::ch('K')},
      {"Shift+\xC3\xA7", Key::ch(0x80)},  // Shift+ç is Ç
      {"Ctrl+Shift+a", Key::ctrl('A')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto key = parse_key_name(c.name);
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->code, c.key.code);
  }
}

TEST(KeyNames, RejectsWhatIsNoKey) {
  for (const char* name : {"", "Enterr", "F13", "ab", "Alt+", "Alt+Alt+X", "Hyper+X", "\xE2\x82\xAC",
                           "\x01", "\xC3"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(parse_key_name(name).has_value());
  }
}

TEST(KeyNames, NameReadsBackAsTheSameKey) {
  const std::vector<Key> keys = {
      Key::Enter, Key::Backspace, Key::Ins, Key::F7, Key::ch('x'), Key::ch('<'), Key::ch('>'),
      Key::ch(0x87), Key::ch(0xA6), Key::alt('Q'), Key::alt('1'), Key::alt('<'), Key::ctrl('Y'),
      Key(Key::Ctrl | Key::PgUp), Key(Key::Alt | Key::F10), Key(Key::Shift | Key::Tab),
      Key(Key::Ctrl | Key::Alt | Key::Shift | Key::Del),
  };
  for (const auto& key : keys) {
    const std::string name = key_name(key);
    SCOPED_TRACE(name);
    auto back = parse_key_name(name);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->code, key.code);
  }
  EXPECT_EQ(key_name(Key::ch(0x87)), "\xC3\xA7");
  EXPECT_EQ(key_name(Key(Key::Ctrl | Key::Enter)), "Ctrl+Enter");
  EXPECT_EQ(key_name(Key::alt('I')), "Alt+I");
}

}  // namespace
}  // namespace vormel::core
