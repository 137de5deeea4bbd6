// The frames of the declaration's screens and of the smaller windows drawn inside them.
// Each frame is built from the declaration's memory variables where a label depends on
// them (the item shown, a final espólio, the model, Brazil or abroad, ...).
#pragma once
#include "core/record.h"
#include "entry/frame.h"

namespace vormel::entry {

// MTELA / MOSTEL: screen 1 to 17, 22 or 23 for the menu item that led to it (`OPCIR_1`).
// Screen 9 draws no frame (an empty one comes back).
Frame screen_frame(int screen, int item, const core::Record& vars);

// --- one builder per screen (the dispatcher above picks them) ---
Frame legal_entity_income_frame(int item);                        // 1 (JANPJUR)
Frame individual_income_frame(int item, const core::Record& v);   // 2 (JANPFIS)
Frame exempt_income_frame(int item);                              // 3: 31 exempt, 32 exclusive
Frame payments_frame(int item);                                   // 4: 41 to 45
Frame assets_frame(int item, const core::Record& v);              // 5: 51, 56, 57, 58
Frame identification_frame(const core::Record& v);                // 6
Frame calculation_frame(const core::Record& v);                   // 7, by the model
Frame capital_gain_frame(int item, const core::Record& v);        // 8
Frame balance_frame(const core::Record& v);                       // 10
Frame status_frame();                                             // 11
Frame rural_frame(int screen, const core::Record& v);             // 12 to 17
Frame zoom_frame(int screen, int item);                           // 22, 23

// --- frames inside screens ---
Frame income_row_frame(int section);                     // MTELA1(1, section): sections 1, 2, 20
Frame simulator_frame();                                 // MTELA1(7)
Frame dollar_converter_frame(int cursor_row, int cursor_col);  // MTELA1(11), placed by the cursor
Frame client_chooser_frame();                            // MTELA3(3)
Frame client_details_frame();                            // MTELA3(8)
Frame capital_gain_summary_frame();                      // MTELA2(10)
Frame maintenance_expenses_frame();                      // MTELA5(6)
Frame dated_entries_frame();                             // MTELA5(8)
// MTELAVER (5, layout, mode): layout 1 with or without the registry rows, layout 2;
// `had_partition` says whether the asset already had a partition number.
Frame estate_partition_frame(int layout, bool registered, bool had_partition);

}  // namespace vormel::entry
