// Bringing work folders of earlier releases up to date. Seven declaration tables grew
// new fields in this release; the newest field of each marks an up-to-date table. An
// outdated table is rebuilt with the current layout and its records copied over by
// field name.
#pragma once
#include <string>
#include <string_view>

#include "core/cp850_literal.h"

#include "storage/database.h"

namespace vormel::storage {

// The start-up warning shown while some table of the folder is outdated.
using namespace core::literals;
inline constexpr std::string_view kOutdatedWarning[] = {
    "ATENÇÃ0!!! Antes de usar o programa em qualquer"_cp,
    "função é preciso atualizar a base de dados."_cp,
    "Vá no item Declaração/Atualiza base de dados"_cp,
};

// True when declaration table `number` of the work folder (LOCARQ) is outdated; the
// table is left open in its area then, and closed when it is current.
bool VER_ATUAZ(Database& db, int number);
// The first outdated table of the work folder (0 when all are current).
int first_outdated_table(Database& db);
// Brings table `number` of the work folder up to date; false when it already was.
// A table another terminal is using is skipped (true, nothing changed).
bool CORRIGE(Database& db, int number);
// Mode 0: CORRIGE for every table with a marker field.
void CORRECAO(Database& db, int mode);
// Every folder of the terminal's folder list: the ones that exist are brought up to
// date, the others leave the list. LOCARQ is back on `current_folder` afterwards.
void update_every_folder(Database& db, const std::string& current_folder);

}  // namespace vormel::storage
