// The declaration being worked on: its rows in the working copies, its single-row
// values (identification, summary, first monthly row, rural summary) as memory
// variables, loaded from the folder's tables and saved back into them.
//
// A save replaces only the client's own rows, under a table lock, without packing:
// its old rows are overwritten in place, new ones appended, and rows left over are
// marked deleted with their CPF blanked, so that they are never taken for a deleted
// declaration to recover. Until a save has completed the working copies hold the whole
// declaration and the in-use mark stays, so a crash leaves it recoverable.
#pragma once
#include <string>
#include <vector>

#include "core/record.h"
#include "declaration/working_copies.h"
#include "storage/database.h"
#include "tax/declaration_data.h"

namespace vormel::declaration {

struct SaveResult {
  bool ok = true;
  std::vector<std::string> failed;  // the tables (or "IMP09") that could not be written
};

class Workspace {
 public:
  Workspace(storage::Database& db, std::string work_files) : db_(db), work_files_(std::move(work_files)) {}

  Owner owner;
  core::Record vars;  // the memory variables

  // INIC_VAR: copies the client's rows into fresh working copies and fills the variables
  // (new declaration: the defaults). Recovery uses the copies left on disk instead.
  bool load(const std::string& cpf, bool new_declaration, bool recovery = false);
  // The single-row values into the working copies of IMP09 and IMP01 (so a crash keeps
  // form edits as it keeps item edits).
  void keep_variables();
  // SALVATUDO: `final` clears the in-use mark and closes the copies.
  SaveResult save(bool final);
  // MUDA_ATV: the rural rows of the activity in hand go back to the folder and those of
  // the other activity (Brazil or abroad) come in; false when a table could not be used.
  bool swap_activity(const std::string& before, const std::string& after);
  // The data the computation works on, from the variables and the copies.
  tax::DeclarationData data();
  // Puts computed variables back (after BALANCO on data()).
  void take_results(const tax::DeclarationData& computed);

 private:
  bool copy_rows_in(int table);
  bool replace_rows(int table);
  void fill_defaults();
  void write_single_row(int table, const core::Record& values);
  void prepare_copies();

  storage::Database& db_;
  std::string work_files_;
};

}  // namespace vormel::declaration
