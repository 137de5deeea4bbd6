// The declaration's forms of identification type: the identification (screen 6), the
// status and notes (screen 11), the spouse, the espólio and the saída definitiva
// (screen 5, items 56, 57 and 58). Each draws its values into the screen's frame (already
// drawn), edits them and gives the key that ended it.
#pragma once
#include "core/keys.h"
#include "entry/form_env.h"
#include "entry/frame.h"

namespace vormel::entry {

core::Key identification_form(FormEnv& env, const Frame& frame);
// The spouse (56), espólio (57) or saída (58) form; the frame is redrawn when a change
// makes the form another.
core::Key estate_forms(FormEnv& env, int item);
core::Key status_form(FormEnv& env, const Frame& frame);
// INFO_CONJU: the spouse's figures fetched again from the spouse's declaration (here or in
// another folder of the list) when this one asks for them; false when the spouse is nowhere.
bool INFO_CONJU(FormEnv& env);

// The states of Brazil, as the address and the partition take them.
bool is_state(const std::string& uf);

}  // namespace vormel::entry
