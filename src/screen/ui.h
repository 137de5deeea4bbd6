// The text-window toolkit every screen is built with: numbered windows that save the
// screen under them, window texts with in-band colour switches and a run-length code,
// messages and questions, bar choosers, input fields. The state lives in Ui, which the
// application owns; the routines take it first.
#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/keys.h"
#include "core/value.h"
#include "screen/colours.h"
#include "screen/console.h"

namespace vormel::screen {

struct TextWindow {
  std::string colour1, colour2, colour3;  // colour strings
  int top = 1, left = 1, bottom = 25, right = 80;
  int type = 0;  // 0 no frame, 1 frame outside the top-left, 2 frame on the rectangle, 7 shadowed
  std::string text;  // the last text written, switches removed and repeats expanded
};

struct SavedScreen {
  int number = 0;
  Snapshot snap;
};

struct Ui {
  explicit Ui(Console& c);
  Console& con;
  Colours colours;
  std::map<int, TextWindow> windows;
  std::vector<SavedScreen> saved;

  // Chooser and message memory.
  int POSVER = 1, ULTPOS = 1;
  std::string OPCOES;                  // one hot letter per item of the next chooser
  std::vector<std::string> MENSMENU;   // per-item help lines (1-based: [0] unused)
  int TAM_OLD = 0, NL_OLD = 0, CONT_OLD = 0;

  // Alt+A: the calculator; gives the result when it was handed back (Ctrl+Enter).
  std::function<std::optional<core::Decimal>()> calculator;
  // F1 in a field or chooser: the help screens, when they are there.
  std::function<void()> help;
  // An input field is being edited (hot keys that put a value into it look at this).
  bool editing_field = false;
};

// --- window table ---
void DEFINEJAN(Ui& ui, int n, int attr1, int attr2, int attr3, int top, int left, int bottom, int right, int type);
void REDEFJAN(Ui& ui, int n, int attr1, int attr2, int attr3, int top, int left, int bottom, int right, int type);
void REDFATR(Ui& ui, int n, int which, int attr);
void ABREJAN(Ui& ui, int n);
void FECHAJAN(Ui& ui, int n);
void ESCRJAN(Ui& ui, int n, std::string_view text);
void ESCRLCOL(Ui& ui, int n, int row, int col, std::string_view text);
void ESCRATR(Ui& ui, int n, int row, int col, int attr, int length);
void MOVEVER(Ui& ui, int n, core::Key key);  // Up moves up, any other key down
void MOVEHOR(Ui& ui, int n, core::Key key);  // Left moves left, any other key right
void ENCHETELA(Ui& ui, unsigned char ch, const std::string& colour);
std::string REP(int n);  // character 4 followed by character n
// Clears the inside of an open window in its colour 1.
void LIMPAJAN(Ui& ui, int n);
// The rectangle a window's text goes into.
Rect text_area(const TextWindow& w);

// --- messages and questions ---
// Where a message box goes: a column, or a letter: 'E' left, 'C' centred.
struct Col {
  int value = -1;
  char letter = 0;
  Col() = default;
  Col(int v) : value(v) {}    // NOLINT
  Col(char c) : letter(c) {}  // NOLINT
};

struct MensArgs {
  int row = 20;
  Col col;
  int lines = 1;
  core::Value* var = nullptr;  // action 4: the variable edited
  std::string letters;         // action 2: the accepted letters
  int width = 0;               // action 4: display width of a number
  int decimals = 0;
  std::string picture = "@KS";
  std::function<bool(const core::Value&)> valid;
  int window = 10;
  std::string zoom_title;  // action 9

  // An input box (action 4) at a place, for a variable with its picture and width.
  static MensArgs input(int row, Col col, core::Value* var, std::string picture, int width) {
    MensArgs a;
    a.row = row;
    a.col = col;
    a.var = var;
    a.picture = std::move(picture);
    a.width = width;
    return a;
  }
};

// MENS: status-line messages (action 0), boxes that stay (3), wait for a key (1, 5, 9),
// one-key questions (2: gives the letter) and input boxes (4: gives the value, or the
// empty value on Esc). The tens digit is the frame type (0, 1, 7).
core::Value MENS(Ui& ui, int mode, std::string_view text = {}, MensArgs args = {});

struct Answer {
  std::string letter;  // "S"/"N"/"I"/"F"/"1".. for the types that give a letter
  bool yes = false;    // types 1 and 2
  int button = 0;      // types 6 and 7 (and every button box)
};
// AVISOSN: 0 OK box; 1, 2 Yes/No; 3 Sim/Não/Ignore; 4 Sim/Não/Fim; 5 "1","2","3";
// 6 the given buttons; 7 buttons "1" to "6".
Answer AVISOSN(Ui& ui, const std::vector<std::string>& lines, int type,
               const std::vector<std::string>& buttons = {}, const std::string& title = "Aviso");
Answer AVISOSN(Ui& ui, std::string_view text, int type, const std::vector<std::string>& buttons = {},
               const std::string& title = "Aviso");

// --- choosers ---
int ESC_OPCAO(Ui& ui, int window, int last_item, int col, int width, int line_offset = 0, int close = 0,
              bool with_help = false);

struct SubMenuItem {
  std::string caption, shortcut, message;
  int identifier = 0;
};
void CREATESUBMENU(Menu& menu, const std::string& caption, std::function<void(int identifier)> action,
                   const std::vector<SubMenuItem>& items);

void BEEP_ERRO(Ui& ui, int n = 1);

// --- input fields ---
struct FieldSpec {
  int row = 0, col = 0;             // grid position
  core::Value* var = nullptr;
  std::string picture;
  int width = 0, decimals = 0;      // stored width of a text, display width and decimals of a number
  std::function<bool(const core::Value&)> valid;
  std::string colour;               // "" = the enhanced colour of the current set
  // Keys that leave the field like Enter does (checked and stored): a form's hot keys.
  std::function<bool(core::Key)> also_leaves;

  // A field at a place, with its picture and width (and decimals for a number).
  static FieldSpec at(int row, int col, core::Value* var, std::string picture, int width, int decimals = 0) {
    FieldSpec f;
    f.row = row;
    f.col = col;
    f.var = var;
    f.picture = std::move(picture);
    f.width = width;
    f.decimals = decimals;
    return f;
  }
};
// Edits one variable in place. Returns the key that ended it: Esc (the variable keeps
// its old value) or a leaving key (Enter, Tab, Shift+Tab, Up, Down, PgUp, PgDn,
// Ctrl+Enter) after the value passed its check and was stored.
core::Key edit_field(Ui& ui, const FieldSpec& field);
// The display width of a variable in a field (text length, number width, date 10, 1).
int field_width(const core::Value& v, const std::string& picture, int width);

}  // namespace vormel::screen
