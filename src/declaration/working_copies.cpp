#include "declaration/working_copies.h"

#include <unistd.h>

#include "core/text.h"
#include "storage/catalogue.h"
#include "storage/dbf_table.h"
#include "storage/paths.h"

namespace vormel::declaration {

const std::vector<int>& copied_tables() {
  static const std::vector<int> tables = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18, 19, 20};
  return tables;
}

std::string working_copy_path(const std::string& work_files, int table, const std::string& terminal) {
  return work_files + "TMP_" + core::pad_left(std::to_string(table), 2, '0') + terminal;
}

bool Owner::owns(int table, storage::WorkArea& area) const {
  if (area.text("CPF") != cpf) return false;
  if (table >= 15 && table <= 19) return area.text("ATV_BRASIL") == activity;
  return true;
}

bool open_working_copy(storage::Database& db, const std::string& work_files, int table, bool rebuild) {
  const std::string base = working_copy_path(work_files, table, db.folders.NUSU);
  auto [folder, name] = storage::split_path(base);
  db.close_area(table + 20);
  if (!storage::file_exists(folder, name + ".DBF") && !storage::Table::create(base + ".DBF", storage::layout_of(table)) &&
      !storage::file_exists(folder, name + ".DBF"))
    return false;
  // The copy is the terminal's own: always exclusive.
  const bool was = db.REFAZ_IND;
  db.REFAZ_IND = rebuild;
  const bool ok = db.ABREARQ(std::to_string(table + 20), true, base, "CPF");
  db.REFAZ_IND = was;
  return ok;
}

}  // namespace vormel::declaration
