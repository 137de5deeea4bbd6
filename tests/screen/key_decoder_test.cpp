#include "screen/key_decoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace vormel::screen {
namespace {

using core::Key;

// Feeds each chunk and drains what is complete, then lets the input go idle.
std::vector<Key> decode(const std::vector<std::string>& chunks) {
  KeyDecoder decoder;
  std::vector<Key> keys;
  for (const auto& chunk : chunks) {
    decoder.feed(chunk);
    while (auto key = decoder.next(true)) keys.push_back(*key);
  }
  while (auto key = decoder.next(false)) keys.push_back(*key);
  EXPECT_FALSE(decoder.pending());
  return keys;
}

std::string names(const std::vector<Key>& keys) {
  std::string out;
  for (const auto& k : keys) out += "<" + core::key_name(k) + ">";
  return out;
}

struct Case {
  std::vector<std::string> chunks;
  std::vector<Key> keys;
};

void check(const std::vector<Case>& cases) {
  for (const auto& c : cases) {
    std::string raw;
    for (const auto& chunk : c.chunks) raw += chunk + "|";
    SCOPED_TRACE(testing::PrintToString(raw));
    EXPECT_EQ(names(decode(c.chunks)), names(c.keys));
  }
}

const Key kCtrlEnter = Key(Key::Ctrl | Key::Enter);

TEST(KeyDecoder, PlainBytes) {
  check({
      {{"aZ 9"}, {Key::ch('a'), Key::ch('Z'), Key::ch(' '), Key::ch('9')}},
      {{"\r"}, {Key::Enter}},
      {{"\n"}, {kCtrlEnter}},
      {{"\t"}, {Key::Tab}},
      {{"\x7f\x08"}, {Key::Backspace, Key::Backspace}},
      {{"\x03\x19\x01"}, {Key::ctrl('C'), Key::ctrl('Y'), Key::ctrl('A')}},
      {{"\xc3\xa7\xc3\x87"}, {Key::ch(0x87), Key::ch(0x80)}},  // ç Ç
      {{"\xc3", "\xa7"}, {Key::ch(0x87)}},                      // split across reads
      {{"\xe2\x82\xac" "a"}, {Key::ch('a')}},                   // € has no CP850 byte
      {{"\xa7\xc3(b"}, {Key::ch('('), Key::ch('b')}},           // broken UTF-8 is dropped
      {{std::string("\0\x1c" "c", 3)}, {Key::ch('c')}},
  });
}

TEST(KeyDecoder, AltKeys) {
  check({
      {{"\x1bi"}, {Key::alt('I')}},
      {{"\x1bI"}, {Key::alt('I')}},
      {{"\x1b", "t"}, {Key::alt('T')}},  // the second byte arrives before the input is idle
      {{"\x1b" "7"}, {Key::alt('7')}},
      {{"\x1b-\x1b+"}, {Key::alt('-'), Key::alt('+')}},
      {{"\x1b\xc3\xa7"}, {Key(Key::Alt | 0x87)}},
      {{"\x1b\x7f"}, {Key(Key::Alt | Key::Backspace)}},
      {{"\x1b\x1b[A"}, {Key(Key::Alt | Key::Up)}},
      {{"\x1b\x1bOP"}, {Key(Key::Alt | Key::F1)}},
      {{"\x1b\x1b"}, {Key::Esc, Key::Esc}},
      {{"\x1b\x1bx"}, {Key::Esc, Key::alt('X')}},
      {{"\x1b["}, {Key::alt('[')}},
      {{"\x1bO"}, {Key::alt('O')}},
  });
}

TEST(KeyDecoder, CursorAndEditingKeys) {
  check({
      {{"\x1b[A\x1b[B\x1b[C\x1b[D"}, {Key::Up, Key::Down, Key::Right, Key::Left}},
      {{"\x1bOA\x1bOB\x1bOC\x1bOD"}, {Key::Up, Key::Down, Key::Right, Key::Left}},
      {{"\x1b[H\x1b[F\x1bOH\x1bOF"}, {Key::Home, Key::End, Key::Home, Key::End}},
      {{"\x1b[1~\x1b[4~\x1b[7~\x1b[8~"}, {Key::Home, Key::End, Key::Home, Key::End}},
      {{"\x1b[2~\x1b[3~\x1b[5~\x1b[6~"}, {Key::Ins, Key::Del, Key::PgUp, Key::PgDn}},
      {{"\x1b[1;5C\x1b[1;5D"}, {Key(Key::Ctrl | Key::Right), Key(Key::Ctrl | Key::Left)}},
      {{"\x1b[1;5H\x1b[1;5F"}, {Key(Key::Ctrl | Key::Home), Key(Key::Ctrl | Key::End)}},
      {{"\x1b[5;5~\x1b[6;5~"}, {Key(Key::Ctrl | Key::PgUp), Key(Key::Ctrl | Key::PgDn)}},
      {{"\x1b[1;3A\x1b[1;3F"}, {Key(Key::Alt | Key::Up), Key(Key::Alt | Key::End)}},
      {{"\x1b[3;2~"}, {Key(Key::Shift | Key::Del)}},
      {{"\x1b[1;8B"}, {Key(Key::Ctrl | Key::Alt | Key::Shift | Key::Down)}},
      {{"\x1b[Z"}, {Key(Key::Shift | Key::Tab)}},
      {{"\x1b[1;", "5A"}, {Key(Key::Ctrl | Key::Up)}},
  });
}

TEST(KeyDecoder, FunctionKeys) {
  check({
      {{"\x1bOP\x1bOQ\x1bOR\x1bOS"}, {Key::F1, Key::F2, Key::F3, Key::F4}},
      {{"\x1b[11~\x1b[15~\x1b[17~\x1b[21~"}, {Key::F1, Key::F5, Key::F6, Key::F10}},
      {{"\x1b[23~\x1b[24~"}, {Key::F11, Key::F12}},
      {{"\x1b[[A\x1b[[E"}, {Key::F1, Key::F5}},  // Linux console
      {{"\x1b[1;2P\x1b[15;2~\x1bO2Q"}, {Key(Key::Shift | Key::F1), Key(Key::Shift | Key::F5), Key(Key::Shift | Key::F2)}},
      {{"\x1b[1;3S\x1b[24;3~"}, {Key(Key::Alt | Key::F4), Key(Key::Alt | Key::F12)}},
      // Ctrl+Fn is the way to type Alt+Fn when the desktop keeps Alt+Fn.
      {{"\x1b[1;5P\x1bO1;5S\x1b[15;5~\x1b[24;5~"},
       {Key(Key::Alt | Key::F1), Key(Key::Alt | Key::F4), Key(Key::Alt | Key::F5), Key(Key::Alt | Key::F12)}},
      {{"\x1b[17;7~"}, {Key(Key::Alt | Key::F6)}},
  });
}

TEST(KeyDecoder, CtrlEnterAndOtherReportedKeys) {
  check({
      {{"\x1b[27;5;13~"}, {kCtrlEnter}},
      {{"\x1b[13;5u"}, {kCtrlEnter}},
      {{"\x1bOM"}, {Key::Enter}},
      {{"\x1b[105;5u\x1b[27;5;105~"}, {Key::ctrl('I'), Key::ctrl('I')}},
      {{"\x1b[97;3u"}, {Key::alt('A')}},
      {{"\x1b[97;2u"}, {Key::ch('A')}},
      {{"\x1b[231u"}, {Key::ch(0x87)}},  // ç by code point
  });
}

TEST(KeyDecoder, MouseClicks) {
  check({
      {{"\x1b[<0;10;5M"}, {Key::mouse(4, 9)}},
      {{"\x1b[<0;10;5m\x1b[<2;3;3M\x1b[<32;3;3M\x1b[<64;3;3M\x1b[<65;3;3M"}, {}},
      {{"\x1b[M !%"}, {Key::mouse(4, 0)}},  // X10: button 0 at column 1, row 5
      {{"\x1b[M#!%"}, {}},                   // X10 release
  });
  const auto keys = decode({"\x1b[<0;80;27M"});
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].row, 26);
  EXPECT_EQ(keys[0].col, 79);
}

TEST(KeyDecoder, BracketedPasteGivesCharacters) {
  check({
      {{"\x1b[200~a b\r\n\xc3\xa7\t\x1b[201~x"}, {Key::ch('a'), Key::ch(' '), Key::ch('b'), Key::ch(0x87), Key::ch('x')}},
      {{"\x1b[200~Up\x1b[A", "!\x1b[20", "1~\r"}, {Key::ch('U'), Key::ch('p'), Key::ch('['), Key::ch('A'), Key::ch('!'), Key::Enter}},
  });
}

TEST(KeyDecoder, UnknownSequencesAreSwallowedWhole) {
  check({
      {{"\x1b[99~a"}, {Key::ch('a')}},
      {{"\x1b[?1;2cb"}, {Key::ch('b')}},
      {{"\x1b[1;5Xc\x1b[2^d"}, {Key::ch('c'), Key::ch('d')}},
      {{"\x1bOze"}, {Key::ch('e')}},
      {{"\x1b[[Zf"}, {Key::ch('f')}},
      {{"\x1b[1;5"}, {}},        // cut short and then idle
      {{"\x1b[1;5", "\x1b"}, {Key::Esc}},
  });
}

TEST(KeyDecoder, LoneEscWaitsForIdleInput) {
  KeyDecoder decoder;
  decoder.feed("\x1b");
  EXPECT_FALSE(decoder.next(true).has_value());
  EXPECT_TRUE(decoder.pending());
  auto key = decoder.next(false);
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->code, Key(Key::Esc).code);
  EXPECT_FALSE(decoder.pending());
  EXPECT_FALSE(decoder.next(false).has_value());

  decoder.feed("q\x1b[");
  key = decoder.next(true);
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->code, Key::ch('q').code);
  EXPECT_FALSE(decoder.next(true).has_value());
  decoder.feed("B");
  key = decoder.next(true);
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->code, Key(Key::Down).code);
}

}  // namespace
}  // namespace vormel::screen
