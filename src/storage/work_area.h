// A work area: one open table with its index orders, the active order, the record
// pointer and this area's locks. Deleted records are hidden from every move (top,
// bottom, skip, seek); go_to reaches any record. Every write goes to the file at once
// and keeps every open order right; reads see what other terminals wrote.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "storage/dbf_table.h"
#include "storage/index_order.h"

namespace vormel::storage {

enum class Seek { Prefix, Exact, Soft };

class WorkArea {
 public:
  WorkArea() = default;
  WorkArea(WorkArea&&) = default;
  WorkArea& operator=(WorkArea&&) = default;
  ~WorkArea() { close(); }

  bool used() const { return table_ != nullptr; }
  void attach(std::unique_ptr<Table> table, std::string alias, bool exclusive);
  void add_order(std::unique_ptr<IndexOrder> order) { orders_.push_back(std::move(order)); }
  void close();

  Table& table() { return *table_; }
  const std::string& alias() const { return alias_; }
  bool exclusive() const { return exclusive_; }
  const std::string& path() const { return table_->path(); }

  // Orders: 0 = record order, 1.. = the orders in their opening order.
  size_t order_count() const { return orders_.size(); }
  IndexOrder& order(size_t n) { return *orders_[n - 1]; }
  void set_order(size_t n);
  size_t active_order() const { return active_; }

  void go_top();
  void go_bottom();
  void skip(long n = 1);
  void go_to(uint32_t recno);
  // Positions on the first record whose key starts with `value` (or, Exact, equals it
  // padded to the key's length). Soft: when not found, stays on the next greater key.
  bool seek(const core::Value& value, Seek how = Seek::Prefix);
  bool eof() const { return eof_; }
  bool bof() const { return bof_; }
  bool found() const { return found_; }
  uint32_t recno() const { return recno_; }
  uint32_t record_count() const { return table_->record_count(); }
  bool deleted() const { return Table::is_deleted(record_); }
  // Re-reads the current record (after a lock, or to see another terminal's write).
  void reread();

  core::Value get(std::string_view field) const;
  core::Value get(const Field& field) const { return table_->get(field, record_); }
  std::string text(std::string_view field) const;
  core::Decimal number(std::string_view field) const;
  // Writes a field of the current record; the record (or the table) must be locked
  // unless the table is open exclusively.
  void set(std::string_view field, const core::Value& value);
  // Writes a whole record (same layout) over the current one, keeping every order right;
  // the same locking rule as set().
  void replace_record(const std::string& record);
  // The current record's bytes (the deleted mark first).
  const std::string& record_bytes() const { return record_; }
  void erase();   // marks the current record deleted
  void recall();  // takes the mark away

  // Locks. A new record lock releases this area's previous one.
  bool try_lock_record();
  bool try_lock_table();
  // Appends a blank record and leaves it locked and current; false when the append
  // lock is held elsewhere.
  bool try_append_blank();
  void unlock();
  bool holds_lock() const { return locked_recno_ != 0 || table_locked_; }

 private:
  void load(uint32_t recno);
  void position_at_end();
  void settle_forward();   // from the current position, on to a record not deleted
  void settle_backward();
  void after_write(const Field* changed = nullptr);  // nullptr: any field may have changed
  void require_lock(const char* what) const;
  void require_table() const;
  size_t refresh_position();  // refreshes the active order, returns the current position

  std::unique_ptr<Table> table_;
  std::vector<std::unique_ptr<IndexOrder>> orders_;
  std::string alias_;
  bool exclusive_ = false;
  size_t active_ = 0;
  uint32_t recno_ = 0;
  size_t position_ = 0;  // in the active order
  std::string record_;
  bool eof_ = true, bof_ = true, found_ = false;
  uint32_t locked_recno_ = 0;
  bool table_locked_ = false;
};

}  // namespace vormel::storage
