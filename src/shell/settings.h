// The terminal's record of CONFIG and the office's record of DEFINE, mirrored in the
// globals for the run: created with their first values, loaded at start, written back
// under record locks.
#pragma once
#include <initializer_list>
#include <string>

#include "core/date.h"
#include "core/record.h"
#include "shell/globals.h"
#include "storage/database.h"

namespace vormel::shell {

// The values a new terminal's CONFIG record is created with. Windows folders of the
// original program have Linux equivalents here (README lists them).
core::Record initial_config(const Globals& g, core::Date today);

// CONFIGURA: opens CONFIG shared and finds or appends the terminal's record, then copies
// it into g.CONFIG and the globals that mirror it. False when the table cannot be opened.
bool CONFIGURA(storage::Database& db, Globals& g, core::Date today);
// Copies the DEFINE record into g.DEFINE and its globals.
bool load_define(storage::Database& db, Globals& g);

// Writes these fields of g.CONFIG (after taking the globals that mirror them) into the
// terminal's record, under its lock. False when it could not be written.
bool write_config(storage::Database& db, Globals& g, std::initializer_list<const char*> fields);
// Every field of the record (the exit writes all the settings the menu can change).
bool write_all_config(storage::Database& db, Globals& g);
bool write_define(storage::Database& db, Globals& g, std::initializer_list<const char*> fields);

// The globals that mirror CONFIG fields, in and out of the record.
void config_to_globals(Globals& g);
void globals_to_config(Globals& g);

}  // namespace vormel::shell
