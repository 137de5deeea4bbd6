// Inside the item editor: the state of one running section and the routines that act on
// it, split over item_editor*.cpp by purpose (the loop and keys, the view and drawing,
// the cell edit and writes, row operations, clipboard keys).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "entry/item_editor.h"

namespace vormel::entry::editor {

class Browser {
 public:
  Browser(screen::Ui& ui, storage::Database& db, const Section& section, EditContext& context);

  core::Key run();
  // Alt+S, reached through the console's hot key while the list waits for a key.
  void calculator_key();

 private:
  // --- keys (item_editor.cpp) ---
  bool handle(const core::Key& k);  // true: the section ends with `ended_`
  bool ends_section(const core::Key& k) const;

  // --- view (item_editor_view.cpp) ---
  struct Shown {
    int column = 0;  // index into the columns
    int offset = 0;  // from the list's left edge
    int width = 0;   // may be cut at the right edge
  };
  void load_rows(std::optional<uint32_t> keep);
  void measure();
  std::vector<Shown> shown() const;
  int last_whole() const;
  void draw();
  void draw_footings(const std::vector<Shown>& cols);
  std::string cell_text(int column);  // of the row the area is on
  int cell_row() const { return first_row_ + int(cur_ - top_); }
  int cell_col() const;
  void keep_visible();
  void move_row(long to);   // clamped to the rows; the blank line is reached only by down()
  void down(long step);     // below the last row: the blank line
  void set_column(int c);
  void pan(int step);
  int first_column() const { return std::min<int>(section_.frozen, int(section_.columns.size()) - 1); }
  void click(const core::Key& k);

  // --- cells (item_editor_cell.cpp) ---
  void edit_cell(core::Key replay);
  void after_edit(const core::Key& k, bool was_new);
  // Writes a value into the current cell's field, appending the row on the blank line.
  bool write_cell(const Column& c, const core::Value& value);
  uint32_t ADIC_REG();  // a new row with the section's defaults; 0 when none could be added
  bool F_TROCA(const std::string& field, const core::Value& value);  // on the row the area is on
  void changed(std::optional<uint32_t> keep);  // totals again and the rows reloaded
  const storage::Field* field_of(const Column& c) const;
  core::Value cell_value(const Column& c);  // the empty value of the field on the blank line

  // --- rows (item_editor_rows.cpp) ---
  void delete_row();
  void insert_row();
  void insert_lines();
  void insert_numbered(long after, int count);
  void insert_before(long at, int count);
  void renumber();
  void order_by_column();

  // --- clipboard (item_editor_clipboard.cpp) ---
  void copy_cell();        // Alt+M
  void paste_cell();       // Alt+C
  void append_clip();      // Alt+J
  void add_clip_line();    // Alt+Up
  void clip_to_system();   // Alt+End
  void paste_lines();      // Alt+Down

  bool append_mode() const { return cur_ >= long(rows_.size()); }
  const Column& current_column() const { return section_.columns[size_t(col_)]; }
  void go_current() { area_.go_to(rows_[size_t(cur_)]); }

  screen::Ui& ui_;
  storage::Database& db_;
  const Section& section_;
  EditContext& ctx_;
  storage::WorkArea& area_;

  std::vector<uint32_t> rows_;  // record numbers in the order shown
  std::string order_;           // the key expression they are sorted by ("" = the area's order)
  long cur_ = 0, top_ = 0;      // PONTVERT as an index into rows_; rows_.size() = the blank line
  int col_ = 0, left_ = 0;      // PONTEIRO; first column shown after the frozen ones
  std::vector<int> widths_;
  int width_ = 1, first_row_ = 0, page_ = 1;
  bool footing_ = false;
  bool editing_ = false;
  screen::Attr normal_ = 7, cursor_ = 7;
  core::Key ended_;
};

}  // namespace vormel::entry::editor
