#include "storage/work_area.h"

#include "storage/error.h"

namespace vormel::storage {

void WorkArea::attach(std::unique_ptr<Table> table, std::string alias, bool exclusive) {
  close();
  table_ = std::move(table);
  alias_ = std::move(alias);
  exclusive_ = exclusive;
  active_ = 0;
  go_top();
}

void WorkArea::close() {
  if (!table_) return;
  unlock();
  // A journal that grew long is folded into its order's base while nobody else has the
  // table open; otherwise it waits for another time.
  bool alone = false;
  for (auto& o : orders_) {
    if (o->journal_length() < 4096) continue;
    if (!alone && !(alone = table_->try_become_alone())) break;
    try {
      o->compact();
    } catch (const StorageError&) {
    }
  }
  if (alone) table_->stop_being_alone();
  orders_.clear();
  table_.reset();
  record_.clear();
  eof_ = bof_ = true;
  recno_ = 0;
}

void WorkArea::set_order(size_t n) {
  active_ = n <= orders_.size() ? n : 0;
  if (!eof_) position_ = active_ ? refresh_position() : 0;
}

void WorkArea::load(uint32_t recno) {
  recno_ = recno;
  if (!table_->read(recno, record_)) {
    position_at_end();
    return;
  }
  eof_ = false;
}

void WorkArea::position_at_end() {
  recno_ = table_->record_count() + 1;
  record_ = table_->blank_record();
  eof_ = true;
  position_ = active_ ? order(active_).size() : 0;
}

void WorkArea::reread() {
  if (!eof_) load(recno_);
}

size_t WorkArea::refresh_position() {
  // Moving on from a record looks at other terminals' changes; new rows appended by
  // other programs are looked for when a move starts afresh (top, bottom, seek).
  IndexOrder& o = order(active_);
  o.refresh(false);
  return o.position_of(recno_);
}

void WorkArea::settle_forward() {
  // From position_ (ordered) or recno_ (record order) forward to a live record.
  if (active_) {
    IndexOrder& o = order(active_);
    for (; position_ < o.size(); ++position_) {
      load(o.recno_at(position_));
      if (!eof_ && !deleted()) return;
    }
    position_at_end();
  } else {
    uint32_t count = table_->record_count();
    for (uint32_t r = recno_; r >= 1 && r <= count; ++r) {
      load(r);
      if (!deleted()) return;
    }
    position_at_end();
  }
}

void WorkArea::settle_backward() {
  if (active_) {
    IndexOrder& o = order(active_);
    while (position_ < o.size()) {
      load(o.recno_at(position_));
      if (!eof_ && !deleted()) return;
      if (position_ == 0) break;
      --position_;
    }
  } else {
    for (uint32_t r = recno_; r >= 1; --r) {
      load(r);
      if (!eof_ && !deleted()) return;
    }
  }
  bof_ = true;
}

void WorkArea::go_top() {
  require_table();
  bof_ = false;
  found_ = false;
  if (active_) {
    order(active_).refresh();
    position_ = 0;
  } else {
    recno_ = 1;
  }
  settle_forward();
  bof_ = eof_;
}

void WorkArea::go_bottom() {
  require_table();
  bof_ = false;
  found_ = false;
  if (active_) {
    IndexOrder& o = order(active_);
    o.refresh();
    if (o.size() == 0) {
      position_at_end();
      bof_ = true;
      return;
    }
    position_ = o.size() - 1;
  } else {
    recno_ = table_->record_count();
    if (recno_ == 0) {
      position_at_end();
      bof_ = true;
      return;
    }
  }
  settle_backward();
  if (bof_) {
    position_at_end();
  }
}

void WorkArea::skip(long n) {
  require_table();
  bof_ = false;
  if (n == 0) {
    reread();
    return;
  }
  if (eof_ && n > 0) return;
  if (eof_ && n < 0) {
    go_bottom();
    ++n;
    if (eof_) return;
  }
  while (n > 0) {
    if (active_) {
      position_ = refresh_position();
      ++position_;
    } else {
      ++recno_;
    }
    settle_forward();
    if (eof_) return;
    --n;
  }
  while (n < 0) {
    uint32_t here = recno_;
    size_t here_position = active_ ? refresh_position() : 0;
    bool at_start = active_ ? here_position == 0 || here_position >= order(active_).size() : recno_ <= 1;
    if (at_start) {
      load(here);
      bof_ = true;
      return;
    }
    if (active_) position_ = here_position - 1;
    else recno_ = here - 1;
    settle_backward();
    if (bof_) {
      // Nothing live before: stay on the first record, at the beginning.
      if (active_) position_ = here_position;
      load(here);
      return;
    }
    ++n;
  }
}

void WorkArea::go_to(uint32_t recno) {
  require_table();
  bof_ = false;
  found_ = false;
  if (recno == 0 || recno > table_->record_count()) {
    position_at_end();
    return;
  }
  load(recno);
  if (active_) position_ = refresh_position();
}

bool WorkArea::seek(const core::Value& value, Seek how) {
  require_table();
  bof_ = false;
  if (!active_) throw StorageError("Não há índice ativo em " + alias_ + " para a busca.");
  IndexOrder& o = order(active_);
  o.refresh();
  std::string bytes = o.key().seek_bytes(value);
  if (how == Seek::Exact && !o.key().numeric()) bytes.resize(size_t(o.key().length()), ' ');
  position_ = o.lower_bound(bytes);
  settle_forward();
  found_ = !eof_ && o.key_at(position_).substr(0, bytes.size()) == bytes;
  if (!found_ && how != Seek::Soft) position_at_end();
  return found_;
}

core::Value WorkArea::get(std::string_view name) const {
  const Field* f = table_->field(name);
  if (!f) throw StorageError("O campo " + std::string(name) + " não existe em " + table_->path() + ".");
  return table_->get(*f, record_);
}

std::string WorkArea::text(std::string_view name) const {
  core::Value v = get(name);
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  return {};
}

core::Decimal WorkArea::number(std::string_view name) const {
  core::Value v = get(name);
  if (auto* n = std::get_if<core::Decimal>(&v)) return *n;
  return 0;
}

void WorkArea::require_table() const {
  // A move in an empty area is a fault of the caller: said plainly, never a crash.
  if (!table_) throw StorageError("Nenhuma tabela aberta na área de trabalho.");
}

void WorkArea::require_lock(const char* what) const {
  if (eof_) throw StorageError(std::string("Não há registro atual em ") + alias_ + " para " + what + ".");
  if (!exclusive_ && !table_locked_ && locked_recno_ != recno_)
    throw StorageError(std::string("O registro ") + std::to_string(recno_) + " de " + alias_ +
                       " não está bloqueado para " + what + ".");
}

void WorkArea::after_write(const Field* changed) {
  for (auto& o : orders_)
    if (!changed || o->key().uses(*changed)) o->record_written(recno_, record_);
}

void WorkArea::set(std::string_view name, const core::Value& value) {
  require_lock("gravar");
  const Field* f = table_->field(name);
  if (!f) throw StorageError("O campo " + std::string(name) + " não existe em " + table_->path() + ".");
  table_->put(*f, record_, value);
  table_->write_field(recno_, *f, record_);
  after_write(f);
}

void WorkArea::replace_record(const std::string& record) {
  require_lock("gravar");
  record_ = record;
  record_.resize(size_t(table_->record_length()), ' ');
  table_->write(recno_, record_);
  after_write();
}

void WorkArea::erase() {
  require_lock("apagar");
  record_[0] = '*';
  table_->write_deleted_mark(recno_, true);
}

void WorkArea::recall() {
  require_lock("recuperar");
  record_[0] = ' ';
  table_->write_deleted_mark(recno_, false);
}

bool WorkArea::try_lock_record() {
  if (eof_) return false;
  if (locked_recno_ == recno_) return true;
  if (locked_recno_) table_->unlock_record(locked_recno_);
  locked_recno_ = 0;
  if (!table_->try_lock_record(recno_)) return false;
  locked_recno_ = recno_;
  reread();  // what another terminal wrote before we got the lock
  return true;
}

bool WorkArea::try_lock_table() {
  if (table_locked_) return true;
  if (!table_->try_lock_table()) return false;
  table_locked_ = true;
  reread();
  return true;
}

bool WorkArea::try_append_blank() {
  if (!table_->try_lock_append()) return false;
  uint32_t recno = 0;
  try {
    recno = table_->append(table_->blank_record());
    // The new record comes back locked: nobody can take it between append and write.
    if (locked_recno_) table_->unlock_record(locked_recno_);
    locked_recno_ = table_->try_lock_record(recno) ? recno : 0;
    recno_ = recno;
    record_ = table_->blank_record();
    eof_ = bof_ = false;
    after_write();
  } catch (...) {
    table_->unlock_append();
    throw;
  }
  table_->unlock_append();
  if (active_) position_ = order(active_).position_of(recno_);
  return true;
}

void WorkArea::unlock() {
  if (!table_) return;
  if (locked_recno_) table_->unlock_record(locked_recno_);
  if (table_locked_) table_->unlock_table();
  locked_recno_ = 0;
  table_locked_ = false;
}

}  // namespace vormel::storage
