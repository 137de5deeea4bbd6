#include "screen/terminal_backend.h"

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <ncursesw/curses.h>

#include "core/cp850.h"

namespace vormel::screen {
namespace {

volatile std::sig_atomic_t g_resized = 0;
void on_winch(int) { g_resized = 1; }

// Screen colour of each of the 16 program colours. The three that the program's palette
// fixes (blue, red, white) get their nearest colours of a 256-colour terminal.
short colour_index(int program_colour, bool full) {
  static const short ansi[8] = {COLOR_BLACK, COLOR_BLUE, COLOR_GREEN, COLOR_CYAN,
                                COLOR_RED,   COLOR_MAGENTA, COLOR_YELLOW, COLOR_WHITE};
  int base = program_colour & 7;
  bool bright = program_colour >= 8;
  if (full && COLORS >= 256) {
    if (!bright && base == 1) return 67;   // (57,109,165)
    if (!bright && base == 4) return 196;  // (255,0,0)
    if (!bright && base == 7) return 254;  // (239,235,222)
  }
  if (full) return static_cast<short>(ansi[base] + (bright ? 8 : 0));
  return ansi[base];
}

void write_raw(const char* s) {
  std::fputs(s, stdout);
  std::fflush(stdout);
}

}  // namespace

std::optional<TermSize> terminal_size() {
  winsize ws{};
  if (!isatty(STDOUT_FILENO) || !isatty(STDIN_FILENO)) return std::nullopt;
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &ws) != 0) return std::nullopt;
  return TermSize{ws.ws_row, ws.ws_col};
}

TerminalBackend::TerminalBackend() {
  std::setlocale(LC_ALL, "");
  initscr();
  raw();  // Ctrl+C and Ctrl+S are the program's keys, not signals
  noecho();
  nonl();
  keypad(stdscr, FALSE);  // our own decoder reads the bytes
  curs_set(0);
  setup_colours();
  std::signal(SIGWINCH, on_winch);
  write_raw("\033[?1000h\033[?1006h\033[?2004h");  // clicks (SGR form), bracketed paste
}

TerminalBackend::~TerminalBackend() {
  write_raw("\033[?2004l\033[?1006l\033[?1000l");
  curs_set(1);
  endwin();
}

void TerminalBackend::setup_colours() {
  if (!has_colors()) return;
  start_color();
  full_colour_ = COLORS >= 16 && COLOR_PAIRS >= 257;
  if (full_colour_) {
    for (int a = 0; a < 256; ++a)
      init_extended_pair(a + 1, colour_index(a % 16, true), colour_index(a / 16, true));
  } else {
    for (int fg = 0; fg < 8; ++fg)
      for (int bg = 0; bg < 8; ++bg)
        init_pair(static_cast<short>(1 + fg + 8 * bg), colour_index(fg, false), colour_index(bg, false));
  }
}

short TerminalBackend::pair_for(unsigned char attr) {
  if (full_colour_) return 0;  // extended pairs go through the opts argument
  return static_cast<short>(1 + (attr % 16 & 7) + 8 * (attr / 16 & 7));
}

void TerminalBackend::show_too_small() {
  erase();
  mvaddstr(0, 0, "Aumente o terminal: o VORMEL precisa de 80 colunas por 27 linhas.");
  refresh();
}

void TerminalBackend::present(const Frame& frame) {
  last_ = frame;
  if (too_small_) return show_too_small();
  for (int row = 0; row < Frame::kRows; ++row) {
    for (int col = 0; col < Frame::kCols; ++col) {
      const Cell& c = frame.cells[row][col];
      wchar_t wc[2] = {static_cast<wchar_t>(c.ch < 32 ? U' ' : core::cp850::to_unicode(c.ch)), 0};
      attr_t a = A_NORMAL;
      int pair = full_colour_ ? c.attr + 1 : pair_for(c.attr);
      if (!full_colour_ && (c.attr % 16) >= 8) a |= A_BOLD;
      cchar_t cc;
      setcchar(&cc, wc, a, static_cast<short>(full_colour_ ? 0 : pair), full_colour_ ? &pair : nullptr);
      mvadd_wch(row, col, &cc);
    }
  }
  if (frame.cursor_row >= 0) {
    curs_set(frame.cursor_shape == 2 ? 2 : 1);
    move(frame.cursor_row, frame.cursor_col);
  } else {
    curs_set(0);
  }
  refresh();
}

bool TerminalBackend::fill_decoder(int timeout_ms) {
  pollfd p{STDIN_FILENO, POLLIN, 0};
  int r = poll(&p, 1, timeout_ms);
  if (r <= 0) return false;
  char buf[512];
  ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
  if (n <= 0) return false;
  decoder_.feed(std::string_view(buf, static_cast<size_t>(n)));
  return true;
}

std::optional<core::Key> TerminalBackend::read_key(int timeout_ms, bool) {
  constexpr int kEscDelayMs = 40;
  for (;;) {
    if (g_resized) {
      g_resized = 0;
      if (auto sz = terminal_size()) {
        resizeterm(sz->rows, sz->cols);
        too_small_ = sz->rows < kMinTermRows || sz->cols < kMinTermCols;
      }
      present(last_);
      return core::Key(core::Key::Resize);
    }
    if (auto k = decoder_.next(true)) return k;
    if (decoder_.pending()) {
      // Part of a sequence: give the rest a moment, then take what is there.
      if (!fill_decoder(kEscDelayMs))
        if (auto k = decoder_.next(false)) return k;
      continue;
    }
    if (!fill_decoder(timeout_ms)) return std::nullopt;
  }
}

void TerminalBackend::bell() { beep(); }

void TerminalBackend::clear_typeahead() {
  while (fill_decoder(0)) {
  }
  while (decoder_.next(false)) {
  }
}

void TerminalBackend::clipboard_set(const std::string& cp850_text) {
  // OSC 52: terminals that offer the system clipboard take it from here.
  static const char kB64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string utf8 = core::cp850::to_utf8(cp850_text), enc;
  for (size_t i = 0; i < utf8.size(); i += 3) {
    unsigned v = static_cast<unsigned char>(utf8[i]) << 16;
    if (i + 1 < utf8.size()) v |= static_cast<unsigned char>(utf8[i + 1]) << 8;
    if (i + 2 < utf8.size()) v |= static_cast<unsigned char>(utf8[i + 2]);
    enc += kB64[(v >> 18) & 63];
    enc += kB64[(v >> 12) & 63];
    enc += i + 1 < utf8.size() ? kB64[(v >> 6) & 63] : '=';
    enc += i + 2 < utf8.size() ? kB64[v & 63] : '=';
  }
  write_raw(("\033]52;c;" + enc + "\a").c_str());
}

}  // namespace vormel::screen
