#include "entry/form_checks.h"

#include "core/cp850.h"
#include "core/text.h"
#include "entry/form.h"

namespace vormel::entry {

bool accepted_by(const FormEnv& env, const Verdict& v) {
  if (!v.ok && !v.notice.empty()) env.notice(v.notice);
  return v.ok;
}

std::string text_of(const core::Value& v) {
  return std::holds_alternative<std::string>(v) ? core::rtrim(std::get<std::string>(v)) : std::string();
}

core::Value same_width(const core::Value& old, std::string text) {
  if (std::holds_alternative<std::string>(old)) {
    const size_t width = std::get<std::string>(old).size();
    if (width > 0) return core::Value(core::pad_right(text, width));
  }
  return core::Value(std::move(text));
}

std::optional<screen::Assignments> seek_or_list(FormEnv& env, int table, size_t order, const std::string& key_field,
                                                const std::string& key, bool prefix, const screen::LookupRequest& lookup,
                                                const std::function<screen::Assignments(storage::WorkArea&)>& take) {
  storage::Database& db = env.db;
  const int caller = db.selected();
  const bool was_open = db.area(table).used();
  if (!was_open && !db.ABERTURA(table)) return std::nullopt;
  storage::WorkArea& a = db.area(table);
  a.set_order(order);
  std::optional<screen::Assignments> result;
  const std::string wanted = core::cp850::upper(core::trim(key));
  bool exact = false;
  if (!wanted.empty() && a.seek(wanted, storage::Seek::Soft) && !a.eof()) {
    const std::string row = core::cp850::upper(core::trim(a.text(key_field)));
    exact = prefix ? row.compare(0, wanted.size(), wanted) == 0 : row == wanted;
  }
  if (exact) {
    result = take(a);
  } else {
    screen::Lookups lists(env.ui, db);
    screen::LookupResult r = lists.GERAL(lookup);
    if (r.chosen) result = r.values;
  }
  if (!was_open) db.close_area(table);
  db.select(caller);
  return result;
}

bool open_other_clients(storage::Database& db, const std::string& folder) {
  db.close_area(kOtherFolderArea);
  storage::QuietOpens quiet(db);
  return db.ABREARQ(std::to_string(kOtherFolderArea), false, folder + "IMP0916", "CPF");
}

void put_text(core::Record& vars, const std::string& name, const std::string& text) {
  size_t width = static_cast<size_t>(declaration_field_width(name));
  if (const core::Value* old = vars.find(name); old && std::holds_alternative<std::string>(*old))
    width = std::max(width, std::get<std::string>(*old).size());
  vars.set_text(name, width ? core::pad_right(text, width) : text);
}

void put_values(core::Record& vars, const screen::Assignments& values) {
  for (const auto& [name, value] : values) {
    const core::Value* old = vars.find(name);
    if (old && std::holds_alternative<std::string>(value)) vars.set(name, same_width(*old, std::get<std::string>(value)));
    else vars.set(name, value);
  }
}

}  // namespace vormel::entry
