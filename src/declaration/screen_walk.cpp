#include "declaration/screen_walk.h"

namespace vormel::declaration {

namespace {

using core::Key;

void go(Walk& w, int screen, int item) {
  w.TELA = screen;
  w.OPCIR_1 = item;
}

void forward(Walk& w) {
  const int t = w.TELA, i = w.OPCIR_1;
  if (t == 6 && w.PVEZ) {
    w.PVEZ = false;
    return go(w, 1, 11);
  }
  if (t == 3 && i == 31) return go(w, 3, 32);
  if (t == 3 && i == 32) return go(w, 4, 41);
  if (t == 4) {
    if (i == 41) return go(w, 4, 42);
    if (i == 42) return go(w, 4, 43);
    if (i == 43) return go(w, 5, 51);
    return go(w, 4, i);  // 44 and 45 show their screen again
  }
  if (t == 7) return go(w, 10, 72);
  if (t == 8 || t == 9) return go(w, 7, 71);
  if (t == 10) return go(w, 11, 62);
  if (t == 11) return go(w, 0, 0);
  if (t == w.TELAMAX() && w.rural) return go(w, 12, 101);
  if (t == 22) {
    if (i == 51 || i == 52 || i == 54) return go(w, 22, 55);
    return go(w, 6, 61);
  }
  if (t == 23) {
    if (i == 52 || i == 51) return go(w, 23, 53);
    return go(w, 6, 61);
  }
  int next = t + 1;
  if (next == 13 && w.abroad) next = 14;
  if (next == 12 && !w.rural) next = 10;
  return go(w, next, next >= 12 ? 100 + (next - 11) : next * 10 + 1);
}

void backward(Walk& w) {
  const int t = w.TELA, i = w.OPCIR_1;
  if (t == 1) return go(w, 0, 0);
  if (t == 3 && i == 31) return go(w, 2, 21);
  if (t == 3 && i == 32) return go(w, 3, 31);
  if (t == 22) {
    if (i == 51 || i == 55) return go(w, 22, 54);
    return go(w, 4, 43);
  }
  if (t == 23) {
    if (i == 53 || i == 51) return go(w, 23, 52);
    return go(w, 4, 43);
  }
  if (t >= 8 && t <= 10) return go(w, 7, 71);
  if (t >= 2 && t <= w.TELAMAX()) {
    int previous = t - 1;
    if (previous == 13 && w.abroad) previous = 12;
    if (previous == 4) return go(w, 4, 43);
    return go(w, previous, previous >= 12 ? 100 + (previous - 11) : previous * 10 + 1);
  }
  return go(w, 0, 0);
}

}  // namespace

void next_screen(Walk& w, Key key) {
  const unsigned base = key.base();
  if (key == Key(Key::Esc)) return go(w, 0, 0);
  if (key == Key(Key::F1)) return go(w, 1, 11);
  if (key == Key(Key::F2)) return go(w, 2, 21);
  if (key == Key(Key::F3)) return go(w, 3, 31);
  if (key == Key(Key::F11) || key == Key(Key::F1 | Key::Alt)) return go(w, 11, 62);
  if (base >= Key::F4 && base <= Key::F10 && !(key.code & Key::ModMask)) {
    const int screen = int(base - Key::F4) + 4;
    return go(w, screen, screen * 10 + 1);
  }
  if (key == Key(Key::F12) || key == Key(Key::F2 | Key::Alt)) return w.rural ? go(w, 12, 101) : go(w, 7, 71);
  if (key == Key(Key::Tab | Key::Shift) || key == Key(Key::PgUp)) return backward(w);
  if (key == Key(Key::Tab) || key == Key(Key::PgDn)) return forward(w);
  if (key == Key(Key::Enter)) {
    if (w.TELA == 6 && w.PVEZ) {
      w.PVEZ = false;
      return go(w, 1, 11);
    }
    if (w.TELA == 3 && w.OPCIR_1 == 31) return go(w, 3, 32);
    if (w.TELA == 3 && w.OPCIR_1 == 32) return go(w, 4, 41);
    return go(w, 0, 0);
  }
  if (w.TECLAMUDA) return;  // a hot key already chose
  // Any other key ends the screen as if it had been completed.
  if (w.TELA == 6 && w.PVEZ) {
    w.PVEZ = false;
    return go(w, 1, 11);
  }
  if (w.TELA == 3 && w.OPCIR_1 == 31) return go(w, 3, 32);
  if (w.TELA == 3 && w.OPCIR_1 == 32) return go(w, 4, 41);
  if ((w.TELA >= 1 && w.TELA <= 6) || (w.TELA >= 11 && w.TELA <= 17)) {
    int next = w.TELA + 1;
    if (next == 12 && !w.rural) next = 10;
    if (next == 13 && w.abroad) next = 14;
    if (w.TELA == 17) next = 12;
    return go(w, next, next >= 12 ? 100 + (next - 11) : next * 10 + 1);
  }
  return go(w, 0, 0);
}

}  // namespace vormel::declaration
