// Small pieces the forms' checks share: a verdict shown, a value as text, and a code
// sought in a reference table with its list offered when it is not there.
#pragma once
#include <optional>
#include <string>

#include "core/value.h"
#include "entry/form_env.h"
#include "entry/validation.h"
#include "screen/lookups.h"

namespace vormel::entry {

// Shows the verdict's notice when it refuses; gives whether it accepted.
bool accepted_by(const FormEnv& env, const Verdict& v);
std::string text_of(const core::Value& v);  // trailing blanks removed
// The value padded to the width of the text it replaces.
core::Value same_width(const core::Value& old, std::string text);

// Seeks `key` (upper case) in the reference table in order `order`; when the row found
// has it in `key_field` (the whole of it, or as its beginning when `prefix`) `take` gives
// its values; otherwise the list of `lookup` is offered on the nearest row. Nothing
// when there is neither a match nor a choice.
std::optional<screen::Assignments> seek_or_list(FormEnv& env, int table, size_t order, const std::string& key_field,
                                                const std::string& key, bool prefix, const screen::LookupRequest& lookup,
                                                const std::function<screen::Assignments(storage::WorkArea&)>& take);

// A text into a memory variable, as wide as its field.
void put_text(core::Record& vars, const std::string& name, const std::string& text);
// Puts the values into the memory variables (texts to the width they had).
void put_values(core::Record& vars, const screen::Assignments& values);

}  // namespace vormel::entry
