// F5 of the client chooser: the tax to pay or to refund of every declaration of the
// folder, corrected by the SELIC interest from the due date up to the previous month.
#pragma once
#include "screen/ui.h"
#include "storage/database.h"

namespace vormel::declaration {

void IMPCORRIG(screen::Ui& ui, storage::Database& db);

}  // namespace vormel::declaration
