// A saved declaration read from the folder's tables into the data the computation works
// on, and the computed figures written back, the way the workspace loads and saves.
#pragma once
#include <string>
#include <vector>

#include "storage/database.h"
#include "tax/declaration_data.h"

namespace vormel::declaration {

// The fields of the current row of a work area, by name.
tax::Record record_of(storage::WorkArea& area);

// A row's fields into the memory variables; CPF, NOMEAG and ATV_BRASIL keep their values.
void take_fields(core::Record& vars, const core::Record& row);
// The variables into the fields of the current row (locked, or in an exclusive table):
// only the fields that differ are written, CPF never.
void write_fields(storage::WorkArea& area, const core::Record& vars);

// Reads the declaration of `cpf` from the declaration tables open in areas 1–20 (each
// on its CPF order): the memory variables from IMP09, IMP01, the first IMP12 row and the
// IMP15 row of the declaration's ATV_BRASIL, in that order (CPF, NOMEAG and ATV_BRASIL
// keep the identification's values), and the rows of the multi-row sections. Deleted
// rows are not read. False when IMP09 has no row for the CPF.
bool load_saved(storage::Database& db, const std::string& cpf, tax::DeclarationData& out);

// The values only a save writes: the carnê-leão and quota summary of the list of
// declarations (counted afresh from the rows), into `vars`.
void add_save_summary(const tax::DeclarationData& data, core::Record& vars);
// The identification row's view of the figures: the withheld taxes together, the paid
// total without the RRA's, the balance and cash index within what their fields hold.
core::Record identification_values(const core::Record& vars);

// Writes the computed declaration into its IMP09 and IMP01 rows (IMP01 added when
// missing) and the non-deductible parts into its IMP06 rows, each under a record lock.
// False, with the message given to the reporter, when a row could not be locked.
bool store_results(storage::Database& db, const tax::DeclarationData& data);

}  // namespace vormel::declaration
