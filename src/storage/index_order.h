// One index order in its own file. The file is ours: a header (magic, format version,
// key expression, key length, a checksum), a sorted base of entries written when the
// order is built, and a journal of later changes ("record r now has key k") that every
// terminal appends to. The header's journal length is the change counter: a reader
// takes the index's read lock, compares it and replays what it has not seen; a writer
// takes the write lock, appends, bumps the counter, and only then unlocks.
//
// The header also records how many table records the order has seen: rows appended by
// a program that does not know the index are found that way and added. An order that
// is foreign, damaged or replaced is never trusted: open() says so and it is rebuilt.
// A build writes a temporary file and renames it over the old one.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "storage/dbf_table.h"
#include "storage/key_expression.h"

namespace vormel::storage {

class IndexOrder {
 public:
  // Opens an existing order file; nullptr with `why` when it is missing or unusable
  // (foreign, damaged, for another expression or another table).
  static std::unique_ptr<IndexOrder> open(const std::string& path, std::string_view expression, Table& table,
                                          std::string* why);
  // Builds the order from the table's records. The caller holds the table exclusively.
  static void build(const std::string& path, std::string_view expression, Table& table, bool durable = true);

  const std::string& path() const { return path_; }
  const std::string& name() const { return name_; }  // the file's base name, upper case
  const KeyExpression& key() const { return key_; }

  // Takes in what other work areas and terminals changed since the last look, and,
  // when asked, the rows appended without this order.
  void refresh(bool look_for_appends = true);
  // Entries in key order (equal keys in record order).
  size_t size() const { return sorted_.size(); }
  uint32_t recno_at(size_t position) const { return sorted_[position]; }
  std::string_view key_at(size_t position) const { return key_of(sorted_[position]); }
  // First position whose key is not less than `bytes` compared over the length of
  // `bytes` (size() when none).
  size_t lower_bound(std::string_view bytes) const;
  // Position of a record's entry; size() when the record is not in the order.
  size_t position_of(uint32_t recno) const;

  // A record was written or appended: its key is evaluated and, when it changed,
  // journalled. The caller holds the record's lock (or the append lock).
  void record_written(uint32_t recno, const std::string& record);
  // Drops the journal into a new base when the table is open only by us.
  void compact();
  uint64_t journal_length() const { return applied_; }

 private:
  IndexOrder(std::string path, KeyExpression key, Table& table);
  std::string_view key_of(uint32_t recno) const {
    return {keys_.data() + size_t(recno) * size_t(key_.length()), size_t(key_.length())};
  }
  bool load(std::string* why);
  void apply(uint32_t recno, std::string_view key);
  void catch_up();                     // under the index write lock
  void replay_journal(uint64_t upto);  // under a lock
  void write_entry(uint32_t recno, const std::string& key);
  struct Less;

  std::string path_, name_;
  KeyExpression key_;
  Table& table_;
  SharedFile file_;
  std::string keys_;           // key of record r at r * key length
  std::vector<uint8_t> present_;  // record r has an entry
  std::vector<uint32_t> sorted_;
  uint32_t base_count_ = 0;
  uint32_t covered_ = 0;  // table records the order has seen
  uint64_t applied_ = 0;  // journal entries replayed
};

}  // namespace vormel::storage
