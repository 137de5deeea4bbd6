// The working copies of one declaration: for each declaration table nn (13 excepted,
// whose rows belong to the monthly bookkeeping) a table "TMP_" + nn + terminal in the
// terminal's work-file folder, with the client's rows only, open in work area nn + 20.
// They stay on disk until the next load, so an interrupted declaration can be recovered.
#pragma once
#include <string>
#include <vector>

#include "storage/database.h"

namespace vormel::declaration {

// The declaration tables that have working copies, in the order they are loaded.
const std::vector<int>& copied_tables();
// "TMP_09" + terminal (without extension) in the work-file folder.
std::string working_copy_path(const std::string& work_files, int table, const std::string& terminal);

// Which rows of a folder table belong to the declaration: the CPF, and for the rural
// tables 15 to 19 also the activity (IMP20's heirs belong to the client by CPF alone).
struct Owner {
  std::string cpf;
  std::string activity = "S";  // ATV_BRASIL
  bool owns(int table, storage::WorkArea& area) const;
};

// Opens working copy `table` in its area (table + 20) exclusively, creating it empty when
// missing, with an order on CPF (checked on opening like every order, and built again
// when `rebuild`). False with the reporter told when it cannot.
bool open_working_copy(storage::Database& db, const std::string& work_files, int table, bool rebuild = false);

}  // namespace vormel::declaration
