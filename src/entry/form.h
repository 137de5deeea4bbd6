// A form: fields at fixed places of a screen's frame, each bound to a memory variable of
// the declaration, with its picture, the check run when it is left and the condition that
// makes it editable. `read` runs them in order like a READ: Enter, Down and a full check
// go forward, Up back, and Esc, PgUp, PgDn, Ctrl+Enter, Enter on the last field or one of
// the form's ending keys (the declaration's Tab and function keys) end it.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/keys.h"
#include "core/record.h"
#include "screen/ui.h"

namespace vormel::entry {

struct FormField {
  int row = 0, col = 0;  // from the frame's origin
  std::string var;       // the memory variable
  std::string picture;
  int width = 0;         // stored width of a text; display width of a number (0: its field's)
  int decimals = 0;
  // May change the value; false keeps the cursor in the field (the check says why).
  std::function<bool(core::Value& value)> valid;
  std::function<bool()> when;  // editable; always when not given

  FormField(int r, int c, std::string v, std::string pic = "", int w = 0, int dec = 0,
            std::function<bool(core::Value&)> check = {}, std::function<bool()> editable = {})
      : row(r), col(c), var(std::move(v)), picture(std::move(pic)), width(w), decimals(dec),
        valid(std::move(check)), when(std::move(editable)) {}
};

class Form {
 public:
  Form(screen::Ui& ui, core::Record& vars, int top, int left) : ui_(ui), vars_(vars), top_(top), left_(left) {}

  Form& add(FormField f);
  // Keys that end the whole form (after the field in hand is checked and kept).
  std::function<bool(core::Key)> ending_keys;
  // Runs after every accepted field, with the variable's name (the working copies keep it).
  std::function<void(const std::string&)> accepted;

  // Shows every field's value.
  void show() const;
  void show(const std::string& var) const;
  // Edits the fields from the first editable one at or after `start`; gives the key that
  // ended the form.
  core::Key read(size_t start = 0);
  // Ends the reading after the field in hand (a check that changes what the form holds).
  void stop() { stop_ = true; }

  int top() const { return top_; }
  int left() const { return left_; }

 private:
  core::Value value_of(const FormField& f) const;
  int width_of(const FormField& f) const;
  bool editable(const FormField& f) const { return !f.when || f.when(); }

  screen::Ui& ui_;
  core::Record& vars_;
  int top_, left_;
  std::vector<FormField> fields_;
  bool stop_ = false;
};

// The stored width of a declaration variable (its field in the identification, results,
// monthly or rural table); 0 when no table has it.
int declaration_field_width(const std::string& var);

}  // namespace vormel::entry
