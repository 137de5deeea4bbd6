// The terminal's colours kept in the colour table, one record per terminal, and the
// small editor that changes them with an immediate preview.
#pragma once
#include <functional>

#include "screen/ui.h"
#include "storage/database.h"

namespace vormel::screen {

// At start: the terminal's record (made with the initial colours when missing) into
// the colour variables.
void CRIACOR(Ui& ui, storage::Database& db);
// Stores all 17 colour variables in the terminal's record; a failed lock writes nothing.
bool GRAVACOR(Ui& ui, storage::Database& db);
// The editor for one element: 1 text, 2 window frames, 3 chosen item, 4 data entry,
// 5 messages, 6 help and warnings, 7 background. `draw_logo` paints the start screen.
void MODCOR(Ui& ui, storage::Database& db, int kind, const std::function<void()>& draw_logo);

}  // namespace vormel::screen
